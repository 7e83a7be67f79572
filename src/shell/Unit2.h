#pragma once

#include "GridPresentation.h"
#include "LoginState.h"
#include "MainMenus.h"
#include "login/LoginTarget.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

class AnimationControl;
class BoundField;
class CurrentRowLink;
class DataGrid;
class DatasetModel;
class FormattedGridModel;
class GradeBookToolbar;
class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QuestioningCommands;
class QuestioningToolbar;

/// Main window (module Unit2): menus, the two toolbars, the main grid and the status bar;
/// owns the login state, the connection, the main and portrait queries, the
/// random-selection timer and the entry panel, and hosts every command.
class TForm1 : public QMainWindow, public LoginTarget {
    Q_OBJECT

public:
    /// Builds the window for a program folder; start-up itself runs in FormCreate().
    TForm1(const QString &programFolder, Prompter &prompter, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    /// Main window start-up: clips, the connection, the first login, the title rule.
    /// A connection that cannot be opened is reported and the rest is skipped.
    void FormCreate();

    // What the login dialog needs.
    Database &database() override { return m_database; }
    Dataset &mainQuery() override { return m_mainQuery; }
    Prompter &prompter() override { return m_prompter; }
    const DataPaths &paths() const override { return m_paths; }
    LoginState &loginState() override { return m_login; }
    /// Unbinds the number, name and grade fields; a pending grid edit is saved first.
    void unbindFields() override;
    SqlResult showQuestioningViewAfterLogin() override;
    SqlResult showGradeBookViewAfterLogin() override;

    /// The portrait query, linked to the main query's current 姓名.
    Dataset &portraitQuery() { return m_portraitQuery; }

    // Shared view operations.
    /// Grid formatting: column widths, alignment and colours for the main query's fields.
    void N8Click();
    /// Open grade-book view: mode 记分册, fields unbound, the column list rebuilt, the
    /// grade-book table shown, formatted, first row. Returns the engine's failure;
    /// callers that do not expect one show it with prompter().error.
    SqlResult N14Click();
    /// Toggle direct modification: both 直接修改 check marks, the grid presentation and,
    /// in the grade book, the grid's and the 修改 button's hints.
    void N15Click();
    /// Binds the grade, name and number fields to 评价, 姓名 and 编号 (questioning view).
    void bindFields();
    /// The steps of stopping a random selection: timer off, the number box shows the
    /// current 编号, grade and count boxes enabled, flag idle, animation stopped.
    void stopSelection();
    /// Applies the title rule when somebody is logged in.
    void applyTitleRule();
    /// Commits an open cell editor and posts a pending edit of the main query. Returns
    /// the engine's refusal without showing it.
    SqlResult savePendingEdits();
    /// Copies an option set onto the main grid.
    void setGridPresentation(const GridPresentation &presentation);
    /// The grid's hint (also its accessible name).
    void setGridHint(const QString &hint);

    // Commands of the menus and toolbars.
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
    /// Help (使用手册, F1): opens 使用手册.chm of the program folder.
    void N6Click();
    /// About box (关于...).
    void N7Click();
    /// 随机提问 (F5, double-click or Enter on the grid): starts or stops a random
    /// selection in the questioning view, toggles direct modification in the grade book.
    void BitBtn2Click();
    /// The 10 ms random-selection tick.
    void Timer1Timer();
    /// Enter in the find-by-number box (also Enter while the window itself has the focus).
    void Edit1KeyPress();
    /// Enter in the find-by-name box.
    void Edit2KeyPress();
    /// A grade chosen in the grade box.
    void ComboBox1Change();
    /// 评语设定: the comment settings.
    void N5Click();
    /// 清除 of the questioning menu: clear evaluations.
    void N11Click();
    /// The grade mirror: the grade box shows the grade field's grade without grading.
    void DBEdit3Change();
    /// The questioning commands and their two long-lived windows (comment settings, pop-up).
    QuestioningCommands &questioning() { return *m_questioning; }
    /// Enter in the main grid; true when the key was used up. In the questioning view it
    /// is the 随机提问 command.
    bool DBGrid1KeyPress();

    // Widgets and state for the commands of the other subsystems.
    const MainMenus &menus() const { return m_menus; }
    QuestioningToolbar *questioningToolbar() const { return m_questioningToolbar; }
    GradeBookToolbar *gradeBookToolbar() const { return m_gradeBookToolbar; }
    QLineEdit *edit1() const;
    QLineEdit *edit2() const;
    AnimationControl *animate1() const;
    QSpinBox *spinEdit1() const;
    QComboBox *comboBox1() const;
    QLineEdit *dbEdit1() const;
    QLineEdit *dbEdit2() const;
    QLineEdit *dbEdit3() const;
    BoundField &numberField() { return *m_numberField; }
    BoundField &nameField() { return *m_nameField; }
    BoundField &gradeField() { return *m_gradeField; }
    AnimationControl *animate2() const { return m_animate2; }
    DataGrid *dbGrid1() const { return m_grid; }
    DatasetModel *gridModel() const { return m_datasetModel.get(); }
    QWidget *panel1() const { return m_panel1; }
    /// The status bar's third panel (line number of the entry panel's memo).
    QLabel *statusLinePanel() const { return m_statusPanels[2]; }
    QLabel *statusPanel(int index) const { return m_statusPanels[index]; }
    QTimer &timer1() { return m_timer; }
    bool selectionRunning() const { return m_selectionRunning; }
    void setSelectionRunning(bool running) { m_selectionRunning = running; }
    /// The grade-book column list ("编号,姓名,小组" when the table has no score column).
    QString gradeBookColumnList() const { return m_gradeBookColumnList; }
    /// Titles of the window's file-open and file-save dialogs.
    QString openDialogTitle() const { return QStringLiteral("打开"); }
    QString saveDialogTitle() const { return QStringLiteral("保存"); }

Q_SIGNALS:
    /// The login replaced the login state's grade settings. This signal is also the
    /// login dialog's call of the same name.
    void gradeSettingsChanged() override;

protected:
    /// Creates the login dialog, shows it modally and destroys it.
    virtual void runLoginDialog();
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void connectCommands();
    void showOperationMenus(bool questioning, bool gradeBook);
    void setDirectModificationChecked(bool checked);
    void mirrorCurrentRow();
    void saveBeforeLeaving();

    Prompter &m_prompter;
    DataPaths m_paths;
    LoginState m_login;
    Database m_database;
    Dataset m_mainQuery;
    Dataset m_portraitQuery;
    std::unique_ptr<DatasetModel> m_datasetModel;
    std::unique_ptr<FormattedGridModel> m_formattedModel;
    std::unique_ptr<CurrentRowLink> m_currentRowLink;
    std::unique_ptr<BoundField> m_numberField;
    std::unique_ptr<BoundField> m_nameField;
    std::unique_ptr<BoundField> m_gradeField;
    QTimer m_timer;
    bool m_selectionRunning = false;
    bool m_exiting = false;
    QString m_gradeBookColumnList;

    MainMenus m_menus;
    QuestioningToolbar *m_questioningToolbar = nullptr;
    GradeBookToolbar *m_gradeBookToolbar = nullptr;
    AnimationControl *m_animate2 = nullptr;
    DataGrid *m_grid = nullptr;
    QWidget *m_panel1 = nullptr;
    QLabel *m_statusPanels[3] = {};
    // Last, so that it goes first: it acts on everything above.
    std::unique_ptr<QuestioningCommands> m_questioning;
};
