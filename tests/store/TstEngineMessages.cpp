#include "EngineSuite.h"
#include "store/Database.h"
#include "store/EngineMessages.h"
#include "store/Statements.h"
#include "store/TableNames.h"

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
    void everyRefusalOfTheSchemaInChinese_data();
    void everyRefusalOfTheSchemaInChinese();
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
    QTest::newRow("a value the fair lesson needs")
        << QStringLiteral("NOT NULL constraint failed: 公平提问 已问.姓名") << QStringLiteral("姓名不能为空。");
    QTest::newRow("a check of a table made elsewhere")
        << QStringLiteral("CHECK constraint failed: 历史") << QStringLiteral("数据表的约束条件不接受这个值。");
    QTest::newRow("reserved name") << QStringLiteral("object name reserved for internal use: sqlite_一班")
                                   << QStringLiteral("以“sqlite_”开头的名称由数据库自己使用，请换一个名称。");
    QTest::newRow("read-only") << QStringLiteral("attempt to write a readonly database")
                               << QStringLiteral("数据库文件是只读的，不能保存。");
    QTest::newRow("disk full") << QStringLiteral("database or disk is full") << QStringLiteral("磁盘已满，不能保存。");
    // PostgreSQL's words for the same refusals. A text too long names only the limit: every
    // column of the schema with that limit is named.
    QTest::newRow("server: 姓名 of a class") << QStringLiteral("ERROR:  value too long for type character varying(8)")
                                             << QStringLiteral("姓名最多8个字。");
    QTest::newRow("server: limit of two columns") << QStringLiteral("ERROR:  value too long for type character varying(10)")
                                                  << QStringLiteral("姓名或评价最多10个字。");
    QTest::newRow("server: 宣言") << QStringLiteral("ERROR:  value too long for type character varying(50)")
                                  << QStringLiteral("宣言最多50个字。");
    QTest::newRow("server: a value the fair lesson needs")
        << QStringLiteral("ERROR:  null value in column \"姓名\" of relation \"公平提问 已问\" violates not-null constraint")
        << QStringLiteral("姓名不能为空。");
    QTest::newRow("server: a limit the schema has not")
        << QStringLiteral("ERROR:  value too long for type character varying(7)")
        << QStringLiteral("内容太长，超过了该列允许的长度。");
    QTest::newRow("server: table exists") << QStringLiteral("ERROR:  relation \"一班\" already exists")
                                          << QStringLiteral("数据表已经存在。");
    QTest::newRow("server: system column") << QStringLiteral("ERROR:  column name \"xmin\" conflicts with a system column name")
                                           << QStringLiteral("这个列名由数据库自己使用，请换一个名称。");
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
    QVERIFY(EngineSuite::open(database, folder.path()));

    const Result missing = database.execute(Sql::selectAllFrom(QStringLiteral("一班")));
    QVERIFY(!missing);
    QVERIFY2(missing.error.startsWith(QStringLiteral("数据表不存在。\n")), qPrintable(missing.error));
    QVERIFY2(missing.error.contains(EngineSuite::engine() == Engine::SQLite ? QStringLiteral("no such table")
                                                                             : QStringLiteral("does not exist")),
        qPrintable(missing.error));

    QVERIFY(database.execute(Sql::createClassTable(QStringLiteral("一班"))));
    const Result twice = database.execute(Sql::createClassTable(QStringLiteral("一班")));
    QVERIFY(!twice);
    QVERIFY2(twice.error.startsWith(QStringLiteral("数据表已经存在。\n")), qPrintable(twice.error));
}

void TstEngineMessages::lockedDatabaseReportsInChinese()
{
    if (EngineSuite::engine() != Engine::SQLite)
        QSKIP("a second program locking the file is SQLite's own case");
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

namespace {
// The tables the system makes, as the schema declares them.
QList<std::pair<QString, QList<ColumnDefinition>>> schemaTables()
{
    return {{QStringLiteral("一班"), Schema::roster()}, {kPortraitTable, Schema::portraits()},
        {QStringLiteral("一班语文课堂提问"), Schema::questioning()}, {kRoundTable, Schema::rounds()},
        {kAskedTable, Schema::asked()}, {kAbsenceTable, Schema::absences()}, {kDataFileTable, Schema::dataFiles()}};
}
} // namespace

void TstEngineMessages::everyRefusalOfTheSchemaInChinese_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("tooLong"); // else missing
    QTest::addColumn<QString>("chinese");
    const auto tables = schemaTables();
    for (int t = 0; t < tables.size(); ++t) {
        const auto &[name, columns] = tables.at(t);
        for (int c = 0; c < columns.size(); ++c) {
            const ColumnDefinition &column = columns.at(c);
            if (const std::optional<int> limit = Sql::lengthLimit(column))
                QTest::addRow("%s %s: too long", qPrintable(name), qPrintable(column.name))
                    << t << c << true << QStringLiteral("%1最多%2个字。").arg(column.name).arg(*limit);
            if (column.type.contains(QLatin1String("NOT NULL")))
                QTest::addRow("%s %s: missing", qPrintable(name), qPrintable(column.name))
                    << t << c << false << QStringLiteral("%1不能为空。").arg(column.name);
        }
    }
}

void TstEngineMessages::everyRefusalOfTheSchemaInChinese()
{
    QFETCH(int, table);
    QFETCH(int, column);
    QFETCH(bool, tooLong);
    QFETCH(QString, chinese);
    const auto [name, columns] = schemaTables().at(table);
    QTemporaryDir folder;
    Database database(QStringLiteral("engine-messages-schema"));
    QVERIFY(EngineSuite::open(database, folder.path()));
    (void)database.execute(Sql::dropTable(name));
    QVERIFY(database.execute(Sql::createTable(name, columns)));
    // Every other column holds a value it takes; this one a value one character too long
    // for its limit, or none.
    QStringList names;
    QStringList values;
    for (int c = 0; c < columns.size(); ++c) {
        const ColumnDefinition &definition = columns.at(c);
        names << Sql::quoted(definition.name);
        const bool number = definition.type.contains(QLatin1String("INT")) || definition.type.contains(QLatin1String("FLOAT"));
        if (c == column)
            values << (tooLong ? QStringLiteral("'%1'").arg(QString(*Sql::lengthLimit(definition) + 1, QChar(u'字')))
                               : QStringLiteral("NULL"));
        else
            values << (number ? QStringLiteral("1") : QStringLiteral("'字'"));
    }
    Statement insert;
    insert.text = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(Sql::quoted(name), names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));

    const Result refused = database.execute(insert);

    QVERIFY(!refused);
    if (EngineSuite::engine() == Engine::SQLite) {
        QVERIFY2(refused.error.startsWith(chinese + QLatin1Char('\n')), qPrintable(refused.error));
        QVERIFY2(refused.error.contains(QStringLiteral("constraint failed")), qPrintable(refused.error));
        return;
    }
    // The server names the limit only, and a limit may be shared ("姓名或评价最多10个字"):
    // the sentence names this column and its limit.
    const QString sentence = refused.error.section(QLatin1Char('\n'), 0, 0);
    const ColumnDefinition &definition = columns.at(column);
    QVERIFY2(sentence.contains(definition.name), qPrintable(refused.error));
    QVERIFY2(sentence.endsWith(chinese.mid(chinese.indexOf(definition.name) + definition.name.size())), qPrintable(refused.error));
    QVERIFY2(refused.error.contains(QStringLiteral("ERROR")), qPrintable(refused.error));
}

QS_ENGINE_TEST_MAIN(TstEngineMessages)
#include "TstEngineMessages.moc"
