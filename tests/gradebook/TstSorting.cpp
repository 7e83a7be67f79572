#include "GradeBookFixture.h"
#include "gradebook/Unit5.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Student = GradeBookFixture::Student;
// 平均 after the first recompute: 85, 60, 90, 60 (a tie), by groups 1, 2, 1, 2.
const QList<Student> kClass{{1, QStringLiteral("甲"), 1, {85, 85}}, {2, QStringLiteral("乙"), 2, {50, 70}},
    {3, QStringLiteral("丙"), 1, {90, 90}}, {4, QStringLiteral("丁"), 2, {60, 60}}};

void fillTotals(GradeBookFixture &fixture)
{
    fixture.run(QStringLiteral("UPDATE [%1] SET [合计]=[第1次]+[第2次], [平均]=([第1次]+[第2次])/2").arg(fixture.table));
    QVERIFY(fixture.openGradeBookView());
}

/// The sort dialog over a grade book with one score column, shown.
struct ShownSortDialog {
    explicit ShownSortDialog(bool questioning)
        : dialog(sorting, fixture.tables, created(), questioning)
    {
        dialog.show();
    }
    QStringList created()
    {
        fixture.create({QStringLiteral("第1次")}, kClass);
        return fixture.view.fieldNames();
    }
    GradeBookFixture fixture;
    Sorting sorting{fixture.database, fixture.view, fixture.prompts, fixture.mainView};
    TForm5 dialog;
};

QVariantList viewColumn(Dataset &view, const QString &field)
{
    QVariantList values;
    for (int row = 0; row < view.rowCount(); ++row)
        values << view.value(row, view.fieldIndex(field));
    return values;
}
} // namespace

class TstSorting final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ranksFollowTheSortedOrder_data();
    void ranksFollowTheSortedOrder();
    void unknownColumnReopensTheGradeBook();
    void noScoreColumnRefusesToSort();
    void groupTotals();
    void questioningSortKeepsTheDialogOpenOnFailure();
    void dialogControls();
    void directionFollowsTheBoxState_data();
    void directionFollowsTheBoxState();
    void typingGoesToTheShownChoice_data();
    void typingGoesToTheShownChoice();
};

void TstSorting::ranksFollowTheSortedOrder_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QVariantList>("numbersInOrder");
    QTest::newRow("default: 平均 descending, tie in row order") << QStringLiteral("平均") << true << QVariantList{3, 1, 2, 4};
    QTest::newRow("ascending gives 1 to the lowest") << QStringLiteral("平均") << false << QVariantList{2, 4, 1, 3};
    QTest::newRow("by 小组 renumbers too") << QStringLiteral("小组") << false << QVariantList{1, 3, 2, 4};
    QTest::newRow("by the ranks themselves") << QStringLiteral("名次") << true << QVariantList{1, 2, 3, 4};
}

void TstSorting::ranksFollowTheSortedOrder()
{
    QFETCH(QString, column);
    QFETCH(bool, descending);
    QFETCH(QVariantList, numbersInOrder);
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, kClass);
    fillTotals(fixture);
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    QVERIFY(sorting.prepareGradeBookSort(fixture.columnList));

    QVERIFY(sorting.apply(fixture.tables, SortChoice{column, descending, false, 3}));

    QCOMPARE(fixture.prompts.calls().size(), 0);
    QCOMPARE(fixture.view.fieldNames(),
        (QStringList{u"编号"_s, u"姓名"_s, u"小组"_s, u"第1次"_s, u"第2次"_s, u"合计"_s, u"平均"_s, u"名次"_s}));
    if (column != QStringLiteral("名次"))
        QCOMPARE(viewColumn(fixture.view, QStringLiteral("编号")), numbersInOrder);
    QCOMPARE(viewColumn(fixture.view, QStringLiteral("名次")), (QVariantList{1, 2, 3, 4}));
    // Stored: student numbersInOrder[k] has rank k + 1.
    const QVariantList stored = fixture.column(QStringLiteral("名次"));
    for (int k = 0; k < 4 && column != QStringLiteral("名次"); ++k)
        QCOMPARE(stored.at(numbersInOrder.at(k).toInt() - 1).toInt(), k + 1);
    QCOMPARE(fixture.view.currentRow(), 0);
    QCOMPARE(fixture.formattings, 1);
    QVERIFY(fixture.view.isWritable());
}

void TstSorting::unknownColumnReopensTheGradeBook()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, kClass);
    fillTotals(fixture);
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    QVERIFY(sorting.apply(fixture.tables, SortChoice{QStringLiteral("平均"), true, false, 3}));
    const QVariantList ranks = fixture.column(QStringLiteral("名次"));
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    QVERIFY(sorting.apply(fixture.tables, SortChoice{QStringLiteral("期末"), true, false, 3}));

    QCOMPARE(fixture.prompts.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(fixture.prompts.lastCall().text, QStringLiteral("操作错误！"));
    QCOMPARE(fixture.prompts.lastCall().icon, Prompter::Icon::Information);
    QCOMPARE(fixture.column(QStringLiteral("名次")), ranks);
    QCOMPARE(fixture.reopenings, 1);
    QCOMPARE(fixture.view.fieldNames().constLast(), QStringLiteral("平均"));
}

void TstSorting::noScoreColumnRefusesToSort()
{
    GradeBookFixture fixture;
    fixture.create({}, {{1, QStringLiteral("甲"), 1, {}}});
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    QVERIFY(!sorting.prepareGradeBookSort(fixture.columnList));

    QCOMPARE(fixture.prompts.lastCall().text, QStringLiteral("没有记录,不能排序!"));
    QCOMPARE(fixture.prompts.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(fixture.reopenings, 0);
}

void TstSorting::groupTotals()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, kClass);
    fillTotals(fixture);
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);

    QVERIFY(sorting.apply(fixture.tables, SortChoice{QStringLiteral("平均"), true, true, 3}));

    QCOMPARE(fixture.panelHidings, 1);
    QCOMPARE(fixture.view.fieldNames(), (QStringList{u"小组"_s, u"总分"_s}));
    QCOMPARE(viewColumn(fixture.view, QStringLiteral("小组")), (QVariantList{1, 2}));
    QCOMPARE(viewColumn(fixture.view, QStringLiteral("总分")).at(0).toDouble(), 175.0);
    QCOMPARE(viewColumn(fixture.view, QStringLiteral("总分")).at(1).toDouble(), 120.0);
    QVERIFY(fixture.column(QStringLiteral("名次")).at(0).isNull());
}

void TstSorting::questioningSortKeepsTheDialogOpenOnFailure()
{
    GradeBookFixture fixture;
    fixture.createQuestioning({{1, QStringLiteral("甲"), 0, {2, 17, 8}}, {2, QStringLiteral("乙"), 0, {1, 9, 9}}});
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    TForm5 dialog(sorting, fixture.tables, fixture.view.fieldNames(), true);
    dialog.show();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(viewColumn(fixture.view, QStringLiteral("编号")), (QVariantList{2, 1}));

    fixture.run(QStringLiteral("DROP TABLE [%1]").arg(fixture.tables.questioningTable()));
    TForm5 again(sorting, fixture.tables, {}, true);
    again.show();
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);
    QTest::mouseClick(again.okButton(), Qt::LeftButton);
    QCOMPARE(fixture.prompts.lastCall().text, QStringLiteral("操作错误！"));
    QVERIFY(again.isVisible());
    QCOMPARE(fixture.reopenings, 0);
}

void TstSorting::dialogControls()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次")}, kClass);
    Sorting sorting(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    TForm5 dialog(sorting, fixture.tables, fixture.view.fieldNames(), false);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("排序"));
    QCOMPARE(dialog.columnBox()->count(), 4);
    QCOMPARE(dialog.columnBox()->itemText(0), QStringLiteral("小组"));
    QCOMPARE(dialog.columnBox()->currentText(), QStringLiteral("平均"));
    QVERIFY(!dialog.itemGroup()->isVisible());
    QVERIFY(dialog.sortChoice()->isChecked());
    QCOMPARE(dialog.sortChoice()->toolTip(), QStringLiteral("按此列排序"));
    QCOMPARE(dialog.groupChoice()->toolTip(), QStringLiteral("分组计算并排序"));
    QVERIFY(dialog.item(3)->isChecked());

    QTest::mouseClick(dialog.groupChoice(), Qt::LeftButton);
    QVERIFY(!dialog.sortChoice()->isChecked());
    QVERIFY(dialog.choice().groupTotals);

    for (const QString &caption : {QStringLiteral("升序"), QStringLiteral("降序")}) {
        QTest::mouseClick(dialog.directionBox(), Qt::LeftButton);
        QCOMPARE(dialog.directionBox()->text(), caption);
        QVERIFY(dialog.directionBox()->isChecked());
    }
    QVERIFY(dialog.choice().descending);

    TForm5 questioning(sorting, fixture.tables, fixture.view.fieldNames(), true);
    questioning.show();
    QVERIFY(questioning.itemGroup()->isVisible());
    QCOMPARE(questioning.itemGroup()->title(), QStringLiteral("选择项目"));
}

void TstSorting::directionFollowsTheBoxState_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse click") << u"mouse"_s;
    QTest::newRow("space key") << u"space"_s;
    QTest::newRow("assistive technology's Toggle") << QAccessibleActionInterface::toggleAction();
}

void TstSorting::directionFollowsTheBoxState()
{
    QFETCH(QString, how);
    ShownSortDialog shown(false);
    TForm5 &dialog = shown.dialog;
    QCheckBox *box = dialog.directionBox();
    for (const QString &caption : {QStringLiteral("升序"), QStringLiteral("降序")}) {
        if (how == u"mouse"_s) {
            QTest::mouseClick(box, Qt::LeftButton);
        } else if (how == u"space"_s) {
            QTest::keyClick(box, Qt::Key_Space);
        } else {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
            QVERIFY(accessible && accessible->actionInterface());
            QVERIFY(accessible->actionInterface()->actionNames().contains(how));
            accessible->actionInterface()->doAction(how);
        }
        QCOMPARE(box->text(), caption);
        QVERIFY(box->isChecked());
        QCOMPARE(dialog.choice().descending, caption == QStringLiteral("降序"));
    }
}

void TstSorting::typingGoesToTheShownChoice_data()
{
    QTest::addColumn<bool>("questioning");
    QTest::newRow("grade book: the column box, its offer selected") << false;
    QTest::newRow("questioning: the chosen item") << true;
}

void TstSorting::typingGoesToTheShownChoice()
{
    QFETCH(bool, questioning);
    ShownSortDialog shown(questioning);
    TForm5 &dialog = shown.dialog;
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    if (questioning) {
        QCOMPARE(focus, dialog.item(3));
        // Tab never lands on the column box hidden under the item group.
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget()->isVisible());
            QVERIFY(!dialog.columnBox()->isAncestorOf(QApplication::focusWidget()));
            QVERIFY(QApplication::focusWidget() != dialog.columnBox());
        }
        return;
    }
    QVERIFY(focus == dialog.columnBox() || focus == dialog.columnBox()->lineEdit());
    QCOMPARE(dialog.columnBox()->lineEdit()->selectedText(), QStringLiteral("平均"));
    QTest::keyClicks(focus, u"xy"_s);
    QCOMPARE(dialog.choice().column, u"xy"_s);
}

QTEST_MAIN(TstSorting)
#include "TstSorting.moc"
