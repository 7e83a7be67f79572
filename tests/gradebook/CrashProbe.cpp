// Prepares a grade book, runs one rebuilding command on it, or checks what a command that
// was killed half-way left behind: the old table or the new one, never anything between.
//   gradebook_crash_probe prepare|run|check <program folder> replace|clear|sort
#include "FakePrompter.h"
#include "IdleMainView.h"
#include "entry/EntryBatch.h"
#include "gradebook/GradeBookView.h"
#include "gradebook/ScoreClearing.h"
#include "gradebook/Sorting.h"
#include "store/BulkRows.h"
#include "store/Dataset.h"
#include "store/LoginState.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTextStream>

namespace {
constexpr int kStudents = 30;
constexpr int kNewStudents = 20;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

/// Answers Yes to questions and kesmora to the password, without checking the texts.
class Answers final : public Prompter {
public:
    Answer message(const QString &, const QString &text, Buttons buttons, Icon) override
    {
        if (buttons == Buttons::Ok)
            out() << "box: " << text << '\n';
        return Answer::Yes;
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

bool prepare(Database &database, const QString &table)
{
    if (!database.execute(Sql::createGradeBookTableFresh(table))
        || !database.execute(Sql::addScoreColumn(table, QStringLiteral("第1次")))
        || !database.execute(Sql::addScoreColumn(table, QStringLiteral("第2次"))))
        return false;
    QList<QVariantList> rows;
    for (int k = 1; k <= kStudents; ++k) {
        const int first = (k * 37) % 101;
        const int second = (k * 53) % 101;
        rows << QVariantList{
            k, QStringLiteral("学生%1").arg(k), k % 4 + 1, first, second, first + second, double((first + second) / 2)};
    }
    return bool(database.transaction([&] {
        return BulkRows::insert(
            database, table, QString(QStringLiteral("编号,姓名,小组,第1次,第2次,合计,平均")).split(QLatin1Char(',')), rows);
    }));
}

/// "old", "new", or what is wrong.
QString state(Database &database, const QString &table, const QString &command)
{
    QSqlQuery integrity(database.connection());
    if (!integrity.exec(QStringLiteral("PRAGMA integrity_check")) || !integrity.next()
        || integrity.value(0).toString() != QLatin1String("ok"))
        return QStringLiteral("integrity check failed");
    const QStringList columns = database.columns(table);
    const QVariantList names = columnValues(database, table, QStringLiteral("姓名"));
    const bool oldTable = columns.size() == 8 && names.size() == kStudents;
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
    if (command == QLatin1String("replace")) {
        EntryInput input;
        for (int k = 1; k <= kNewStudents; ++k)
            input.gridCells << QStringLiteral("新生%1").arg(k);
        EntryBatch::Context context;
        context.tables = login.tables();
        context.paths = DataPaths(folder);
        context.columnList = columnList;
        EntryBatch(database, view, answers, mainView).add(EntryKind::Roster, input, context);
    } else if (command == QLatin1String("clear")) {
        ScoreClearing(database, view, answers, mainView).run(login.tables(), DataFolder(DataPaths(folder).dataFolder()));
    } else {
        Sorting(database, view, answers, mainView).apply(login.tables(), SortChoice{QStringLiteral("平均"), true, false, 3});
    }
    return state(database, login.tables().gradeBookTable(), command) == QLatin1String("new") ? 0 : 1;
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
    if (mode == QLatin1String("prepare"))
        return prepare(database, table) ? 0 : 2;
    if (mode == QLatin1String("run"))
        return run(database, folder, command);
    const QString found = state(database, table, command);
    out() << found << '\n';
    return found == QLatin1String("old") || found == QLatin1String("new") ? 0 : 1;
}
