#pragma once

#include <QtGlobal>

struct AppContext;
class MainView;
class QWidget;

/// The grade-book commands: Enter in the grade-book view, the two sort commands with the
/// sort dialog, and clearing scores. Works on the shared context and the main view.
class GradeBookCommands final {
public:
    /// windows is the parent of the sort dialog.
    GradeBookCommands(AppContext &context, MainView &view, QWidget *windows);
    Q_DISABLE_COPY_MOVE(GradeBookCommands)

    /// Enter in the main grid outside the questioning view; the window has committed the
    /// grid's open cell editor to the row. Recomputes and saves the row, or in the sorted
    /// view offers to leave it.
    void DBGrid1KeyPress();
    /// 排序 of the grade-book menu and toolbar: the sort dialog from the unsorted view,
    /// refused while the table has no score column.
    void N26Click();
    /// 排序 of the questioning menu: the sort dialog with its item group.
    void N12Click();
    /// 清除 of the grade-book menu and toolbar: clear all scores.
    void N27Click();

private:
    AppContext &m_context;
    MainView &m_view;
    QWidget *m_windows;
};
