#include "MainMenus.h"

#include "Artwork.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction *item(QMainWindow &window, QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(Artwork::menuIcon(caption), caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // Also owned by the window, so the key works while its menu is hidden.
        window.addAction(action);
    }
    return action;
}

} // namespace

MainMenus::MainMenus(QMainWindow &window)
{
    QMenuBar *bar = window.menuBar();

    QMenu *file = bar->addMenu(QStringLiteral("文件"));
    file->setObjectName(QStringLiteral("fileMenu"));
    relogin = item(window, file, QStringLiteral("N3"), QStringLiteral("重新登录"), QKeySequence(Qt::Key_F9));
    saveAsMaster = item(window, file, QStringLiteral("N2"), QStringLiteral("保存为母版"));
    exportToExcel = item(window, file, QStringLiteral("N29"), QStringLiteral("导出至Excel"));
    file->addSeparator();
    exit = item(window, file, QStringLiteral("Exit1"), QStringLiteral("退出"));

    questioningMenu = bar->addMenu(QStringLiteral("操作"));
    questioningMenu->setObjectName(QStringLiteral("questioningMenu"));
    questioningEntry = item(
        window, questioningMenu, QStringLiteral("questioningEntry"), QStringLiteral("录入"), QKeySequence(Qt::CTRL | Qt::Key_L));
    questioningSort = item(window, questioningMenu, QStringLiteral("N12"), QStringLiteral("排序"));
    questioningClear = item(window, questioningMenu, QStringLiteral("N11"), QStringLiteral("清除"));
    questioningPortrait = item(window, questioningMenu, QStringLiteral("Zhaopian"), QStringLiteral("个性图片"));
    questioningMenu->addSeparator();
    randomQuestion
        = item(window, questioningMenu, QStringLiteral("BitBtn2"), QStringLiteral("随机提问"), QKeySequence(Qt::Key_F5));
    commentSettings = item(window, questioningMenu, QStringLiteral("N5"), QStringLiteral("评语设定"));
    questioningDirectModification = item(window, questioningMenu, QStringLiteral("N15"), QStringLiteral("直接修改"));
    questioningDirectModification->setCheckable(true);
    // A checked item with a picture shows only a faint frame: the tick must be seen.
    questioningDirectModification->setIconVisibleInMenu(false);
    switchToGradeBook = item(window, questioningMenu, QStringLiteral("N13"), QStringLiteral("切换"));
    questioningMenu->addSeparator();
    noRepeat = item(window, questioningMenu, QStringLiteral("noRepeat"), QStringLiteral("不重复"));
    noRepeat->setCheckable(true);
    restartRound = item(window, questioningMenu, QStringLiteral("restartRound"), QStringLiteral("重新开始一轮"));
    toggleAbsent = item(
        window, questioningMenu, QStringLiteral("toggleAbsent"), QStringLiteral("缺席/到场"), QKeySequence(Qt::CTRL | Qt::Key_D));
    undoGrade = item(
        window, questioningMenu, QStringLiteral("undoGrade"), QStringLiteral("撤销评价"), QKeySequence(Qt::CTRL | Qt::Key_Z));

    gradeBookMenu = bar->addMenu(QStringLiteral("操作"));
    gradeBookMenu->setObjectName(QStringLiteral("gradeBookMenu"));
    gradeBookEntry = item(window, gradeBookMenu, QStringLiteral("gradeBookEntry"), QStringLiteral("录入"));
    // The same key as the questioning menu's 录入, shown here but taken by that item,
    // so that Ctrl+L is never ambiguous; both items run the same command.
    gradeBookEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    gradeBookEntry->setShortcutContext(Qt::WidgetShortcut);
    gradeBookSort = item(window, gradeBookMenu, QStringLiteral("N26"), QStringLiteral("排序"));
    gradeBookClear = item(window, gradeBookMenu, QStringLiteral("N27"), QStringLiteral("清除"));
    gradeBookPortrait = item(window, gradeBookMenu, QStringLiteral("gradeBookPortrait"), QStringLiteral("个性图片"));
    gradeBookMenu->addSeparator();
    gradeBookDirectModification
        = item(window, gradeBookMenu, QStringLiteral("gradeBookDirectModification"), QStringLiteral("直接修改"));
    gradeBookDirectModification->setCheckable(true);
    gradeBookDirectModification->setIconVisibleInMenu(false);
    switchToQuestioning = item(window, gradeBookMenu, QStringLiteral("gradeBookSwitch"), QStringLiteral("切换"));

    QMenu *help = bar->addMenu(QStringLiteral("帮助"));
    help->setObjectName(QStringLiteral("helpMenu"));
    manual = item(window, help, QStringLiteral("N6"), QStringLiteral("使用手册"), QKeySequence(Qt::Key_F1));
    about = item(window, help, QStringLiteral("N7"), QStringLiteral("关于..."));
}
