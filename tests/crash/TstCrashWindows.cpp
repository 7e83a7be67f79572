#include "store/TableNames.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kQuestioning = QStringLiteral("一班语文课堂提问");
const QString kGradeBook = QStringLiteral("一班语文记分册");
/// The storage classes of student 1's grade columns.
const QString kGradeTypes
    = QStringLiteral("SELECT typeof([评价])||typeof([历史])||typeof([次数])||typeof([总分])||typeof([平均]) FROM "
                     "[一班语文课堂提问] WHERE [编号]=1");

QByteArray gbkLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += QStringEncoder("GBK").encode(line) + "\r\n";
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// A program folder before its first start: Data/ with the shipped kinds of files.
void makeProgramFolder(const QString &folder)
{
    QVERIFY(QDir(folder).mkpath(QStringLiteral("Data")));
    writeFile(folder + QStringLiteral("/Data/banji.qs"), QByteArray());
    writeFile(folder + QStringLiteral("/Data/xueke.qs"), gbkLines({QStringLiteral("语文"), QStringLiteral("数学")}));
    writeFile(folder + QStringLiteral("/Data/Moren.qs"),
        gbkLines({QStringLiteral("很好"), QStringLiteral("10"), QStringLiteral("好"), QStringLiteral("8"), QStringLiteral("一般"),
            QStringLiteral("5"), QStringLiteral("加油"), QStringLiteral("0")}));
}

/// Runs the driver; with killAt > 0 it is killed at that write to the database.
/// True when the operation finished.
bool runDriver(const QString &folder, const QString &operation, int killAt)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QStringList driver{QStringLiteral(QS_CRASH_DRIVER), folder, operation};
    if (killAt > 0)
        process.start(QStringLiteral("strace"),
            QStringList{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-e"),
                QStringLiteral("trace=pwrite64,write"), QStringLiteral("-e"),
                QStringLiteral("inject=pwrite64:signal=SIGKILL:when=%1").arg(killAt)}
                + driver);
    else
        process.start(driver.first(), driver.mid(1));
    if (!process.waitForFinished(60000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

/// Record.mdb as another program reads it after the crash.
class Inspection final {
public:
    explicit Inspection(const QString &folder)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("inspection"));
        m_db.setDatabaseName(folder + QStringLiteral("/Record.mdb"));
        m_db.open();
    }
    ~Inspection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("inspection"));
    }
    QString integrity()
    {
        QSqlQuery query(m_db);
        return query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next() ? query.value(0).toString()
                                                                                    : QStringLiteral("unreadable");
    }
    bool has(const QString &table) { return m_db.tables().contains(table); }
    int columnCount(const QString &table) { return m_db.record(table).count(); }
    QVariantList values(const QString &sql)
    {
        QVariantList values;
        QSqlQuery query(m_db);
        if (query.exec(sql) && query.next())
            for (int i = 0; i < query.record().count(); ++i)
                values << query.value(i);
        return values;
    }
    int count(const QString &table) { return values(QStringLiteral("SELECT count(*) FROM [%1]").arg(table)).value(0).toInt(); }

private:
    QSqlDatabase m_db;
};

/// 评价, 历史, 次数, 总分, 平均 of student 1 as text, "" for null.
QString gradeRow(Inspection &inspection)
{
    QStringList parts;
    for (const QVariant &value :
        inspection.values(QStringLiteral("SELECT [评价],[历史],[次数],[总分],[平均] FROM [%1] WHERE [编号]=1").arg(kQuestioning)))
        parts << (value.isNull() ? QString() : value.toString());
    return parts.join(QLatin1Char('|'));
}

/// The fair lesson of 一班语文: 不重复|round|asked|absent, or "none" before its tables exist.
QString fairState(Inspection &inspection)
{
    if (!inspection.has(kRoundTable) && !inspection.has(kAskedTable) && !inspection.has(kAbsenceTable))
        return QStringLiteral("none");
    if (!inspection.has(kRoundTable) || !inspection.has(kAskedTable) || !inspection.has(kAbsenceTable))
        return QStringLiteral("some tables only");
    const QVariantList lesson = inspection.values(QStringLiteral("SELECT [不重复],[轮次] FROM [%1]").arg(kRoundTable));
    const auto list = [&](const QString &sql) { return inspection.values(sql).value(0).toString(); };
    return QStringList{lesson.value(0).toString(), lesson.value(1).toString(),
        list(QStringLiteral("SELECT group_concat([编号]) FROM (SELECT [编号] FROM [%1] ORDER BY [编号])").arg(kAskedTable)),
        list(QStringLiteral("SELECT group_concat([编号]) FROM (SELECT [编号] FROM [%1] ORDER BY [编号])").arg(kAbsenceTable))}
        .join(QLatin1Char('|'));
}

} // namespace

/// Kills the program at each write to Record.mdb, during a first start and first login,
/// during three grades, three grades taken back, and the fair lesson's changes, and checks
/// that every state it leaves is a whole one.
class TstCrashWindows final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void killedAtEachWrite_data();
    void killedAtEachWrite();
};

void TstCrashWindows::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
        QSKIP("strace is not installed");
}

void TstCrashWindows::killedAtEachWrite_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("first start and first login") << QStringLiteral("login");
    QTest::newRow("three grades") << QStringLiteral("grade");
    QTest::newRow("three grades and their undo") << QStringLiteral("undo");
    QTest::newRow("不重复, absences and rounds") << QStringLiteral("fair");
}

void TstCrashWindows::killedAtEachWrite()
{
    QFETCH(QString, operation);
    const bool undoing = operation == QStringLiteral("undo");
    const bool fair = operation == QStringLiteral("fair");
    const bool grading = operation == QStringLiteral("grade") || undoing || fair;

    // Grades start from a class that a finished login made.
    QTemporaryDir prepared;
    makeProgramFolder(prepared.path());
    if (grading)
        QVERIFY(runDriver(prepared.path(), QStringLiteral("login"), 0));
    QString typesBefore;
    {
        Inspection inspection(prepared.path());
        typesBefore = inspection.values(kGradeTypes).value(0).toString();
    }
    const QByteArray preparedDatabase = readFile(prepared.filePath(QStringLiteral("Record.mdb")));

    // Student 1 after 0, 1, 2 and 3 of the grades B, A, D (scores 8, 10, 0).
    const QStringList gradeStates{
        QStringLiteral("||0|0|0"), QStringLiteral("B|B|1|8|8"), QStringLiteral("A|BA|2|18|9"), QStringLiteral("D|BAD|3|18|6")};
    // The fair lesson after each of its seven changes.
    const QStringList fairStates{QStringLiteral("none"), QStringLiteral("1|1||"), QStringLiteral("1|1||1"),
        QStringLiteral("1|1|2|1"), QStringLiteral("1|1|2,3|1"), QStringLiteral("1|2||1"), QStringLiteral("1|2|4|1"),
        QStringLiteral("1|2|4|")};

    int killAt = 1;
    for (;; ++killAt) {
        QVERIFY2(killAt < 200, "the operation never finished under strace");
        QTemporaryDir dir;
        const QString folder = dir.path();
        makeProgramFolder(folder);
        if (grading)
            writeFile(folder + QStringLiteral("/Record.mdb"), preparedDatabase);
        const QString where = QStringLiteral("killed at write %1").arg(killAt);

        const bool finished = runDriver(folder, operation, killAt);
        {
            Inspection inspection(folder);
            QVERIFY2(!QFile::exists(folder + QStringLiteral("/Record.mdb")) || inspection.integrity() == QStringLiteral("ok"),
                qPrintable(where));
            if (fair) {
                const QString state = fairState(inspection);
                QVERIFY2(fairStates.contains(state), qPrintable(where + QStringLiteral(": ") + state));
                if (finished)
                    QCOMPARE(state, fairStates.constLast());
            } else if (grading) {
                const QString row = gradeRow(inspection);
                QVERIFY2(gradeStates.contains(row), qPrintable(where + QStringLiteral(": ") + row));
                if (finished && undoing) {
                    QCOMPARE(row, gradeStates.constFirst());
                    QCOMPARE(inspection.values(kGradeTypes).value(0).toString(), typesBefore);
                } else if (finished) {
                    QCOMPARE(row, gradeStates.constLast());
                }
            } else {
                // Each table is whole or absent, and the password waits for the tables.
                QVERIFY2(inspection.has(kMasterRosterTable) == inspection.has(kPortraitTable), qPrintable(where));
                if (inspection.has(kMasterRosterTable))
                    QVERIFY2(inspection.count(kMasterRosterTable) == 36, qPrintable(where));
                if (inspection.has(kQuestioning))
                    QVERIFY2(inspection.columnCount(kQuestioning) == 7, qPrintable(where));
                if (inspection.has(kGradeBook))
                    QVERIFY2(inspection.columnCount(kGradeBook) == 6, qPrintable(where));
                if (QFile::exists(folder + QStringLiteral("/Data/一班语文denglu.qs")))
                    QVERIFY2(inspection.has(kQuestioning) && inspection.has(kGradeBook), qPrintable(where));
            }
        }
        if (grading) {
            if (finished)
                break;
            continue;
        }

        // The next start and login finish what the killed one began.
        if (!finished)
            QVERIFY2(runDriver(folder, operation, 0), qPrintable(where + QStringLiteral(": the next login failed")));
        Inspection inspection(folder);
        QCOMPARE(inspection.integrity(), QStringLiteral("ok"));
        QCOMPARE(inspection.count(QStringLiteral("一班")), 36);
        QCOMPARE(inspection.columnCount(kQuestioning), 7);
        QCOMPARE(inspection.columnCount(kGradeBook), 6);
        QCOMPARE(
            inspection
                .values(QStringLiteral("SELECT count(*) FROM [%1] WHERE [次数]=0 AND [总分]=0 AND [平均]=0").arg(kQuestioning))
                .value(0)
                .toInt(),
            36);
        QCOMPARE(inspection.count(kGradeBook), 36);
        QCOMPARE(readFile(folder + QStringLiteral("/Data/一班语文denglu.qs")), QByteArray("123"));
        QCOMPARE(readFile(folder + QStringLiteral("/Data/banji.qs")), gbkLines({QStringLiteral("一班")}));
        if (finished)
            break;
    }
    // The kill points really cut the operation short before it finished.
    QVERIFY2(killAt > 2, qPrintable(QStringLiteral("only %1 writes").arg(killAt)));
    qInfo("%s: %d kill points", qPrintable(operation), killAt - 1);
}

QTEST_GUILESS_MAIN(TstCrashWindows)
#include "TstCrashWindows.moc"
