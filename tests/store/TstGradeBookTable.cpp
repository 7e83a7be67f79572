#include "EngineSuite.h"
#include "store/Database.h"
#include "store/GradeBookTable.h"
#include "store/SubjectTables.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kGradeBook = QStringLiteral("一班语文记分册");

Statement plain(const QString &sql)
{
    Statement statement;
    statement.text = sql;
    return statement;
}

/// The grade book made with columns written "[name] TYPE, [name] TYPE, ...", as the
/// program makes its tables on either engine.
Result create(Database &db, const QString &definition)
{
    QList<ColumnDefinition> columns;
    for (const QString &column : definition.split(QStringLiteral(", "))) {
        const qsizetype end = column.indexOf(QLatin1Char(']'));
        columns << ColumnDefinition{column.mid(1, end - 1), column.mid(end + 2)};
    }
    return db.execute(Sql::createTable(kGradeBook, columns));
}

QStringList rows(Database &db, const QString &table)
{
    QStringList found;
    QSqlQuery query(db.connection());
    query.exec(QStringLiteral("SELECT [编号],[姓名],[第1次] FROM [%1] ORDER BY rowid").arg(table));
    while (query.next())
        found << QStringLiteral("%1 %2 %3").arg(query.value(0).toString(), query.value(1).toString(), query.value(2).toString());
    return found;
}

} // namespace

/// The shape of a grade-book table: which columns are scores, and a table of an older
/// version or edited by hand made whole in place or refused.
class TstGradeBookTable final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void scoreColumnsAreTheWholeNumberColumns();
    void repairedInPlace_data();
    void repairedInPlace();
    void withoutNumberOrNameNothingChanges_data();
    void withoutNumberOrNameNothingChanges();
    void loginRepairsTheOldShape();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
};

void TstGradeBookTable::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = std::make_unique<Database>(QStringLiteral("tst_gradebook_table"));
    QVERIFY(EngineSuite::open(*m_db, m_dir->path()));
}

void TstGradeBookTable::cleanup()
{
    m_db.reset();
    m_dir.reset();
}

void TstGradeBookTable::scoreColumnsAreTheWholeNumberColumns()
{
    QString definition = QStringLiteral("[编号] INT, [姓名] VARCHAR(8), [小组] INT, [合计] INT, [平均] FLOAT, [名次] INT, "
                                        "[第1次] INT NULL, [备注] TEXT, [期中] INTEGER, [比例] REAL");
    // A column without a type, as a hand-made Record.mdb may have: PostgreSQL has none.
    if (EngineSuite::engine() == Engine::SQLite)
        definition += QStringLiteral(", [无类型]");
    QVERIFY(create(*m_db, definition));
    const QList<ColumnDefinition> columns = m_db->columnDefinitions(kGradeBook);
    QCOMPARE(GradeBookTable::scoreColumns(columns), (QStringList{QStringLiteral("第1次"), QStringLiteral("期中")}));
    QVERIFY(GradeBookTable::isWhole(columns));
}

void TstGradeBookTable::repairedInPlace_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QStringList>("repaired");
    const QStringList fixed = GradeBookTable::fixedColumns();
    QTest::newRow("without 合计") << QStringLiteral(
        "[编号] INT, [姓名] VARCHAR(8), [小组] INT, [平均] FLOAT, [名次] INT, [第1次] INT")
                                  << fixed + QStringList{QStringLiteral("第1次")};
    QTest::newRow("合计 at the end") << QStringLiteral(
        "[编号] INT, [姓名] VARCHAR(8), [小组] INT, [平均] FLOAT, [名次] INT, [第1次] INT, [备注] TEXT, [合计] INT")
                                     << fixed + QStringList{QStringLiteral("第1次"), QStringLiteral("备注")};
    QTest::newRow("without 小组 and 名次, order mixed")
        << QStringLiteral("[姓名] VARCHAR(8), [第1次] INT, [编号] INT, [平均] FLOAT, [合计] INT")
        << fixed + QStringList{QStringLiteral("第1次")};
    QTest::newRow("only the copied roster columns") << QStringLiteral("[编号] INT, [姓名] VARCHAR(8), [小组] INT, [第1次] INT")
                                                    << fixed + QStringList{QStringLiteral("第1次")};
}

void TstGradeBookTable::repairedInPlace()
{
    QFETCH(QString, definition);
    QFETCH(QStringList, repaired);
    QVERIFY(create(*m_db, definition));
    for (int k = 1; k <= 3; ++k)
        QVERIFY(m_db->execute(plain(QStringLiteral("INSERT INTO [%1] ([编号],[姓名],[第1次]) VALUES (%2,'生%2',%3)")
                                        .arg(kGradeBook)
                                        .arg(k)
                                        .arg(60 + k))));
    const QStringList before = rows(*m_db, kGradeBook);

    QVERIFY(GradeBookTable::repair(*m_db, kGradeBook));

    QCOMPARE(m_db->columns(kGradeBook), repaired);
    QVERIFY(GradeBookTable::isWhole(m_db->columnDefinitions(kGradeBook)));
    QCOMPARE(rows(*m_db, kGradeBook), before);
    QCOMPARE(m_db->columnDefinitions(kGradeBook).at(3).type, QStringLiteral("INT"));
    // 姓名 still refuses a name longer than 8 characters; nothing is left behind.
    QVERIFY(!m_db->execute(plain(QStringLiteral("INSERT INTO [%1] ([姓名]) VALUES ('一二三四五六七八九')").arg(kGradeBook))));
    QVERIFY(!m_db->tableExists(QStringLiteral("修复") + kGradeBook));
    // A whole table is left alone.
    QVERIFY(GradeBookTable::repair(*m_db, kGradeBook));
    QCOMPARE(m_db->columns(kGradeBook), repaired);
}

void TstGradeBookTable::withoutNumberOrNameNothingChanges_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("missing");
    QTest::newRow("no 编号") << QStringLiteral("[姓名] VARCHAR(8), [小组] INT, [第1次] INT") << QStringLiteral("编号");
    QTest::newRow("no 姓名") << QStringLiteral("[编号] INT, [小组] INT, [合计] INT") << QStringLiteral("姓名");
}

void TstGradeBookTable::withoutNumberOrNameNothingChanges()
{
    QFETCH(QString, definition);
    QFETCH(QString, missing);
    QVERIFY(create(*m_db, definition));
    const QStringList before = m_db->columns(kGradeBook);

    const Result refused = GradeBookTable::repair(*m_db, kGradeBook);

    QVERIFY(!refused);
    QVERIFY2(refused.error.contains(kGradeBook) && refused.error.contains(QStringLiteral("“%1”").arg(missing)),
        qPrintable(refused.error));
    QCOMPARE(m_db->columns(kGradeBook), before);
    // The login leaves such a table for the grade book to refuse: the questioning view still opens.
    QVERIFY(SubjectTables::ensureGradeBookTable(*m_db, kGradeBook, QStringLiteral("母版")));
    QCOMPARE(m_db->columns(kGradeBook), before);
}

void TstGradeBookTable::loginRepairsTheOldShape()
{
    QVERIFY(create(*m_db, QStringLiteral("[编号] INT, [姓名] VARCHAR(8), [小组] INT, [平均] FLOAT, [名次] INT, [第1次] INT")));
    QVERIFY(SubjectTables::ensureGradeBookTable(*m_db, kGradeBook, QStringLiteral("母版")));
    QCOMPARE(m_db->columns(kGradeBook), GradeBookTable::fixedColumns() + QStringList{QStringLiteral("第1次")});
}

QS_ENGINE_TEST_MAIN(TstGradeBookTable)
#include "TstGradeBookTable.moc"
