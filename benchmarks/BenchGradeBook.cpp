// Times the grade-book commands through the real main window (the grid, its models, the
// accessibility layer when it is active, column sizing, the paint) on classes of 60 and
// 5,000 students with 30 score columns, opening 成绩分析, and a roster batch of 199 names
// against one plain insert transaction, and prints each as a ratio to its target. The
// store alone is shown beside them for comparison.
#include "IdleMainView.h"
#include "analysis/AnalysisCommands.h"
#include "analysis/AnalysisWindow.h"
#include "entry/EntryBatch.h"
#include "gradebook/GradeBookCommands.h"
#include "gradebook/GradeBookEnter.h"
#include "gradebook/GradeBookView.h"
#include "gradebook/Sorting.h"
#include "gradebook/Unit5.h"
#include "shell/Unit2.h"
#include "store/BulkRows.h"
#include "store/Dataset.h"
#include "store/DatasetModel.h"
#include "store/LoginState.h"
#include "ui/ChineseTranslations.h"
#include "ui/DataGrid.h"
#include "ui/FontMapping.h"
#include "ui/Prompter.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {
constexpr double kFrameMs = 16.0;
constexpr double kLargeCommandMs = 100.0;
constexpr double kLargeAnalysisMs = 200.0;
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
/// Milliseconds of a run: wall clock, and the CPU time of the whole program (every
/// thread), which others on a shared machine disturb less.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

/// Medians of runs of work (wall clock and CPU separately); prepare runs before each, untimed.
Timing medianTiming(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer clock;
        const double cpu = processCpuMs();
        clock.start();
        work();
        walls.push_back(double(clock.nsecsElapsed()) / 1e6);
        cpus.push_back(processCpuMs() - cpu);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls.at(walls.size() / 2), cpus.at(cpus.size() / 2)};
}

double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &prepare = {})
{
    return medianTiming(runs, work, prepare).wall;
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

/// Answers the grade-book commands as a teacher who goes on: Yes, the class's password,
/// and 确定 of the sort dialog (with 分组计算 chosen when asked); counts the other boxes.
class WindowPrompter final : public Prompter {
public:
    Answer message(const QString &, const QString &, Buttons buttons, Icon) override
    {
        if (buttons == Buttons::Ok)
            ++failures;
        return Answer::Yes;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return kAdministratorPassword; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &dialog) override
    {
        auto *sort = qobject_cast<TForm5 *>(&dialog);
        if (!sort)
            return QDialog::Rejected;
        (groupTotals ? sort->groupChoice() : sort->sortChoice())->setChecked(true);
        sort->okButton()->click();
        return sort->result();
    }
    bool groupTotals = false;
    int failures = 0;
};

/// Lets the window do what a command left for the event loop: layouts, the grid's paint,
/// the analysis window's reload.
void settle()
{
    for (int i = 0; i < 2; ++i)
        QCoreApplication::processEvents();
}

bool commandsInMainWindow(const QString &folder, int students, QTextStream &out)
{
    WindowPrompter prompter;
    TForm1 window(folder, prompter);
    Database &database = window.context().database;
    LoginState &login = window.context().login;
    login.className = QStringLiteral("窗口班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeGradeBook;
    const QString table = login.tables().gradeBookTable();
    if (!database.open(folder) || !fillGradeBook(database, table, students) || !window.openGradeBookView()) {
        out << "cannot show the grade book of " << students << " students in the main window\n";
        return false;
    }
    window.showView(View::GradeBook);
    // As the program shows it: filling the screen.
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    settle();
    out << "accessibility " << (QAccessible::isActive() ? "active" : "inactive") << ", platform "
        << QGuiApplication::platformName() << '\n';

    const bool large = students > 1000;
    const int runs = qEnvironmentVariableIntValue("QS_BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("QS_BENCH_RUNS")
        : large                                                        ? 11
                                                                       : 25;
    const double target = large ? kLargeCommandMs : kFrameMs;
    const QString label = QStringLiteral("main window, %1 students × %2 columns, ").arg(students).arg(kScoreColumns);
    bool met = true;
    // QS_BENCH_ONLY=text times only the commands whose label holds that text (to profile one).
    const QString only = qEnvironmentVariable("QS_BENCH_ONLY");
    const auto check = [&](const QString &what, const std::function<Timing()> &measure, double limit) {
        if (!what.contains(only))
            return;
        const Timing timing = measure();
        met = report(out, label + what + QStringLiteral(" (CPU %1 ms)").arg(timing.cpu, 0, 'f', 2), timing.wall, limit) && met;
    };
    const auto timed = [&](const std::function<void()> &work, const std::function<void()> &prepare = {}) {
        return [&runs, work, prepare] {
            return medianTiming(
                runs,
                [&] {
                    work();
                    settle();
                },
                [&] {
                    if (prepare)
                        prepare();
                    settle();
                });
        };
    };
    const auto reopen = [&] { (void)window.openGradeBookView(); };
    GradeBookCommands &gradeBook = window.gradeBook();

    check(QStringLiteral("open grade-book view"), timed(reopen), target);
    check(QStringLiteral("sort with ranks"), timed([&] { gradeBook.N26Click(); }, reopen), target);
    prompter.groupTotals = true;
    check(QStringLiteral("group totals"), timed([&] { gradeBook.N26Click(); }, reopen), target);
    prompter.groupTotals = false;

    int score = 0;
    const auto typeScore = [&] {
        reopen();
        const QModelIndex cell = window.gridModel()->index(window.gridModel()->rowCount() / 2, 3 + kScoreColumns - 1);
        window.mainGrid()->setCurrentIndex(cell);
        (void)window.gridModel()->setData(cell, ++score % 100);
    };
    check(QStringLiteral("Enter recompute"), timed([&] { window.DBGrid1KeyPress(); }, typeScore), target);

    // The analysis window opened afresh, and brought back once made.
    AnalysisCommands &analysis = window.analysis();
    const auto closeAnalysis = [&] {
        if (AnalysisView *shown = analysis.analysisWindow())
            shown->close();
    };
    check(QStringLiteral("成绩分析 first opened"),
        timed([&] { analysis.showAnalysis(); },
            [&] {
                closeAnalysis();
                delete analysis.analysisWindow();
            }),
        large ? kLargeAnalysisMs : kFrameMs);
    check(QStringLiteral("成绩分析 opened again"), timed([&] { analysis.showAnalysis(); }, closeAnalysis),
        large ? kLargeAnalysisMs : kFrameMs);
    // With the analysis window open, a command costs its reload too.
    analysis.showAnalysis();
    settle();
    check(QStringLiteral("sort with ranks, 成绩分析 open"), timed([&] { gradeBook.N26Click(); }, reopen), target);
    check(QStringLiteral("Enter recompute, 成绩分析 open"), timed([&] { window.DBGrid1KeyPress(); }, typeScore), target);
    closeAnalysis();

    // Clearing removes the score columns: each run starts from a filled grade book.
    check(QStringLiteral("clear scores"),
        timed([&] { gradeBook.N27Click(); },
            [&] {
                (void)window.context().mainQuery.close();
                (void)fillGradeBook(database, table, students);
                reopen();
            }),
        target);

    if (prompter.failures > 0) {
        out << label << prompter.failures << " commands failed\n";
        met = false;
    }
    return met;
}

/// The store alone, for comparison: open, sort with ranks, one Enter recompute.
void storeAlone(Database &database, const QString &folder, int students, QTextStream &out)
{
    Bench bench(database, folder);
    if (!fillGradeBook(database, bench.login.tables().gradeBookTable(), students) || !bench.openView())
        return;
    const int runs = students > 1000 ? 7 : 25;
    const QString label = QStringLiteral("store alone, %1 students, ").arg(students);
    const auto show = [&](const QString &what, double ms) {
        out << label << what << ", for information: " << QString::number(ms, 'f', 2) << " ms\n";
    };
    show(QStringLiteral("open grade-book view"), medianMs(runs, [&] { (void)bench.openView(); }));
    Sorting sorting(database, bench.view, bench.prompter, bench.mainView);
    const SortChoice byAverage{QStringLiteral("平均"), true, false, 3};
    show(QStringLiteral("sort with ranks"),
        medianMs(
            runs, [&] { (void)sorting.apply(bench.login.tables(), byAverage); }, [&] { (void)bench.openView(); }));
    int score = 0;
    show(QStringLiteral("one Enter recompute"),
        medianMs(
            runs, [&] { GradeBookEnter::press(bench.view, bench.prompter, bench.mainView, kModeGradeBook, bench.columnList); },
            [&] {
                bench.view.moveTo(bench.view.rowCount() / 2);
                (void)bench.view.setValue(QStringLiteral("第30次"), ++score % 100);
            }));
    out.flush();
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

    // The three are timed in turn, round after round, so that a busy spell of the machine
    // falls on all of them alike.
    QList<double> inserts;
    QList<double> replaces;
    QList<double> appends;
    const auto once = [&](QList<double> &times, const std::function<void()> &work) {
        freshTable();
        QElapsedTimer wall;
        wall.start();
        work();
        times << double(wall.nsecsElapsed()) / 1e6;
    };
    for (int run = 0; run < kRosterRuns; ++run) {
        once(inserts,
            [&] { (void)database.transaction([&] { return BulkRows::insert(database, table, columns, rows); }); });
        bench.prompter.answer = Prompter::Answer::Yes;
        once(replaces, [&] { (void)batch.add(EntryKind::Roster, input, context); });
        bench.prompter.answer = Prompter::Answer::No;
        once(appends, [&] { (void)batch.add(EntryKind::Roster, input, context); });
    }
    const auto median = [](QList<double> times) {
        std::sort(times.begin(), times.end());
        return times.at(times.size() / 2);
    };
    const double insert = median(inserts);
    const double replace = median(replaces);
    const double append = median(appends);
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
    // The start-up of the program: Chinese standard dialogs, the window's font names mapped
    // to installed faces.
    ChineseTranslations::install();
    FontMapping::install();
    // As with a screen reader running: the widgets report their changes to the
    // accessibility layer. Under AT-SPI (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on a display)
    // it is active anyway.
    if (app.arguments().contains(QStringLiteral("--accessible")))
        QAccessible::setActive(true);
    // The AT-SPI bridge comes up from the event loop once it reached the bus.
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    QTemporaryDir folder;
    Database database(QStringLiteral("bench"));
    if (const Result opened = database.open(folder.path()); !opened) {
        out << opened.error << '\n';
        return 2;
    }
    out << "medians of repeated runs; the machine is shared, so single figures vary\n";
    bool met = true;
    // --students N times one class size only (to profile it).
    const qsizetype only = app.arguments().indexOf(QStringLiteral("--students"));
    const QList<int> sizes = only > 0 ? QList<int>{app.arguments().value(only + 1).toInt()} : QList<int>{60, 5000};
    for (const int students : sizes) {
        storeAlone(database, folder.path(), students, out);
        met = commandsInMainWindow(folder.path(), students, out) && met;
    }
    if (const QString timedOnly = qEnvironmentVariable("QS_BENCH_ONLY"); timedOnly.isEmpty() || QStringLiteral("roster batch").contains(timedOnly))
        met = rosterBatch(database, folder.path(), out) && met;
    out << (met ? "every target met" : "a target missed") << '\n';
    return met ? 0 : 1;
}
