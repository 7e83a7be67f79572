#include "ServerScratch.h"
#include "ShellFixture.h"
#include "entry/EntryCommands.h"
#include "entry/EntryGrid.h"
#include "entry/EntryPanel.h"
#include "entry/Unit6.h"
#include "gradebook/GradeBookToolbar.h"
#include "gradebook/Unit5.h"
#include "login/LoginController.h"
#include "portrait/PortraitPanel.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "shell/Unit2.h"
#include "shell/Unit4.h"
#include "store/DataFiles.h"
#include "store/DatasetModel.h"
#include "store/TableNames.h"
#include "ui/AnimationControl.h"
#include "ui/BoundField.h"
#include "ui/DataGrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <functional>

using Answer = Prompter::Answer;
using Buttons = Prompter::Buttons;
using Icon = Prompter::Icon;

namespace {

const QString kClass = QStringLiteral("一班");
const QString kSubject = QStringLiteral("语文");
const QString kQuestioningTable = QStringLiteral("一班语文课堂提问");
const QString kGradeBookTable = QStringLiteral("一班语文记分册");
const QString kInitialTitle = QStringLiteral("青穗多媒体教学助手");
const QString kQuestioningHint = QStringLiteral("随机选择请双击或回车");
const QString kGradeBookHint = QStringLiteral("双击直接修改");
const QString kNotLoggedIn = QStringLiteral("您还没有登录，现在登录吗?");

} // namespace

/// The main window: start-up, view states, grid formatting, open grade-book view,
/// direct modification, view switching, re-login, closing and the About box.
class TstUnit2 final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startupWithoutLogin();
    void databaseThatIsNoDatabaseIsReported();
    void schoolServerThroughTheWindow();
    void missingDataFolderIsMadeAtStart();
    void menusAsPublished();
    void viewStates_data();
    void viewStates();
    void gridFormatting_data();
    void gridFormatting();
    void openGradeBookView_data();
    void openGradeBookView();
    void directModificationToggle_data();
    void directModificationToggle();
    void switchingBothWays();
    void switchingBeforeLoginAsks_data();
    void switchingBeforeLoginAsks();
    void switchingAfterYesUsesTheNewLogin();
    void reloginStopsRunningSelectionEvenWhenCancelled();
    void currentRowFollowsBothWays();
    void enterKey_data();
    void enterKey();
    void closingClearsGradesOnlyInQuestioning_data();
    void closingClearsGradesOnlyInQuestioning();
    void closingStatementFailureIsShownAndWindowCloses();
    void pendingGridEditIsSaved_data();
    void pendingGridEditIsSaved();
    void aboutBox();
    void entryPanelFromEveryTrigger_data();
    void entryPanelFromEveryTrigger();
    void sortAndClearFromMenusAndToolbar();
    void entryPanelHideAndCaretLine();
    void enterInGradeBookRecomputesTheRow();
    void portraitInTheEntryPanel();
};

void TstUnit2::startupWithoutLogin()
{
    Shell shell;
    shell.window.FormCreate();

    QCOMPARE(shell.window.loginDialogsShown, 1);
    QCOMPARE(shell.window.windowTitle(), kInitialTitle);
    QVERIFY(shell.questioningMenuShown());
    QVERIFY(shell.gradeBookMenuShown());
    QVERIFY(!shell.window.context().mainQuery.isOpen());
    QCOMPARE(shell.window.gridModel()->rowCount(), 0);
    QVERIFY(shell.window.context().database.isOpen());
    QVERIFY(shell.window.findChild<AnimationControl *>(QStringLiteral("Animate2"))->isPlaying());
    QVERIFY(
        shell.window.findChild<AnimationControl *>(QStringLiteral("Animate2"))->fileName().endsWith(QStringLiteral("/cool.avi")));
    QVERIFY(!shell.window.questioningToolbar()->selectionClip()->isPlaying());
    QVERIFY(shell.window.questioningToolbar()->selectionClip()->fileName().endsWith(QStringLiteral("/xuan.avi")));
    QVERIFY(!shell.window.questioningToolbar()->selectionTimer().isActive());
    QCOMPARE(shell.window.questioningToolbar()->selectionTimer().interval(), 10);
    QVERIFY(shell.window.findChild<QWidget *>(QStringLiteral("Panel1"))->isHidden());
    QVERIFY(shell.prompter.calls().isEmpty());
}

void TstUnit2::missingDataFolderIsMadeAtStart()
{
    Shell shell;
    QVERIFY(QDir(shell.folder.path() + QStringLiteral("/Data")).removeRecursively());
    shell.window.FormCreate();
    QVERIFY(QFileInfo(shell.folder.path() + QStringLiteral("/Data")).isDir());
}

void TstUnit2::databaseThatIsNoDatabaseIsReported()
{
    Shell shell;
    QFile file(shell.folder.path() + QStringLiteral("/Record.mdb"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("这不是数据库。").repeated(200));
    file.close();
    shell.prompter.expectAnswer(Answer::Ok);

    shell.window.FormCreate();

    QCOMPARE(shell.prompter.calls().size(), 1);
    const FakePrompter::Call &call = shell.prompter.lastCall();
    QCOMPARE(call.icon, Icon::Critical);
    QCOMPARE(call.caption, Prompter::applicationTitle());
    QVERIFY2(call.text.contains(QStringLiteral("Record.mdb")), qPrintable(call.text));
    QCOMPARE(shell.window.loginDialogsShown, 0);
    QVERIFY(!shell.window.context().login.isLoggedIn());
    QVERIFY(shell.window.context().login.mode.isEmpty());
    QCOMPARE(shell.window.windowTitle(), kInitialTitle);
    shell.window.show();
    QVERIFY(shell.window.isVisible());
    QVERIFY(shell.window.findChild<AnimationControl *>(QStringLiteral("Animate2"))->isPlaying());
}

void TstUnit2::menusAsPublished()
{
    Shell shell;
    const MainMenus &menus = shell.window.menus();
    const QList<QAction *> bar = shell.window.menuBar()->actions();
    QStringList titles;
    for (QAction *menu : bar)
        titles << menu->text();
    QCOMPARE(
        titles, QStringList({QStringLiteral("文件"), QStringLiteral("操作"), QStringLiteral("操作"), QStringLiteral("帮助")}));

    const auto items = [](QMenu *menu) {
        QStringList captions;
        for (QAction *action : menu->actions()) {
            QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
            if (!action->shortcut().isEmpty())
                caption += QLatin1Char(' ') + action->shortcut().toString(QKeySequence::PortableText);
            if (action->isCheckable())
                caption += QStringLiteral(" [check]");
            captions << caption;
        }
        return captions;
    };
    QCOMPARE(items(bar.at(0)->menu()),
        QStringList({QStringLiteral("重新登录 F9"), QStringLiteral("保存为母版"), QStringLiteral("导出至Excel"),
            QStringLiteral("-"), QStringLiteral("退出")}));
    // The questioning menu's own items, then those of the fair lesson after a separator.
    QCOMPARE(items(menus.questioningMenu),
        QStringList({QStringLiteral("录入 Ctrl+L"), QStringLiteral("排序"), QStringLiteral("清除"), QStringLiteral("个性图片"),
            QStringLiteral("-"), QStringLiteral("随机提问 F5"), QStringLiteral("评语设定"), QStringLiteral("直接修改 [check]"),
            QStringLiteral("切换"), QStringLiteral("-"), QStringLiteral("不重复 [check]"), QStringLiteral("重新开始一轮"),
            QStringLiteral("缺席/到场 Ctrl+D"), QStringLiteral("撤销评价 Ctrl+Z")}));
    // The published items, then 成绩分析 after a separator.
    QCOMPARE(items(menus.gradeBookMenu),
        QStringList({QStringLiteral("录入 Ctrl+L"), QStringLiteral("排序"), QStringLiteral("清除"), QStringLiteral("个性图片"),
            QStringLiteral("-"), QStringLiteral("直接修改 [check]"), QStringLiteral("切换"), QStringLiteral("-"),
            QStringLiteral("成绩分析")}));
    QCOMPARE(items(bar.at(3)->menu()), QStringList({QStringLiteral("使用手册 F1"), QStringLiteral("关于...")}));

    // Every toolbar control can be found by its name, and carries its hint.
    const QList<QPair<QWidget *, QString>> hints = {
        {shell.window.questioningToolbar()->numberBox(), QStringLiteral("查找请输入编号，回车")},
        {shell.window.questioningToolbar()->nameBox(), QStringLiteral("查找请输入姓名，回车")},
        {shell.window.questioningToolbar()->countBox(), QStringLiteral("请输入随机选择的数量")},
        {shell.window.questioningToolbar()->gradeBox(), QStringLiteral("请选择档次")},
        {shell.window.gradeBookToolbar()->switchButton(), QStringLiteral("切换至课堂提问表")},
        {shell.window.gradeBookToolbar()->entryButton(), QStringLiteral("名单或成绩录入")},
        {shell.window.gradeBookToolbar()->sortButton(), QStringLiteral("排序")},
        {shell.window.gradeBookToolbar()->clearButton(), QStringLiteral("清除所有成绩")},
        {shell.window.gradeBookToolbar()->modifyButton(), QStringLiteral("修改")},
    };
    for (const auto &[widget, hint] : hints) {
        QCOMPARE(widget->toolTip(), hint);
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(hint));
    }
    QCOMPARE(shell.window.findChild<QLabel *>(QStringLiteral("StatusPanel1"))->text(), QStringLiteral("青穗课堂提问助手"));
}

void TstUnit2::viewStates_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("questioningShown");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("numberBox");
    QTest::newRow("before the first login") << QString() << true << kQuestioningHint << kInitialTitle << QString();
    QTest::newRow("questioning view") << kModeQuestioning << true << kQuestioningHint
                                      << QStringLiteral("青穗多媒体教学助手-一班语文课堂提问") << QStringLiteral("1");
    QTest::newRow("grade-book view") << kModeGradeBook << false << kGradeBookHint
                                     << QStringLiteral("青穗多媒体教学助手-一班语文记分册") << QString();
}

void TstUnit2::viewStates()
{
    QFETCH(QString, mode);
    QFETCH(bool, questioningShown);
    QFETCH(QString, hint);
    QFETCH(QString, title);
    QFETCH(QString, numberBox);
    Shell shell;
    if (mode.isEmpty())
        shell.window.FormCreate();
    else
        shell.startIn(mode);
    TForm1 &window = shell.window;

    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.questioningToolbar()->isHidden(), !questioningShown);
    QCOMPARE(window.gradeBookToolbar()->isHidden(), questioningShown);
    QCOMPARE(shell.questioningMenuShown(), questioningShown);
    QCOMPARE(shell.gradeBookMenuShown(), mode.isEmpty() || !questioningShown);
    QCOMPARE(window.mainGrid()->toolTip(), hint);
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("Panel1"))->isHidden());
    QCOMPARE(window.questioningToolbar()->numberBox()->text(), numberBox);
    QCOMPARE(window.gradeField().isBound(), mode == kModeQuestioning);
    QCOMPARE(window.context().login.mode, mode);
    if (mode == kModeQuestioning) {
        QCOMPARE(window.questioningToolbar()->hiddenGrade()->text(), QString());
        QCOMPARE(
            window.questioningToolbar()->nameBox()->text(), window.context().mainQuery.value(QStringLiteral("姓名")).toString());
        QCOMPARE(window.context().mainQuery.fieldNames(),
            QStringList({QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("评价"), QStringLiteral("历史"),
                QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")}));
    }
}

void TstUnit2::gridFormatting_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("one field") << QStringList{QStringLiteral("编号")};
    QTest::newRow("seven fields") << QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("评价"),
        QStringLiteral("历史"), QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")};
}

void TstUnit2::gridFormatting()
{
    QFETCH(QStringList, columns);
    Shell shell;
    shell.window.FormCreate();
    QStringList definitions;
    QStringList values;
    for (const QString &column : columns) {
        definitions << QStringLiteral("[%1] TEXT").arg(column);
        values << QStringLiteral("'x'");
    }
    shell.execute(QStringLiteral("CREATE TABLE [格式] (%1)").arg(definitions.join(QLatin1Char(','))));
    shell.execute(QStringLiteral("INSERT INTO [格式] VALUES (%1)").arg(values.join(QLatin1Char(','))));
    Dataset &query = shell.window.context().mainQuery;
    query.setQuery(Sql::showAll(QStringLiteral("格式")));
    QVERIFY(query.open());

    shell.window.formatGrid();

    const DataGrid *grid = shell.window.mainGrid();
    const QAbstractItemModel *model = grid->model();
    QCOMPARE(model->columnCount(), columns.size());
    const QColor toolTip = QApplication::palette().color(QPalette::ToolTipBase);
    for (int i = 0; i < columns.size(); ++i) {
        QCOMPARE(grid->columnWidth(i), i == 0 ? 55 : 64);
        const QModelIndex cell = model->index(0, i);
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QBrush>().color(), i % 2 == 1 ? QColor(0, 255, 255) : toolTip);
        QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(model->headerData(i, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(), QColor(166, 202, 240));
        QCOMPARE(model->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), columns.at(i));
        QCOMPARE(cell.data().toString(), QStringLiteral("x"));
    }
}

void TstUnit2::openGradeBookView_data()
{
    QTest::addColumn<QStringList>("scoreColumns");
    QTest::addColumn<QString>("list");
    QTest::newRow("six columns") << QStringList() << QStringLiteral("编号,姓名,小组");
    QTest::newRow("two score columns") << QStringList{QStringLiteral("第1次"), QStringLiteral("第2次")}
                                       << QStringLiteral("编号,姓名,小组,第1次,第2次,合计,平均");
}

void TstUnit2::openGradeBookView()
{
    QFETCH(QStringList, scoreColumns);
    QFETCH(QString, list);
    Shell shell;
    shell.startIn(kModeQuestioning);
    for (const QString &column : scoreColumns)
        QVERIFY(shell.window.context().database.execute(Sql::addScoreColumn(kGradeBookTable, column)));
    shell.window.context().mainQuery.moveTo(3);

    QVERIFY(shell.window.openGradeBookView());

    QCOMPARE(shell.window.gradeBookColumnList(), list);
    QCOMPARE(shell.window.context().mainQuery.fieldNames(), list.split(QLatin1Char(',')));
    QCOMPARE(shell.window.context().login.mode, kModeGradeBook);
    QVERIFY(!shell.window.gradeField().isBound());
    QVERIFY(!shell.window.numberField().isBound());
    QCOMPARE(shell.window.questioningToolbar()->hiddenNumber()->text(), QString());
    QCOMPARE(shell.window.context().mainQuery.currentRow(), 0);
    QCOMPARE(shell.window.mainGrid()->columnWidth(0), 55);
    QCOMPARE(shell.window.mainGrid()->columnWidth(1), 64);
}

void TstUnit2::directModificationToggle_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("trigger");
    QTest::newRow("grade book, command") << kModeGradeBook << QStringLiteral("command");
    QTest::newRow("grade book, grade-book menu item") << kModeGradeBook << QStringLiteral("grade-book item");
    QTest::newRow("grade book, 修改 button") << kModeGradeBook << QStringLiteral("button");
    QTest::newRow("grade book, F5") << kModeGradeBook << QStringLiteral("F5");
    QTest::newRow("grade book, double-click") << kModeGradeBook << QStringLiteral("double-click");
    QTest::newRow("questioning, questioning menu item") << kModeQuestioning << QStringLiteral("questioning item");
}

void TstUnit2::directModificationToggle()
{
    QFETCH(QString, mode);
    QFETCH(QString, trigger);
    Shell shell;
    shell.startIn(mode);
    TForm1 &window = shell.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const bool gradeBook = mode == kModeGradeBook;
    QToolButton *modify = window.gradeBookToolbar()->modifyButton();
    const auto toggle = [&] {
        if (trigger == QStringLiteral("command"))
            window.toggleDirectModification();
        else if (trigger == QStringLiteral("grade-book item"))
            window.menus().gradeBookDirectModification->trigger();
        else if (trigger == QStringLiteral("questioning item"))
            window.menus().questioningDirectModification->trigger();
        else if (trigger == QStringLiteral("button"))
            QTest::mouseClick(modify, Qt::LeftButton);
        else if (trigger == QStringLiteral("F5"))
            QTest::keyClick(&window, Qt::Key_F5);
        else
            QTest::mouseDClick(window.mainGrid()->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    };
    QCOMPARE(window.mainGrid()->presentation(), GridPresentation::initial());

    toggle();
    QVERIFY(window.menus().questioningDirectModification->isChecked());
    QVERIFY(window.menus().gradeBookDirectModification->isChecked());
    QCOMPARE(window.mainGrid()->presentation(), GridPresentation::edit());
    QVERIFY(window.mainGrid()->editTriggers() != QAbstractItemView::NoEditTriggers);
    QCOMPARE(window.mainGrid()->toolTip(), gradeBook ? QStringLiteral("修改后回车以更新数据") : kQuestioningHint);
    QCOMPARE(modify->toolTip(), gradeBook ? QStringLiteral("取消直接修改") : QStringLiteral("修改"));

    toggle();
    QVERIFY(!window.menus().questioningDirectModification->isChecked());
    QVERIFY(!window.menus().gradeBookDirectModification->isChecked());
    QCOMPARE(window.mainGrid()->presentation(), GridPresentation::browse());
    QCOMPARE(window.mainGrid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(window.mainGrid()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(window.mainGrid()->toolTip(), gradeBook ? kGradeBookHint : kQuestioningHint);
    QCOMPARE(modify->toolTip(), gradeBook ? QStringLiteral("允许直接修改") : QStringLiteral("修改"));
}

void TstUnit2::switchingBothWays()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TForm1 &window = shell.window;
    const QString firstName = window.context().mainQuery.value(QStringLiteral("姓名")).toString();
    window.context().mainQuery.moveTo(4);

    window.N13Click();

    QCOMPARE(window.context().login.mode, kModeGradeBook);
    QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文记分册"));
    QCOMPARE(window.context().mainQuery.fieldNames(),
        QStringList({QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组")}));
    QVERIFY(window.questioningToolbar()->isHidden());
    QVERIFY(!window.gradeBookToolbar()->isHidden());
    QVERIFY(!shell.questioningMenuShown());
    QVERIFY(shell.gradeBookMenuShown());
    QCOMPARE(window.mainGrid()->toolTip(), kGradeBookHint);
    QCOMPARE(window.questioningToolbar()->numberBox()->text(), QString());
    QVERIFY(!window.gradeField().isBound());
    QVERIFY(window.context().portraitQuery.isOpen());
    QVERIFY(!window.questioning().selectionRunning());

    window.SpeedButton6Click();

    QCOMPARE(window.context().login.mode, kModeQuestioning);
    QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));
    QCOMPARE(window.context().mainQuery.fieldCount(), 7);
    QCOMPARE(window.context().mainQuery.currentRow(), 0);
    QCOMPARE(window.questioningToolbar()->numberBox()->text(), QStringLiteral("1"));
    QCOMPARE(window.questioningToolbar()->nameBox()->text(), firstName);
    QVERIFY(!window.questioningToolbar()->isHidden());
    QVERIFY(window.gradeBookToolbar()->isHidden());
    QVERIFY(shell.questioningMenuShown());
    QVERIFY(!shell.gradeBookMenuShown());
    QCOMPARE(window.mainGrid()->toolTip(), kQuestioningHint);
    QCOMPARE(window.context().login.className, kClass);
    QCOMPARE(window.context().login.subject, kSubject);
    QVERIFY(shell.prompter.calls().size() == 2); // only the two questions of the first login
}

void TstUnit2::switchingBeforeLoginAsks_data()
{
    QTest::addColumn<bool>("toGradeBook");
    QTest::addColumn<QString>("modeAfter");
    QTest::newRow("to the grade book") << true << kModeGradeBook;
    QTest::newRow("to the questioning view") << false << QString();
}

void TstUnit2::switchingBeforeLoginAsks()
{
    QFETCH(bool, toGradeBook);
    QFETCH(QString, modeAfter);
    Shell shell;
    shell.window.FormCreate();
    shell.prompter.expectAnswer(Answer::No);

    if (toGradeBook)
        shell.window.N13Click();
    else
        shell.window.SpeedButton6Click();

    QCOMPARE(shell.prompter.calls().size(), 1);
    const FakePrompter::Call &call = shell.prompter.lastCall();
    QCOMPARE(call.caption, QStringLiteral("提示"));
    QCOMPARE(call.text, kNotLoggedIn);
    QCOMPARE(call.buttons, Buttons::YesNo);
    QCOMPARE(call.icon, Icon::Question);
    QCOMPARE(shell.window.loginDialogsShown, 1);
    QVERIFY(!shell.window.context().mainQuery.isOpen());
    QCOMPARE(shell.window.context().login.mode, modeAfter);
    QCOMPARE(shell.window.windowTitle(), kInitialTitle);
    QVERIFY(shell.questioningMenuShown());
    QVERIFY(shell.gradeBookMenuShown());
    QVERIFY(!shell.window.questioningToolbar()->isHidden());
    QVERIFY(shell.window.gradeBookToolbar()->isHidden());
}

void TstUnit2::switchingAfterYesUsesTheNewLogin()
{
    Shell shell;
    shell.window.FormCreate();
    shell.prompter.expectAnswer(Answer::Yes);
    shell.window.loginDialog = shell.login(kModeQuestioning);

    shell.window.N13Click();

    QCOMPARE(shell.window.loginDialogsShown, 2);
    // The rest of the switch sets the grade book's controls over what the login showed.
    QCOMPARE(shell.window.context().login.mode, kModeQuestioning);
    QCOMPARE(shell.window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));
    QVERIFY(!shell.window.gradeField().isBound());
    QCOMPARE(shell.window.mainGrid()->toolTip(), kGradeBookHint);
    QVERIFY(!shell.questioningMenuShown());
    QVERIFY(shell.gradeBookMenuShown());
    QVERIFY(shell.window.questioningToolbar()->isHidden());
    QVERIFY(!shell.window.gradeBookToolbar()->isHidden());
}

void TstUnit2::reloginStopsRunningSelectionEvenWhenCancelled()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TForm1 &window = shell.window;
    window.context().mainQuery.moveTo(2);
    window.questioningToolbar()->numberBox()->setText(QStringLiteral("17"));
    window.questioning().BitBtn2Click();
    window.questioningToolbar()->selectionTimer().start();
    window.questioningToolbar()->selectionClip()->play();
    window.questioningToolbar()->gradeBox()->setEnabled(false);
    window.questioningToolbar()->countBox()->setEnabled(false);
    window.findChild<QWidget *>(QStringLiteral("Panel1"))->show();
    bool stoppedBeforeDialog = false;
    shell.window.loginDialog = [&] {
        stoppedBeforeDialog
            = !window.questioning().selectionRunning() && !window.questioningToolbar()->selectionTimer().isActive();
    };

    window.N3Click();

    QVERIFY(stoppedBeforeDialog);
    QVERIFY(!window.questioning().selectionRunning());
    QVERIFY(!window.questioningToolbar()->selectionTimer().isActive());
    QVERIFY(!window.questioningToolbar()->selectionClip()->isPlaying());
    QVERIFY(window.questioningToolbar()->gradeBox()->isEnabled());
    QVERIFY(window.questioningToolbar()->countBox()->isEnabled());
    QCOMPARE(window.questioningToolbar()->numberBox()->text(), QStringLiteral("3"));
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("Panel1"))->isHidden());
    QCOMPARE(window.context().login.mode, kModeQuestioning);
    QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));
    QVERIFY(window.context().mainQuery.isOpen());
}

void TstUnit2::currentRowFollowsBothWays()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TForm1 &window = shell.window;
    QVERIFY(window.context().mainQuery.rowCount() > 5);

    window.context().mainQuery.moveTo(2);
    QCOMPARE(window.mainGrid()->currentIndex().row(), 2);
    QCOMPARE(
        window.questioningToolbar()->numberBox()->text(), window.context().mainQuery.value(QStringLiteral("编号")).toString());
    QCOMPARE(window.questioningToolbar()->nameBox()->text(), window.context().mainQuery.value(QStringLiteral("姓名")).toString());

    window.mainGrid()->setCurrentIndex(window.mainGrid()->model()->index(4, 1));
    QCOMPARE(window.context().mainQuery.currentRow(), 4);
    QCOMPARE(window.questioningToolbar()->hiddenNumber()->text(), QStringLiteral("5"));
    QCOMPARE(window.questioningToolbar()->numberBox()->text(), QStringLiteral("5"));
}

void TstUnit2::enterKey_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("onGrid");
    QTest::addColumn<bool>("selectionStarts");
    QTest::addColumn<int>("rowAfter");
    QTest::newRow("grid, questioning view: 随机提问") << kModeQuestioning << true << true << 0;
    QTest::newRow("grid, grade book: the row saved, no selection") << kModeGradeBook << true << false << 0;
    QTest::newRow("window itself: find by number") << kModeQuestioning << false << false << 4;
}

void TstUnit2::enterKey()
{
    QFETCH(QString, mode);
    QFETCH(bool, onGrid);
    QFETCH(bool, selectionStarts);
    QFETCH(int, rowAfter);
    Shell shell;
    shell.startIn(mode);
    TForm1 &window = shell.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.questioningToolbar()->numberBox()->setText(QStringLiteral("5"));

    if (onGrid) {
        window.mainGrid()->setFocus();
        QTest::keyClick(window.mainGrid(), Qt::Key_Return);
    } else {
        window.setFocus();
        QTest::keyClick(&window, Qt::Key_Return);
    }

    QCOMPARE(window.questioning().selectionRunning(), selectionStarts);
    QCOMPARE(window.questioningToolbar()->selectionTimer().isActive(), selectionStarts);
    QCOMPARE(window.context().mainQuery.currentRow(), rowAfter);
    QVERIFY(!window.menus().gradeBookDirectModification->isChecked());
    if (selectionStarts)
        window.questioning().stopSelection();
}

void TstUnit2::closingClearsGradesOnlyInQuestioning_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("exitItem");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("close in the questioning view") << kModeQuestioning << false << true;
    QTest::newRow("退出 in the questioning view") << kModeQuestioning << true << false;
    QTest::newRow("close in the grade book") << kModeGradeBook << false << false;
}

void TstUnit2::closingClearsGradesOnlyInQuestioning()
{
    QFETCH(QString, mode);
    QFETCH(bool, exitItem);
    QFETCH(bool, cleared);
    Shell shell;
    shell.startIn(mode);
    shell.execute(QStringLiteral("UPDATE [一班语文课堂提问] SET [评价] = 'B', [历史] = 'AB'"));
    shell.window.show();

    if (exitItem)
        shell.window.Exit1Click();
    else
        QVERIFY(shell.window.close());

    const int students = shell.scalar(QStringLiteral("SELECT count(*) FROM [一班语文课堂提问]")).toInt();
    QCOMPARE(shell.scalar(QStringLiteral("SELECT count(*) FROM [一班语文课堂提问] WHERE [评价] IS NULL")).toInt(),
        cleared ? students : 0);
    QCOMPARE(shell.scalar(QStringLiteral("SELECT count(*) FROM [一班语文课堂提问] WHERE [历史] = 'AB'")).toInt(), students);
    if (exitItem) {
        shell.window.close(); // the window going after 退出 still leaves the grades
        QCOMPARE(shell.scalar(QStringLiteral("SELECT count(*) FROM [一班语文课堂提问] WHERE [评价] IS NULL")).toInt(), 0);
    }
    QCOMPARE(shell.prompter.calls().size(), 2);
}

void TstUnit2::closingStatementFailureIsShownAndWindowCloses()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    (void)shell.window.context().mainQuery.close();
    QVERIFY(shell.window.context().database.execute(Sql::dropTable(kQuestioningTable)));
    shell.window.show();
    shell.prompter.expectAnswer(Answer::Ok);

    QVERIFY(shell.window.close());

    QVERIFY(!shell.window.isVisible());
    const FakePrompter::Call &call = shell.prompter.lastCall();
    QCOMPARE(call.icon, Icon::Critical);
    QCOMPARE(call.buttons, Buttons::Ok);
    QVERIFY(!call.text.isEmpty());
}

void TstUnit2::pendingGridEditIsSaved_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("closing the window") << QStringLiteral("close");
    QTest::newRow("switching to the questioning view") << QStringLiteral("switch");
    QTest::newRow("re-login") << QStringLiteral("relogin");
    QTest::newRow("退出") << QStringLiteral("exit");
}

void TstUnit2::pendingGridEditIsSaved()
{
    QFETCH(QString, action);
    Shell shell;
    shell.startIn(kModeGradeBook);
    TForm1 &window = shell.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.toggleDirectModification();
    DataGrid *grid = window.mainGrid();
    const QModelIndex cell = grid->model()->index(1, 2); // second student's 小组
    grid->setCurrentIndex(cell);
    if (!grid->indexWidget(cell))
        grid->edit(cell);
    auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(cell));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("97"));
    const QVariant number = window.context().mainQuery.value(1, 0);
    if (action == QStringLiteral("relogin"))
        shell.window.loginDialog = shell.login(kModeGradeBook, false);

    if (action == QStringLiteral("close"))
        window.close();
    else if (action == QStringLiteral("switch"))
        window.SpeedButton6Click();
    else if (action == QStringLiteral("relogin"))
        window.N3Click();
    else
        window.Exit1Click();

    QCOMPARE(
        shell.scalar(QStringLiteral("SELECT [小组] FROM [一班语文记分册] WHERE [编号] = %1").arg(number.toInt())).toInt(), 97);
}

void TstUnit2::schoolServerThroughTheWindow()
{
    const QString recordFile = QStringLiteral("/Record.mdb");
    {
        // A setting that names no server: said so, no login, and no Record.mdb instead.
        Shell shell;
        shell.window.useServer(QStringLiteral("school-server/qingsui"));
        shell.prompter.expectAnswer(Answer::Ok);
        shell.window.FormCreate();
        QVERIFY2(shell.prompter.lastCall().text.startsWith(QStringLiteral("数据库设置“school-server/qingsui”无法使用")),
            qPrintable(shell.prompter.lastCall().text));
        QCOMPARE(shell.window.loginDialogsShown, 0);
        QVERIFY(!QFile::exists(shell.folder.path() + recordFile));
    }
    ServerScratch scratch;
    if (!scratch.isValid())
        QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
    Shell shell;
    shell.window.useServer(ServerScratch::address(scratch.url()));
    shell.startIn(kModeQuestioning);
    QVERIFY(shell.window.context().login.isLoggedIn());
    QVERIFY(!QFile::exists(shell.folder.path() + recordFile));
    QVERIFY(!shell.folder.hasDataFile(QStringLiteral("一班语文denglu.qs")));
    QCOMPARE(*shell.window.context().dataFiles.read(QStringLiteral("一班语文denglu.qs")), QByteArray("123"));
    QCOMPARE(shell.window.context().database.engine(), Engine::PostgreSQL);

    QString shown;
    shell.prompter.expectDialog([&shown](QDialog &dialog) {
        if (auto *about = qobject_cast<TForm4 *>(&dialog); about)
            shown = about->dataPlace()->text();
        return int(QDialog::Accepted);
    });
    shell.window.N7Click();
    QCOMPARE(shown, QStringLiteral("数据库：服务器 %1").arg(scratch.url().shown()));
}

void TstUnit2::aboutBox()
{
    Shell shell;
    bool checked = false;
    shell.prompter.expectDialog([&checked](QDialog &dialog) {
        auto *about = qobject_cast<TForm4 *>(&dialog);
        if (!about)
            return int(QDialog::Rejected);
        checked = about->windowTitle() == QStringLiteral("关于...") && about->size() == QSize(271, 141)
            && about->windowFlags().testFlag(Qt::WindowStaysOnTopHint)
            && about->title()->text() == QStringLiteral("青穗多媒体教学助手 1.6") && about->title()->font().bold()
            && about->title()->font().pixelSize() == 16
            && about->title()->palette().color(QPalette::WindowText) == QColor(Qt::red)
            && about->picture()->size() == QSize(61, 57);
        about->show();
        QTest::mouseClick(about->picture(), Qt::LeftButton);
        return about->isVisible() ? int(QDialog::Rejected) : about->result();
    });

    shell.window.N7Click();

    QVERIFY(checked);
    QCOMPARE(shell.prompter.pendingReplies(), 0);
}

void TstUnit2::entryPanelFromEveryTrigger_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("roster");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("fields");
    const QStringList gradeBookFields{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组")};
    const QStringList questioningFields{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("评价"),
        QStringLiteral("历史"), QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")};
    QTest::newRow("grade-book menu, scores")
        << kModeGradeBook << "menu" << false << int(EntryKind::Score) << "成绩" << gradeBookFields;
    QTest::newRow("grade-book toolbar, roster")
        << kModeGradeBook << "toolbar" << true << int(EntryKind::Roster) << "姓名" << gradeBookFields;
    QTest::newRow("questioning menu, evaluations")
        << kModeQuestioning << "menu" << false << int(EntryKind::Evaluation) << "评价" << questioningFields;
}

void TstUnit2::entryPanelFromEveryTrigger()
{
    QFETCH(QString, mode);
    QFETCH(QString, trigger);
    QFETCH(bool, roster);
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, fields);
    Shell shell;
    shell.startIn(mode);
    TForm1 &window = shell.window;
    EntryPanel *panel = window.panel1();
    QCOMPARE(panel->objectName(), QStringLiteral("Panel1"));
    QCOMPARE(panel->width(), 160);
    panel->grid()->setCellText(1, QStringLiteral("上次的"));
    bool chooserShown = false;
    shell.prompter.expectDialog([&](QDialog &dialog) {
        auto *chooser = qobject_cast<TForm6 *>(&dialog);
        if (!chooser)
            return int(QDialog::Rejected);
        // The panel stays hidden while the chooser is up.
        chooserShown = panel->isHidden();
        (roster ? chooser->rosterChoice() : chooser->scoreChoice())->setChecked(true);
        return int(QDialog::Accepted);
    });

    QAction *menuItem = mode == kModeGradeBook ? window.menus().gradeBookEntry : window.menus().questioningEntry;
    if (trigger == QLatin1String("menu"))
        menuItem->trigger();
    else
        window.gradeBookToolbar()->entryButton()->click();
    QTRY_VERIFY(!panel->isHidden());

    QVERIFY(chooserShown);
    QCOMPARE(int(window.entry().entryKind()), kind);
    QCOMPARE(panel->grid()->horizontalHeaderItem(1)->text(), title);
    QVERIFY(panel->grid()->cellText(1).isEmpty());
    QCOMPARE(panel->importButton()->isEnabled(), roster);
    QCOMPARE(window.context().mainQuery.fieldNames(), fields);
    QCOMPARE(window.context().mainQuery.currentRow(), 0);
    QCOMPARE(menuItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    QCOMPARE(shell.prompter.pendingReplies(), 0);
}

void TstUnit2::sortAndClearFromMenusAndToolbar()
{
    Shell shell;
    shell.startIn(kModeGradeBook);
    shell.prompter.clear();
    TForm1 &window = shell.window;
    const QString nothingToSort = QStringLiteral("没有记录,不能排序!");
    const QString confirmClear = QStringLiteral("确定删除一班语文的全部成绩吗？");

    shell.prompter.expectAnswer(Answer::Ok);
    window.menus().gradeBookSort->trigger();
    QTRY_COMPARE(shell.prompter.messages(), QStringList{nothingToSort});
    shell.prompter.expectAnswer(Answer::Ok);
    window.gradeBookToolbar()->sortButton()->click();
    QTRY_COMPARE(shell.prompter.messages().size(), 2);
    QCOMPARE(shell.prompter.messages().last(), nothingToSort);

    shell.prompter.expectAnswer(Answer::No);
    window.menus().gradeBookClear->trigger();
    QTRY_COMPARE(shell.prompter.messages().size(), 3);
    QCOMPARE(shell.prompter.messages().last(), confirmClear);
    shell.prompter.expectAnswer(Answer::No);
    window.gradeBookToolbar()->clearButton()->click();
    QTRY_COMPARE(shell.prompter.messages().size(), 4);
    QCOMPARE(shell.prompter.messages().last(), confirmClear);

    // The questioning sort shows the item group and sorts by 平均, highest first.
    window.SpeedButton6Click();
    shell.execute(QStringLiteral("UPDATE [一班语文课堂提问] SET [平均] = [编号] % 7"));
    bool itemGroupShown = false;
    shell.prompter.expectDialog([&](QDialog &dialog) {
        auto *sort = qobject_cast<TForm5 *>(&dialog);
        if (!sort)
            return int(QDialog::Rejected);
        itemGroupShown = !sort->itemGroup()->isHidden();
        sort->okButton()->click();
        return sort->result();
    });
    window.menus().questioningSort->trigger();
    QTRY_VERIFY(itemGroupShown);
    QCOMPARE(window.context().mainQuery.value(QStringLiteral("平均")).toInt(), 6);
    QCOMPARE(shell.prompter.pendingReplies(), 0);
}

void TstUnit2::entryPanelHideAndCaretLine()
{
    Shell shell;
    shell.startIn(kModeGradeBook);
    TForm1 &window = shell.window;
    shell.prompter.expectDialog([](QDialog &) { return int(QDialog::Accepted); });
    window.entry().SpeedButton2Click();
    EntryPanel *panel = window.panel1();
    QVERIFY(!panel->isHidden());

    Q_EMIT panel->caretLineChanged(3);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("StatusPanel3"))->text(), QStringLiteral("3"));

    panel->hideButton()->click();
    QVERIFY(panel->isHidden());
    QVERIFY(!window.context().portraitQuery.isOpen());
    QCOMPARE(window.context().portraitQuery.query().parameter, QStringLiteral("总分"));

    // A view switch hides the panel without touching the portrait query.
    shell.prompter.expectDialog([](QDialog &) { return int(QDialog::Accepted); });
    window.entry().SpeedButton2Click();
    window.SpeedButton6Click();
    QVERIFY(panel->isHidden());
    QCOMPARE(shell.prompter.pendingReplies(), 0);
}

void TstUnit2::enterInGradeBookRecomputesTheRow()
{
    Shell shell;
    shell.startWithScores(QStringLiteral("UPDATE [一班语文记分册] SET [第2次] = 86"));
    TForm1 &window = shell.window;

    DataGrid *grid = window.mainGrid();
    const QModelIndex score = grid->model()->index(0, 3);
    grid->setCurrentIndex(score);
    grid->edit(score);
    auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(score));
    QVERIFY(editor);
    editor->setText(QStringLiteral("85"));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(shell.scalar(QStringLiteral("SELECT [合计] FROM [一班语文记分册] WHERE [编号] = 1")).toInt(), 171);
    QCOMPARE(shell.scalar(QStringLiteral("SELECT [平均] FROM [一班语文记分册] WHERE [编号] = 1")).toDouble(), 85.0);
    QCOMPARE(shell.prompter.calls().size(), 0);
}

void TstUnit2::portraitInTheEntryPanel()
{
    Shell shell;
    shell.startIn(kModeQuestioning);
    TForm1 &window = shell.window;
    Dataset &students = window.context().mainQuery;
    QVERIFY(students.moveTo(1));
    const QString name = students.value(QStringLiteral("姓名")).toString();

    // 个性图片 shows the portrait panel inside the entry panel, its toolbar disabled.
    window.menus().questioningPortrait->trigger();
    EntryPanel *panel = window.panel1();
    QVERIFY(!panel->isHidden());
    QVERIFY(!panel->openButton()->isEnabled());
    auto *portrait = panel->findChild<PortraitPanel *>();
    QVERIFY(portrait && !portrait->isHidden());

    // 添加 loads a bitmap for the current student, stored under the student's name.
    const QString bitmap = shell.folder.path() + QStringLiteral("/face.bmp");
    QImage face(4, 6, QImage::Format_RGB32);
    face.fill(Qt::red);
    QVERIFY(face.save(bitmap, "BMP"));
    QFile file(bitmap);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    shell.prompter.expectText(bitmap);
    window.entry().BitBtn3Click();
    QCOMPARE(shell.prompter.lastCall().caption, QStringLiteral("打开"));
    const QString stored = QStringLiteral("SELECT [相片] FROM [范例班] WHERE [姓名] = '%1'").arg(name);
    QCOMPARE(shell.scalar(stored).toByteArray(), bytes);

    // Moving away and back shows the same student's portrait again.
    QVERIFY(students.moveTo(2));
    QVERIFY(students.moveTo(1));
    QCOMPARE(window.context().portraitQuery.value(QStringLiteral("姓名")).toString().trimmed(), name);

    // 隐藏 closes the portrait panel and its query.
    panel->hideButton()->click();
    QVERIFY(panel->isHidden());
    QVERIFY(!window.context().portraitQuery.isOpen());
}

QTEST_MAIN(TstUnit2)
#include "TstUnit2.moc"
