// Prepares a grade book and a questioning table, runs one command that writes many rows on
// them, or checks what a command that was killed half-way left behind: the old table or
// the new one, never anything between.
//   gradebook_crash_probe prepare|run|check <program folder>
//       replace|clear|sort|scores|evaluations|append|enter
#include "FakePrompter.h"
#include "IdleMainView.h"
#include "entry/EntryBatch.h"
#include "gradebook/GradeBookEnter.h"
#include "gradebook/GradeBookView.h"
#include "gradebook/ScoreClearing.h"
#include "gradebook/Sorting.h"
#include "store/BulkRows.h"
#include "store/Dataset.h"
#include "store/LoginState.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTextStream>
#include <array>
#include <functional>

namespace {
constexpr int kStudents = 30;
constexpr int kNewStudents = 20;
constexpr int kEnteredStudent = 17; // the row Enter writes
const std::array<int, 4> kGradeScores{10, 8, 5, 0};

int firstScore(int k)
{
    return (k * 37) % 101;
}
int secondScore(int k)
{
    return (k * 53) % 101;
}
/// The score a score batch gives student k, the grade an evaluation batch gives.
int batchScore(int k)
{
    return (k * 29) % 101;
}
QString batchGrade(int k)
{
    return QString(QChar(u'A' + k % 4));
}

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

/// Answers Yes to questions (No to the roster question when appending) and kesmora to
/// the password, without checking the texts.
class Answers final : public Prompter {
public:
    bool appendRoster = false;
    Answer message(const QString &, const QString &text, Buttons buttons, Icon) override
    {
        if (buttons == Buttons::Ok)
            out() << "box: " << text << '\n';
        return buttons == Buttons::YesNoCancel && appendRoster ? Answer::No : Answer::Yes;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return kAdministratorPassword; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
};

QVariantList columnValues(Database &database, const QString &table, const QString &column)
{
    QVariantList values;
    QSqlQuery select(database.connection());
    select.exec(QStringLiteral("SELECT [%1] FROM [%2] ORDER BY [编号], rowid").arg(column, table));
    while (select.next())
        values << select.value(0);
    return values;
}

bool prepare(Database &database, const QString &table, const QString &questioning)
{
    if (!database.execute(Sql::createGradeBookTableFresh(table))
        || !database.execute(Sql::addScoreColumn(table, QStringLiteral("第1次")))
        || !database.execute(Sql::addScoreColumn(table, QStringLiteral("第2次")))
        || !database.execute(Sql::createQuestioningTableFresh(questioning)))
        return false;
    QList<QVariantList> rows;
    QList<QVariantList> students;
    for (int k = 1; k <= kStudents; ++k) {
        const int first = firstScore(k);
        const int second = secondScore(k);
        rows << QVariantList{
            k, QStringLiteral("学生%1").arg(k), k % 4 + 1, first, second, first + second, double((first + second) / 2)};
        students << QVariantList{k, QStringLiteral("学生%1").arg(k), 0, 0, 0.0};
    }
    return bool(database.transaction([&] {
        if (Result filled = BulkRows::insert(
                database, table, QString(QStringLiteral("编号,姓名,小组,第1次,第2次,合计,平均")).split(QLatin1Char(',')), rows);
            !filled)
            return filled;
        return BulkRows::insert(
            database, questioning, QString(QStringLiteral("编号,姓名,次数,总分,平均")).split(QLatin1Char(',')), students);
    }));
}

/// Whether every row holds what rowIsOld says, or every row what rowIsNew says; a table
/// with some rows of each is broken.
QString wholeOrBroken(int rows, const std::function<bool(int)> &rowIsOld, const std::function<bool(int)> &rowIsNew)
{
    int old = 0;
    int written = 0;
    for (int row = 0; row < rows; ++row) {
        old += rowIsOld(row) ? 1 : 0;
        written += rowIsNew(row) ? 1 : 0;
    }
    if (old == rows)
        return QStringLiteral("old");
    if (written == rows)
        return QStringLiteral("new");
    return QStringLiteral("broken: %1 rows old, %2 rows new of %3").arg(old).arg(written).arg(rows);
}

/// "old", "new", or what is wrong.
QString state(Database &database, const QString &table, const QString &questioning, const QString &command)
{
    QSqlQuery integrity(database.connection());
    if (!integrity.exec(QStringLiteral("PRAGMA integrity_check")) || !integrity.next()
        || integrity.value(0).toString() != QLatin1String("ok"))
        return QStringLiteral("integrity check failed");
    const QStringList columns = database.columns(table);
    const QVariantList names = columnValues(database, table, QStringLiteral("姓名"));
    const bool oldTable = columns.size() == 8 && names.size() == kStudents;
    const QVariantList first = columnValues(database, table, QStringLiteral("第1次"));
    const QVariantList second = columnValues(database, table, QStringLiteral("第2次"));
    const QVariantList totals = columnValues(database, table, QStringLiteral("合计"));
    const QVariantList averages = columnValues(database, table, QStringLiteral("平均"));
    if (command == QLatin1String("scores")) {
        // A new column filled for every student, or no new column at all.
        if (oldTable)
            return QStringLiteral("old");
        const QVariantList third = columnValues(database, table, QStringLiteral("第3次"));
        if (columns.size() != 9 || third.size() != kStudents)
            return QStringLiteral("broken: %1 columns, %2 rows").arg(columns.size()).arg(third.size());
        return wholeOrBroken(
            kStudents, [](int) { return false; },
            [&](int row) {
                const int total = firstScore(row + 1) + secondScore(row + 1) + batchScore(row + 1);
                return third.at(row).toInt() == batchScore(row + 1) && totals.at(row).toInt() == total
                    && averages.at(row).toDouble() == double(total / 3);
            });
    }
    if (command == QLatin1String("enter")) {
        if (!oldTable)
            return QStringLiteral("broken: %1 columns, %2 rows").arg(columns.size()).arg(names.size());
        const int row = kEnteredStudent - 1;
        const int before = firstScore(kEnteredStudent) + secondScore(kEnteredStudent);
        if (first.at(row).toInt() == firstScore(kEnteredStudent) && totals.at(row).toInt() == before)
            return QStringLiteral("old");
        if (first.at(row).toInt() == 99 && totals.at(row).toInt() == 99 + secondScore(kEnteredStudent)
            && averages.at(row).toDouble() == double((99 + secondScore(kEnteredStudent)) / 2))
            return QStringLiteral("new");
        return QStringLiteral("broken: student %1 holds %2, total %3")
            .arg(kEnteredStudent)
            .arg(first.at(row).toInt())
            .arg(totals.at(row).toInt());
    }
    if (command == QLatin1String("append")) {
        const QVariantList numbers = columnValues(database, table, QStringLiteral("编号"));
        if (oldTable)
            return QStringLiteral("old");
        if (names.size() == kStudents + kNewStudents && numbers.constLast().toInt() == kStudents + kNewStudents
            && names.constLast() == QStringLiteral("新生%1").arg(kNewStudents))
            return QStringLiteral("new");
        return QStringLiteral("broken: %1 rows").arg(names.size());
    }
    if (command == QLatin1String("evaluations")) {
        const QVariantList grades = columnValues(database, questioning, QStringLiteral("评价"));
        const QVariantList counts = columnValues(database, questioning, QStringLiteral("次数"));
        const QVariantList sums = columnValues(database, questioning, QStringLiteral("总分"));
        if (grades.size() != kStudents)
            return QStringLiteral("broken: %1 students").arg(grades.size());
        return wholeOrBroken(
            kStudents, [&](int row) { return grades.at(row).isNull() && counts.at(row).toInt() == 0; },
            [&](int row) {
                const int k = row + 1;
                return grades.at(row).toString() == batchGrade(k) && counts.at(row).toInt() == 1
                    && sums.at(row).toInt() == kGradeScores.at(size_t(k % 4));
            });
    }
    if (command == QLatin1String("replace")) {
        if (oldTable && names.constFirst() == QStringLiteral("学生1"))
            return QStringLiteral("old");
        if (columns.size() == 6 && names.size() == kNewStudents
            && names.constLast() == QStringLiteral("新生%1").arg(kNewStudents))
            return QStringLiteral("new");
        return QStringLiteral("broken: %1 columns, %2 rows").arg(columns.size()).arg(names.size());
    }
    if (command == QLatin1String("clear")) {
        if (oldTable)
            return QStringLiteral("old");
        if (columns.size() == 6 && names.size() == kStudents && !database.tableExists(QStringLiteral("备份") + table))
            return QStringLiteral("new");
        return QStringLiteral("broken: %1 columns, %2 rows").arg(columns.size()).arg(names.size());
    }
    // sort: no rank at all, or ranks 1..n in the order of 平均, highest first.
    const QVariantList ranks = columnValues(database, table, QStringLiteral("名次"));
    if (std::all_of(ranks.cbegin(), ranks.cend(), [](const QVariant &rank) { return rank.isNull(); }))
        return QStringLiteral("old");
    QSqlQuery ordered(database.connection());
    ordered.exec(QStringLiteral("SELECT [名次] FROM [%1] ORDER BY [平均] DESC, rowid").arg(table));
    for (int expected = 1; ordered.next(); ++expected)
        if (ordered.value(0).toInt() != expected)
            return QStringLiteral("broken: rank %1 out of place").arg(expected);
    return ranks.size() == kStudents ? QStringLiteral("new") : QStringLiteral("broken: rows lost");
}

/// The main view of a window-less run: only open grade-book view does anything.
class GradeBookOnlyView final : public IdleMainView {
public:
    GradeBookOnlyView(LoginState &login, Dataset &view, QString &columnList)
        : m_login(login)
        , m_view(view)
        , m_columnList(columnList)
    {
    }
    Result openGradeBookView() override { return GradeBookView::open(m_login, m_view, m_columnList); }
    QString gradeBookColumnList() const override { return m_columnList; }

private:
    LoginState &m_login;
    Dataset &m_view;
    QString &m_columnList;
};

int run(Database &database, const QString &folder, const QString &command)
{
    LoginState login;
    login.programFolder = folder;
    login.className = QStringLiteral("一班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeGradeBook;
    Dataset view(database);
    QString columnList;
    Answers answers;
    GradeBookOnlyView mainView(login, view, columnList);
    if (!mainView.openGradeBookView())
        return 2;
    EntryBatch::Context context;
    context.tables = login.tables();
    context.paths = DataPaths(folder);
    context.columnList = columnList;
    context.gradeScores = kGradeScores;
    EntryInput input;
    input.gridInUse = false;
    if (command == QLatin1String("replace") || command == QLatin1String("append")) {
        answers.appendRoster = command == QLatin1String("append");
        input.gridInUse = true;
        for (int k = 1; k <= kNewStudents; ++k)
            input.gridCells << QStringLiteral("新生%1").arg(k);
        EntryBatch(database, view, answers, mainView).add(EntryKind::Roster, input, context);
    } else if (command == QLatin1String("scores")) {
        for (int k = 1; k <= kStudents; ++k)
            input.memoText += QString::number(batchScore(k)) + QLatin1Char('\n');
        // The column-name dialog's OK with the name it offers.
        context.askColumnName = [&](const std::function<Result(const QString &)> &addColumn) {
            const QString name = QStringLiteral("第3次");
            return addColumn(name) && mainView.openGradeBookView() ? name : QString();
        };
        EntryBatch(database, view, answers, mainView).add(EntryKind::Score, input, context);
    } else if (command == QLatin1String("evaluations")) {
        login.mode = kModeQuestioning;
        context.tables = login.tables();
        view.setQuery(Sql::showAllOrderedByNumber(context.tables.questioningTable()));
        if (!view.open())
            return 2;
        for (int k = 1; k <= kStudents; ++k)
            input.memoText += batchGrade(k) + QLatin1Char('\n');
        EntryBatch(database, view, answers, mainView).add(EntryKind::Evaluation, input, context);
    } else if (command == QLatin1String("enter")) {
        if (!view.moveTo(kEnteredStudent - 1) || !view.setValue(QStringLiteral("第1次"), QStringLiteral("99")))
            return 2;
        GradeBookEnter::press(view, answers, mainView, kModeGradeBook, columnList);
    } else if (command == QLatin1String("clear")) {
        ScoreClearing(database, view, answers, mainView).run(login.tables(), DataFolder(DataPaths(folder).dataFolder()));
    } else {
        Sorting(database, view, answers, mainView).apply(login.tables(), SortChoice{QStringLiteral("平均"), true, false, 3});
    }
    const QString found = state(database, login.tables().gradeBookTable(), login.tables().questioningTable(), command);
    if (found != QLatin1String("new"))
        out() << "after the command: " << found << '\n';
    return found == QLatin1String("new") ? 0 : 1;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString &mode = args.at(1);
    const QString &folder = args.at(2);
    const QString &command = args.at(3);
    Database database(QStringLiteral("probe"));
    if (const Result opened = database.open(folder); !opened) {
        out() << opened.error << '\n';
        return 2;
    }
    const QString table = QStringLiteral("一班语文记分册");
    const QString questioning = QStringLiteral("一班语文课堂提问");
    if (mode == QLatin1String("prepare"))
        return prepare(database, table, questioning) ? 0 : 2;
    if (mode == QLatin1String("run"))
        return run(database, folder, command);
    const QString found = state(database, table, questioning, command);
    out() << found << '\n';
    return found == QLatin1String("old") || found == QLatin1String("new") ? 0 : 1;
}
