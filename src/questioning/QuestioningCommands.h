#pragma once

#include "FairLesson.h"
#include "FairLessonCommands.h"
#include "GradeUndo.h"
#include "RandomSelection.h"

#include <QPointer>

struct AppContext;
class DataGrid;
class MainMenus;
class MainView;
class QuestioningToolbar;
class QWidget;
class TForm2;
class TForm7;

/// The questioning commands: random selection and its tick, the two finds, grading and
/// the grade mirror, the comment settings dialog and the comment pop-up, and clearing
/// evaluations. Works on the shared context, the main view and its own toolbar.
class QuestioningCommands final {
public:
    /// windows is the parent of the comment settings dialog and the pop-up.
    QuestioningCommands(AppContext &context, MainView &view, QuestioningToolbar &toolbar, QWidget *windows);
    ~QuestioningCommands();
    Q_DISABLE_COPY_MOVE(QuestioningCommands)

    /// Connects 随机提问, 评语设定 and 清除 of the menus, a double-click on the grid, and the
    /// toolbar's boxes, the grade field and the selection timer to their handlers; then the
    /// fair lesson's items and the grid's 缺席 / 到场.
    void connectCommands(const MainMenus &menus, DataGrid &grid);
    /// Creates the comment settings dialog (taking the login's grade settings) and then
    /// the comment pop-up, both hidden. Either is also created on first use.
    void createWindows();
    TForm2 &form2();
    TForm7 &form7();
    QuestioningToolbar &toolbar() { return m_toolbar; }

    /// 随机提问 (F5, double-click or Enter on the grid): starts or stops a random
    /// selection in the questioning view, toggles direct modification in the grade book.
    void BitBtn2Click();
    /// The 10 ms random-selection tick.
    void Timer1Timer();
    /// Enter in the find-by-number box (also Enter while the window itself has the focus).
    void Edit1KeyPress();
    /// Enter in the find-by-name box.
    void Edit2KeyPress();
    /// A grade chosen by the teacher in the grade box.
    void ComboBox1Change();
    /// The grade mirror: the grade box shows the grade field's grade without grading.
    void DBEdit3Change();
    /// 评语设定: shows the comment settings or brings them to the front.
    void N5Click();
    /// 清除 of the questioning menu: clear evaluations.
    void N11Click();

    /// The steps that stop a selection, also carried out by re-login and view switching.
    void stopSelection() { m_selection.stop(); }
    /// The selection-running flag.
    bool selectionRunning() const { return m_selection.isRunning(); }
    /// After a login: the comment settings take the login state's grade settings, and the
    /// grades that can be taken back start afresh.
    void takeGradeSettings();

    /// 不重复, the round, absences and undo of the logged-in class and subject.
    FairLesson &fairLesson() { return m_fair; }
    FairLessonCommands &fairLessonCommands() { return m_fairCommands; }
    GradeUndo &gradeUndo() { return m_undo; }

private:
    AppContext &m_context;
    MainView &m_view;
    QuestioningToolbar &m_toolbar;
    QWidget *m_windows;
    FairLesson m_fair;
    GradeUndo m_undo;
    RandomSelection m_selection;
    FairLessonCommands m_fairCommands;
    QPointer<TForm2> m_form2;
    QPointer<TForm7> m_form7;
};
