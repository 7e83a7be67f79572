#pragma once

#include "store/Database.h"

#include <QString>

struct GridPresentation;

/// The views and panel states of the main window. Applying one sets the toolbars, the
/// operation menus, the grid's hint and the panels together.
enum class View {
    Questioning, ///< questioning toolbar and menu, hint "随机选择请双击或回车"
    GradeBook,   ///< grade-book toolbar and menu, hint "双击直接修改"
};

/// The main-window operations that features call on each other's behalf. Features get
/// this and the shared context, never the main window itself.
class MainView {
public:
    virtual ~MainView() = default;

    /// Grid formatting: column widths, alignment and colours for the main query's fields.
    virtual void formatGrid() = 0;
    /// Open grade-book view: mode 记分册, fields unbound, the column list rebuilt, the
    /// grade-book table shown, formatted, first row. Returns the engine's failure; what
    /// was done before it stays done.
    virtual Result openGradeBookView() = 0;
    /// The grade-book column list as open grade-book view last wrote it ("编号,姓名,小组"
    /// while the table has no score column; empty before the first grade-book view).
    virtual QString gradeBookColumnList() const = 0;
    /// Shows the questioning table of the logged-in class and subject ordered by 编号:
    /// mode 课堂提问, grid formatting, the find boxes, bound fields.
    virtual Result openQuestioningView() = 0;
    /// Applies a view's toolbars, operation menus, grid hint and panels, and carries out
    /// the steps that stop a random selection. The table shown and the mode stay as they are.
    virtual void showView(View view) = 0;

    /// Binds the grade, name and number fields to 评价, 姓名 and 编号.
    virtual void bindFields() = 0;
    /// Unbinds the three fields; a pending grid edit is saved first.
    virtual void unbindFields() = 0;
    /// Commits an open cell editor and posts a pending edit of the main query. Returns
    /// the refusal of the cell (a typed text that is no value for its column, left in the
    /// cell) or of the engine, without showing it.
    virtual Result savePendingEdits() = 0;

    /// The browse presentation, with the questioning menu's 直接修改 unchecked.
    virtual void useBrowsePresentation() = 0;
    /// Direct modification on or off: both 直接修改 marks, the grid presentation and,
    /// in the grade book, the hints of the grid and of the 修改 button.
    virtual void toggleDirectModification() = 0;

    /// Hides the entry panel.
    virtual void hideEntryPanel() = 0;
    /// Text of a status-bar panel (0 to 2).
    virtual void showStatus(int panel, const QString &text) = 0;
};
