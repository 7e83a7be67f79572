#include "GradeBookFixture.h"
#include "entry/EntryBatch.h"
#include "gradebook/ScoreColumns.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Student = GradeBookFixture::Student;

EntryInput gridRows(const QStringList &rows)
{
    EntryInput input;
    input.gridInUse = true;
    input.gridCells = rows;
    while (input.gridCells.size() < 199)
        input.gridCells << QString();
    return input;
}

EntryInput memoLines(const QString &text)
{
    EntryInput input;
    input.gridInUse = false;
    input.gridCells = QStringList(199, QString());
    input.memoText = text;
    return input;
}

/// The batch's context; the column-name dialog's OK adds `column` and reopens the view.
EntryBatch::Context contextFor(GradeBookFixture &fixture, const QString &column = {})
{
    EntryBatch::Context context;
    context.tables = fixture.tables;
    context.paths = fixture.paths;
    context.columnList = fixture.columnList;
    context.gradeScores = {9, 8, 7, 6};
    context.askColumnName = [&fixture, column](const std::function<Result(const QString &)> &addColumn) {
        if (!column.isEmpty() && addColumn(column))
            (void)fixture.openGradeBookView();
        return column;
    };
    return context;
}

void addScores(GradeBookFixture &fixture, const QString &column, const EntryInput &input)
{
    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Score, input, contextFor(fixture, column));
}
} // namespace

class TstEntryBatch final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rosterReplaceNumbersWithoutGaps_data();
    void rosterReplaceNumbersWithoutGaps();
    void rosterAppendFollowsTheHighestNumber();
    void rosterIsAllOrNothing_data();
    void rosterIsAllOrNothing();
    void rosterCancelTouchesNothing();
    void namesWithHiddenCharactersAreRefused_data();
    void namesWithHiddenCharactersAreRefused();
    void scoresGiveTotalsAndAverages();
    void rowsWithoutStudentAreNotApplied();
    void badScoreStopsTheBatch();
    void noColumnNameStopsAtOnce();
    void evaluations();
    void evaluationsBeyondTheLastStudent();
    void fullHistoryKeepsTheLatestGrades();
    void deleting();
};

void TstEntryBatch::rosterReplaceNumbersWithoutGaps_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("fromGrid");
    QTest::newRow("grade book, grid") << kModeGradeBook << true;
    QTest::newRow("grade book, memo") << kModeGradeBook << false;
    QTest::newRow("questioning, grid") << kModeQuestioning << true;
}

void TstEntryBatch::rosterReplaceNumbersWithoutGaps()
{
    QFETCH(QString, mode);
    QFETCH(bool, fromGrid);
    GradeBookFixture fixture;
    fixture.create({u"第1次"_s}, {{5, u"旧生"_s, 1, {99}}});
    fixture.folder.writeDataFile(u"一班语文记分册biaoti.qs"_s, "x");
    if (mode == kModeQuestioning)
        fixture.createQuestioning({{5, u"旧生"_s, 0, {3, 27, 9}}});
    const EntryInput input
        = fromGrid ? gridRows({u"张三"_s, u"李四"_s, QString(), QString(), u"王五"_s}) : memoLines(u"张三\n李四\n\n\n王五\n"_s);
    fixture.prompts.expectAnswer(Prompter::Answer::Yes);

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Roster, input, contextFor(fixture));

    const FakePrompter::Call &asked = fixture.prompts.calls().at(0);
    QCOMPARE(fixture.prompts.calls().size(), 1);
    QCOMPARE(asked.caption, u"提示"_s);
    QCOMPARE(asked.text,
        u"是否清除原有记录？清除原有数据，请单击“是”按钮;添加在原有数据后面，请单击“否”按钮;退出请单击“退出”按钮。"_s);
    QCOMPARE(asked.buttons, Prompter::Buttons::YesNoCancel);
    QCOMPARE(asked.icon, Prompter::Icon::Question);
    const QString table = fixture.tables.currentTable();
    QCOMPARE(fixture.column(u"编号"_s, table), (QVariantList{1, 2, 3}));
    QCOMPARE(fixture.column(u"姓名"_s, table), (QVariantList{u"张三"_s, u"李四"_s, u"王五"_s}));
    if (mode == kModeGradeBook) {
        QCOMPARE(fixture.database.columns(table).size(), 6);
        QVERIFY(!fixture.folder.hasDataFile(u"一班语文记分册biaoti.qs"_s));
        QCOMPARE(fixture.reopenings, 1);
    } else {
        QCOMPARE(fixture.column(u"次数"_s, table), (QVariantList{0, 0, 0}));
        QVERIFY(fixture.column(u"历史"_s, table).at(0).isNull());
        QCOMPARE(fixture.view.query().sql, Sql::showAllOrderedByNumber(table).sql);
    }
    // Closing steps: first row, grid formatting.
    QCOMPARE(fixture.view.currentRow(), 0);
    QCOMPARE(fixture.formattings, 1);
}

void TstEntryBatch::rosterAppendFollowsTheHighestNumber()
{
    GradeBookFixture fixture;
    // Student 2 was deleted: two rows, but number 7 is in use.
    fixture.create({u"第1次"_s}, {{1, u"甲"_s, 1, {80}}, {7, u"乙"_s, 1, {70}}});
    fixture.prompts.expectAnswer(Prompter::Answer::No);

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Roster, gridRows({u"丙"_s, QString(), u"丁"_s}), contextFor(fixture));

    QCOMPARE(fixture.column(u"编号"_s), (QVariantList{1, 7, 8, 9}));
    QCOMPARE(fixture.column(u"第1次"_s).at(0).toInt(), 80);
    QCOMPARE(fixture.prompts.calls().size(), 1);
}

void TstEntryBatch::rosterIsAllOrNothing_data()
{
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("replace") << Prompter::Answer::Yes;
    QTest::newRow("append") << Prompter::Answer::No;
}

void TstEntryBatch::rosterIsAllOrNothing()
{
    QFETCH(Prompter::Answer, answer);
    GradeBookFixture fixture;
    fixture.create({u"第1次"_s}, {{1, u"甲"_s, 1, {80}}});
    fixture.prompts.expectAnswer(answer);
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    // The third name is longer than the 8 characters of 姓名.
    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Roster, gridRows({u"丙"_s, u"丁"_s, u"一二三四五六七八九"_s}), contextFor(fixture));

    QCOMPARE(fixture.prompts.lastCall().text, u"请先登录系统！"_s);
    QCOMPARE(fixture.prompts.lastCall().caption, u"提示"_s);
    QCOMPARE(fixture.column(u"姓名"_s), QVariantList{u"甲"_s});
    QCOMPARE(fixture.column(u"第1次"_s), QVariantList{80});
    QCOMPARE(fixture.view.rowCount(), 1);
}

void TstEntryBatch::rosterCancelTouchesNothing()
{
    GradeBookFixture fixture;
    fixture.create({u"第1次"_s}, {{1, u"甲"_s, 1, {80}}, {2, u"乙"_s, 1, {70}}});
    QVERIFY(fixture.view.last());
    fixture.prompts.expectAnswer(Prompter::Answer::Cancel);

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Roster, gridRows({u"丙"_s}), contextFor(fixture));

    QCOMPARE(fixture.column(u"姓名"_s), (QVariantList{u"甲"_s, u"乙"_s}));
    QCOMPARE(fixture.view.currentRow(), 1);
    QCOMPARE(fixture.formattings, 0);

    // Row 1 of the grid empty: no question, only the closing steps.
    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Roster, gridRows({QString(), u"丙"_s}), contextFor(fixture));
    QCOMPARE(fixture.prompts.calls().size(), 1);
    QCOMPARE(fixture.formattings, 1);
}

void TstEntryBatch::namesWithHiddenCharactersAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::newRow("NUL, replacing") << u"张"_s + QChar(0) + u"三"_s << Prompter::Answer::Yes;
    QTest::newRow("tab, appending") << u"张三\t男"_s << Prompter::Answer::No;
    QTest::newRow("escape") << u"\x1B张三"_s << Prompter::Answer::No;
    QTest::newRow("C1 control") << u"张三\u0085"_s << Prompter::Answer::No;
    QTest::newRow("zero-width space") << u"张\u200B三"_s << Prompter::Answer::No;
    QTest::newRow("byte-order mark") << u"\uFEFF张三"_s << Prompter::Answer::Yes;
    QTest::newRow("right-to-left override") << u"张\u202E三"_s << Prompter::Answer::No;
    QTest::newRow("word joiner") << u"张三\u2060"_s << Prompter::Answer::No;
}

void TstEntryBatch::namesWithHiddenCharactersAreRefused()
{
    QFETCH(QString, name);
    QFETCH(Prompter::Answer, answer);
    GradeBookFixture fixture;
    fixture.create({u"第1次"_s}, {{1, u"甲"_s, 1, {80}}});
    fixture.prompts.expectAnswer(answer);
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Roster, gridRows({u"丙"_s, QString(), name, u"丁"_s}), contextFor(fixture));

    // Nothing is added, and the teacher is told which line holds what.
    QCOMPARE(fixture.column(u"姓名"_s), QVariantList{u"甲"_s});
    QCOMPARE(fixture.column(u"第1次"_s), QVariantList{80});
    QCOMPARE(fixture.prompts.calls().size(), 2);
    QCOMPARE(fixture.prompts.lastCall().caption, u"提示"_s);
    QCOMPARE(fixture.prompts.lastCall().icon, Prompter::Icon::Information);
    QVERIFY2(fixture.prompts.lastCall().text.startsWith(u"第3行的姓名“张三"_s), qPrintable(fixture.prompts.lastCall().text));
}

void TstEntryBatch::scoresGiveTotalsAndAverages()
{
    GradeBookFixture fixture;
    fixture.create({}, {{1, u"甲"_s, 1, {}}, {2, u"乙"_s, 1, {}}, {3, u"丙"_s, 2, {}}});

    addScores(fixture, u"第1次"_s, memoLines(u"85\n90\n77"_s));
    addScores(fixture, u"第2次"_s, gridRows({u"86"_s, QString(), u"-3"_s}));

    QCOMPARE(fixture.prompts.calls().size(), 0);
    // The empty grid row is skipped: -3 goes to the second student, the third keeps none.
    QCOMPARE(fixture.column(u"第2次"_s).at(1).toInt(), -3);
    QVERIFY(fixture.column(u"第2次"_s).at(2).isNull());
    QCOMPARE(fixture.column(u"合计"_s), (QVariantList{171, 87, 77}));
    const QVariantList averages = fixture.column(u"平均"_s);
    QCOMPARE(averages.at(0).toDouble(), 85.0);
    QCOMPARE(averages.at(1).toDouble(), 43.0);
    QCOMPARE(averages.at(2).toDouble(), 77.0); // from the first column only
}

void TstEntryBatch::rowsWithoutStudentAreNotApplied()
{
    GradeBookFixture fixture;
    fixture.create({}, {{1, u"甲"_s, 1, {}}, {2, u"乙"_s, 1, {}}});
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    addScores(fixture, u"第1次"_s, memoLines(u"85\n86\n87\n\n88\n"_s));

    QCOMPARE(fixture.column(u"第1次"_s), (QVariantList{85, 86}));
    QCOMPARE(fixture.prompts.calls().size(), 1);
    QCOMPARE(fixture.prompts.lastCall().caption, u"提示"_s);
    QCOMPARE(fixture.prompts.lastCall().text, u"有2行没有对应的学生,这些行没有录入!"_s);
    QCOMPARE(fixture.prompts.lastCall().icon, Prompter::Icon::Information);
}

void TstEntryBatch::badScoreStopsTheBatch()
{
    GradeBookFixture fixture;
    fixture.create({}, {{1, u"甲"_s, 1, {}}, {2, u"乙"_s, 1, {}}, {3, u"丙"_s, 1, {}}});
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    addScores(fixture, u"第1次"_s, gridRows({u"85"_s, u"85.5"_s, u"70"_s}));

    QCOMPARE(fixture.prompts.lastCall().text, u"数据输入错误！"_s);
    QCOMPARE(fixture.column(u"第1次"_s).at(0).toInt(), 85);
    QCOMPARE(fixture.column(u"合计"_s).at(0).toInt(), 85);
    QVERIFY(fixture.column(u"第1次"_s).at(1).isNull());
    QVERIFY(fixture.column(u"合计"_s).at(1).isNull());
    QVERIFY(fixture.column(u"第1次"_s).at(2).isNull());
    // Formatted for the first column's view, and again by the closing steps.
    QCOMPARE(fixture.formattings, 2);
}

void TstEntryBatch::noColumnNameStopsAtOnce()
{
    GradeBookFixture fixture;
    fixture.create({u"第1次"_s}, {{1, u"甲"_s, 1, {80}}});
    QVERIFY(fixture.view.last());

    addScores(fixture, QString(), memoLines(u"85"_s));

    QCOMPARE(fixture.prompts.calls().size(), 0);
    QCOMPARE(fixture.formattings, 0);
    QCOMPARE(fixture.tableColumns().size(), 7);
}

void TstEntryBatch::evaluations()
{
    GradeBookFixture fixture;
    fixture.createQuestioning({{1, u"甲"_s, 0, {0, 0, 0}}, {2, u"乙"_s, 0, {1, 9, 9}}, {3, u"丙"_s, 0, {1, 8, 8}}});

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Evaluation, memoLines(u"A\nB\nc"_s), contextFor(fixture));

    const QString table = fixture.tables.questioningTable();
    QCOMPARE(fixture.prompts.calls().size(), 0);
    QCOMPARE(fixture.column(u"评价"_s, table), (QVariantList{u"A"_s, u"B"_s, u"c"_s}));
    QCOMPARE(fixture.column(u"次数"_s, table), (QVariantList{1, 2, 1}));
    QCOMPARE(fixture.column(u"总分"_s, table), (QVariantList{9, 17, 8}));
    QCOMPARE(fixture.column(u"平均"_s, table).at(1).toDouble(), 8.0);
    // A lower-case c is kept but not scored.
    QCOMPARE(fixture.column(u"历史"_s, table), (QVariantList{u"A"_s, u"B"_s, u"c"_s}));
}

void TstEntryBatch::evaluationsBeyondTheLastStudent()
{
    GradeBookFixture fixture;
    fixture.createQuestioning({{1, u"甲"_s, 0, {0, 0, 0}}});
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Evaluation, gridRows({u"A"_s, u"B"_s, u"C"_s}), contextFor(fixture));

    const QString table = fixture.tables.questioningTable();
    QCOMPARE(fixture.column(u"历史"_s, table), QVariantList{u"A"_s});
    QCOMPARE(fixture.column(u"次数"_s, table), QVariantList{1});
    QCOMPARE(fixture.prompts.lastCall().text, u"有2行没有对应的学生,这些行没有录入!"_s);
}

void TstEntryBatch::fullHistoryKeepsTheLatestGrades()
{
    GradeBookFixture fixture;
    fixture.createQuestioning({{1, u"甲"_s, 0, {60, 540, 9}}});
    const QString table = fixture.tables.questioningTable();
    fixture.run(u"UPDATE [%1] SET [历史]='%2'"_s.arg(table, QString(60, QLatin1Char('A'))));
    QVERIFY(fixture.view.open());

    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView)
        .add(EntryKind::Evaluation, memoLines(u"D"_s), contextFor(fixture));

    QCOMPARE(fixture.prompts.calls().size(), 0);
    QCOMPARE(fixture.column(u"历史"_s, table), QVariantList{QString(59, QLatin1Char('A')) + u"D"_s});
    QCOMPARE(fixture.column(u"次数"_s, table), QVariantList{61});
    QCOMPARE(fixture.column(u"总分"_s, table), QVariantList{546});
}

void TstEntryBatch::deleting()
{
    GradeBookFixture fixture;
    fixture.create({}, {});
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);
    EntryBatch(fixture.database, fixture.view, fixture.prompts, fixture.mainView).deleteCurrent();
    QCOMPARE(fixture.prompts.lastCall().text, u"没有选中的学生记录,无法删除!"_s);
    QCOMPARE(fixture.prompts.calls().size(), 1);

    fixture.create({}, {{1, u"甲"_s, 1, {}}, {2, u"乙"_s, 1, {}}, {3, u"丙"_s, 1, {}}});
    QVERIFY(fixture.view.moveTo(1));
    fixture.prompts.clear();
    fixture.prompts.expectAnswer(Prompter::Answer::No);
    fixture.prompts.expectAnswer(Prompter::Answer::Yes);
    EntryBatch batch(fixture.database, fixture.view, fixture.prompts, fixture.mainView);
    batch.deleteCurrent();
    QCOMPARE(fixture.rowCount(), 3);
    batch.deleteCurrent();
    QCOMPARE(fixture.prompts.lastCall().text, u"确定清除该生记录吗?"_s);
    QCOMPARE(fixture.prompts.lastCall().buttons, Prompter::Buttons::YesNo);
    QCOMPARE(fixture.column(u"编号"_s), (QVariantList{1, 3}));
}

QTEST_GUILESS_MAIN(TstEntryBatch)
#include "TstEntryBatch.moc"
