#include "Typing.h"
#include "entry/EntryGrid.h"
#include "entry/EntryPanel.h"
#include "entry/Unit6.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
/// The panel opened for a roster in a window of its own, active, the grid taking the keys.
bool showForRoster(EntryPanel &panel)
{
    panel.resize(160, 400);
    panel.resetInput(EntryKind::Roster);
    panel.show();
    return QTest::qWaitForWindowActive(&panel) && panel.focusGrid();
}
} // namespace

class TstEntryPanel final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutAndHints();
    void gridReset_data();
    void gridReset();
    void pasteFillsRowsFromTheCurrentOne_data();
    void pasteFillsRowsFromTheCurrentOne();
    void pasteIntoAnOpenCellEditor();
    void gridToggle();
    void focusFollowsTheInputInUse();
    void tabMovesDownTheInputColumn();
    void titleRowHasOneWeight();
    void toolbarIconsLookEnabled();
    void caretLine();
    void kindChooser();
};

void TstEntryPanel::layoutAndHints()
{
    EntryPanel panel;
    QCOMPARE(panel.objectName(), u"Panel1"_s);
    QCOMPARE(panel.width(), 160);
    const QList<QPair<QToolButton *, QString>> icons{{panel.openButton(), u"打开"_s}, {panel.saveButton(), u"保存"_s},
        {panel.saveDefaultButton(), u"保存为默认模板"_s}, {panel.loadDefaultButton(), u"导入默认模板"_s},
        {panel.importButton(), u"从母版中导入"_s}, {panel.gridToggleButton(), u"隐藏网格"_s}};
    for (const auto &[button, hint] : icons) {
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->accessibleName(), hint);
        QVERIFY(!button->icon().isNull());
    }
    const QList<std::tuple<QPushButton *, QString, QString>> buttons{{panel.addButton(), u"添加"_s, u"批量添加"_s},
        {panel.deleteButton(), u"删除"_s, u"删除该生记录"_s}, {panel.hideButton(), u"隐藏"_s, u"隐藏录入窗口"_s}};
    for (const auto &[button, caption, hint] : buttons) {
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
    }
    QCOMPARE(panel.memo()->toolTip(), u"请输入内容和回车"_s);

    QSignalSpy added(&panel, &EntryPanel::addClicked);
    QSignalSpy deleted(&panel, &EntryPanel::deleteClicked);
    QSignalSpy hidden(&panel, &EntryPanel::hideClicked);
    panel.addButton()->click();
    panel.deleteButton()->click();
    panel.hideButton()->click();
    QCOMPARE(added.size() + deleted.size() + hidden.size(), 3);

    panel.setToolbarEnabled(false);
    QVERIFY(!panel.importButton()->isEnabled());
    QVERIFY(panel.addButton()->isEnabled());
}

void TstEntryPanel::gridReset_data()
{
    QTest::addColumn<EntryKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("roster") << EntryKind::Roster << u"姓名"_s;
    QTest::newRow("evaluations") << EntryKind::Evaluation << u"评价"_s;
    QTest::newRow("scores") << EntryKind::Score << u"成绩"_s;
    QTest::newRow("no kind keeps the title") << EntryKind::None << u"成绩"_s;
}

void TstEntryPanel::gridReset()
{
    QFETCH(EntryKind, kind);
    QFETCH(QString, title);
    EntryPanel panel;
    panel.resetInput(EntryKind::Score);
    panel.grid()->setCellText(5, u"张三"_s);
    panel.memo()->setPlainText(u"李四"_s);

    panel.resetInput(kind);

    EntryGrid *grid = panel.grid();
    QCOMPARE(grid->rowCount(), 199);
    QCOMPARE(grid->columnCount(), 2);
    QCOMPARE(grid->columnWidth(0), 40);
    QCOMPARE(grid->rowHeight(0), 18);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), u"编号"_s);
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), title);
    QCOMPARE(grid->item(0, 0)->text(), u"1"_s);
    QCOMPARE(grid->item(198, 0)->text(), u"199"_s);
    QVERIFY(!(grid->item(0, 0)->flags() & Qt::ItemIsEditable));
    QVERIFY(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    QCOMPARE(grid->cellText(5), QString());
    QVERIFY(panel.memo()->toPlainText().isEmpty());
}

void TstEntryPanel::pasteFillsRowsFromTheCurrentOne_data()
{
    QTest::addColumn<int>("currentRow"); // 1-based
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("expected"); // rows from currentRow on
    QTest::newRow("a spreadsheet column") << 3 << u"85\r\n86\r\n\r\n87\r\n"_s
                                          << QStringList{u"85"_s, u"86"_s, QString(), u"87"_s, QString()};
    QTest::newRow("several columns: the first one")
        << 1 << u"张三\t男\t12\n李四\t女\n"_s << QStringList{u"张三"_s, u"李四"_s, QString()};
    QTest::newRow("a text file with LF") << 1 << u"A\nB"_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("beyond the last row is dropped") << 198 << u"1\n2\n3\n"_s << QStringList{u"1"_s, u"2"_s};
}

void TstEntryPanel::pasteFillsRowsFromTheCurrentOne()
{
    QFETCH(int, currentRow);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, expected);
    EntryPanel panel;
    panel.resetInput(EntryKind::Score);
    panel.show();
    EntryGrid *grid = panel.grid();
    grid->setCellText(currentRow + int(expected.size()) - 1, u"旧"_s);
    grid->setCurrentCell(currentRow - 1, 1);
    QApplication::clipboard()->setText(clipboard);

    QTest::keySequence(grid, QKeySequence::Paste);

    QStringList actual;
    for (int row = currentRow; row < currentRow + expected.size(); ++row)
        actual << grid->cellText(row);
    if (currentRow + expected.size() - 1 <= 199 && expected.constLast().isEmpty())
        expected.last() = u"旧"_s; // the row after the pasted ones keeps its text
    QCOMPARE(actual, expected);
    if (currentRow > 1)
        QCOMPARE(grid->cellText(currentRow - 1), QString());
}

void TstEntryPanel::pasteIntoAnOpenCellEditor()
{
    EntryPanel panel;
    panel.resetInput(EntryKind::Roster);
    panel.show();
    EntryGrid *grid = panel.grid();
    grid->setCurrentCell(1, 1);
    grid->editItem(grid->item(1, 1));
    QPointer<QLineEdit> editor = grid->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QApplication::clipboard()->setText(u"王五\n赵六\n"_s);

    QTest::keySequence(editor, QKeySequence::Paste);

    QCOMPARE(grid->cellText(2), u"王五"_s);
    QCOMPARE(grid->cellText(3), u"赵六"_s);
    // The editor is closed without writing the clipboard's text into its cell.
    QTRY_VERIFY(!editor || !editor->isVisible());
    QCOMPARE(grid->cellText(2), u"王五"_s);
}

void TstEntryPanel::gridToggle()
{
    EntryPanel panel;
    panel.resetInput(EntryKind::Roster);
    panel.show();
    panel.grid()->setCellText(1, u"张三"_s);
    panel.memo()->setPlainText(u"behind the grid"_s);
    QVERIFY(panel.gridInUse());

    panel.gridToggleButton()->click();
    QVERIFY(!panel.gridInUse());
    QVERIFY(!panel.grid()->isVisible());
    QCOMPARE(panel.gridToggleButton()->toolTip(), u"显示网格"_s);
    QCOMPARE(panel.gridToggleButton()->accessibleName(), u"显示网格"_s);
    QVERIFY(panel.memo()->toPlainText().isEmpty());
    panel.memo()->setPlainText(u"李四\n王五"_s);
    QCOMPARE(panel.input().rows(), (QStringList{u"李四"_s, u"王五"_s}));

    panel.gridToggleButton()->click();
    QVERIFY(panel.gridInUse());
    QVERIFY(panel.grid()->isVisible());
    QCOMPARE(panel.gridToggleButton()->toolTip(), u"隐藏网格"_s);
    QCOMPARE(panel.memo()->toPlainText(), u"李四\n王五"_s);
    const EntryInput input = panel.input();
    QCOMPARE(input.rows().size(), 199);
    QCOMPARE(input.rows().constFirst(), u"张三"_s);
    QVERIFY(input.resultsHaveInput());
}

void TstEntryPanel::focusFollowsTheInputInUse()
{
    EntryPanel panel;
    QVERIFY(showForRoster(panel));

    panel.gridToggleButton()->click();
    QCOMPARE(QApplication::focusWidget(), panel.memo());
    typeKeys(u"Bob"_s);
    QCOMPARE(panel.memo()->toPlainText(), u"Bob"_s);

    panel.gridToggleButton()->click();
    QCOMPARE(QApplication::focusWidget(), panel.grid());
    // Row 1 is still the current one: hiding and showing the grid moved nothing.
    typeKeys(u"Eve"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(panel.grid()->cellText(1), u"Eve"_s);
    QCOMPARE(panel.memo()->toPlainText(), u"Bob"_s);
}

void TstEntryPanel::tabMovesDownTheInputColumn()
{
    EntryPanel panel;
    QVERIFY(showForRoster(panel));
    EntryGrid *grid = panel.grid();

    // Typed straight into the grid, and into its open cell editor.
    for (const QString &name : {u"Bob"_s, u"Eve"_s, u"Kim"_s}) {
        typeKeys(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace, Qt::NoModifier);
    typeKeys(u"Ann"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(grid->cellTexts().mid(0, 4), (QStringList{u"Bob"_s, u"Eve"_s, u"Ann"_s, QString()}));
    QCOMPARE(grid->item(0, 0)->text(), u"1"_s);
    QCOMPARE(grid->currentColumn(), 1);

    // Past the last row the cursor stays on it.
    grid->setCurrentCell(EntryGrid::kDataRows - 1, 1);
    QTest::keyClick(grid, Qt::Key_Tab);
    QCOMPARE(grid->currentRow(), EntryGrid::kDataRows - 1);
    QCOMPARE(grid->currentColumn(), 1);
}

void TstEntryPanel::titleRowHasOneWeight()
{
    EntryPanel panel;
    panel.resize(160, 400);
    panel.resetInput(EntryKind::Score);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QHeaderView *titles = panel.grid()->horizontalHeader();
    const auto title = [titles](int column) {
        return titles->grab(QRect(titles->sectionViewportPosition(column), 0, titles->sectionSize(column), titles->height()))
            .toImage();
    };
    // The title of the column being typed into looks as it does when no cell is current.
    panel.grid()->setCurrentCell(0, 1);
    const QImage current = title(1);
    panel.grid()->setCurrentCell(0, 0);
    panel.grid()->setCurrentIndex(QModelIndex());
    QCOMPARE(title(1), current);
}

void TstEntryPanel::toolbarIconsLookEnabled()
{
    EntryPanel panel;
    for (QToolButton *button : {panel.openButton(), panel.saveButton(), panel.saveDefaultButton(), panel.loadDefaultButton(),
             panel.importButton(), panel.gridToggleButton()}) {
        // An enabled button is told from a disabled one at a glance: its picture differs
        // strongly from the greyed one the style makes of it.
        const QSize size = button->iconSize();
        const QImage on = button->icon().pixmap(size, QIcon::Normal).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage off = button->icon().pixmap(size, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
        int changed = 0;
        for (int y = 0; y < on.height(); ++y) {
            for (int x = 0; x < on.width(); ++x) {
                if (qAbs(qGray(on.pixel(x, y)) - qGray(off.pixel(x, y))) > 60)
                    ++changed;
            }
        }
        QVERIFY2(changed >= 15, qPrintable(QStringLiteral("%1: %2 pixels").arg(button->toolTip()).arg(changed)));
    }
}

void TstEntryPanel::caretLine()
{
    EntryPanel panel;
    panel.resize(160, 400);
    panel.show();
    panel.gridToggleButton()->click();
    panel.memo()->setPlainText(u"一\n二\n三\n四"_s);
    QSignalSpy lines(&panel, &EntryPanel::caretLineChanged);
    const QTextBlock third = panel.memo()->document()->findBlockByNumber(2);
    QTextCursor cursor(third);
    const QPoint inThirdLine = panel.memo()->cursorRect(cursor).center();

    QTest::mouseClick(panel.memo()->viewport(), Qt::LeftButton, {}, inThirdLine);

    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.constFirst().constFirst().toInt(), 3);
}

void TstEntryPanel::kindChooser()
{
    TForm6 chooser;
    QCOMPARE(chooser.windowTitle(), u"录入"_s);
    QCOMPARE(chooser.findChild<QGroupBox *>()->title(), u"请选择"_s);
    QVERIFY(chooser.scoreChoice()->isChecked());
    QCOMPARE(chooser.scoreChoice()->text(), u"成绩录入"_s);
    QCOMPARE(chooser.rosterChoice()->text(), u"名单录入"_s);
    QVERIFY(chooser.okButton()->isDefault());
    QVERIFY(!chooser.rosterChosen());
    chooser.show();
    QTest::mouseClick(chooser.rosterChoice(), Qt::LeftButton);
    QVERIFY(chooser.rosterChosen());
    QTest::mouseClick(chooser.okButton(), Qt::LeftButton);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));

    QCOMPARE(EntryKinds::chosen(true, kModeGradeBook), EntryKind::Roster);
    QCOMPARE(EntryKinds::chosen(false, kModeQuestioning), EntryKind::Evaluation);
    QCOMPARE(EntryKinds::chosen(false, kModeGradeBook), EntryKind::Score);
}

QTEST_MAIN(TstEntryPanel)
#include "TstEntryPanel.moc"
