#include "ServerScratch.h"
#include "store/DataFiles.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/TableNames.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kPassword("\xC3\xDC\xC2\xEB"
                           "1",
    5);                                                 // 密码1 in GBK
const QByteArray kClassList("\xD2\xBB\xB0\xE0\r\n", 6); // 一班

// A program folder as a school has it: 一班 with 语文 graded, its Data files.
void makeFolder(const QString &folder)
{
    QDir(folder).mkdir(QStringLiteral("Data"));
    Database db(QStringLiteral("tst_copy_folder"));
    QVERIFY(db.open(folder));
    const QString questioning = QStringLiteral("一班语文课堂提问");
    for (const Statement &statement :
        {Sql::createClassTable(QStringLiteral("一班")), Sql::createQuestioningTable(questioning, QStringLiteral("一班")),
            Sql::addQuestioningColumns(questioning), Sql::resetEvaluations(questioning)})
        QVERIFY(db.execute(statement));
    Statement graded;
    graded.text = QStringLiteral("UPDATE [一班语文课堂提问] SET [历史]='ABCD',[次数]=4,[总分]=14,[平均]=3.5 WHERE [编号]=2");
    QVERIFY(db.execute(graded));
    Statement portrait;
    portrait.text = QStringLiteral("INSERT INTO [范例班] ([姓名],[相片],[宣言]) VALUES ('李思雨',X'424D00FF','好好学习')");
    QVERIFY(db.execute(portrait));
    DataFolder data(QDir(folder).filePath(QStringLiteral("Data")));
    QVERIFY(data.write(QStringLiteral("banji.qs"), kClassList));
    QVERIFY(data.write(QStringLiteral("一班语文denglu.qs"), kPassword));
}

QVariant value(Database &db, const QString &sql)
{
    QSqlQuery query(db.connection());
    return db.prepare(query, sql) && query.exec() && query.next() ? query.value(0) : QVariant();
}

} // namespace

/// The command that moves a program folder onto the server (qingsui --copy-to-server).
class TstServerCopy final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void copiesTablesAndFilesThenRefusesTheSameClass();

private:
    int runCommand(const QString &folder, const DatabaseUrl &server, QString *output);
};

void TstServerCopy::init()
{
    if (!ServerScratch::testServer())
        QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
}

int TstServerCopy::runCommand(const QString &folder, const DatabaseUrl &server, QString *output)
{
    QProcess program;
    const QString url = QStringLiteral("postgresql://%1:%2@%3:%4/%5")
                            .arg(server.user, server.password, server.host)
                            .arg(server.port)
                            .arg(server.name);
    program.start(QDir(qEnvironmentVariable("QS_PROGRAM_DIR")).filePath(QStringLiteral("qingsui")),
        {QStringLiteral("--database"), url, QStringLiteral("--copy-to-server"), folder});
    if (!program.waitForFinished(60000))
        return -1;
    *output = QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
    return program.exitCode();
}

void TstServerCopy::copiesTablesAndFilesThenRefusesTheSameClass()
{
    QTemporaryDir folder;
    makeFolder(folder.path());
    ServerScratch scratch;
    QVERIFY2(scratch.isValid(), qPrintable(scratch.error()));

    QString output;
    QCOMPARE(runCommand(folder.path(), scratch.url(), &output), 0);
    QVERIFY2(output.contains(QStringLiteral("数据表“一班语文课堂提问”：36行")), qPrintable(output));

    Database server(QStringLiteral("tst_copy_server"));
    QVERIFY(server.openServer(scratch.url()));
    QCOMPARE(
        value(server, QStringLiteral("SELECT [历史] FROM [一班语文课堂提问] WHERE [编号]=2")).toString(), QStringLiteral("ABCD"));
    QCOMPARE(value(server, QStringLiteral("SELECT [平均] FROM [一班语文课堂提问] WHERE [编号]=2")).toDouble(), 3.5);
    QCOMPARE(value(server, QStringLiteral("SELECT count(*) FROM [一班]")).toInt(), 36);
    QCOMPARE(value(server, QStringLiteral("SELECT [相片] FROM [范例班] WHERE [姓名]='李思雨'")).toByteArray(),
        QByteArray("BM\x00\xFF", 4));
    // Rows keep their order, and the copied tables take new rows as the program's own do.
    QCOMPARE(value(server, QStringLiteral("SELECT [编号] FROM [一班语文课堂提问] ORDER BY rowid LIMIT 1")).toInt(), 1);
    Dataset rows(server);
    rows.setQuery(Sql::showAll(QStringLiteral("一班语文课堂提问")));
    QVERIFY(rows.open());
    QCOMPARE(rows.fieldNames().size(), 7);
    QVERIFY(rows.insert());
    QVERIFY(rows.setValue(QStringLiteral("姓名"), QStringLiteral("新同学")));
    QVERIFY(rows.post());
    DataTable files(server);
    QCOMPARE(*files.read(QStringLiteral("一班语文denglu.qs")), kPassword);
    QCOMPARE(*files.read(QStringLiteral("banji.qs")), kClassList);

    // The same class again: refused, and the server's rows stay as they are.
    QCOMPARE(runCommand(folder.path(), scratch.url(), &output), 1);
    QVERIFY2(output.contains(QStringLiteral("已经有这些班级的数据：数据表“一班”")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("没有复制任何内容")), qPrintable(output));
    QCOMPARE(value(server, QStringLiteral("SELECT count(*) FROM [一班语文课堂提问]")).toInt(), 37);
}

QTEST_GUILESS_MAIN(TstServerCopy)
#include "TstServerCopy.moc"
