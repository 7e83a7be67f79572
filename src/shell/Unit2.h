#pragma once

#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"

#include <QMainWindow>
#include <memory>

#include "Features.h"
#include "MainGrid.h"

class AnimationControl;
class BoundField;
class EntryPanel;
class GradeBookToolbar;
class Prompter;
class QuestioningToolbar;
class StatusPanels;

/// Main window (module Unit2): builds the menus, the two toolbars, the main grid and the
/// status bar, owns what lives for the whole run (login state, connection, main and
/// portrait queries), switches the views and runs its own commands. The features, built
/// on its widgets, wire their commands themselves and reach it only through MainView.
class TForm1 : public QMainWindow, public MainView {
    Q_OBJECT

public:
    /// Builds the window for a program folder; start-up itself runs in FormCreate().
    TForm1(const QString &programFolder, Prompter &prompter, QWidget *parent = nullptr);
    /// When the widgets, menus and features are built.
    enum class Build {
        Now,              ///< in the constructor
        WhenLoginNeedsIt, ///< when 确定 of the first login dialog is pressed, or the dialog closes
    };
    /// Builds the window for the folders DataPaths chose.
    TForm1(DataPaths paths, Prompter &prompter, QWidget *parent = nullptr, Build build = Build::Now);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    /// Main window start-up: clips, the connection, the first login, the title rule.
    /// A connection that cannot be opened is reported and the rest is skipped.
    void FormCreate();
    /// Builds what Build::WhenLoginNeedsIt left for later; nothing once built.
    void ensureBuilt();
    bool isBuilt() const { return m_features != nullptr; }
    /// Works on a school's PostgreSQL server (postgresql://user@host/name) instead of
    /// Record.mdb, Data files included; call before FormCreate. A setting that is no such
    /// URL, or a server that cannot be used, is reported by FormCreate, which then does
    /// nothing else: never a silent fall back to a local file.
    void useServer(const QString &url);

    // The main view, as the features use it.
    /// Grid formatting (N8Click).
    void formatGrid() override { m_mainGrid->format(); }
    /// Open grade-book view (N14Click).
    Result openGradeBookView() override;
    Result openQuestioningView() override;
    /// The one place that applies a view.
    void showView(View view) override;
    void bindFields() override;
    void unbindFields() override;
    Result savePendingEdits() override { return m_mainGrid->savePendingEdits(); }
    void useBrowsePresentation() override;
    /// Direct modification (直接修改 of both 操作 menus and the 修改 button, N15Click).
    void toggleDirectModification() override;
    /// The entry panel's 隐藏 (BitBtn1Click).
    void hideEntryPanel() override;
    void showStatus(int panel, const QString &text) override;

    // Handlers of the window's own menu items.
    /// Re-login (重新登录, F9): stops a running selection, hides the entry panel, shows
    /// the login dialog, applies the title rule.
    void N3Click();
    /// Switch to the grade-book view (questioning menu 切换).
    void N13Click();
    /// Switch to the questioning view (grade-book toolbar and menu 切换).
    void SpeedButton6Click();
    /// Exit (退出): ends the program at once, without clearing the shown grades.
    void Exit1Click();
    /// Closing: in the questioning view the shown grades (评价) are cleared.
    void FormClose();
    /// Help (使用手册, F1): opens 使用手册.chm of the shipped folder.
    void N6Click();
    /// About box (关于...).
    void N7Click();
    /// Enter in the main grid; true when the key was used up. In the questioning view it
    /// is the 随机提问 command, elsewhere the grade book's Enter.
    bool DBGrid1KeyPress();

    /// Applies the title rule when somebody is logged in.
    void applyTitleRule();

    // The assembled parts, for start-up and tests.
    AppContext &context() { return m_context; }
    QuestioningCommands &questioning() { return m_features->questioning(); }
    GradeBookCommands &gradeBook() { return m_features->gradeBook(); }
    EntryCommands &entry() { return m_features->entry(); }
    EntryPanel *panel1() const { return m_entryPanel; }
    ExportCommands &exporting() { return m_features->exporting(); }
    PortraitCommands &portrait() { return m_features->portrait(); }
    AnalysisCommands &analysis() { return m_features->analysis(); }
    const MainMenus &menus() const { return *m_menus; }
    QuestioningToolbar *questioningToolbar() const { return m_questioningToolbar; }
    GradeBookToolbar *gradeBookToolbar() const { return m_gradeBookToolbar; }
    DataGrid *mainGrid() const { return m_mainGrid->widget(); } ///< DBGrid1
    DatasetModel *gridModel() const { return m_mainGrid->model(); }
    BoundField &gradeField() { return *m_gradeField; }
    BoundField &numberField() { return *m_numberField; }
    /// The grade-book column list ("编号,姓名,小组" when the table has no score column).
    QString gradeBookColumnList() const override { return m_gradeBookColumnList; }

protected:
    /// Creates the login dialog, shows it modally and destroys it.
    virtual void runLoginDialog();
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void buildWindow();
    void connectCommands();
    void loadClips();
    void saveBeforeLeaving();

    Prompter &m_prompter;
    DataPaths m_paths;
    LoginState m_login;
    Database m_database;
    Dataset m_mainQuery;
    Dataset m_portraitQuery;
    ProgramDataFiles m_dataFiles;
    AppContext m_context;
    std::unique_ptr<BoundField> m_numberField;
    std::unique_ptr<BoundField> m_nameField;
    std::unique_ptr<BoundField> m_gradeField;
    bool m_exiting = false;
    QString m_serverSetting;
    QString m_gradeBookColumnList;

    std::unique_ptr<MainMenus> m_menus;
    QuestioningToolbar *m_questioningToolbar = nullptr;
    GradeBookToolbar *m_gradeBookToolbar = nullptr;
    AnimationControl *m_animate2 = nullptr;
    std::unique_ptr<MainGrid> m_mainGrid;
    DataGrid *m_grid = nullptr;
    EntryPanel *m_entryPanel = nullptr;
    std::unique_ptr<StatusPanels> m_statusPanels;
    // Last, so that they go first: they act on everything above. Built means they are.
    std::unique_ptr<Features> m_features;
};
