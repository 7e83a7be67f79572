#include "GradeBookFixture.h"
#include "gradebook/GradeBookEnter.h"
#include "gradebook/Sorting.h"

#include <QTest>

namespace {
const QList<GradeBookFixture::Student> kTwoStudents{
    {1, QStringLiteral("甲"), 1, {85, 86}}, {2, QStringLiteral("乙"), 2, {60, 70}}};
} // namespace

class TstGradeBookEnter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recomputesAndPostsTheEditedRow();
    void withoutScoreColumnsOnlyCommits();
    void sortedViewWritesNothing_data();
    void sortedViewWritesNothing();
    void groupTotalsAndEmptyViewWriteNothing();
};

void TstGradeBookEnter::recomputesAndPostsTheEditedRow()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, kTwoStudents);
    QVERIFY(fixture.view.last());
    // The grid has committed the typed cell into the row.
    QVERIFY(fixture.view.setValue(QStringLiteral("第2次"), QStringLiteral("71")));

    GradeBookEnter::press(fixture.view, fixture.prompts, fixture.mainView, kModeGradeBook, fixture.columnList);

    QCOMPARE(fixture.prompts.calls().size(), 0);
    QCOMPARE(fixture.view.state(), Dataset::State::Browse);
    QCOMPARE(fixture.view.currentRow(), 1);
    QCOMPARE(fixture.column(QStringLiteral("第2次")).at(1).toInt(), 71);
    QCOMPARE(fixture.column(QStringLiteral("合计")).at(1).toInt(), 131);
    QCOMPARE(fixture.column(QStringLiteral("平均")).at(1).toDouble(), 65.0);
    QVERIFY(fixture.column(QStringLiteral("合计")).at(0).isNull());
}

void TstGradeBookEnter::withoutScoreColumnsOnlyCommits()
{
    GradeBookFixture fixture;
    fixture.create({}, {{1, QStringLiteral("甲"), 1, {}}});
    QCOMPARE(fixture.columnList, QStringLiteral("编号,姓名,小组"));
    QVERIFY(fixture.view.setValue(QStringLiteral("小组"), 3));

    GradeBookEnter::press(fixture.view, fixture.prompts, fixture.mainView, kModeGradeBook, fixture.columnList);

    QCOMPARE(fixture.column(QStringLiteral("小组")), QVariantList{3});
    QVERIFY(fixture.column(QStringLiteral("合计")).at(0).isNull());
}

void TstGradeBookEnter::sortedViewWritesNothing_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("No keeps the sorted view") << Prompter::Answer::No;
    QTest::newRow("Yes shows the unsorted view") << Prompter::Answer::Yes;
}

void TstGradeBookEnter::sortedViewWritesNothing()
{
    QFETCH(Prompter::Answer, answer);
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, kTwoStudents);
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    QVERIFY(sorting.apply(fixture.tables, SortChoice{QStringLiteral("第1次"), true, false, 3}));
    const QVariantList ranks = fixture.column(QStringLiteral("名次"));
    QVERIFY(fixture.view.setValue(QStringLiteral("第1次"), 1));
    fixture.prompts.expectAnswer(answer);

    GradeBookEnter::press(fixture.view, fixture.prompts, fixture.mainView, kModeGradeBook, fixture.columnList);

    const FakePrompter::Call &asked = fixture.prompts.lastCall();
    QCOMPARE(asked.caption, QStringLiteral("提示"));
    QCOMPARE(asked.text, QStringLiteral("不能对排序后的表进行修改,取消排序吗?"));
    QCOMPARE(asked.buttons, Prompter::Buttons::YesNo);
    QCOMPARE(asked.icon, Prompter::Icon::Question);
    QCOMPARE(fixture.column(QStringLiteral("第1次")), (QVariantList{85, 60}));
    QCOMPARE(fixture.column(QStringLiteral("名次")), ranks);
    const bool sorted = answer == Prompter::Answer::No;
    QCOMPARE(fixture.reopenings, sorted ? 0 : 1);
    QCOMPARE(fixture.view.fieldNames().constLast(), sorted ? QStringLiteral("名次") : QStringLiteral("平均"));
}

void TstGradeBookEnter::groupTotalsAndEmptyViewWriteNothing()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次")}, {});
    GradeBookEnter::press(fixture.view, fixture.prompts, fixture.mainView, kModeGradeBook, fixture.columnList);
    QCOMPARE(fixture.rowCount(), 0);

    fixture.create({QStringLiteral("第1次")}, kTwoStudents);
    fixture.view.setQuery(Sql::groupTotals(fixture.table, QStringLiteral("第1次"), true));
    QVERIFY(fixture.view.open());
    GradeBookEnter::press(fixture.view, fixture.prompts, fixture.mainView, kModeGradeBook, fixture.columnList);
    QCOMPARE(fixture.prompts.calls().size(), 0);
    for (const QVariant &total : fixture.column(QStringLiteral("合计")))
        QVERIFY(total.isNull());
}

QTEST_GUILESS_MAIN(TstGradeBookEnter)
#include "TstGradeBookEnter.moc"
