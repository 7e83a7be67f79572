#include "QuestioningCommands.h"

#include "Dangci.h"
#include "EvaluationClearing.h"
#include "Grading.h"
#include "QuestioningToolbar.h"
#include "StudentFinder.h"
#include "Unit7.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/MainMenus.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

QuestioningCommands::QuestioningCommands(AppContext &context, MainView &view, QuestioningToolbar &toolbar, QWidget *windows)
    : m_context(context)
    , m_view(view)
    , m_toolbar(toolbar)
    , m_windows(windows)
    , m_fair(context)
    , m_selection(context, view, toolbar, {}, &m_fair)
    , m_fairCommands(
          context, view, m_fair, m_undo, [this] { return m_selection.isRunning(); },
          [this] {
              if (m_form7)
                  m_form7->hidePopup();
          })
{
}

QuestioningCommands::~QuestioningCommands()
{
    m_toolbar.stopTimer();
}

void QuestioningCommands::connectCommands(const MainMenus &menus, DataGrid &grid)
{
    QObject::connect(menus.randomQuestion, &QAction::triggered, &m_toolbar, [this] { BitBtn2Click(); });
    QObject::connect(menus.commentSettings, &QAction::triggered, &m_toolbar, [this] { N5Click(); });
    // Commands that open a modal window run from the event loop, not inside the menu item's
    // click: a screen reader that chose the item then gets its answer at once instead of
    // waiting until the dialog closes.
    QObject::connect(
        menus.questioningClear, &QAction::triggered, &m_toolbar, [this] { N11Click(); }, Qt::QueuedConnection);
    QObject::connect(&grid, &DataGrid::surfaceDoubleClicked, &m_toolbar, [this] { BitBtn2Click(); });
    QObject::connect(m_toolbar.numberBox(), &QLineEdit::returnPressed, &m_toolbar, [this] { Edit1KeyPress(); });
    QObject::connect(m_toolbar.nameBox(), &QLineEdit::returnPressed, &m_toolbar, [this] { Edit2KeyPress(); });
    QObject::connect(m_toolbar.gradeBox(), &QComboBox::activated, &m_toolbar, [this] { ComboBox1Change(); });
    QObject::connect(m_toolbar.hiddenGrade(), &QLineEdit::textChanged, &m_toolbar, [this] { DBEdit3Change(); });
    QObject::connect(&m_toolbar.selectionTimer(), &QTimer::timeout, &m_toolbar, [this] { Timer1Timer(); });
    m_fairCommands.connectCommands(menus, grid);
}

void QuestioningCommands::createWindows()
{
    form2();
    form7();
}

TForm2 &QuestioningCommands::form2()
{
    if (!m_form2) {
        m_form2 = new TForm2(m_context.login, m_context.prompter, m_windows);
        m_form2->useDataFiles(m_context.dataFiles);
    }
    return *m_form2;
}

TForm7 &QuestioningCommands::form7()
{
    if (!m_form7)
        m_form7 = new TForm7(m_windows);
    return *m_form7;
}

void QuestioningCommands::BitBtn2Click()
{
    m_selection.command();
}

void QuestioningCommands::Timer1Timer()
{
    m_selection.tick();
}

void QuestioningCommands::Edit1KeyPress()
{
    StudentFinder(m_context, m_toolbar).findByNumber();
}

void QuestioningCommands::Edit2KeyPress()
{
    StudentFinder(m_context, m_toolbar).findByName();
}

void QuestioningCommands::ComboBox1Change()
{
    Grading grading(
        m_context.mainQuery, m_context.login, form2(), m_context.prompter,
        [this](const QString &comment) { form7().showComment(comment); },
        [this](const GradeRecord::Step &step) {
            m_undo.recorded(step);
            m_fairCommands.updateItems();
        });
    grading.grade(m_toolbar.gradeBox()->currentIndex());
}

void QuestioningCommands::DBEdit3Change()
{
    QComboBox *box = m_toolbar.gradeBox();
    // Setting the index is no choice of the teacher's: only activated() grades.
    box->setCurrentIndex(box->findText(m_toolbar.hiddenGrade()->text().trimmed()));
}

void QuestioningCommands::N5Click()
{
    form2().showOrRaise();
}

void QuestioningCommands::N11Click()
{
    EvaluationClearing(m_context, m_view).run();
}

void QuestioningCommands::takeGradeSettings()
{
    m_undo.clear();
    m_fairCommands.updateItems();
    // Before start-up has created the dialog, it takes the settings when it is created.
    if (m_form2)
        m_form2->takeSettings(m_context.login.grades);
}
