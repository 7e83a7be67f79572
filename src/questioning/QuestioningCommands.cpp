#include "QuestioningCommands.h"

#include "Dangci.h"
#include "EvaluationClearing.h"
#include "Grading.h"
#include "StudentFinder.h"
#include "Unit7.h"
#include "shell/AnimationControl.h"
#include "shell/GridPresentation.h"
#include "shell/Unit2.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

QuestioningCommands::QuestioningCommands(TForm1 &window)
    : m_window(window)
    , m_selection(*this)
{
}

QuestioningCommands::~QuestioningCommands() = default;

void QuestioningCommands::createWindows()
{
    form2();
    form7();
}

TForm2 &QuestioningCommands::form2()
{
    if (!m_form2)
        m_form2 = new TForm2(m_window.loginState(), m_window.prompter(), &m_window);
    return *m_form2;
}

TForm7 &QuestioningCommands::form7()
{
    if (!m_form7)
        m_form7 = new TForm7(&m_window);
    return *m_form7;
}

void QuestioningCommands::randomQuestion()
{
    m_selection.command();
}

void QuestioningCommands::tick()
{
    m_selection.tick();
}

void QuestioningCommands::findByNumber()
{
    StudentFinder(*this).findByNumber();
}

void QuestioningCommands::findByName()
{
    StudentFinder(*this).findByName();
}

void QuestioningCommands::gradeChosen()
{
    Grading grading(m_window.mainQuery(), m_window.loginState(), form2(), m_window.prompter(),
                    [this](const QString &comment) { form7().showComment(comment); });
    grading.grade(m_window.comboBox1()->currentIndex());
}

void QuestioningCommands::showGrade(const QString &grade)
{
    QComboBox *box = m_window.comboBox1();
    // Setting the index is no choice of the teacher's: only activated() grades.
    box->setCurrentIndex(box->findText(grade.trimmed()));
}

void QuestioningCommands::commentSettings()
{
    form2().showOrRaise();
}

void QuestioningCommands::clearEvaluations()
{
    EvaluationClearing(*this).run();
}

void QuestioningCommands::takeGradeSettings()
{
    // Before start-up has created the dialog, it takes the settings when it is created.
    if (m_form2)
        m_form2->takeSettings(m_window.loginState().grades);
}

LoginState &QuestioningCommands::loginState() { return m_window.loginState(); }
Dataset &QuestioningCommands::mainQuery() { return m_window.mainQuery(); }
Prompter &QuestioningCommands::prompter() { return m_window.prompter(); }
const DataPaths &QuestioningCommands::paths() const { return m_window.paths(); }
QString QuestioningCommands::countText() const { return m_window.spinEdit1()->text(); }
void QuestioningCommands::setCountText(const QString &text) { m_window.spinEdit1()->setValue(text.toInt()); }
void QuestioningCommands::setCountEnabled(bool enabled) { m_window.spinEdit1()->setEnabled(enabled); }
void QuestioningCommands::setGradeBoxEnabled(bool enabled) { m_window.comboBox1()->setEnabled(enabled); }
QString QuestioningCommands::numberBoxText() const { return m_window.edit1()->text(); }
void QuestioningCommands::setNumberBoxText(const QString &text) { m_window.edit1()->setText(text); }
QString QuestioningCommands::nameBoxText() const { return m_window.edit2()->text(); }
QString QuestioningCommands::numberFieldText() const { return m_window.dbEdit1()->text(); }
void QuestioningCommands::playAnimation() { m_window.animate1()->play(); }
void QuestioningCommands::stopAnimation() { m_window.animate1()->stop(); }
void QuestioningCommands::startTimer() { m_window.timer1().start(); }
void QuestioningCommands::stopTimer() { m_window.timer1().stop(); }
bool QuestioningCommands::selectionRunning() const { return m_window.selectionRunning(); }
void QuestioningCommands::setSelectionRunning(bool running) { m_window.setSelectionRunning(running); }

void QuestioningCommands::useBrowsePresentation()
{
    m_window.setGridPresentation(GridPresentation::browse());
    m_window.menus().questioningDirectModification->setChecked(false);
}

void QuestioningCommands::toggleDirectModification() { m_window.N15Click(); }
void QuestioningCommands::formatGrid() { m_window.N8Click(); }
