#pragma once

#include <QtGlobal>
#include <memory>

class AnalysisCommands;
class DataGrid;
class EntryCommands;
class EntryPanel;
class ExportCommands;
class GradeBookCommands;
class GradeBookToolbar;
class MainView;
class PortraitCommands;
class QuestioningCommands;
class QuestioningToolbar;
class QWidget;
struct AppContext;
class MainMenus;

/// The main window's features, built together on the window's widgets, each connected to
/// the menu items and buttons that run its commands. They go in the reverse order of
/// their building, before the widgets and queries they act on.
class Features {
public:
    /// The window's widgets the features work on.
    struct Widgets {
        QuestioningToolbar &questioningToolbar;
        GradeBookToolbar &gradeBookToolbar;
        DataGrid &grid;
        EntryPanel &entryPanel;
    };

    /// `windows` is the parent of the features' dialogs and windows.
    Features(AppContext &context, MainView &view, const Widgets &widgets, QWidget *windows);
    ~Features();
    Q_DISABLE_COPY_MOVE(Features)

    /// Each feature connects its own menu items and toolbar buttons.
    void connectCommands(const MainMenus &menus);

    QuestioningCommands &questioning() { return *m_questioning; }
    GradeBookCommands &gradeBook() { return *m_gradeBook; }
    EntryCommands &entry() { return *m_entry; }
    ExportCommands &exporting() { return *m_export; }
    PortraitCommands &portrait() { return *m_portrait; }
    AnalysisCommands &analysis() { return *m_analysis; }

private:
    Widgets m_widgets;
    // In this order, so that the later ones, which use the earlier ones, go first.
    std::unique_ptr<QuestioningCommands> m_questioning;
    std::unique_ptr<ExportCommands> m_export;
    std::unique_ptr<GradeBookCommands> m_gradeBook;
    std::unique_ptr<PortraitCommands> m_portrait;
    std::unique_ptr<EntryCommands> m_entry;
    std::unique_ptr<AnalysisCommands> m_analysis;
};
