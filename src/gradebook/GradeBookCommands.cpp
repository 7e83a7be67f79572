#include "GradeBookCommands.h"

#include "GradeBookEnter.h"
#include "GradeBookToolbar.h"
#include "ScoreClearing.h"
#include "Sorting.h"
#include "Unit5.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/GridPresentation.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QToolButton>

GradeBookCommands::GradeBookCommands(AppContext &context, MainView &view, QWidget *windows)
    : m_context(context)
    , m_view(view)
    , m_windows(windows)
{
}

void GradeBookCommands::connectCommands(const MainMenus &menus, GradeBookToolbar &toolbar, DataGrid &grid)
{
    m_menus = &menus;
    m_toolbar = &toolbar;
    m_grid = &grid;
    // The sort dialog and the password box run from the event loop, not inside the click:
    // a screen reader that chose the item then gets its answer at once.
    const auto queued = [&toolbar](auto *sender, auto signal, auto handler) {
        QObject::connect(sender, signal, &toolbar, handler, Qt::QueuedConnection);
    };
    queued(menus.gradeBookSort, &QAction::triggered, [this] { N26Click(); });
    queued(toolbar.sortButton(), &QToolButton::clicked, [this] { N26Click(); });
    queued(menus.questioningSort, &QAction::triggered, [this] { N12Click(); });
    queued(menus.gradeBookClear, &QAction::triggered, [this] { N27Click(); });
    queued(toolbar.clearButton(), &QToolButton::clicked, [this] { N27Click(); });

    for (QAction *item : {menus.questioningDirectModification, menus.gradeBookDirectModification}) {
        // A checkable item flips its own mark before it reports the click; the toggle
        // decides the marks itself.
        QObject::connect(item, &QAction::triggered, &toolbar, [this, item] {
            item->setChecked(!item->isChecked());
            N15Click();
        });
    }
    QObject::connect(toolbar.modifyButton(), &QToolButton::clicked, &toolbar, [this] { N15Click(); });
}

void GradeBookCommands::N15Click()
{
    const bool turnOn = !m_menus->questioningDirectModification->isChecked();
    m_menus->questioningDirectModification->setChecked(turnOn);
    m_menus->gradeBookDirectModification->setChecked(turnOn);
    m_grid->setPresentation(turnOn ? GridPresentation::edit() : GridPresentation::browse());
    if (m_context.login.mode == kModeGradeBook) {
        m_grid->setHint(turnOn ? QStringLiteral("修改后回车以更新数据") : kGridHint);
        m_toolbar->modifyButton()->setToolTip(turnOn ? QStringLiteral("取消直接修改") : QStringLiteral("允许直接修改"));
    }
}

void GradeBookCommands::useBrowsePresentation()
{
    m_grid->setPresentation(GridPresentation::browse());
    m_menus->questioningDirectModification->setChecked(false);
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
