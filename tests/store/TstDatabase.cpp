#include "EngineSuite.h"
#include "store/Database.h"
#include "store/Statements.h"
#include "store/TableNames.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kClass = QStringLiteral("一班");
const QString kQuestioning = QStringLiteral("一班语文课堂提问");
const QString kGradeBook = QStringLiteral("一班语文记分册");

QVariantList column(Database &db, const QString &sql)
{
    QVariantList values;
    QSqlQuery query(db.connection());
    if (db.prepare(query, sql) && query.exec())
        while (query.next())
            values << query.value(0);
    return values;
}

QString typesOf(Database &db, const QString &table)
{
    QStringList parts;
    for (const ColumnDefinition &c : db.columnDefinitions(table))
        parts << c.name + QLatin1Char(' ') + c.type;
    return parts.join(QLatin1Char(','));
}

Statement plain(const QString &sql)
{
    Statement statement;
    statement.text = sql;
    return statement;
}

Result insertName(Database &db, const QString &table, const QString &name)
{
    Statement insert;
    insert.text = QStringLiteral("INSERT INTO [%1] ([姓名]) VALUES ('%2')").arg(table, name);
    return db.execute(insert);
}

// What is true of files only: skipped on the server.
#define QS_SQLITE_ONLY()                                                                                                         \
    if (EngineSuite::engine() != Engine::SQLite)                                                                                 \
    QSKIP("a Record.mdb file of the program folder")

} // namespace

class TstDatabase final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void newFileHoldsMasterRosterAndPortraitTable();
    void existingFileIsLeftAlone();
    void unusableProgramFolderIsNamed();
    void nonDatabaseFileIsRefused();
    void emptyFileIsFilledLikeAMissingOne();

    void selectIntoCopiesTypesChecksAndRows();
    void selectIntoFailsWholly_data();
    void selectIntoFailsWholly();
    void alterAddAppendsInOrderAllOrNothing();
    void deleteWithColumnListDeletesAllRows();
    void executedSelectFailsExactlyWhenTableMissing_data();
    void executedSelectFailsExactlyWhenTableMissing();
    void textLengthIsCheckedInCharacters_data();
    void textLengthIsCheckedInCharacters();
    void transactionsNestAndRollBack();
    void failedStatementInTransactionUndoesOnlyItself();

    void loginCreatesBothTablesWithTheirColumns();
    void clearingScoresKeepsBaseColumnsAndRows();
    void rosterSaveAndImport();
    void uncountedGradeKeepsTheLastLettersOfTheHistory_data();
    void uncountedGradeKeepsTheLastLettersOfTheHistory();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
};

void TstDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_db = std::make_unique<Database>(QStringLiteral("tst_database"));
    const Result opened = EngineSuite::open(*m_db, m_dir->path());
    QVERIFY2(opened.ok, qPrintable(opened.error));
}

void TstDatabase::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void TstDatabase::newFileHoldsMasterRosterAndPortraitTable()
{
    QCOMPARE(QFile::exists(m_dir->filePath(QStringLiteral("Record.mdb"))), EngineSuite::engine() == Engine::SQLite);
    QCOMPARE(
        typesOf(*m_db, kMasterRosterTable), QStringLiteral("编号 INT,姓名 VARCHAR(8),小组 INT,合计 INT,平均 FLOAT,名次 INT"));
    QCOMPARE(
        m_db->columns(kPortraitTable), (QStringList{QStringLiteral("姓名"), QStringLiteral("相片"), QStringLiteral("宣言")}));

    const QVariantList numbers = column(*m_db, QStringLiteral("SELECT [编号] FROM [母版] ORDER BY rowid"));
    QVERIFY(numbers.size() >= 30 && numbers.size() <= 40);
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(numbers.at(i).toInt(), i + 1);
    for (const QVariant &name : column(*m_db, QStringLiteral("SELECT [姓名] FROM [母版]")))
        QVERIFY2(name.toString().size() >= 2 && name.toString().size() <= 3, qPrintable(name.toString()));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT DISTINCT [小组] FROM [母版] ORDER BY 1")), (QVariantList{1, 2, 3, 4, 5, 6}));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT count(DISTINCT [姓名]) FROM [母版]")).value(0).toInt(), numbers.size());
}

void TstDatabase::existingFileIsLeftAlone()
{
    QS_SQLITE_ONLY();
    // The teacher's tables and rows stay; a start cut short before 范例班 was made gets it.
    QVERIFY(m_db->execute(plain(QStringLiteral("DELETE FROM [母版] WHERE [编号] > 1"))));
    QVERIFY(m_db->execute(plain(QStringLiteral("CREATE TABLE [一班] ([编号] INT)"))));
    QVERIFY(m_db->execute(Sql::dropTable(kPortraitTable)));
    m_db.reset();
    Database again(QStringLiteral("tst_database_again"));
    QVERIFY(again.open(m_dir->path()));
    QCOMPARE(column(again, QStringLiteral("SELECT count(*) FROM [母版]")).value(0).toInt(), 1);
    QVERIFY(again.tableExists(QStringLiteral("一班")));
    QVERIFY(again.tableExists(kPortraitTable));

    // A file left without 母版 gets the sample class again.
    QVERIFY(again.execute(Sql::dropTable(kMasterRosterTable)));
    QVERIFY(again.open(m_dir->path()));
    QCOMPARE(column(again, QStringLiteral("SELECT count(*) FROM [母版]")).value(0).toInt(), 36);
}

void TstDatabase::unusableProgramFolderIsNamed()
{
    QS_SQLITE_ONLY();
    m_db.reset();
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("程序"));
    {
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Database db(QStringLiteral("tst_database_folder"));
    const Result opened = db.open(notAFolder);
    QVERIFY(!opened.ok);
    QVERIFY2(opened.error.startsWith(QStringLiteral("程序文件夹“%1”不允许写入").arg(notAFolder)), qPrintable(opened.error));
    QVERIFY(!opened.error.contains(QStringLiteral("不是有效的数据库文件")));
}

void TstDatabase::nonDatabaseFileIsRefused()
{
    QS_SQLITE_ONLY();
    m_db.reset();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Record.mdb"));
    const QByteArray bytes(4096, 'x');
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    Database db(QStringLiteral("tst_database_bad"));
    const Result opened = db.open(dir.path());
    QVERIFY(!opened.ok);
    QVERIFY2(opened.error.startsWith(QStringLiteral("“%1”不是有效的数据库文件：").arg(path)), qPrintable(opened.error));
    QVERIFY(!db.isOpen());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void TstDatabase::emptyFileIsFilledLikeAMissingOne()
{
    QS_SQLITE_ONLY();
    m_db.reset();
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Record.mdb")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    Database db(QStringLiteral("tst_database_empty"));
    QVERIFY(db.open(dir.path()));
    QVERIFY(db.tableExists(kMasterRosterTable));
    QVERIFY(db.tableExists(kPortraitTable));
}

void TstDatabase::selectIntoCopiesTypesChecksAndRows()
{
    QVERIFY(m_db->execute(Sql::createClassTable(kClass)));
    QCOMPARE(typesOf(*m_db, kClass), typesOf(*m_db, kMasterRosterTable));
    // A quote in a name is part of the name; a table that is not there has no columns.
    QVERIFY(m_db->execute(Sql::createClassTable(QStringLiteral("O'Neil班"))));
    QCOMPARE(typesOf(*m_db, QStringLiteral("O'Neil班")), typesOf(*m_db, kMasterRosterTable));
    QCOMPARE(typesOf(*m_db, QStringLiteral("O'Neil")), QString());
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [姓名] FROM [一班] ORDER BY rowid")),
        column(*m_db, QStringLiteral("SELECT [姓名] FROM [母版] ORDER BY rowid")));

    QVERIFY(m_db->execute(Sql::createQuestioningTable(kQuestioning, kClass)));
    QCOMPARE(typesOf(*m_db, kQuestioning), QStringLiteral("编号 INT,姓名 VARCHAR(8)"));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [编号] FROM [一班语文课堂提问] ORDER BY rowid")),
        column(*m_db, QStringLiteral("SELECT [编号] FROM [一班] ORDER BY rowid")));
    // The length check travels with the type.
    QVERIFY(!insertName(*m_db, kQuestioning, QStringLiteral("一二三四五六七八九")));
}

void TstDatabase::selectIntoFailsWholly_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<bool>("targetExistsAfter");
    QTest::newRow("target exists") << QStringLiteral("一班") << QStringLiteral("母版") << QStringList{} << true;
    QTest::newRow("source missing") << QStringLiteral("二班") << QStringLiteral("无此表") << QStringList{} << false;
    QTest::newRow("column missing") << QStringLiteral("二班") << QStringLiteral("母版")
                                    << QStringList{QStringLiteral("编号"), QStringLiteral("评价")} << false;
}

void TstDatabase::selectIntoFailsWholly()
{
    QFETCH(QString, target);
    QFETCH(QString, source);
    QFETCH(QStringList, columns);
    QFETCH(bool, targetExistsAfter);
    QVERIFY(m_db->execute(Sql::createClassTable(kClass)));
    QVERIFY(m_db->execute(Sql::deleteAllRows(kClass)));

    Statement statement = Sql::createClassTable(target);
    statement.source = source;
    statement.columns = columns;
    const Result result = m_db->execute(statement);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(m_db->tableExists(target), targetExistsAfter);
    // The existing target keeps its rows: nothing was copied into it.
    QCOMPARE(column(*m_db, QStringLiteral("SELECT count(*) FROM [一班]")).value(0).toInt(), 0);
}

void TstDatabase::alterAddAppendsInOrderAllOrNothing()
{
    QVERIFY(m_db->execute(Sql::createGradeBookTable(kGradeBook, kMasterRosterTable)));
    QVERIFY(m_db->execute(Sql::addGradeBookColumns(kGradeBook)));
    QCOMPARE(typesOf(*m_db, kGradeBook), QStringLiteral("编号 INT,姓名 VARCHAR(8),小组 INT,合计 INT,平均 FLOAT,名次 INT"));

    Statement twoColumns = Sql::addScoreColumn(kGradeBook, QStringLiteral("第1次"));
    twoColumns.added << ColumnDefinition{QStringLiteral("第2次"), QStringLiteral("INT NULL")};
    QVERIFY(m_db->execute(twoColumns));
    QCOMPARE(m_db->columns(kGradeBook).mid(6), (QStringList{QStringLiteral("第1次"), QStringLiteral("第2次")}));

    Statement clash = Sql::addScoreColumn(kGradeBook, QStringLiteral("第3次"));
    clash.added << ColumnDefinition{QStringLiteral("第1次"), QStringLiteral("INT NULL")};
    QVERIFY(!m_db->execute(clash));
    QCOMPARE(m_db->columns(kGradeBook).size(), 8);
}

void TstDatabase::deleteWithColumnListDeletesAllRows()
{
    QVERIFY(m_db->execute(Sql::createClassTable(kClass)));
    const Statement statement = Sql::deleteClassRoster(kClass);
    QCOMPARE(statement.columns.size(), 2);
    QVERIFY(m_db->execute(statement));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT count(*) FROM [一班]")).value(0).toInt(), 0);
    QCOMPARE(m_db->columns(kClass), m_db->columns(kMasterRosterTable));
}

void TstDatabase::executedSelectFailsExactlyWhenTableMissing_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<bool>("ordered");
    QTest::addColumn<bool>("exists");
    QTest::newRow("existing") << kMasterRosterTable << false << true;
    QTest::newRow("existing, ordered") << kMasterRosterTable << true << true;
    QTest::newRow("missing") << kClass << false << false;
    QTest::newRow("missing, ordered") << kQuestioning << true << false;
}

void TstDatabase::executedSelectFailsExactlyWhenTableMissing()
{
    QFETCH(QString, table);
    QFETCH(bool, ordered);
    QFETCH(bool, exists);
    const Statement statement = ordered ? Sql::selectAllOrderedByNumber(table) : Sql::selectAllFrom(table);
    QCOMPARE(m_db->execute(statement).ok, exists);
}

void TstDatabase::textLengthIsCheckedInCharacters_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("8 Chinese in VARCHAR(8)") << QStringLiteral("姓名") << QStringLiteral("一二三四五六七八") << true;
    QTest::newRow("9 Chinese in VARCHAR(8)") << QStringLiteral("姓名") << QStringLiteral("一二三四五六七八九") << false;
    QTest::newRow("9 letters in VARCHAR(8)") << QStringLiteral("姓名") << QStringLiteral("abcdefghi") << false;
    QTest::newRow("10 in CHAR(10)") << QStringLiteral("评价") << QStringLiteral("一二三四五六七八九十") << true;
    QTest::newRow("11 in CHAR(10)") << QStringLiteral("评价") << QStringLiteral("一二三四五六七八九十A") << false;
    QTest::newRow("60 in VARCHAR(60)") << QStringLiteral("历史") << QString(60, QLatin1Char('A')) << true;
    QTest::newRow("61 in VARCHAR(60)") << QStringLiteral("历史") << QString(61, QLatin1Char('A')) << false;
}

void TstDatabase::textLengthIsCheckedInCharacters()
{
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(bool, accepted);
    QVERIFY(m_db->execute(Sql::createQuestioningTableFresh(kQuestioning)));
    QSqlQuery insert(m_db->connection());
    QVERIFY(m_db->prepare(insert, QStringLiteral("INSERT INTO [一班语文课堂提问] ([%1]) VALUES (?)").arg(column)));
    insert.addBindValue(value);
    QCOMPARE(m_db->exec(insert).ok, accepted);
    if (accepted) // stored as given, CHAR(10) not padded
        QCOMPARE(::column(*m_db, QStringLiteral("SELECT [%1] FROM [一班语文课堂提问]").arg(column)).value(0).toString(), value);
}

void TstDatabase::transactionsNestAndRollBack()
{
    Statement create;
    create.text = QStringLiteral("CREATE TABLE [t] ([x] INT)");
    Statement insert;
    insert.text = QStringLiteral("INSERT INTO [t] VALUES (1)");
    const Statement broken = Sql::selectAllFrom(QStringLiteral("无此表"));

    QVERIFY(!m_db->runInTransaction({create, insert, broken}));
    QVERIFY(!m_db->tableExists(QStringLiteral("t")));

    // A failing inner step is undone alone; the outer one commits the rest.
    const Result outer = m_db->transaction([&] {
        if (Result r = m_db->execute(create); !r)
            return r;
        const Result inner = m_db->runInTransaction({insert, broken});
        return inner ? Result::failure(QStringLiteral("inner should fail")) : m_db->execute(insert);
    });
    QVERIFY2(outer.ok, qPrintable(outer.error));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT count(*) FROM [t]")).value(0).toInt(), 1);
}

void TstDatabase::failedStatementInTransactionUndoesOnlyItself()
{
    // As a batch that tells the teacher of a refused row and keeps the rows before it:
    // the refusal must not take the whole transaction with it (PostgreSQL would).
    Statement create;
    create.text = QStringLiteral("CREATE TABLE [t] ([x] INT)");
    Statement insert;
    insert.text = QStringLiteral("INSERT INTO [t] VALUES (1)");
    const Result kept = m_db->transaction([&] {
        if (Result r = m_db->execute(create); !r)
            return r;
        if (Result r = m_db->execute(insert); !r)
            return r;
        if (m_db->execute(Sql::selectAllFrom(QStringLiteral("无此表"))))
            return Result::failure(QStringLiteral("the select should fail"));
        return m_db->execute(insert);
    });
    QVERIFY2(kept.ok, qPrintable(kept.error));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT count(*) FROM [t]")).value(0).toInt(), 2);
}

void TstDatabase::loginCreatesBothTablesWithTheirColumns()
{
    const TableNames names{kClass, QStringLiteral("语文"), kModeQuestioning};
    QVERIFY(!m_db->execute(Sql::selectAllFrom(names.classTable())));
    QVERIFY(m_db->execute(Sql::createClassTable(names.classTable())));
    QVERIFY(!m_db->execute(Sql::selectAllOrderedByNumber(names.currentTable())));
    for (const Statement &statement : {Sql::createQuestioningTable(names.questioningTable(), names.classTable()),
             Sql::addQuestioningColumns(names.questioningTable()), Sql::resetEvaluations(names.questioningTable()),
             Sql::createGradeBookTable(names.gradeBookTable(), names.classTable()),
             Sql::addGradeBookColumns(names.gradeBookTable())}) {
        const Result result = m_db->execute(statement);
        QVERIFY2(result.ok, qPrintable(result.error));
    }
    // PostgreSQL keeps CHAR(10) as VARCHAR(10): its CHAR would pad a grade with blanks.
    const QString grade = EngineSuite::engine() == Engine::SQLite ? QStringLiteral("CHAR(10)") : QStringLiteral("VARCHAR(10)");
    QCOMPARE(typesOf(*m_db, names.questioningTable()),
        QStringLiteral("编号 INT,姓名 VARCHAR(8),评价 %1,历史 VARCHAR(60),次数 INT,总分 INT,平均 FLOAT").arg(grade));
    QCOMPARE(m_db->columns(names.gradeBookTable()), QStringLiteral("编号,姓名,小组,合计,平均,名次").split(QLatin1Char(',')));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT DISTINCT [次数] FROM [一班语文课堂提问]")), (QVariantList{0}));
    // A second creation of the questioning table fails: the dialect's Select ... Into.
    QVERIFY(!m_db->execute(Sql::createQuestioningTable(names.questioningTable(), names.classTable())));
}

void TstDatabase::clearingScoresKeepsBaseColumnsAndRows()
{
    QVERIFY(m_db->execute(Sql::createGradeBookTable(kGradeBook, kMasterRosterTable)));
    QVERIFY(m_db->execute(Sql::addGradeBookColumns(kGradeBook)));
    QVERIFY(m_db->execute(Sql::addScoreColumn(kGradeBook, QStringLiteral("第1次"))));
    const QVariantList names = column(*m_db, QStringLiteral("SELECT [姓名] FROM [一班语文记分册] ORDER BY rowid"));

    const QList<Statement> rebuild{Sql::copyBaseColumnsToScratch(kGradeBook), Sql::dropTable(kGradeBook),
        Sql::restoreFromScratch(kGradeBook), Sql::dropTable(QStringLiteral("备份") + kGradeBook)};
    QVERIFY(m_db->runInTransaction(rebuild));
    QCOMPARE(m_db->columns(kGradeBook), QStringLiteral("编号,姓名,小组,合计,平均,名次").split(QLatin1Char(',')));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [姓名] FROM [一班语文记分册] ORDER BY rowid")), names);
    QVERIFY(!m_db->tableExists(QStringLiteral("备份一班语文记分册")));

    // A scratch table left over makes the first step fail; the transaction keeps the table.
    QVERIFY(m_db->execute(Sql::addScoreColumn(kGradeBook, QStringLiteral("第1次"))));
    QVERIFY(m_db->execute(Sql::createGradeBookTableFresh(QStringLiteral("备份") + kGradeBook)));
    QVERIFY(!m_db->runInTransaction(rebuild));
    QCOMPARE(m_db->columns(kGradeBook).size(), 7);
}

void TstDatabase::rosterSaveAndImport()
{
    QVERIFY(m_db->execute(Sql::createClassTable(kClass)));
    QVERIFY(m_db->execute(Sql::createQuestioningTableFresh(kQuestioning)));
    QVERIFY(insertName(*m_db, kQuestioning, QStringLiteral("新同学")));

    QVERIFY(m_db->runInTransaction({Sql::deleteClassRoster(kClass), Sql::copyRosterToClass(kClass, kQuestioning, false)}));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [姓名] FROM [一班]")), (QVariantList{QStringLiteral("新同学")}));

    QVERIFY(m_db->runInTransaction({Sql::deleteRosterRows(kQuestioning), Sql::copyRosterFromClass(kQuestioning, kClass),
        Sql::resetEvaluations(kQuestioning)}));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [总分] FROM [一班语文课堂提问]")), (QVariantList{0}));

    QVERIFY(m_db->execute(Sql::createGradeBookFromClass(kGradeBook, kClass)));
    QCOMPARE(m_db->columns(kGradeBook), m_db->columns(kMasterRosterTable));
}

void TstDatabase::uncountedGradeKeepsTheLastLettersOfTheHistory_data()
{
    QTest::addColumn<QVariant>("count");
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<double>("average");
    QTest::newRow("appended") << QVariant(2) << QStringLiteral("AB") << QStringLiteral("请假") << QStringLiteral("AB请假") << 60.0;
    QTest::newRow("nothing counted: a new history") << QVariant(0) << QStringLiteral("XYZ") << QStringLiteral("缺")
                                                    << QStringLiteral("缺") << 5.0;
    QTest::newRow("no count at all") << QVariant() << QStringLiteral("XYZ") << QStringLiteral("缺") << QStringLiteral("缺")
                                     << 5.0;
    QTest::newRow("full: the last 60 letters") << QVariant(60) << QString(60, QLatin1Char('A')) << QStringLiteral("BC")
                                               << QString(58, QLatin1Char('A')) + QStringLiteral("BC") << 2.0;
    QTest::newRow("counted in characters") << QVariant(60) << QString(59, QChar(0x4F18)) << QStringLiteral("良好")
                                           << QString(58, QChar(0x4F18)) + QStringLiteral("良好") << 2.0;
}

void TstDatabase::uncountedGradeKeepsTheLastLettersOfTheHistory()
{
    QFETCH(QVariant, count);
    QFETCH(QString, history);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QFETCH(double, average);
    QVERIFY(m_db->execute(Sql::createQuestioningTableFresh(kQuestioning)));
    Statement student = plain(QStringLiteral("INSERT INTO [%1] ([编号],[姓名],[历史],[次数],[总分],[平均]) VALUES (1,'甲',?,?,120,5)")
                                  .arg(kQuestioning));
    student.values = {history, count};
    QVERIFY(m_db->execute(student));
    const qint64 rowId = column(*m_db, QStringLiteral("SELECT rowid FROM [%1]").arg(kQuestioning)).value(0).toLongLong();

    const Result recorded = m_db->execute(Sql::recordUncountedGrade(kQuestioning, text, 60, rowId));
    QVERIFY2(recorded.ok, qPrintable(recorded.error));
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [历史] FROM [%1]").arg(kQuestioning)).value(0).toString(), kept);
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [评价] FROM [%1]").arg(kQuestioning)).value(0).toString(), text);
    // 平均 follows 总分 and 次数, which stay as they were.
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [平均] FROM [%1]").arg(kQuestioning)).value(0).toDouble(), average);
    QCOMPARE(column(*m_db, QStringLiteral("SELECT [总分] FROM [%1]").arg(kQuestioning)).value(0).toInt(), 120);
}

QS_ENGINE_TEST_MAIN(TstDatabase)
#include "TstDatabase.moc"
