#include "EngineSuite.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/DatasetModel.h"
#include "store/Statements.h"
#include "store/TableNames.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTable = QStringLiteral("一班语文记分册");

// Rows in table order; shown ordered by 编号 they read 李四, 王五, 张三, (no name), 张小明.
const char16_t *const kRows[] = {
    u"(3,'张三',1,NULL,80,NULL)",
    u"(1,'李四',2,NULL,90,NULL)",
    u"(2,'王五',1,NULL,70,NULL)",
    u"(5,'张小明',2,NULL,NULL,NULL)",
    u"(4,NULL,3,NULL,60,NULL)",
};

} // namespace

class TstDataset final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void navigationAndEndMarks();
    void locate_data();
    void locate();
    void editPostsByRowIdAndRefusalKeepsEdit();
    void numberColumnsTakeNumbersOnly_data();
    void numberColumnsTakeNumbersOnly();
    void namesTakeNoHiddenCharacters_data();
    void namesTakeNoHiddenCharacters();
    void movingOffOrClosingPostsTheEdit();
    void insertAndDelete();
    void aggregateIsReadOnly();
    void portraitFollowsMasterRow();
    void modelShowsAndEditsTheDataset();
    void editMeetingAnotherProgramsChangeIsRefused();
    void rowTotalsComeFromTheRowInTheFile();
    void openedInsideATransactionItReadsEveryRow();
    void rowIdentityIsNoField();

private:
    QVariant stored(const QString &sql) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Dataset> m_set;
};

void TstDataset::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = std::make_unique<Database>(QStringLiteral("tst_dataset"));
    QVERIFY(EngineSuite::open(*m_db, m_dir->path()));
    QVERIFY(m_db->execute(Sql::createGradeBookTableFresh(kTable)));
    for (const char16_t *row : kRows) {
        Statement insert;
        insert.text = QStringLiteral("INSERT INTO [一班语文记分册] ([编号],[姓名],[小组],[合计],[平均],[名次]) VALUES ")
            + QString::fromUtf16(row);
        QVERIFY(m_db->execute(insert));
    }
    m_set = std::make_unique<Dataset>(*m_db);
    m_set->setQuery(Sql::showAllOrderedByNumber(kTable));
    QVERIFY(m_set->open());
}

void TstDataset::cleanup()
{
    m_set.reset();
    m_db.reset();
    m_dir.reset();
}

QVariant TstDataset::stored(const QString &sql) const
{
    QSqlQuery query(m_db->connection());
    return m_db->prepare(query, sql) && query.exec() && query.next() ? query.value(0) : QVariant();
}

void TstDataset::navigationAndEndMarks()
{
    QCOMPARE(m_set->fieldNames(), QStringLiteral("编号,姓名,小组,合计,平均,名次").split(QLatin1Char(',')));
    QCOMPARE(m_set->rowCount(), 5);
    QCOMPARE(m_set->currentRow(), 0);
    QVERIFY(m_set->isBof() && !m_set->isEof());
    QCOMPARE(m_set->value(QStringLiteral("姓名")).toString(), QStringLiteral("李四"));

    QSignalSpy moved(m_set.get(), &Dataset::currentRowChanged);
    int visited = 0;
    for (m_set->first(); !m_set->isEof(); m_set->next())
        QCOMPARE(m_set->value(QStringLiteral("编号")).toInt(), ++visited);
    QCOMPARE(visited, 5);
    QCOMPARE(m_set->currentRow(), 4);
    QCOMPARE(moved.size(), 4); // already on the first row; the step past the end moves nothing

    QVERIFY(m_set->prior());
    QCOMPARE(m_set->currentRow(), 3);
    QVERIFY(!m_set->isEof() && !m_set->isBof());
    QVERIFY(m_set->first());
    QVERIFY(m_set->prior());
    QVERIFY(m_set->isBof());
    QCOMPARE(m_set->currentRow(), 0);
    QVERIFY(m_set->last());
    QVERIFY(m_set->isEof());
    QCOMPARE(m_set->currentRow(), 4);
    QVERIFY(!m_set->moveTo(5));

    (void)m_set->close();
    QVERIFY(!m_set->isOpen());
    QCOMPARE(m_set->currentRow(), -1);
    QVERIFY(!m_set->value(QStringLiteral("姓名")).isValid());
}

void TstDataset::locate_data()
{
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("row"); // -1: not found, stays on row 1

    QTest::newRow("number") << false << QStringLiteral("编号") << QVariant(3) << 2;
    QTest::newRow("number as text") << false << QStringLiteral("编号") << QVariant(QStringLiteral("3")) << 2;
    QTest::newRow("number as float") << false << QStringLiteral("平均") << QVariant(90.0) << 0;
    QTest::newRow("float as text") << false << QStringLiteral("平均") << QVariant(QStringLiteral("70")) << 1;
    QTest::newRow("name") << false << QStringLiteral("姓名") << QVariant(QStringLiteral("张三")) << 2;
    QTest::newRow("part of a name") << false << QStringLiteral("姓名") << QVariant(QStringLiteral("张")) << -1;
    QTest::newRow("null") << false << QStringLiteral("姓名") << QVariant() << 3;
    QTest::newRow("no such number") << false << QStringLiteral("编号") << QVariant(9) << -1;
    QTest::newRow("no such field") << false << QStringLiteral("学号") << QVariant(1) << -1;
    QTest::newRow("prefix") << true << QStringLiteral("姓名") << QVariant(QStringLiteral("张")) << 2;
    QTest::newRow("longer prefix") << true << QStringLiteral("姓名") << QVariant(QStringLiteral("张小")) << 4;
    QTest::newRow("whole name as prefix") << true << QStringLiteral("姓名") << QVariant(QStringLiteral("王五")) << 1;
    QTest::newRow("empty prefix") << true << QStringLiteral("姓名") << QVariant(QString()) << 3;
    QTest::newRow("number prefix") << true << QStringLiteral("编号") << QVariant(QStringLiteral("5")) << 4;
    QTest::newRow("prefix not found") << true << QStringLiteral("姓名") << QVariant(QStringLiteral("赵")) << -1;
}

void TstDataset::locate()
{
    QFETCH(bool, prefix);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(int, row);
    QVERIFY(m_set->moveTo(1));
    const bool found = prefix ? m_set->locatePrefix(field, value.toString()) : m_set->locate(field, value);
    QCOMPARE(found, row >= 0);
    QCOMPARE(m_set->currentRow(), row >= 0 ? row : 1);
}

void TstDataset::editPostsByRowIdAndRefusalKeepsEdit()
{
    QSignalSpy changed(m_set.get(), &Dataset::valueChanged);
    QVERIFY(m_set->moveTo(2)); // 张三, first row of the table
    QVERIFY(m_set->setValue(QStringLiteral("合计"), QStringLiteral("95")));
    QCOMPARE(m_set->state(), Dataset::State::Edit);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("合计"));
    QVERIFY(m_set->post());
    QCOMPARE(m_set->state(), Dataset::State::Browse);
    QCOMPARE(stored(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [姓名]='张三'")).toInt(), 95);
    QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM [一班语文记分册] WHERE [合计]=95")).toInt(), 1);

    QVERIFY(m_set->setValue(QStringLiteral("姓名"), QStringLiteral("一二三四五六七八九")));
    const Result refused = m_set->post();
    QVERIFY(!refused.ok);
    const QString engineText
        = EngineSuite::engine() == Engine::SQLite ? QStringLiteral("CHECK") : QStringLiteral("value too long");
    QVERIFY2(refused.error.contains(engineText), qPrintable(refused.error));
    QCOMPARE(m_set->lastError(), refused.error);
    QCOMPARE(m_set->state(), Dataset::State::Edit);
    QCOMPARE(m_set->value(QStringLiteral("姓名")).toString(), QStringLiteral("一二三四五六七八九"));
    m_set->cancel();
    QCOMPARE(m_set->value(QStringLiteral("姓名")).toString(), QStringLiteral("张三"));
    QCOMPARE(m_set->state(), Dataset::State::Browse);
}

void TstDataset::numberColumnsTakeNumbersOnly_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QVariant>("storedValue");
    QTest::newRow("digits") << QStringLiteral("合计") << QVariant(QStringLiteral(" 12 ")) << true << QVariant(12);
    QTest::newRow("empty gives null") << QStringLiteral("合计") << QVariant(QString()) << true << QVariant();
    QTest::newRow("letters") << QStringLiteral("合计") << QVariant(QStringLiteral("abc")) << false << QVariant();
    QTest::newRow("fraction in INT") << QStringLiteral("合计") << QVariant(QStringLiteral("1.5")) << false << QVariant();
    QTest::newRow("beyond 32 bits") << QStringLiteral("合计") << QVariant(QStringLiteral("2147483648")) << false << QVariant();
    QTest::newRow("fraction in FLOAT") << QStringLiteral("平均") << QVariant(QStringLiteral("7.5")) << true << QVariant(7.5);
    QTest::newRow("full-width digits") << QStringLiteral("合计") << QVariant(QStringLiteral("８５")) << true << QVariant(85);
    QTest::newRow("full-width sign, ideographic blank")
        << QStringLiteral("合计") << QVariant(QStringLiteral("\u3000－３")) << true << QVariant(-3);
    QTest::newRow("full-width fraction in FLOAT")
        << QStringLiteral("平均") << QVariant(QStringLiteral("７．５")) << true << QVariant(7.5);
    QTest::newRow("full-width fraction in INT")
        << QStringLiteral("合计") << QVariant(QStringLiteral("８５．５")) << false << QVariant();
    QTest::newRow("superscript is no digit") << QStringLiteral("合计") << QVariant(QStringLiteral("²")) << false << QVariant();
    QTest::newRow("digits in text") << QStringLiteral("姓名") << QVariant(QStringLiteral("007")) << true
                                    << QVariant(QStringLiteral("007"));
}

void TstDataset::numberColumnsTakeNumbersOnly()
{
    QFETCH(QString, field);
    QFETCH(QVariant, typed);
    QFETCH(bool, accepted);
    QFETCH(QVariant, storedValue);
    QCOMPARE(m_set->setValue(field, typed).ok, accepted);
    if (!accepted) {
        QVERIFY(m_set->lastError().contains(typed.toString()));
        return;
    }
    QVERIFY(m_set->post());
    const QVariant inTable = stored(QStringLiteral("SELECT [%1] FROM [一班语文记分册] WHERE [编号]=1").arg(field));
    QCOMPARE(inTable.isNull(), storedValue.isNull());
    if (!storedValue.isNull())
        QCOMPARE(inTable, storedValue);
    QCOMPARE(m_set->value(field).isNull(), storedValue.isNull());
}

void TstDataset::namesTakeNoHiddenCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("NUL") << QStringLiteral("张") + QChar(0) + QStringLiteral("三");
    QTest::newRow("tab") << QStringLiteral("张三\t");
    QTest::newRow("line feed") << QStringLiteral("张\n三");
    QTest::newRow("zero-width space") << QStringLiteral("张\u200B三");
    QTest::newRow("soft hyphen") << QStringLiteral("张\u00AD三");
}

void TstDataset::namesTakeNoHiddenCharacters()
{
    QFETCH(QString, typed);
    DatasetModel model(m_set.get());
    // The grid's cell editor writes through the model.
    QVERIFY(m_set->moveTo(2)); // 张三: the cell editor writes on the current row
    QVERIFY(!model.setData(model.index(2, 1), typed));
    QVERIFY2(m_set->lastError().contains(QStringLiteral("看不见的字符")), qPrintable(m_set->lastError()));
    QCOMPARE(m_set->value(QStringLiteral("姓名")).toString(), QStringLiteral("张三"));
    QVERIFY(!m_set->setValue(QStringLiteral("姓名"), typed));
    QVERIFY(m_set->post());
    QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM [一班语文记分册] WHERE [姓名]='张三'")).toInt(), 1);
}

void TstDataset::movingOffOrClosingPostsTheEdit()
{
    QVERIFY(m_set->setValue(QStringLiteral("姓名"), QStringLiteral("赵六")));
    QVERIFY(m_set->next());
    QCOMPARE(m_set->state(), Dataset::State::Browse);
    QCOMPARE(stored(QStringLiteral("SELECT [姓名] FROM [一班语文记分册] WHERE [编号]=1")).toString(), QStringLiteral("赵六"));

    // A refused post keeps the row current and in edit state.
    QVERIFY(m_set->setValue(QStringLiteral("姓名"), QStringLiteral("一二三四五六七八九")));
    QVERIFY(!m_set->next());
    QVERIFY(!m_set->locate(QStringLiteral("编号"), 5));
    QCOMPARE(m_set->currentRow(), 1);
    QCOMPARE(m_set->state(), Dataset::State::Edit);
    m_set->cancel();

    QVERIFY(m_set->setValue(QStringLiteral("小组"), 6));
    QVERIFY(m_set->close());
    QCOMPARE(stored(QStringLiteral("SELECT [小组] FROM [一班语文记分册] WHERE [编号]=2")).toInt(), 6);

    // Replacing the statement text closes, and so posts, too.
    QVERIFY(m_set->open());
    QVERIFY(m_set->setValue(QStringLiteral("小组"), 4));
    m_set->setQuery(Sql::showAll(kTable));
    QCOMPARE(stored(QStringLiteral("SELECT [小组] FROM [一班语文记分册] WHERE [编号]=1")).toInt(), 4);
}

void TstDataset::insertAndDelete()
{
    QSignalSpy reset(m_set.get(), &Dataset::rowsReset);
    QVERIFY(m_set->insert());
    QCOMPARE(m_set->state(), Dataset::State::Insert);
    QCOMPARE(m_set->rowCount(), 6);
    QCOMPARE(m_set->currentRow(), 5);
    QVERIFY(m_set->setValue(QStringLiteral("编号"), 6));
    QVERIFY(m_set->setValue(QStringLiteral("姓名"), QStringLiteral("新生")));
    QVERIFY(m_set->post());
    QCOMPARE(stored(QStringLiteral("SELECT [编号] FROM [一班语文记分册] WHERE [姓名]='新生'")).toInt(), 6);

    // The new row has its row id: an edit reaches it.
    QVERIFY(m_set->setValue(QStringLiteral("小组"), 3));
    QVERIFY(m_set->post());
    QCOMPARE(stored(QStringLiteral("SELECT [小组] FROM [一班语文记分册] WHERE [姓名]='新生'")).toInt(), 3);

    // An untouched new row is dropped when the dataset moves on.
    QVERIFY(m_set->insert());
    QVERIFY(m_set->first());
    QCOMPARE(m_set->rowCount(), 6);
    QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM [一班语文记分册]")).toInt(), 6);

    QVERIFY(m_set->locate(QStringLiteral("编号"), 2));
    QVERIFY(m_set->deleteCurrent());
    QCOMPARE(m_set->rowCount(), 5);
    QCOMPARE(m_set->value(QStringLiteral("编号")).toInt(), 3);
    QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM [一班语文记分册] WHERE [编号]=2")).toInt(), 0);
    QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM [一班语文记分册]")).toInt(), 5);
    QVERIFY(reset.size() >= 4);
}

void TstDataset::aggregateIsReadOnly()
{
    m_set->setQuery(Sql::groupTotals(kTable, QStringLiteral("平均"), true));
    QVERIFY(m_set->open());
    QCOMPARE(m_set->fieldNames(), (QStringList{QStringLiteral("小组"), QStringLiteral("总分")}));
    QCOMPARE(m_set->rowCount(), 3);
    QCOMPARE(m_set->value(QStringLiteral("小组")).toInt(), 1);
    QCOMPARE(m_set->value(QStringLiteral("总分")).toDouble(), 150.0);
    QVERIFY(!m_set->isWritable());
    QVERIFY(!m_set->setValue(QStringLiteral("总分"), 1));
    QVERIFY(!m_set->insert());
    QVERIFY(!m_set->deleteCurrent());
    QCOMPARE(m_set->state(), Dataset::State::Browse);

    m_set->setQuery(Sql::groupTotals(kTable, QStringLiteral("无此列"), false));
    QVERIFY(!m_set->open());
    QVERIFY(!m_set->isOpen());
    QVERIFY(!m_set->lastError().isEmpty());
}

void TstDataset::portraitFollowsMasterRow()
{
    Statement mottos;
    mottos.text = QStringLiteral("INSERT INTO [范例班] ([姓名],[宣言]) VALUES ('李四','A'),('王五','B')");
    QVERIFY(m_db->execute(mottos));

    Dataset portrait(*m_db);
    portrait.setQuery(Sql::portrait(QStringLiteral("姓名")));
    portrait.setMaster(m_set.get());
    QVERIFY(portrait.open());
    const auto motto
        = [&] { return portrait.isEmpty() ? QStringLiteral("-") : portrait.value(QStringLiteral("宣言")).toString(); };
    QCOMPARE(motto(), QStringLiteral("A"));
    QVERIFY(m_set->next());
    QCOMPARE(motto(), QStringLiteral("B"));
    QVERIFY(m_set->next());
    QCOMPARE(motto(), QStringLiteral("-"));

    // Editing the master's name is followed too.
    QVERIFY(m_set->setValue(QStringLiteral("姓名"), QStringLiteral("李四")));
    QCOMPARE(motto(), QStringLiteral("A"));
    m_set->cancel();
    QCOMPARE(motto(), QStringLiteral("-"));

    // A pending portrait edit is saved before the link re-runs the query.
    QVERIFY(m_set->first());
    QVERIFY(portrait.setValue(QStringLiteral("宣言"), QStringLiteral("好好学习")));
    QVERIFY(m_set->next());
    QCOMPARE(stored(QStringLiteral("SELECT [宣言] FROM [范例班] WHERE [姓名]='李四'")).toString(), QStringLiteral("好好学习"));

    (void)m_set->close();
    QVERIFY(portrait.isOpen());
    QCOMPARE(portrait.rowCount(), 0);

    // Pointed at a column the master lacks, the query finds nothing.
    QVERIFY(m_set->open());
    portrait.setQuery(Sql::portrait(QStringLiteral("总分")));
    QVERIFY(portrait.open());
    QCOMPARE(portrait.rowCount(), 0);
}

void TstDataset::modelShowsAndEditsTheDataset()
{
    DatasetModel model(m_set.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("姓名"));
    QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("张三"));
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);

    // The model writes into the current row only and never moves the dataset, which a
    // command may be walking.
    QVERIFY(!model.setData(model.index(2, 3), QStringLiteral("88")));
    QCOMPARE(m_set->currentRow(), 0);
    QVERIFY(model.lastRefusal().contains(QStringLiteral("88")));
    QCOMPARE(m_set->state(), Dataset::State::Browse);

    QVERIFY(m_set->moveTo(2));
    QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(2, 3), QStringLiteral("88")));
    QCOMPARE(m_set->currentRow(), 2);
    QCOMPARE(dataChanged.size(), 1);
    QCOMPARE(model.data(model.index(2, 3)).toInt(), 88);
    QVERIFY(!model.setData(model.index(2, 3), QStringLiteral("x")));

    QVERIFY(m_set->insert());
    QCOMPARE(model.rowCount(), 6);
    QVERIFY(model.setData(model.index(5, 1), QStringLiteral("新生")));
    QVERIFY(m_set->first());
    QCOMPARE(stored(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [姓名]='张三'")).toInt(), 88);
    QVERIFY(m_set->locate(QStringLiteral("姓名"), QStringLiteral("新生")));
    QVERIFY(m_set->deleteCurrent());
    QCOMPARE(model.rowCount(), 5);

    m_set->setQuery(Sql::groupTotals(kTable, QStringLiteral("平均"), false));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
    QVERIFY(m_set->open());
    QCOMPARE(model.columnCount(), 2);
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, 1), 1));
}

void TstDataset::editMeetingAnotherProgramsChangeIsRefused()
{
    // A second program (another PC on the server) on the same table.
    Database other(QStringLiteral("tst_dataset_other"));
    QVERIFY(EngineSuite::openSame(other, m_dir->path()));
    Dataset theirs(other);
    theirs.setQuery(Sql::showAllOrderedByNumber(kTable));
    QVERIFY(theirs.open());

    // Both read 李四 with 合计 null; they store 77 first.
    QVERIFY(theirs.setValue(QStringLiteral("合计"), 77));
    QVERIFY(theirs.post());
    QSignalSpy changed(m_set.get(), &Dataset::valueChanged);
    QVERIFY(m_set->setValue(QStringLiteral("合计"), 55));
    const Result refused = m_set->post();
    QVERIFY(!refused.ok);
    QVERIFY2(refused.error.contains(QStringLiteral("另一台电脑")), qPrintable(refused.error));
    QCOMPARE(stored(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号]=1")).toInt(), 77);
    // The row now shows what is stored, and is no longer being edited.
    QCOMPARE(m_set->state(), Dataset::State::Browse);
    QCOMPARE(m_set->value(QStringLiteral("合计")).toInt(), 77);

    // A field the other program did not touch is written: nothing of theirs is lost.
    QVERIFY(theirs.setValue(QStringLiteral("小组"), 9));
    QVERIFY(theirs.post());
    QVERIFY(m_set->setValue(QStringLiteral("姓名"), QStringLiteral("李思")));
    QVERIFY(m_set->post());
    QCOMPARE(stored(QStringLiteral("SELECT [姓名] FROM [一班语文记分册] WHERE [编号]=1")).toString(), QStringLiteral("李思"));
    QCOMPARE(stored(QStringLiteral("SELECT [小组] FROM [一班语文记分册] WHERE [编号]=1")).toInt(), 9);
    QCOMPARE(stored(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号]=1")).toInt(), 77);

    // A row another program deleted is not brought back.
    QVERIFY(theirs.deleteCurrent());
    QVERIFY(m_set->setValue(QStringLiteral("合计"), 1));
    QVERIFY(!m_set->post());
    QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM [一班语文记分册] WHERE [编号]=1")).toInt(), 0);
}

void TstDataset::rowTotalsComeFromTheRowInTheFile()
{
    for (const QString &score : {QStringLiteral("第1次"), QStringLiteral("第2次")})
        QVERIFY(m_db->execute(Sql::addScoreColumn(kTable, score)));
    QVERIFY(m_set->open());
    Database other(QStringLiteral("tst_dataset_other"));
    QVERIFY(EngineSuite::openSame(other, m_dir->path()));
    Dataset theirs(other);
    theirs.setQuery(Sql::showAllOrderedByNumber(kTable));
    QVERIFY(theirs.open());
    const auto total = [this] { return stored(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号]=1")); };
    const auto average = [this] { return stored(QStringLiteral("SELECT [平均] FROM [一班语文记分册] WHERE [编号]=1")); };

    // Both read 李四 without scores. Their 97 is in the file when our 55 is written: the
    // totals add up the row as stored, and the row shows it.
    QVERIFY(theirs.setValue(QStringLiteral("第2次"), 97));
    QVERIFY(theirs.postWithRowTotals());
    QCOMPARE(total().toInt(), 97);
    QVERIFY(m_set->setValue(QStringLiteral("第1次"), QStringLiteral("５５")));
    const Result written = m_set->postWithRowTotals();
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(total().toInt(), 152);
    QCOMPARE(average().toDouble(), 76.0);
    QCOMPARE(m_set->value(QStringLiteral("第2次")).toInt(), 97);
    QCOMPARE(m_set->value(QStringLiteral("合计")).toInt(), 152);
    QCOMPARE(m_set->state(), Dataset::State::Browse);

    // A score column another program has just added counts, though this view never read it.
    QVERIFY(other.execute(Sql::addScoreColumn(kTable, QStringLiteral("期中"))));
    QVERIFY(other.execute(Sql::updateRow(kTable, {QStringLiteral("期中")}, {5}, theirs.currentRowId())));
    QVERIFY(m_set->setValue(QStringLiteral("小组"), 4));
    QVERIFY(m_set->postWithRowTotals());
    QCOMPARE(total().toInt(), 157);
    QCOMPARE(average().toDouble(), 52.0);

    // A score the other program changed since it was read is not overwritten; their
    // totals stay with it.
    QVERIFY(theirs.open());
    QVERIFY(theirs.setValue(QStringLiteral("第1次"), 60));
    QVERIFY(theirs.postWithRowTotals());
    QVERIFY(m_set->setValue(QStringLiteral("第1次"), 70));
    const Result refused = m_set->postWithRowTotals();
    QVERIFY(!refused.ok);
    QVERIFY2(refused.error.contains(QStringLiteral("另一台电脑")), qPrintable(refused.error));
    QCOMPARE(m_set->value(QStringLiteral("第1次")).toInt(), 60);
    QCOMPARE(total().toInt(), 162);
    QCOMPARE(m_set->value(QStringLiteral("合计")).toInt(), 162);
}

void TstDataset::openedInsideATransactionItReadsEveryRow()
{
    // A batch reopens the view inside its transaction, then writes by the rows it shows.
    int rows = -1;
    const Result done = m_db->writeTransaction([&]() -> Result {
        if (Result opened = m_set->open(); !opened)
            return opened;
        rows = m_set->rowCount();
        return m_db->execute(Sql::updateRow(kTable, {QStringLiteral("小组")}, {7}, m_set->rowId(4)));
    });
    QVERIFY2(done.ok, qPrintable(done.error));
    QCOMPARE(rows, 5);
    QCOMPARE(m_set->value(QStringLiteral("姓名")).toString(), QStringLiteral("李四"));
    QCOMPARE(stored(QStringLiteral("SELECT [小组] FROM [一班语文记分册] WHERE [编号]=5")).toInt(), 7);
}

void TstDataset::rowIdentityIsNoField()
{
    for (const Query &query : {Sql::showAll(kTable), Sql::columnsOf(kTable), Sql::showColumns(kTable, {})}) {
        m_set->setQuery(query);
        QVERIFY(m_set->open());
        QCOMPARE(m_set->fieldNames(), QStringLiteral("编号,姓名,小组,合计,平均,名次").split(QLatin1Char(',')));
    }
}

QS_ENGINE_TEST_MAIN(TstDataset)
#include "TstDataset.moc"
