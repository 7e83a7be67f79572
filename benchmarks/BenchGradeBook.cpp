// Times the grade-book commands on classes of 60 and 5,000 students with 30 score
// columns, and a roster batch of 199 names against one plain insert transaction, and
// prints each as a ratio to its target.
#include "IdleMainView.h"
#include "entry/EntryBatch.h"
#include "gradebook/GradeBookEnter.h"
#include "gradebook/GradeBookView.h"
#include "gradebook/Sorting.h"
#include "store/BulkRows.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
constexpr double kFrameMs = 16.0;
constexpr double kLargeSortMs = 200.0;
constexpr double kRosterRatio = 2.0;
constexpr int kScoreColumns = 30;
constexpr int kRosterNames = 199;
constexpr int kRosterRuns = 41;

/// Answers every question alike (Yes unless told otherwise) and counts the other boxes.
class YesPrompter final : public Prompter {
public:
    Answer message(const QString &, const QString &, Buttons buttons, Icon) override
    {
        if (buttons == Buttons::Ok)
            ++failures;
        return answer;
    }
    Answer answer = Answer::Yes;
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
    int failures = 0;
};

/// Median milliseconds of runs of work; prepare runs before each, untimed.
double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

bool report(QTextStream &out, const QString &what, double value, double target, const QString &unit = QStringLiteral(" ms"))
{
    const double ratio = value / target;
    out << what << ": " << QString::number(value, 'f', 2) << unit << ", " << QString::number(ratio, 'f', 3) << " of the "
        << QString::number(target, 'f', 1) << unit << " target" << (ratio <= 1.0 ? "" : "  MISSED") << '\n';
    out.flush();
    return ratio <= 1.0;
}

bool fillGradeBook(Database &database, const QString &table, int students)
{
    (void)database.execute(Sql::dropTable(table));
    if (!database.execute(Sql::createGradeBookTableFresh(table)))
        return false;
    QStringList columns{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组")};
    for (int k = 1; k <= kScoreColumns; ++k) {
        const QString name = QStringLiteral("第%1次").arg(k);
        if (!database.execute(Sql::addScoreColumn(table, name)))
            return false;
        columns << name;
    }
    QList<QVariantList> rows;
    for (int number = 1; number <= students; ++number) {
        QVariantList row{number, QStringLiteral("学生%1").arg(number), number % 8 + 1};
        for (int k = 1; k <= kScoreColumns; ++k)
            row << (number * 37 + k * 11) % 101;
        rows << row;
    }
    return bool(database.transaction([&] { return BulkRows::insert(database, table, columns, rows); }));
}

/// The main view of the benchmark: open grade-book view runs the given operation.
class BenchMainView final : public IdleMainView {
public:
    explicit BenchMainView(std::function<Result()> open)
        : m_open(std::move(open))
    {
    }
    Result openGradeBookView() override { return m_open(); }

private:
    std::function<Result()> m_open;
};

struct Bench {
    Database &database;
    LoginState login;
    Dataset view;
    YesPrompter prompter;
    QString columnList;
    BenchMainView mainView{[this] { return openView(); }};

    Bench(Database &db, const QString &folder)
        : database(db)
        , view(db)
    {
        login.programFolder = folder;
        login.className = QStringLiteral("测试班");
        login.subject = QStringLiteral("语文");
        login.mode = kModeGradeBook;
    }
    Result openView()
    {
        if (Result opened = GradeBookView::open(login, view, columnList); !opened)
            return opened;
        view.first();
        return Result::success();
    }
};

bool gradeBookCommands(Database &database, const QString &folder, int students, QTextStream &out)
{
    Bench bench(database, folder);
    const QString table = bench.login.tables().gradeBookTable();
    if (!fillGradeBook(database, table, students) || !bench.openView()) {
        out << "cannot build the grade book of " << students << " students\n";
        return false;
    }
    const int runs = students > 1000 ? 5 : 25;
    const QString label = QStringLiteral("%1 students, ").arg(students);
    bool met = true;

    // A large class has a target for the sort only; the other commands are shown against one frame.
    const bool large = students > 1000;
    const auto check = [&](const QString &what, double ms, double target) {
        const bool inTime = report(
            out, label + what + (large && target == kFrameMs ? QStringLiteral(" (for information)") : QString()), ms, target);
        if (!large || target != kFrameMs)
            met = inTime && met;
    };

    check(QStringLiteral("open grade-book view"), medianMs(runs, [&] { (void)bench.openView(); }), kFrameMs);

    Sorting sorting(database, bench.view, bench.prompter, bench.mainView);
    const SortChoice byAverage{QStringLiteral("平均"), true, false, 3};
    check(QStringLiteral("sort with ranks"),
        medianMs(
            runs, [&] { (void)sorting.apply(bench.login.tables(), byAverage); }, [&] { (void)bench.openView(); }),
        large ? kLargeSortMs : kFrameMs);

    int score = 0;
    check(QStringLiteral("one Enter recompute"),
        medianMs(
            runs, [&] { GradeBookEnter::press(bench.view, bench.prompter, bench.mainView, kModeGradeBook, bench.columnList); },
            [&] {
                bench.view.moveTo(bench.view.rowCount() / 2);
                (void)bench.view.setValue(QStringLiteral("第30次"), ++score % 100);
            }),
        kFrameMs);

    if (bench.prompter.failures > 0) {
        out << label << bench.prompter.failures << " commands failed\n";
        met = false;
    }
    return met;
}

bool rosterBatch(Database &database, const QString &folder, QTextStream &out)
{
    Bench bench(database, folder);
    const TableNames tables = bench.login.tables();
    const QString table = tables.gradeBookTable();
    QStringList names;
    QList<QVariantList> rows;
    for (int i = 1; i <= kRosterNames; ++i) {
        names << QStringLiteral("学生%1").arg(i);
        rows << QVariantList{i, names.constLast()};
    }
    const QStringList columns{QStringLiteral("编号"), QStringLiteral("姓名")};
    // A roster is entered at the start of a term: into an empty grade book.
    const auto freshTable = [&] {
        (void)bench.view.close();
        (void)database.execute(Sql::dropTable(table));
        (void)database.execute(Sql::createGradeBookTableFresh(table));
        (void)bench.openView();
    };
    EntryInput input;
    input.gridInUse = true;
    input.gridCells = names;
    EntryBatch::Context context;
    context.tables = tables;
    context.paths = DataPaths(folder);
    context.columnList = bench.columnList;
    EntryBatch batch(database, bench.view, bench.prompter, bench.mainView);

    const double insert = medianMs(
        kRosterRuns, [&] { (void)database.transaction([&] { return BulkRows::insert(database, table, columns, rows); }); },
        freshTable);
    const double replace = medianMs(
        kRosterRuns, [&] { (void)batch.add(EntryKind::Roster, input, context); }, freshTable);
    bench.prompter.answer = Prompter::Answer::No;
    const double append = medianMs(
        kRosterRuns, [&] { (void)batch.add(EntryKind::Roster, input, context); }, freshTable);
    out << "one insert transaction of " << kRosterNames << " rows: " << QString::number(insert, 'f', 2) << " ms\n";
    out << "roster batch appended, for information: " << QString::number(append, 'f', 2) << " ms, "
        << QString::number(append / insert, 'f', 2) << "× the insert\n";
    const bool met = report(out, QStringLiteral("roster batch (replace, shown again) against the insert"), replace / insert,
        kRosterRatio, QStringLiteral("×"));
    return met && bench.prompter.failures == 0 && bench.view.rowCount() == kRosterNames;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir folder;
    Database database(QStringLiteral("bench"));
    if (const Result opened = database.open(folder.path()); !opened) {
        out << opened.error << '\n';
        return 2;
    }
    bool met = true;
    for (const int students : {60, 5000})
        met = gradeBookCommands(database, folder.path(), students, out) && met;
    met = rosterBatch(database, folder.path(), out) && met;
    out << (met ? "every target met" : "a target missed") << '\n';
    return met ? 0 : 1;
}
