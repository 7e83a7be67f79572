#include "Features.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/AnalysisMessages.h"
#include "entry/EntryCommands.h"
#include "entry/EntryPanel.h"
#include "export/ExportCommands.h"
#include "gradebook/GradeBookCommands.h"
#include "gradebook/GradeBookToolbar.h"
#include "portrait/PortraitCommands.h"
#include "portrait/PortraitPanel.h"
#include "questioning/Dangci.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"

#include <QToolButton>

Features::Features(AppContext &context, MainView &view, const Widgets &widgets, QWidget *windows)
    : m_widgets(widgets)
{
    m_questioning = std::make_unique<QuestioningCommands>(context, view, widgets.questioningToolbar, windows);
    m_gradeBook = std::make_unique<GradeBookCommands>(context, view, windows);
    QuestioningCommands *questioning = m_questioning.get();
    m_entry = std::make_unique<EntryCommands>(
        context, view, widgets.entryPanel, widgets.grid, [questioning]() -> const GradingSettings & { return questioning->form2(); },
        windows);
    m_export = std::make_unique<ExportCommands>(context, view);
    auto *portraitPanel = new PortraitPanel(context.portraitQuery);
    widgets.entryPanel.addToInputArea(portraitPanel);
    m_portrait = std::make_unique<PortraitCommands>(
        context, view, *portraitPanel, [questioning] { return questioning->selectionRunning(); });
    m_entry->setPortrait(m_portrait.get());
    m_analysis = std::make_unique<AnalysisCommands>(context, view, windows);
}

Features::~Features() = default;

void Features::connectCommands(const MainMenus &menus)
{
    m_questioning->connectCommands(menus, m_widgets.grid);
    m_gradeBook->connectCommands(menus, m_widgets.gradeBookToolbar, m_widgets.grid);
    m_entry->connectCommands(menus, *m_widgets.gradeBookToolbar.entryButton());
    m_portrait->connectCommands(menus);
    m_export->connectCommands(menus);
    m_analysis->connectCommands(menus,
        *m_widgets.gradeBookToolbar.addButton(
            QStringLiteral("analysisToolButton"), AnalysisMessages::kCommand, AnalysisMessages::kCommandHint));
}
