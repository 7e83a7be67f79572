#pragma once

#include "ui/DataGrid.h"
#include "ui/FormattedGridModel.h"

#include <QObject>
#include <QPointer>
#include <functional>

struct AppContext;
class FairLesson;
class GradeUndo;
class MainMenus;
class MainView;
class QAction;
class QMenu;
class QPoint;

/// The fair lesson's commands in the questioning view: 不重复, 重新开始一轮, 撤销评价 and
/// 缺席 / 到场 (the grid's context menu and a shortcut). Greys the absent students' rows
/// and keeps the 不重复 mark and the 撤销评价 item in step with what is stored.
class FairLessonCommands final : public QObject {
    Q_OBJECT

public:
    /// running tells whether a random selection runs; hideComment puts the comment pop-up away.
    FairLessonCommands(AppContext &context, MainView &view, FairLesson &fair, GradeUndo &undo, std::function<bool()> running,
        std::function<void()> hideComment, QObject *parent = nullptr);

    /// Connects 不重复, 重新开始一轮, 缺席/到场 and 撤销评价 of the questioning menu, and the
    /// grid's context menu; the grid's model greys the absent students' rows.
    void connectCommands(const MainMenus &menus, DataGrid &grid);

    /// 不重复 chosen: on or off for the class and subject, kept in Record.mdb.
    void noRepeatTriggered(bool on);
    /// 重新开始一轮: everybody can be chosen again.
    void restartRound();
    /// 撤销评价 (Ctrl+Z): takes the newest grade of this login back.
    void undoGrade();
    /// 缺席 / 到场 for the current row's student.
    void setCurrentAbsent(bool absent);
    /// The shortcut: 缺席 for a present student, 到场 for an absent one.
    void toggleCurrentAbsent();
    /// The context menu of the grid at a point of its viewport; nullptr when it offers none.
    QMenu *showAbsenceMenu(const QPoint &position);

    /// A grade was recorded or the undo history was emptied: the item follows.
    void updateItems();

private:
    bool inQuestioningView() const;
    bool refuseWhileRunning();
    void stateChanged();

    AppContext &m_context;
    MainView &m_view;
    FairLesson &m_fair;
    GradeUndo &m_undo;
    std::function<bool()> m_running;
    std::function<void()> m_hideComment;
    QPointer<QAction> m_noRepeatItem;
    QPointer<QAction> m_undoItem;
    QPointer<DataGrid> m_grid;
    QPointer<FormattedGridModel> m_model;
};
