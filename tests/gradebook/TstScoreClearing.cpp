#include "GradeBookFixture.h"
#include "gradebook/ScoreClearing.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QList<GradeBookFixture::Student> kClass{
    {1, QStringLiteral("甲"), 1, {85, 86}}, {2, QStringLiteral("乙"), 2, {70, QVariant()}}};
const QStringList kFixedColumns{u"编号"_s, u"姓名"_s, u"小组"_s, u"合计"_s, u"平均"_s, u"名次"_s};

void makeClass(GradeBookFixture &fixture)
{
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, kClass);
    fixture.run(QStringLiteral("UPDATE [%1] SET [合计]=171,[平均]=85,[名次]=1 WHERE [编号]=1").arg(fixture.table));
}

void expectCleared(GradeBookFixture &fixture)
{
    QCOMPARE(fixture.tableColumns(), kFixedColumns);
    QCOMPARE(fixture.column(QStringLiteral("姓名")), (QVariantList{QStringLiteral("甲"), QStringLiteral("乙")}));
    QCOMPARE(fixture.column(QStringLiteral("小组")), (QVariantList{1, 2}));
    QCOMPARE(fixture.column(QStringLiteral("合计")).at(0).toInt(), 171);
    QVERIFY(!fixture.database.tableExists(QStringLiteral("备份") + fixture.table));
    // The fixed columns keep their declared types and the length check of 姓名.
    QCOMPARE(fixture.database.columnDefinitions(fixture.table).at(1).type, QStringLiteral("VARCHAR(8)"));
    Statement tooLong;
    tooLong.text = QStringLiteral("INSERT INTO [%1] ([姓名]) VALUES ('一二三四五六七八九')").arg(fixture.table);
    QVERIFY(!fixture.database.execute(tooLong));
    QCOMPARE(fixture.columnList, QStringLiteral("编号,姓名,小组"));
    QCOMPARE(fixture.view.fieldNames(), (QStringList{u"编号"_s, u"姓名"_s, u"小组"_s}));
}
} // namespace

class TstScoreClearing final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void password_data();
    void password();
    void leftOverScratchTableDoesNotBlock();
    void failureLeavesTheTableWhole();
};

void TstScoreClearing::password_data()
{
    QTest::addColumn<QByteArray>("passwordFile"); // empty: no file
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<bool>("clears");
    const QByteArray stored("ab c\r\n");
    QTest::newRow("stored password, up to the blank") << stored << std::optional<QString>(QStringLiteral("ab")) << true;
    QTest::newRow("administrator refused while one is stored")
        << stored << std::optional<QString>(QStringLiteral("kesmora")) << false;
    QTest::newRow("cancelled") << stored << std::optional<QString>() << false;
    QTest::newRow("no file: administrator") << QByteArray() << std::optional<QString>(QStringLiteral("kesmora")) << true;
    QTest::newRow("no file: empty answer") << QByteArray() << std::optional<QString>(QString()) << false;
}

void TstScoreClearing::password()
{
    QFETCH(QByteArray, passwordFile);
    QFETCH(std::optional<QString>, answer);
    QFETCH(bool, clears);
    GradeBookFixture fixture;
    makeClass(fixture);
    if (!passwordFile.isEmpty())
        fixture.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), passwordFile);
    const QStringList before = fixture.tableColumns();
    fixture.prompts.expectAnswer(Prompter::Answer::Yes);
    fixture.prompts.expectText(answer);
    if (!clears)
        fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    ScoreClearing(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .run(fixture.tables, DataFolder(fixture.paths.dataFolder()));

    const QList<FakePrompter::Call> &calls = fixture.prompts.calls();
    QCOMPARE(calls[0].text, QStringLiteral("确定删除一班语文的全部成绩吗？"));
    QCOMPARE(calls[0].caption, QStringLiteral("提示"));
    QCOMPARE(calls[0].buttons, Prompter::Buttons::YesNo);
    QCOMPARE(calls[1].caption, QStringLiteral("密码"));
    QCOMPARE(calls[1].text, QStringLiteral("请输入一班语文登录密码"));
    if (!clears) {
        QCOMPARE(calls.size(), 3);
        QCOMPARE(calls[2].text, QStringLiteral("密码错误,您不是合法使用者,不能随意删除成绩记录!"));
        QCOMPARE(fixture.tableColumns(), before);
        QCOMPARE(fixture.reopenings, 0);
        return;
    }
    QCOMPARE(calls.size(), 2);
    QCOMPARE(fixture.reopenings, 1);
    expectCleared(fixture);
}

void TstScoreClearing::leftOverScratchTableDoesNotBlock()
{
    GradeBookFixture fixture;
    makeClass(fixture);
    fixture.run(QStringLiteral("CREATE TABLE [备份%1] ([编号] INT)").arg(fixture.table));
    fixture.prompts.expectAnswer(Prompter::Answer::Yes);
    fixture.prompts.expectText(QStringLiteral("kesmora"));

    ScoreClearing(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .run(fixture.tables, DataFolder(fixture.paths.dataFolder()));

    QCOMPARE(fixture.prompts.calls().size(), 2);
    expectCleared(fixture);
}

void TstScoreClearing::failureLeavesTheTableWhole()
{
    GradeBookFixture fixture;
    makeClass(fixture);
    // Something that is not a table holds the scratch name: the rebuild cannot start.
    fixture.run(QStringLiteral("CREATE VIEW [备份%1] AS SELECT 1").arg(fixture.table));
    const QStringList before = fixture.tableColumns();
    fixture.prompts.expectAnswer(Prompter::Answer::Yes);
    fixture.prompts.expectText(QStringLiteral("kesmora"));
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    ScoreClearing(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .run(fixture.tables, DataFolder(fixture.paths.dataFolder()));

    QCOMPARE(fixture.prompts.lastCall().icon, Prompter::Icon::Critical);
    QCOMPARE(fixture.tableColumns(), before);
    QCOMPARE(fixture.column(QStringLiteral("第1次")), (QVariantList{85, 70}));
    QCOMPARE(fixture.reopenings, 0);
}

QTEST_GUILESS_MAIN(TstScoreClearing)
#include "TstScoreClearing.moc"
