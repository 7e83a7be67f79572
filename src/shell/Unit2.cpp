#include "Unit2.h"

#include "StoreOpening.h"
#include "Unit4.h"
#include "WindowTitle.h"
#include "entry/EntryCommands.h"
#include "entry/EntryPanel.h"
#include "gradebook/GradeBookCommands.h"
#include "gradebook/GradeBookToolbar.h"
#include "gradebook/GradeBookView.h"
#include "login/Laopo.h"
#include "portrait/PortraitCommands.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "ui/AnimationControl.h"
#include "ui/Artwork.h"
#include "ui/BoundField.h"
#include "ui/DataGrid.h"
#include "ui/Prompter.h"
#include "ui/StatusPanels.h"

#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kQuestioningHint = QStringLiteral("随机选择请双击或回车");
const QString kNotLoggedIn = QStringLiteral("您还没有登录，现在登录吗?");

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TForm1::TForm1(const QString &programFolder, Prompter &prompter, QWidget *parent)
    : TForm1(DataPaths(programFolder), prompter, parent)
{
}

TForm1::TForm1(DataPaths paths, Prompter &prompter, QWidget *parent, Build build)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_paths(std::move(paths))
    , m_mainQuery(m_database)
    , m_portraitQuery(m_database)
    , m_dataFiles(m_database, m_paths.dataFolder())
    , m_context{m_login, m_database, m_mainQuery, m_portraitQuery, m_prompter, m_paths, m_dataFiles}
{
    setObjectName(QStringLiteral("TForm1"));
    m_login.programFolder = m_paths.dataRoot();
    m_portraitQuery.setMaster(&m_mainQuery);
    if (build == Build::Now)
        this->build();
}

void TForm1::build()
{
    m_menus = std::make_unique<MainMenus>(*this);
    buildWindow();
    m_features = std::make_unique<Features>(
        m_context, *this, Features::Widgets{*m_questioningToolbar, *m_gradeBookToolbar, *m_grid, *m_entryPanel}, this);
    connectCommands();
}

void TForm1::ensureBuilt()
{
    if (isBuilt())
        return;
    build();
    loadClips();
}

// The features go first, then the grid's models, the bound fields and the queries they
// hang on, and the widgets last.
TForm1::~TForm1() = default;

void TForm1::buildWindow()
{
    setWindowTitle(WindowTitle::kInitial);
    setWindowIcon(Artwork::windowIcon());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 251, 240));
    setPalette(colours);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(13);
    setFont(font);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_questioningToolbar = new QuestioningToolbar(central);
    column->addWidget(m_questioningToolbar);
    m_gradeBookToolbar = new GradeBookToolbar(central);
    m_gradeBookToolbar->hide();
    column->addWidget(m_gradeBookToolbar);

    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    m_mainGrid = std::make_unique<MainGrid>(m_mainQuery, m_prompter, central);
    m_grid = m_mainGrid->widget();
    m_grid->installEventFilter(this);
    row->addWidget(m_grid, 1);
    m_entryPanel = new EntryPanel(central);
    m_entryPanel->hide();
    row->addWidget(m_entryPanel);
    column->addLayout(row, 1);


    m_numberField = std::make_unique<BoundField>(*m_questioningToolbar->hiddenNumber(), m_mainQuery);
    m_nameField = std::make_unique<BoundField>(*m_questioningToolbar->hiddenName(), m_mainQuery);
    m_gradeField = std::make_unique<BoundField>(*m_questioningToolbar->hiddenGrade(), m_mainQuery);

    m_animate2 = new AnimationControl(central);
    m_animate2->setObjectName(QStringLiteral("Animate2"));
    m_animate2->setAccessibleName(QStringLiteral("横幅动画"));
    m_animate2->setGeometry(706, 6, 78, 49);
    m_animate2->raise();

    m_statusPanels = std::make_unique<StatusPanels>(*statusBar());

    resize(654, 521 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    m_grid->setHint(kQuestioningHint);
}

void TForm1::connectCommands()
{
    m_features->connectCommands(*m_menus);

    // The window's own: re-login and exit, the two view switches, help and About. Those
    // that open a modal window run from the event loop, not inside the click: a screen
    // reader that chose the item then gets its answer at once.
    connect(m_menus->relogin, &QAction::triggered, this, &TForm1::N3Click, Qt::QueuedConnection);
    connect(m_menus->exit, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(m_menus->switchToGradeBook, &QAction::triggered, this, &TForm1::N13Click, Qt::QueuedConnection);
    connect(m_menus->switchToQuestioning, &QAction::triggered, this, &TForm1::SpeedButton6Click, Qt::QueuedConnection);
    connect(m_gradeBookToolbar->switchButton(), &QToolButton::clicked, this, &TForm1::SpeedButton6Click, Qt::QueuedConnection);
    connect(m_menus->manual, &QAction::triggered, this, &TForm1::N6Click);
    connect(m_menus->about, &QAction::triggered, this, &TForm1::N7Click, Qt::QueuedConnection);
}

void TForm1::loadClips()
{
    AnimationControl *selectionClip = m_questioningToolbar->selectionClip();
    selectionClip->setFileName(m_paths.selectionClipFile());
    selectionClip->setFrameRange(1, 32);
    m_animate2->setFileName(m_paths.bannerClipFile());
    m_animate2->setFrameRange(1, 13);
    m_animate2->play();
}

void TForm1::FormCreate()
{
    m_login.programFolder = m_paths.dataRoot();
    if (isBuilt())
        loadClips();

    QString warning;
    if (const Result opened = StoreOpening::open(m_database, m_dataFiles, m_paths, m_serverSetting, &warning); !opened) {
        ensureBuilt();
        m_prompter.error(opened.error);
        return;
    }
    if (!warning.isEmpty())
        m_prompter.error(warning);
    runLoginDialog();
    applyTitleRule();
}

void TForm1::useServer(const QString &url)
{
    m_serverSetting = url;
}

void TForm1::runLoginDialog()
{
    TForm3 dialog(m_context, *this, this);
    // A window left for later is built when the login needs it, or when the dialog closes:
    // while the teacher types, the program holds no more than the dialog.
    connect(&dialog, &TForm3::loginRequested, this, &TForm1::ensureBuilt);
    connect(&dialog, &TForm3::gradeSettingsChanged, this, [this] { questioning().takeGradeSettings(); });
    m_prompter.execDialog(dialog);
    ensureBuilt();
}

void TForm1::applyTitleRule()
{
    if (const std::optional<QString> title = WindowTitle::forLogin(m_login))
        setWindowTitle(*title);
}

void TForm1::bindFields()
{
    m_gradeField->setDataField(QStringLiteral("评价"));
    m_nameField->setDataField(QStringLiteral("姓名"));
    m_numberField->setDataField(QStringLiteral("编号"));
}

void TForm1::unbindFields()
{
    if (const Result saved = savePendingEdits(); !saved)
        m_prompter.error(saved.error);
    m_gradeField->setDataField({});
    m_nameField->setDataField({});
    m_numberField->setDataField({});
}

void TForm1::saveBeforeLeaving()
{
    // A refused portrait or motto change is shown by the portrait commands themselves.
    (void)portrait().savePending();
    if (const Result saved = savePendingEdits(); !saved) {
        // The value cannot be stored; the teacher is told which, and the window still goes.
        m_prompter.error(saved.error);
        m_mainQuery.cancel();
    }
}

void TForm1::useBrowsePresentation()
{
    gradeBook().useBrowsePresentation();
}

void TForm1::hideEntryPanel()
{
    entry().BitBtn1Click();
}

void TForm1::showStatus(int panel, const QString &text)
{
    m_statusPanels->setText(panel, text);
}

void TForm1::showView(View view)
{
    const bool lesson = view == View::Questioning;
    questioning().stopSelection();
    m_menus->questioningMenu->menuAction()->setVisible(lesson);
    m_menus->gradeBookMenu->menuAction()->setVisible(!lesson);
    m_questioningToolbar->setVisible(lesson);
    m_gradeBookToolbar->setVisible(!lesson);
    m_grid->setHint(lesson ? kQuestioningHint : GradeBookCommands::kGridHint);
    m_entryPanel->hide();
}

Result TForm1::openGradeBookView()
{
    if (const Result saved = savePendingEdits(); !saved)
        return saved;
    m_login.mode = kModeGradeBook;
    unbindFields();
    if (const Result opened = GradeBookView::open(m_login, m_mainQuery, m_gradeBookColumnList); !opened)
        return opened;
    formatGrid();
    m_mainQuery.first();
    return Result::success();
}

void TForm1::toggleDirectModification()
{
    gradeBook().N15Click();
}

Result TForm1::openQuestioningView()
{
    (void)m_mainQuery.close();
    m_mainQuery.setQuery(Sql::showAllOrderedByNumber(m_login.tables().questioningTable()));
    if (const Result opened = m_mainQuery.open(); !opened)
        return opened;
    m_login.mode = kModeQuestioning;
    formatGrid();
    m_questioningToolbar->mirrorCurrentRow();
    bindFields();
    return Result::success();
}

void TForm1::N3Click()
{
    if (questioning().selectionRunning())
        questioning().stopSelection();
    m_entryPanel->hide();
    runLoginDialog();
    applyTitleRule();
}

void TForm1::N13Click()
{
    if (const Result saved = savePendingEdits(); !saved) {
        m_prompter.error(saved.error);
        return;
    }
    (void)m_portraitQuery.close();
    m_portraitQuery.setQuery(Sql::portrait(QStringLiteral("姓名")));
    Result shown = m_portraitQuery.open();
    if (shown)
        shown = openGradeBookView();
    if (!shown) {
        if (!m_prompter.confirm(Caption::kNotice, kNotLoggedIn))
            return;
        N3Click();
    }
    unbindFields();
    formatGrid();
    showView(View::GradeBook);
    applyTitleRule();
}

void TForm1::SpeedButton6Click()
{
    if (const Result saved = savePendingEdits(); !saved) {
        m_prompter.error(saved.error);
        return;
    }
    if (const Result opened = openQuestioningView(); !opened) {
        if (!m_prompter.confirm(Caption::kNotice, kNotLoggedIn))
            return;
        N3Click();
    }
    showView(View::Questioning);
    formatGrid();
    m_mainQuery.first();
    applyTitleRule();
}

void TForm1::FormClose()
{
    if (m_login.mode != kModeQuestioning)
        return;
    const Result cleared = m_mainQuery.execute(Sql::clearCurrentGrades(m_login.tables().questioningTable()));
    // The window closes even when the grades could not be cleared: the teacher has seen
    // why, and keeping the window open would not let the statement succeed.
    if (!cleared)
        m_prompter.error(cleared.error);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_exiting) {
        saveBeforeLeaving();
        FormClose();
    }
    questioning().toolbar().stopTimer();
    event->accept();
}

void TForm1::Exit1Click()
{
    saveBeforeLeaving();
    m_exiting = true;
    questioning().toolbar().stopTimer();
    // exit(), not quit(): quit() would close the window first and so clear the grades.
    QCoreApplication::exit(0);
}

void TForm1::N6Click()
{
    // The set-up installs xchm; a desktop without it opens the file with whatever viewer
    // it has for the type.
    const QString manual = m_paths.manualFile();
    const QString viewer = QStandardPaths::findExecutable(QStringLiteral("xchm"));
    if (viewer.isEmpty() || !QProcess::startDetached(viewer, {manual}, m_paths.shippedFolder()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void TForm1::N7Click()
{
    TForm4 about(this);
    if (m_database.engine() == Engine::PostgreSQL)
        about.showDatabase(m_database.shownName());
    else
        about.showDataFolder(m_paths.locationCaption(), m_paths.dataRoot());
    m_prompter.execDialog(about);
}

bool TForm1::DBGrid1KeyPress()
{
    if (m_gradeField->dataField() == QStringLiteral("评价")) {
        questioning().BitBtn2Click();
        return true;
    }
    // A typed value the cell refuses is said, and stays in the cell to be corrected.
    if (!m_grid->commitPendingEdit()) {
        m_prompter.notice(Caption::kNotice, m_mainGrid->lastRefusal());
        return true;
    }
    gradeBook().DBGrid1KeyPress();
    return true;
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = focusWidget();
    if (isEnter(event) && (focus == nullptr || focus == this)) {
        questioning().Edit1KeyPress();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event)))
        return DBGrid1KeyPress();
    return QMainWindow::eventFilter(watched, event);
}
