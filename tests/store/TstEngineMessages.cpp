#include "store/Database.h"
#include "store/EngineMessages.h"
#include "store/Statements.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

/// The engine's failures that a teacher can meet are told in Chinese, the engine's own
/// text after them.
class TstEngineMessages final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void explained_data();
    void explained();
    void statementsReportInChinese();
    void lockedDatabaseReportsInChinese();
};

void TstEngineMessages::explained_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("chinese"); // empty: left as it is
    QTest::newRow("table exists") << QStringLiteral("table \"一班\" already exists") << QStringLiteral("数据表已经存在。");
    QTest::newRow("no such table") << QStringLiteral("no such table: 一班语文课堂提问") << QStringLiteral("数据表不存在。");
    QTest::newRow("no such column") << QStringLiteral("no such column: 小组") << QStringLiteral("数据列不存在。");
    QTest::newRow("duplicate column") << QStringLiteral("duplicate column name: 第1次") << QStringLiteral("数据列已经存在。");
    QTest::newRow("locked") << QStringLiteral("database is locked") << QStringLiteral("数据库正被另一个程序使用，请稍后再试。");
    QTest::newRow("table locked") << QStringLiteral("database table is locked")
                                  << QStringLiteral("数据库正被另一个程序使用，请稍后再试。");
    QTest::newRow("not a database") << QStringLiteral("file is not a database") << QStringLiteral("该文件不是有效的数据库。");
    QTest::newRow("other") << QStringLiteral("CHECK constraint failed: 历史") << QString();
}

void TstEngineMessages::explained()
{
    QFETCH(QString, engine);
    QFETCH(QString, chinese);
    const QString expected = chinese.isEmpty() ? engine : chinese + QLatin1Char('\n') + engine;
    QCOMPARE(EngineMessages::inChinese(engine), expected);
}

void TstEngineMessages::statementsReportInChinese()
{
    QTemporaryDir folder;
    Database database(QStringLiteral("engine-messages"));
    QVERIFY(database.open(folder.path()));

    const Result missing = database.execute(Sql::selectAllFrom(QStringLiteral("一班")));
    QVERIFY(!missing);
    QVERIFY2(missing.error.startsWith(QStringLiteral("数据表不存在。\n")), qPrintable(missing.error));
    QVERIFY2(missing.error.contains(QStringLiteral("no such table")), qPrintable(missing.error));

    QVERIFY(database.execute(Sql::createClassTable(QStringLiteral("一班"))));
    const Result twice = database.execute(Sql::createClassTable(QStringLiteral("一班")));
    QVERIFY(!twice);
    QVERIFY2(twice.error.startsWith(QStringLiteral("数据表已经存在。\n")), qPrintable(twice.error));
}

void TstEngineMessages::lockedDatabaseReportsInChinese()
{
    QTemporaryDir folder;
    Database database(QStringLiteral("engine-messages-locked"));
    QVERIFY(database.open(folder.path()));
    {
        // A second program holds the write lock and answers at once that it is busy.
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-program"));
        other.setDatabaseName(folder.filePath(QStringLiteral("Record.mdb")));
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QSqlQuery timeout(database.connection());
        QVERIFY(timeout.exec(QStringLiteral("PRAGMA busy_timeout = 0")));

        const Result written = database.execute(Sql::createClassTable(QStringLiteral("一班")));
        QVERIFY(!written);
        QVERIFY2(written.error.startsWith(QStringLiteral("数据库正被另一个程序使用，请稍后再试。\n")), qPrintable(written.error));
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other-program"));
}

QTEST_GUILESS_MAIN(TstEngineMessages)
#include "TstEngineMessages.moc"
