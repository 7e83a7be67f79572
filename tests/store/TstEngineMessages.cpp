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
    void everyLengthRefusalOfTheSchemaInChinese_data();
    void everyLengthRefusalOfTheSchemaInChinese();
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
    QTest::newRow("姓名 of a class") << QStringLiteral("CHECK constraint failed: length([姓名]) <= 8")
                                     << QStringLiteral("姓名最多8个字。");
    QTest::newRow("姓名 of a portrait") << QStringLiteral("CHECK constraint failed: length([姓名]) <= 10")
                                        << QStringLiteral("姓名最多10个字。");
    QTest::newRow("评价") << QStringLiteral("CHECK constraint failed: length([评价]) <= 10")
                          << QStringLiteral("评价最多10个字。");
    QTest::newRow("历史") << QStringLiteral("CHECK constraint failed: length([历史]) <= 60")
                          << QStringLiteral("历史最多60个字。");
    QTest::newRow("宣言") << QStringLiteral("CHECK constraint failed: length([宣言]) <= 50")
                          << QStringLiteral("宣言最多50个字。");
    QTest::newRow("a check of a table made elsewhere")
        << QStringLiteral("CHECK constraint failed: 历史") << QStringLiteral("数据表的约束条件不接受这个值。");
    QTest::newRow("reserved name") << QStringLiteral("object name reserved for internal use: sqlite_一班")
                                   << QStringLiteral("以“sqlite_”开头的名称由数据库自己使用，请换一个名称。");
    QTest::newRow("read-only") << QStringLiteral("attempt to write a readonly database")
                               << QStringLiteral("数据库文件是只读的，不能保存。");
    QTest::newRow("disk full") << QStringLiteral("database or disk is full") << QStringLiteral("磁盘已满，不能保存。");
    QTest::newRow("other") << QStringLiteral("near \"x\": syntax error") << QString();
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

void TstEngineMessages::everyLengthRefusalOfTheSchemaInChinese_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("limit");
    const QList<std::pair<const char *, QList<ColumnDefinition>>> tables{
        {"一班", Schema::roster()}, {"范例班", Schema::portraits()}, {"一班语文课堂提问", Schema::questioning()}};
    for (const auto &[table, columns] : tables) {
        for (const ColumnDefinition &column : columns) {
            if (const std::optional<int> limit = Sql::lengthLimit(column))
                QTest::addRow("%s %s", table, qPrintable(column.name)) << QString::fromUtf8(table) << column.name << *limit;
        }
    }
}

void TstEngineMessages::everyLengthRefusalOfTheSchemaInChinese()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, limit);
    QTemporaryDir folder;
    Database database(QStringLiteral("engine-messages-limits"));
    QVERIFY(database.open(folder.path()));
    const QList<ColumnDefinition> columns = table == QStringLiteral("范例班") ? Schema::portraits()
        : table == QStringLiteral("一班")                                     ? Schema::roster()
                                                                              : Schema::questioning();
    (void)database.execute(Sql::dropTable(table));
    QVERIFY(database.execute(Sql::createTable(table, columns)));
    Statement insert;
    insert.text = QStringLiteral("INSERT INTO [%1] ([%2]) VALUES ('%3')").arg(table, column, QString(limit + 1, QChar(u'字')));

    const Result refused = database.execute(insert);

    QVERIFY(!refused);
    QVERIFY2(refused.error.startsWith(QStringLiteral("%1最多%2个字。\n").arg(column).arg(limit)), qPrintable(refused.error));
    QVERIFY2(refused.error.contains(QStringLiteral("CHECK constraint failed")), qPrintable(refused.error));
}

QTEST_GUILESS_MAIN(TstEngineMessages)
#include "TstEngineMessages.moc"
