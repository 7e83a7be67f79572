#pragma once

class QAction;
class QMainWindow;
class QMenu;

/// The main menu: 文件, the two 操作 menus (questioning and grade book) and 帮助, with
/// pictures and shortcuts. Shortcuts work whichever 操作 menu is shown. The window builds
/// it; each feature's commands connect the items that run them, the window its own.
class MainMenus final {
public:
    explicit MainMenus(QMainWindow &window);

    // 文件
    QAction *relogin;       ///< "重新登录", F9 (N3Click)
    QAction *saveAsMaster;  ///< "保存为母版" (N2Click)
    QAction *exportToExcel; ///< "导出至Excel" (N29Click)
    QAction *exit;          ///< "退出" (Exit1Click)

    // 操作, questioning menu
    QMenu *questioningMenu;
    QAction *questioningEntry;              ///< "录入", Ctrl+L
    QAction *questioningSort;               ///< "排序" (N12Click)
    QAction *questioningClear;              ///< "清除" (N11Click)
    QAction *questioningPortrait;           ///< "个性图片" (ZhaopianClick)
    QAction *randomQuestion;                ///< "随机提问", F5 (BitBtn2Click)
    QAction *commentSettings;               ///< "评语设定" (N5Click)
    QAction *questioningDirectModification; ///< "直接修改", checkable (N15Click)
    QAction *switchToGradeBook;             ///< "切换" (N13Click)
    QAction *noRepeat;                      ///< "不重复", checkable: no student asked twice in a round
    QAction *restartRound;                  ///< "重新开始一轮"
    QAction *toggleAbsent;                  ///< "缺席/到场", Ctrl+D: the current student absent or back
    QAction *undoGrade;                     ///< "撤销评价", Ctrl+Z: the newest grade of this login taken back

    // 操作, grade-book menu
    QMenu *gradeBookMenu;
    QAction *gradeBookEntry;              ///< "录入", Ctrl+L
    QAction *gradeBookSort;               ///< "排序" (N26Click)
    QAction *gradeBookClear;              ///< "清除" (N27Click)
    QAction *gradeBookPortrait;           ///< "个性图片" (ZhaopianClick)
    QAction *gradeBookDirectModification; ///< "直接修改", checkable (N15Click)
    QAction *switchToQuestioning;         ///< "切换" (SpeedButton6Click)

    // 帮助
    QAction *manual; ///< "使用手册", F1 (N6Click)
    QAction *about;  ///< "关于..." (N7Click)
};
