#pragma once

#include <QString>
#include <QtGlobal>

struct AppContext;
class DataGrid;
class GradeBookToolbar;
class MainMenus;
class MainView;
class QWidget;

/// The grade-book commands: Enter in the grade-book view, the two sort commands with the
/// sort dialog, and clearing scores. Works on the shared context and the main view.
class GradeBookCommands final {
public:
    /// windows is the parent of the sort dialog.
    GradeBookCommands(AppContext &context, MainView &view, QWidget *windows);
    Q_DISABLE_COPY_MOVE(GradeBookCommands)

    /// The grid's hint in the grade-book view while direct modification is off.
    static inline const QString kGridHint = QStringLiteral("双击直接修改");

    /// Connects 排序 and 清除 of the menus and the toolbar, and 直接修改 of both menus with
    /// the toolbar's 修改, to their handlers; direct modification acts on grid.
    void connectCommands(const MainMenus &menus, GradeBookToolbar &toolbar, DataGrid &grid);

    /// Direct modification (直接修改 of both 操作 menus, the 修改 button): flips both
    /// menus' marks and the grid between the edit and browse presentations; in the grade
    /// book also the hints of the grid and of 修改.
    void N15Click();
    /// The browse presentation, with the questioning menu's 直接修改 unchecked.
    void useBrowsePresentation();

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
    const MainMenus *m_menus = nullptr;
    GradeBookToolbar *m_toolbar = nullptr;
    DataGrid *m_grid = nullptr;
};
