#include "GradeBookCommands.h"

#include "GradeBookEnter.h"
#include "ScoreClearing.h"
#include "Sorting.h"
#include "Unit5.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

GradeBookCommands::GradeBookCommands(AppContext &context, MainView &view, QWidget *windows)
    : m_context(context)
    , m_view(view)
    , m_windows(windows)
{
}

void GradeBookCommands::DBGrid1KeyPress()
{
    GradeBookEnter::press(m_context.mainQuery, m_context.prompter, m_view, m_context.login.mode, m_view.gradeBookColumnList());
}

void GradeBookCommands::N26Click()
{
    Sorting sorting(m_context.database, m_context.mainQuery, m_context.prompter, m_view);
    if (!sorting.prepareGradeBookSort(m_view.gradeBookColumnList()))
        return;
    TForm5 dialog(sorting, m_context.login.tables(), m_context.mainQuery.fieldNames(), false, m_windows);
    m_context.prompter.execDialog(dialog);
}

void GradeBookCommands::N12Click()
{
    if (const Result saved = m_view.savePendingEdits(); !saved) {
        m_context.prompter.error(saved.error);
        return;
    }
    Sorting sorting(m_context.database, m_context.mainQuery, m_context.prompter, m_view);
    TForm5 dialog(sorting, m_context.login.tables(), m_context.mainQuery.fieldNames(), true, m_windows);
    m_context.prompter.execDialog(dialog);
}

void GradeBookCommands::N27Click()
{
    ScoreClearing(m_context.database, m_context.mainQuery, m_context.prompter, m_view)
        .run(m_context.login.tables(), m_context.dataFiles);
}
