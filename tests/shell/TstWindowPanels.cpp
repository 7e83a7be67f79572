// The entry panel, the portrait panel, the export and the status bar through the real
// main window: what the teacher reaches by its menus and buttons.
#include "PlainLabel.h"
#include "ShellFixture.h"
#include "Typing.h"
#include "entry/EntryGrid.h"
#include "entry/EntryPanel.h"
#include "export/ExportCommands.h"
#include "gradebook/GradeBookToolbar.h"
#include "gradebook/Unit5.h"
#include "portrait/PortraitPanel.h"
#include "ui/FontMapping.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>

namespace {
QLabel *statusPanel(TForm1 &window, int number)
{
    return window.findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(number));
}
} // namespace

class TstWindowPanels final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void statusPanelsHoldTheirText();
    void exportTellsWhatWentWrong();
    void entryInputTakesTheKeys();
    void openingAFileThatIsNotThere();
    void sortDirectionByAssistiveTechnology();
    void portraitNameAndFullMotto();

private:
    /// The desktop's opener: a stand-in xdg-open first on PATH, finding no application.
    QTemporaryDir m_desktop;
};

void TstWindowPanels::initTestCase()
{
    // The faces the program asks for, as it maps them at start.
    FontMapping::install();
    // Workbooks go to a documents folder of the test's own; xdg-open waits a moment and
    // then finds no application for the file (its exit code 3).
    QVERIFY(QDir(m_desktop.path()).mkpath(QStringLiteral("config")));
    QVERIFY(QDir(m_desktop.path()).mkpath(QStringLiteral("bin")));
    QFile dirs(m_desktop.filePath(QStringLiteral("config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1/文档\"\n").arg(m_desktop.path()).toUtf8());
    dirs.close();
    QFile opener(m_desktop.filePath(QStringLiteral("bin/xdg-open")));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nsleep 1\nexit 3\n");
    opener.close();
    QVERIFY(opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_desktop.filePath(QStringLiteral("config"))));
    qputenv("PATH", QFile::encodeName(m_desktop.filePath(QStringLiteral("bin"))) + ':' + qgetenv("PATH"));
}

void TstWindowPanels::statusPanelsHoldTheirText()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    shell.window.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    shell.window.showStatus(1, QStringLiteral("已导出至 /home/老师/文档/一班语文课堂提问.xlsx"));
    shell.window.showStatus(2, QStringLiteral("12"));
    const QRect window = shell.window.rect();
    for (int i = 1; i <= 3; ++i) {
        auto *panel = shell.window.findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i));
        QVERIFY(panel && panel->isVisible());
        // The characters as drawn, not only the font's line height, fit inside the frame.
        const QRect drawn = panel->fontMetrics().boundingRect(panel->text());
        QVERIFY2(panel->contentsRect().height() >= drawn.height() + 2,
            qPrintable(QStringLiteral("panel %1: %2 pixels for text %3 high")
                           .arg(i)
                           .arg(panel->contentsRect().height())
                           .arg(drawn.height())));
        const QRect shown(panel->mapTo(&shell.window, QPoint(0, 0)), panel->size());
        QVERIFY(window.contains(shown));
    }
}

void TstWindowPanels::exportTellsWhatWentWrong()
{
    Shell shell;
    TForm1 &window = shell.window;
    window.FormCreate();
    window.exporting().setStatusDuration(300);

    // Before any login.
    shell.prompter.expectAnswer(Prompter::Answer::Ok);
    window.menus().exportToExcel->trigger();
    QTRY_COMPARE(shell.prompter.calls().size(), 1);
    QCOMPARE(shell.prompter.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(shell.prompter.lastCall().text, QStringLiteral("请先登录系统！"));

    // Logged in: the workbook is written at once; the opener's failure is told when it comes.
    shell.window.loginDialog = shell.login(kModeQuestioning);
    window.N3Click();
    shell.prompter.clear();
    shell.prompter.expectAnswer(Prompter::Answer::Ok);
    QElapsedTimer clock;
    clock.start();
    window.exporting().N29Click();
    QVERIFY2(clock.elapsed() < 900, "the window waited for the opener");
    const QString workbook = window.exporting().lastWorkbook();
    QCOMPARE(QFileInfo(workbook).absolutePath(), m_desktop.filePath(QStringLiteral("文档")));
    QVERIFY(QFile::exists(workbook));
    QCOMPARE(statusPanel(window, 2)->text(), QStringLiteral("已导出至 %1").arg(QDir::toNativeSeparators(workbook)));
    QVERIFY(shell.prompter.calls().isEmpty());
    QTRY_COMPARE(shell.prompter.calls().size(), 1);
    const FakePrompter::Call &box = shell.prompter.lastCall();
    QCOMPARE(box.caption, Prompter::applicationTitle());
    QCOMPARE(box.text, QStringLiteral("无法启动Excel\n工作簿已保存在：%1").arg(QDir::toNativeSeparators(workbook)));
    QVERIFY(QFile::exists(workbook));
    // Panel 2 is empty again, as it is kept otherwise.
    QTRY_VERIFY(statusPanel(window, 2)->text().isEmpty());
}

void TstWindowPanels::entryInputTakesTheKeys()
{
    Shell shell;
    shell.startIn(kModeGradeBook);
    TForm1 &window = shell.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    shell.prompter.expectDialog([](QDialog &) { return int(QDialog::Accepted); });
    window.gradeBookToolbar()->entryButton()->click();
    EntryPanel *panel = window.panel1();
    QTRY_VERIFY(panel->isVisible());
    QCOMPARE(QApplication::focusWidget(), panel->grid());

    // Tab goes down the input column, never into the numbers.
    typeKeys(QStringLiteral("85"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    typeKeys(QStringLiteral("90"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(panel->grid()->cellTexts().mid(0, 3), (QStringList{QStringLiteral("85"), QStringLiteral("90"), QString()}));

    // The toggle takes the keys along to the input in use.
    panel->gridToggleButton()->click();
    QCOMPARE(QApplication::focusWidget(), panel->memo());
    typeKeys(QStringLiteral("77"));
    QCOMPARE(panel->memo()->toPlainText(), QStringLiteral("77"));
    panel->gridToggleButton()->click();
    QCOMPARE(QApplication::focusWidget(), panel->grid());
    QCOMPARE(shell.prompter.pendingReplies(), 0);
}

void TstWindowPanels::openingAFileThatIsNotThere()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TForm1 &window = shell.window;
    shell.prompter.expectDialog([](QDialog &) { return int(QDialog::Accepted); });
    window.menus().questioningEntry->trigger();
    EntryPanel *panel = window.panel1();
    QTRY_VERIFY(!panel->isHidden());
    panel->grid()->setCellText(1, QStringLiteral("原来"));
    shell.prompter.clear();
    shell.prompter.expectText(shell.folder.path() + QStringLiteral("/没有.qsp"));
    shell.prompter.expectAnswer(Prompter::Answer::Ok);
    panel->openButton()->click();
    QTRY_COMPARE(shell.prompter.calls().size(), 2);
    const FakePrompter::Call &box = shell.prompter.lastCall();
    QCOMPARE(box.caption, QStringLiteral("错误"));
    QCOMPARE(box.text, QStringLiteral("该文件不存在！"));
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(panel->grid()->cellText(1), QStringLiteral("原来"));
}

void TstWindowPanels::sortDirectionByAssistiveTechnology()
{
    Shell shell;
    shell.startIn(kModeGradeBook);
    shell.execute(QStringLiteral("ALTER TABLE [一班语文记分册] ADD COLUMN [第1次] INT NULL"));
    shell.execute(QStringLiteral("UPDATE [一班语文记分册] SET [第1次] = [编号], [合计] = [编号], [平均] = [编号]"));
    QVERIFY(shell.window.openGradeBookView());
    shell.prompter.expectDialog([](QDialog &dialog) {
        auto *sort = qobject_cast<TForm5 *>(&dialog);
        if (!sort)
            return int(QDialog::Rejected);
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(sort->directionBox());
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        sort->okButton()->click();
        return sort->result();
    });
    shell.window.menus().gradeBookSort->trigger();
    QTRY_COMPARE(shell.prompter.pendingReplies(), 0);
    // 升序: the lowest average first, with rank 1.
    Dataset &view = shell.window.context().mainQuery;
    QCOMPARE(view.fieldNames().constLast(), QStringLiteral("名次"));
    QCOMPARE(view.value(0, view.fieldIndex(QStringLiteral("编号"))).toInt(), 1);
    QCOMPARE(shell.scalar(QStringLiteral("SELECT [名次] FROM [一班语文记分册] WHERE [编号] = 1")).toInt(), 1);
}

void TstWindowPanels::portraitNameAndFullMotto()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TForm1 &window = shell.window;
    shell.execute(QStringLiteral("UPDATE [一班语文课堂提问] SET [姓名] = '<b>甲' WHERE [编号] = 1"));
    QVERIFY(window.openQuestioningView());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.menus().questioningPortrait->trigger();
    auto *portrait = window.panel1()->findChild<PortraitPanel *>();
    QTRY_VERIFY(portrait && portrait->isVisible());

    // The motto starts the student's portrait row, under the name as typed.
    portrait->motto()->setFocus();
    typeKeys(QString(50, u'a'));
    QCOMPARE(portrait->nameLabel()->text(), QStringLiteral("<b>甲"));
    QCOMPARE(portrait->nameLabel()->sizeHint(), plainTextSize(*portrait->nameLabel()));

    // Full: a key typed at the start changes nothing, and the caret stays there.
    QTest::keyClick(portrait->motto(), Qt::Key_Home, Qt::ControlModifier);
    typeKeys(QStringLiteral("b"));
    QCOMPARE(portrait->motto()->toPlainText(), QString(50, u'a'));
    QCOMPARE(portrait->motto()->textCursor().position(), 0);
    QVERIFY(window.context().mainQuery.moveTo(1));
    QCOMPARE(shell.scalar(QStringLiteral("SELECT [宣言] FROM [范例班] WHERE [姓名] = '<b>甲'")).toString(), QString(50, u'a'));
}

QTEST_MAIN(TstWindowPanels)
#include "TstWindowPanels.moc"
