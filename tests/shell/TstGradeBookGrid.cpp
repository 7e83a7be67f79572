#include "ShellFixture.h"
#include "entry/EntryCommands.h"
#include "entry/EntryPanel.h"
#include "entry/Unit6.h"
#include "gradebook/GradeBookToolbar.h"
#include "gradebook/Unit5.h"
#include "gradebook/Unit8.h"
#include "store/DatasetModel.h"
#include "store/TableNames.h"
#include "ui/DataGrid.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QWindow>

using Answer = Prompter::Answer;

namespace {

const QString kGradeBook = QStringLiteral("一班语文记分册");
const QString kQuestioning = QStringLiteral("一班语文课堂提问");
constexpr int kStudents = 36; // the sample class of 母版

/// The window shown and active, as the teacher sees it.
void showWindow(TForm1 &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

/// Where a cell of the main grid lies in the window.
QPoint cellPosition(TForm1 &window, int row, int column)
{
    DataGrid *grid = window.mainGrid();
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    return grid->viewport()->mapTo(&window, grid->visualRect(cell).center());
}

/// A click on a cell through the window system, so that it lands on whatever lies there.
void clickCell(TForm1 &window, int row, int column)
{
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, cellPosition(window, row, column));
}

void doubleClickCell(TForm1 &window, int row, int column)
{
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, cellPosition(window, row, column));
}

/// The cell editor open on a cell, after the teacher clicked it with direct modification on.
QLineEdit *openEditor(TForm1 &window, int row, int column)
{
    clickCell(window, row, column);
    DataGrid *grid = window.mainGrid();
    const QModelIndex cell = grid->model()->index(row, column);
    if (!QTest::qWaitFor([&] { return grid->indexWidget(cell) != nullptr; }))
        return nullptr;
    return qobject_cast<QLineEdit *>(grid->indexWidget(cell));
}

/// Text typed into a box, as the keyboard or an input method (full-width digits) gives it.
void type(QLineEdit *box, const QString &text)
{
    QInputMethodEvent committed;
    committed.setCommitString(text);
    QApplication::sendEvent(box, &committed);
}

/// 录入 with the chooser's choice, then the memo takes the input.
void openEntryPanel(Shell &shell, bool roster)
{
    shell.prompter.expectDialog([roster](QDialog &dialog) {
        auto *chooser = qobject_cast<TForm6 *>(&dialog);
        if (!chooser)
            return int(QDialog::Rejected);
        (roster ? chooser->rosterChoice() : chooser->scoreChoice())->setChecked(true);
        return int(QDialog::Accepted);
    });
    shell.window.entry().SpeedButton2Click();
    EntryPanel *panel = shell.window.panel1();
    QVERIFY(!panel->isHidden());
    if (panel->gridInUse())
        panel->SpeedButton3Click();
}

/// The column-name dialog confirmed with the name it offers.
void confirmColumnName(Shell &shell)
{
    shell.prompter.expectDialog([](QDialog &dialog) {
        auto *form = qobject_cast<TForm8 *>(&dialog);
        if (!form)
            return int(QDialog::Rejected);
        form->okButton()->click();
        return form->result();
    });
}

QStringList lines(int count, const std::function<QString(int)> &line)
{
    QStringList texts;
    for (int k = 1; k <= count; ++k)
        texts << line(k);
    return texts;
}

QStringList texts(const QVariantList &values)
{
    QStringList shown;
    for (const QVariant &value : values)
        shown << value.toString();
    return shown;
}

/// The stored values of a column, in 编号 order.
QVariantList stored(Shell &shell, const QString &table, const QString &column)
{
    QVariantList values;
    QSqlQuery select(shell.window.context().database.connection());
    select.exec(QStringLiteral("SELECT [%1] FROM [%2] ORDER BY [编号]").arg(column, table));
    while (select.next())
        values << select.value(0);
    return values;
}

} // namespace

/// The grade book's grid as the teacher uses it through the main window: direct
/// modification while batches run, what is typed into a cell, the double-click toggle,
/// tables of an older shape, and totals taken from the file.
class TstGradeBookGrid final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void batchesWithAnOpenCellEditor_data();
    void batchesWithAnOpenCellEditor();
    void walkingTheQueryIsNotSteeredByTheGrid();
    void typedScore_data();
    void typedScore();
    void doubleClickTogglesBothWays_data();
    void doubleClickTogglesBothWays();
    void averageEditorShowsWhatTheCellShows();
    void cellsLookAsTheStyleDrawsThem();
    void tableOfAnOlderShape_data();
    void tableOfAnOlderShape();
    void tableWithoutNumbersIsRefused();
    void enterTakesTheTotalsFromTheFile();
};

void TstGradeBookGrid::batchesWithAnOpenCellEditor_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("switchOn");
    QTest::newRow("scores, 修改 button") << QStringLiteral("scores") << QStringLiteral("button");
    QTest::newRow("scores, 直接修改") << QStringLiteral("scores") << QStringLiteral("menu");
    QTest::newRow("scores, double-click") << QStringLiteral("scores") << QStringLiteral("double-click");
    QTest::newRow("evaluations, 直接修改") << QStringLiteral("evaluations") << QStringLiteral("menu");
    QTest::newRow("roster appended, 修改 button") << QStringLiteral("roster") << QStringLiteral("button");
}

void TstGradeBookGrid::batchesWithAnOpenCellEditor()
{
    QFETCH(QString, kind);
    QFETCH(QString, switchOn);
    const bool gradeBook = kind != QLatin1String("evaluations");
    Shell shell;
    shell.startIn(gradeBook ? kModeGradeBook : kModeQuestioning);
    shell.prompter.clear();
    TestWindow &window = shell.window;
    showWindow(window);
    openEntryPanel(shell, kind == QLatin1String("roster"));
    QCOMPARE(window.context().mainQuery.rowCount(), kStudents);

    if (switchOn == QLatin1String("button"))
        QTest::mouseClick(window.gradeBookToolbar()->modifyButton(), Qt::LeftButton);
    else if (switchOn == QLatin1String("menu"))
        (gradeBook ? window.menus().gradeBookDirectModification : window.menus().questioningDirectModification)->trigger();
    else
        doubleClickCell(window, 1, 1);
    QVERIFY(window.menus().gradeBookDirectModification->isChecked());
    // The teacher has clicked into a cell, whose editor is open when 添加 is pressed.
    QVERIFY(openEditor(window, 2, 1));

    const QString table = gradeBook ? kGradeBook : kQuestioning;
    const QVariantList names = stored(shell, table, QStringLiteral("姓名"));
    QStringList input;
    if (kind == QLatin1String("scores")) {
        input = lines(kStudents, [](int k) { return QString::number(50 + k); });
        confirmColumnName(shell);
    } else if (kind == QLatin1String("evaluations")) {
        input = lines(kStudents, [](int k) { return QString(QChar(u'A' + (k - 1) % 4)); });
    } else {
        input = lines(3, [](int k) { return QStringLiteral("新生%1").arg(k); });
        shell.prompter.expectAnswer(Answer::No);
    }
    window.panel1()->memo()->setPlainText(input.join(QLatin1Char('\n')));

    window.panel1()->addButton()->click();
    QTRY_COMPARE(shell.prompter.pendingReplies(), 0);
    QTest::qWait(50);

    QStringList messages = shell.prompter.messages();
    if (kind == QLatin1String("roster"))
        messages.removeFirst(); // the roster question
    QCOMPARE(messages, QStringList());
    if (kind == QLatin1String("scores")) {
        QCOMPARE(texts(stored(shell, table, QStringLiteral("第1次"))), input);
        QCOMPARE(texts(stored(shell, table, QStringLiteral("合计"))), input);
    } else if (kind == QLatin1String("evaluations")) {
        QCOMPARE(texts(stored(shell, table, QStringLiteral("评价"))), input);
        QCOMPARE(stored(shell, table, QStringLiteral("次数")), QVariantList(kStudents, 1));
    } else {
        QCOMPARE(stored(shell, table, QStringLiteral("编号")).mid(kStudents), (QVariantList{37, 38, 39}));
        QCOMPARE(texts(stored(shell, table, QStringLiteral("姓名")).mid(kStudents)), input);
    }
    // Nobody's name was touched by the editor that stood open.
    QCOMPARE(stored(shell, table, QStringLiteral("姓名")).mid(0, kStudents), names);
}

void TstGradeBookGrid::walkingTheQueryIsNotSteeredByTheGrid()
{
    Shell shell;
    shell.startIn(kModeGradeBook);
    TestWindow &window = shell.window;
    showWindow(window);
    window.toggleDirectModification();
    QLineEdit *editor = openEditor(window, 3, 1);
    QVERIFY(editor);
    const QVariantList names = stored(shell, kGradeBook, QStringLiteral("姓名"));

    // What every command that reads or writes row by row does.
    Dataset &query = window.context().mainQuery;
    QVERIFY(query.first());
    QList<int> visited{query.currentRow()};
    while (query.currentRow() + 1 < query.rowCount() && visited.size() <= kStudents) {
        QVERIFY(query.next());
        visited << query.currentRow();
    }
    QVERIFY(query.first());

    QList<int> expected;
    for (int row = 0; row < kStudents; ++row)
        expected << row;
    QCOMPARE(visited, expected);
    QCOMPARE(window.mainGrid()->currentIndex().row(), 0);
    QCOMPARE(stored(shell, kGradeBook, QStringLiteral("姓名")), names);
    QVERIFY(shell.prompter.calls().size() == 2); // the first login's two questions
}

void TstGradeBookGrid::typedScore_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("score");
    QTest::addColumn<QVariant>("total");
    QTest::newRow("85") << QStringLiteral("85") << QVariant(85) << QVariant(171);
    QTest::newRow("full-width ８５") << QStringLiteral("８５") << QVariant(85) << QVariant(171);
    QTest::newRow("full-width －３") << QStringLiteral("－３") << QVariant(-3) << QVariant(83);
    QTest::newRow("letters") << QStringLiteral("abc") << QVariant() << QVariant();
    QTest::newRow("a fraction") << QStringLiteral("85.5") << QVariant() << QVariant();
    QTest::newRow("past the INT range") << QStringLiteral("2147483648") << QVariant() << QVariant();
}

void TstGradeBookGrid::typedScore()
{
    QFETCH(QString, typed);
    QFETCH(QVariant, score);
    QFETCH(QVariant, total);
    const bool taken = score.isValid();
    Shell shell;
    shell.startWithScores(QStringLiteral("UPDATE [一班语文记分册] SET [第2次] = 86"));
    TestWindow &window = shell.window;
    QLineEdit *editor = openEditor(window, 0, 3);
    QVERIFY(editor);
    if (!taken)
        shell.prompter.expectAnswer(Answer::Ok);

    editor->selectAll();
    type(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(50);

    const QVariant first = shell.scalar(QStringLiteral("SELECT [第1次] FROM [一班语文记分册] WHERE [编号] = 1"));
    const QVariant sum = shell.scalar(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号] = 1"));
    if (taken) {
        QCOMPARE(shell.prompter.calls().size(), 0);
        QCOMPARE(first.toInt(), score.toInt());
        QCOMPARE(sum.toInt(), total.toInt());
        return;
    }
    QCOMPARE(shell.prompter.calls().size(), 1);
    const FakePrompter::Call &told = shell.prompter.lastCall();
    QCOMPARE(told.caption, QStringLiteral("提示"));
    QCOMPARE(told.icon, Prompter::Icon::Information);
    QVERIFY2(told.text.contains(typed) && told.text.contains(QStringLiteral("第1次")), qPrintable(told.text));
    // Nothing is written, not even the totals, and the cell keeps what was typed.
    QVERIFY(first.isNull());
    QVERIFY(sum.isNull());
    DataGrid *grid = window.mainGrid();
    auto *open = qobject_cast<QLineEdit *>(grid->indexWidget(grid->model()->index(0, 3)));
    QVERIFY(open);
    QCOMPARE(open->text(), typed);

    // The teacher corrects it, and Enter takes it.
    open->selectAll();
    QTest::keyClicks(open, QStringLiteral("77"));
    QTest::keyClick(open, Qt::Key_Return);
    QTRY_COMPARE(shell.scalar(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号] = 1")).toInt(), 163);
    QCOMPARE(shell.prompter.calls().size(), 1);
}

void TstGradeBookGrid::doubleClickTogglesBothWays_data()
{
    QTest::addColumn<int>("secondRow");
    QTest::newRow("the same cell twice") << 1;
    QTest::newRow("another cell the second time") << 4;
}

void TstGradeBookGrid::doubleClickTogglesBothWays()
{
    QFETCH(int, secondRow);
    Shell shell;
    shell.startIn(kModeGradeBook);
    TestWindow &window = shell.window;
    showWindow(window);
    QAction *mark = window.menus().gradeBookDirectModification;

    doubleClickCell(window, 1, 1);
    QTRY_VERIFY(mark->isChecked());
    QCOMPARE(window.mainGrid()->presentation(), GridPresentation::edit());
    QCOMPARE(window.mainGrid()->toolTip(), QStringLiteral("修改后回车以更新数据"));

    doubleClickCell(window, secondRow, 1);
    QTRY_VERIFY(!mark->isChecked());
    QCOMPARE(window.mainGrid()->presentation(), GridPresentation::browse());
    QCOMPARE(window.mainGrid()->toolTip(), QStringLiteral("双击直接修改"));
    QCOMPARE(window.gradeBookToolbar()->modifyButton()->toolTip(), QStringLiteral("允许直接修改"));

    doubleClickCell(window, 2, 2);
    QTRY_VERIFY(mark->isChecked());
    QCOMPARE(shell.prompter.calls().size(), 2); // the first login's two questions
}

void TstGradeBookGrid::averageEditorShowsWhatTheCellShows()
{
    Shell shell;
    shell.startWithScores(QStringLiteral("UPDATE [一班语文记分册] SET [第1次] = 61, [第2次] = 62, [合计] = 123, [平均] = 61"));
    TestWindow &window = shell.window;
    const int average = window.context().mainQuery.fieldIndex(QStringLiteral("平均"));
    QCOMPARE(average, 6);

    QLineEdit *editor = openEditor(window, 0, average);
    QVERIFY2(editor, "the 平均 cell is edited in a plain text box");
    QCOMPARE(editor->text(), QStringLiteral("61"));
    QLineEdit *score = openEditor(window, 0, 3);
    QVERIFY(score);
    QCOMPARE(score->text(), QStringLiteral("61"));
    QCOMPARE(shell.prompter.calls().size(), 0);
}

/// The grid draws its plain cells itself; they look exactly as the style draws them:
/// scores, empty cells, names (one that looks like markup), names too wide for their
/// column, the alternate rows and the current row, in both the lesson and the grade book.
void TstGradeBookGrid::cellsLookAsTheStyleDrawsThem()
{
    Shell shell;
    shell.startWithScores(QStringLiteral(
        "UPDATE [一班语文记分册] SET [第1次] = [编号] + 60, [第2次] = CASE WHEN [编号] % 3 = 0 THEN NULL ELSE -5 END"));
    shell.execute(QStringLiteral("UPDATE [一班语文记分册] SET [姓名] = '<s>张三' WHERE [编号] = 2"));
    shell.execute(QStringLiteral("UPDATE [一班语文记分册] SET [姓名] = '欧阳娜娜' || [编号] WHERE [编号] > 4"));
    QVERIFY(shell.window.openGradeBookView());
    DataGrid *grid = shell.window.mainGrid();
    grid->setCurrentIndex(grid->model()->index(3, 3));
    const auto drawnBy = [grid](QAbstractItemDelegate *cells) {
        QAbstractItemDelegate *own = grid->itemDelegate();
        grid->setItemDelegate(cells);
        const QImage drawn = grid->viewport()->grab().toImage();
        grid->setItemDelegate(own);
        return drawn;
    };
    QStyledItemDelegate style;
    for (const int nameWidth : {120, 40}) {
        grid->setColumnWidth(1, nameWidth);
        const QImage own = drawnBy(grid->itemDelegate());
        QVERIFY(!own.isNull());
        QVERIFY2(own == drawnBy(&style), qPrintable(QStringLiteral("names %1 pixels wide").arg(nameWidth)));
    }
    // The lesson's grid, with its colours and fonts.
    QVERIFY(shell.window.openQuestioningView());
    shell.window.showView(View::Questioning);
    QVERIFY(drawnBy(grid->itemDelegate()) == drawnBy(&style));
}

void TstGradeBookGrid::tableOfAnOlderShape_data()
{
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QStringList>("repairedColumns");
    const QStringList fixed{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组"), QStringLiteral("合计"),
        QStringLiteral("平均"), QStringLiteral("名次")};
    QTest::newRow("without 合计") << QStringLiteral(
        "[编号] INT, [姓名] VARCHAR(8), [小组] INT, [平均] FLOAT, [名次] INT, [第1次] INT, [第2次] INT")
                                  << fixed + QStringList{QStringLiteral("第1次"), QStringLiteral("第2次")};
    QTest::newRow("合计 added at the end by an older login")
        << QStringLiteral(
               "[编号] INT, [姓名] VARCHAR(8), [小组] INT, [平均] FLOAT, [名次] INT, [第1次] INT, [第2次] INT, [合计] INT")
        << fixed + QStringList{QStringLiteral("第1次"), QStringLiteral("第2次")};
    QTest::newRow("a text column 备注 among the scores") << QStringLiteral(
        "[编号] INT, [姓名] VARCHAR(8), [小组] INT, [合计] INT, [平均] FLOAT, [名次] INT, [第1次] INT, [备注] TEXT, [第2次] INT")
                                                         << fixed
            + QStringList{QStringLiteral("第1次"), QStringLiteral("备注"), QStringLiteral("第2次")};
}

void TstGradeBookGrid::tableOfAnOlderShape()
{
    QFETCH(QString, definition);
    QFETCH(QStringList, repairedColumns);
    Shell shell;
    shell.startIn(kModeQuestioning);
    TestWindow &window = shell.window;
    shell.execute(QStringLiteral("DROP TABLE [一班语文记分册]"));
    shell.execute(QStringLiteral("CREATE TABLE [一班语文记分册] (%1)").arg(definition));
    const bool remark = definition.contains(QStringLiteral("备注"));
    for (int k = 1; k <= 3; ++k) {
        shell.execute(
            QStringLiteral("INSERT INTO [一班语文记分册] ([编号],[姓名],[小组],[第1次],[第2次]%1) VALUES (%2,'生%2',1,%3,%4%5)")
                .arg(remark ? QStringLiteral(",[备注]") : QString())
                .arg(k)
                .arg(60 + k)
                .arg(70 + k)
                .arg(remark ? QStringLiteral(",'12'") : QString()));
    }
    shell.prompter.clear();
    window.loginDialog = shell.login(kModeGradeBook, false);

    window.N3Click();

    QCOMPARE(shell.prompter.messages(), QStringList());
    QCOMPARE(window.context().database.columns(kGradeBook), repairedColumns);
    QCOMPARE(window.context().mainQuery.fieldNames(),
        QString(QStringLiteral("编号,姓名,小组,第1次,第2次,合计,平均")).split(QLatin1Char(',')));
    QCOMPARE(stored(shell, kGradeBook, QStringLiteral("第2次")), (QVariantList{71, 72, 73}));
    if (remark)
        QCOMPARE(stored(shell, kGradeBook, QStringLiteral("备注")), QVariantList(3, QStringLiteral("12")));

    // Enter adds up the two scores only.
    showWindow(window);
    window.toggleDirectModification();
    QVERIFY(openEditor(window, 1, 3));
    QTest::keyClick(window.mainGrid()->indexWidget(window.mainGrid()->model()->index(1, 3)), Qt::Key_Return);
    QTRY_COMPARE(stored(shell, kGradeBook, QStringLiteral("合计")).at(1).toInt(), 62 + 72);
    QCOMPARE(stored(shell, kGradeBook, QStringLiteral("平均")).at(1).toDouble(), 67.0);

    // 排序 ranks the students; it does not end in 操作错误！.
    window.toggleDirectModification();
    shell.execute(QStringLiteral("UPDATE [一班语文记分册] SET [合计] = [第1次] + [第2次], [平均] = ([第1次] + [第2次]) / 2"));
    shell.prompter.expectDialog([](QDialog &dialog) {
        auto *sort = qobject_cast<TForm5 *>(&dialog);
        if (!sort)
            return int(QDialog::Rejected);
        sort->okButton()->click();
        return sort->result();
    });
    window.menus().gradeBookSort->trigger();
    QTRY_COMPARE(shell.prompter.pendingReplies(), 0);
    QCOMPARE(shell.prompter.messages(), QStringList());
    QCOMPARE(stored(shell, kGradeBook, QStringLiteral("名次")), (QVariantList{3, 2, 1}));
}

void TstGradeBookGrid::tableWithoutNumbersIsRefused()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TestWindow &window = shell.window;
    shell.execute(QStringLiteral("DROP TABLE [一班语文记分册]"));
    shell.execute(QStringLiteral("CREATE TABLE [一班语文记分册] ([姓名] VARCHAR(8), [小组] INT, [第1次] INT)"));
    shell.execute(QStringLiteral("INSERT INTO [一班语文记分册] VALUES ('甲', 1, 80)"));
    shell.prompter.clear();
    const QStringList shape{QStringLiteral("姓名"), QStringLiteral("小组"), QStringLiteral("第1次")};

    // Numbers cannot be made up: the grade book is refused, saying what it lacks, and left as it is.
    const Result refused = window.openGradeBookView();
    QVERIFY(!refused);
    QCOMPARE(window.context().database.columns(kGradeBook), shape);
    QVERIFY2(refused.error.contains(kGradeBook) && refused.error.contains(QStringLiteral("“编号”")), qPrintable(refused.error));
    shell.prompter.clear();
    window.loginDialog = [&] {
        shell.prompter.expectAnswer(Answer::Ok);
        QVERIFY(!LoginController(window.context(), window,
            [] {}).login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeGradeBook}));
    };
    window.N3Click();
    QCOMPARE(shell.prompter.messages().size(), 1);
    QVERIFY2(shell.prompter.messages().first().contains(QStringLiteral("编号")), qPrintable(shell.prompter.messages().first()));
    QCOMPARE(window.context().database.columns(kGradeBook), shape);

    // The questioning view of the class still opens.
    window.loginDialog = shell.login(kModeQuestioning, false);
    window.N3Click();
    QCOMPARE(window.context().login.mode, kModeQuestioning);
    QCOMPARE(window.context().mainQuery.rowCount(), kStudents);
    QCOMPARE(window.context().database.columns(kGradeBook), shape);
}

void TstGradeBookGrid::enterTakesTheTotalsFromTheFile()
{
    Shell shell;
    shell.startWithScores(QStringLiteral("UPDATE [一班语文记分册] SET [第1次] = 40, [第2次] = 86"));
    TestWindow &window = shell.window;

    // Another program on the same Record.mdb changes the row and adds a column meanwhile.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other-program"));
        other.setDatabaseName(shell.folder.path() + QStringLiteral("/Record.mdb"));
        QVERIFY(other.open());
        QSqlQuery change(other);
        QVERIFY(change.exec(QStringLiteral("UPDATE [一班语文记分册] SET [第2次] = 97 WHERE [编号] = 1")));
        QVERIFY(change.exec(QStringLiteral("ALTER TABLE [一班语文记分册] ADD COLUMN [第3次] INT NULL")));
        QVERIFY(change.exec(QStringLiteral("UPDATE [一班语文记分册] SET [第3次] = 5")));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other-program"));

    QLineEdit *editor = openEditor(window, 0, 3);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("55"));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(shell.scalar(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号] = 1")).toInt(), 55 + 97 + 5);
    QCOMPARE(shell.scalar(QStringLiteral("SELECT [平均] FROM [一班语文记分册] WHERE [编号] = 1")).toDouble(), 52.0);
    QCOMPARE(shell.scalar(QStringLiteral("SELECT [第2次] FROM [一班语文记分册] WHERE [编号] = 1")).toInt(), 97);
    // The grid shows what the file holds.
    QCOMPARE(window.context().mainQuery.value(QStringLiteral("合计")).toInt(), 157);
    QCOMPARE(window.context().mainQuery.value(QStringLiteral("第2次")).toInt(), 97);
    QCOMPARE(shell.prompter.calls().size(), 0);
}

QTEST_MAIN(TstGradeBookGrid)
#include "TstGradeBookGrid.moc"
