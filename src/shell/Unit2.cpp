#include "Unit2.h"

#include "Unit4.h"
#include "WindowTitle.h"
#include "analysis/AnalysisCommands.h"
#include "analysis/AnalysisMessages.h"
#include "entry/EntryCommands.h"
#include "entry/EntryPanel.h"
#include "export/ExportCommands.h"
#include "gradebook/GradeBookCommands.h"
#include "gradebook/GradeBookToolbar.h"
#include "gradebook/GradeBookView.h"
#include "login/Laopo.h"
#include "portrait/PortraitCommands.h"
#include "portrait/PortraitPanel.h"
#include "questioning/Dangci.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "store/DatasetModel.h"
#include "ui/AnimationControl.h"
#include "ui/Artwork.h"
#include "ui/BoundField.h"
#include "ui/CurrentRowLink.h"
#include "ui/DataGrid.h"
#include "ui/FormattedGridModel.h"
#include "ui/GridFormatting.h"
#include "ui/Prompter.h"
#include "ui/StatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
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
    , m_menus(*this)
{
    setObjectName(QStringLiteral("TForm1"));
    m_login.programFolder = m_paths.dataRoot();
    m_portraitQuery.setMaster(&m_mainQuery);
    if (build == Build::Now)
        this->build();
}

void TForm1::build()
{
    m_built = true;
    buildWindow();
    m_questioning = std::make_unique<QuestioningCommands>(m_context, *this, *m_questioningToolbar, this);
    m_gradeBook = std::make_unique<GradeBookCommands>(m_context, *this, this);
    m_entry = std::make_unique<EntryCommands>(
        m_context, *this, *m_entryPanel, *m_grid, [this]() -> const GradingSettings & { return m_questioning->form2(); }, this);
    m_export = std::make_unique<ExportCommands>(m_context, *this);
    auto *portraitPanel = new PortraitPanel(m_portraitQuery);
    m_entryPanel->addToInputArea(portraitPanel);
    QuestioningCommands *questioning = m_questioning.get();
    m_portrait = std::make_unique<PortraitCommands>(
        m_context, *this, *portraitPanel, [questioning] { return questioning->selectionRunning(); });
    m_entry->setPortrait(m_portrait.get());
    m_analysis = std::make_unique<AnalysisCommands>(m_context, *this, this);
    connectCommands();
}

void TForm1::ensureBuilt()
{
    if (m_built)
        return;
    build();
    loadClips();
}

TForm1::~TForm1()
{
    if (!m_built)
        return;
    m_analysis.reset();
    m_entry.reset();
    m_portrait.reset();
    m_gradeBook.reset();
    m_export.reset();
    m_questioning.reset();
    // The grid and the bound fields hang on the queries, which go before the widgets do.
    m_grid->setModel(nullptr);
    m_currentRowLink.reset();
    m_formattedModel.reset();
    m_datasetModel.reset();
}

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
    m_grid = new DataGrid(central);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    QFont gridFont(QStringLiteral("华文细黑"));
    gridFont.setPixelSize(16);
    m_grid->setFont(gridFont);
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setPixelSize(16);
    m_grid->horizontalHeader()->setFont(titleFont);
    row->addWidget(m_grid, 1);
    m_entryPanel = new EntryPanel(central);
    m_entryPanel->hide();
    row->addWidget(m_entryPanel);
    column->addLayout(row, 1);

    m_datasetModel = std::make_unique<DatasetModel>(&m_mainQuery);
    m_formattedModel = std::make_unique<FormattedGridModel>();
    m_formattedModel->setSourceModel(m_datasetModel.get());
    m_grid->setModel(m_formattedModel.get());
    m_currentRowLink = std::make_unique<CurrentRowLink>(*m_grid, m_mainQuery);
    m_grid->installEventFilter(this);
    // A value a cell refused is said after whatever left the cell has finished.
    connect(m_grid, &DataGrid::editRefused, this, [this] {
        QMetaObject::invokeMethod(
            this, [this, why = m_datasetModel->lastRefusal()] { m_prompter.notice(Caption::kNotice, why); },
            Qt::QueuedConnection);
    });

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
    // Each feature connects the menu items and buttons that run its commands.
    m_questioning->connectCommands(m_menus, *m_grid);
    m_gradeBook->connectCommands(m_menus, *m_gradeBookToolbar, *m_grid);
    m_entry->connectCommands(m_menus, *m_gradeBookToolbar->entryButton());
    m_portrait->connectCommands(m_menus);
    m_export->connectCommands(m_menus);
    m_analysis->connectCommands(m_menus,
        *m_gradeBookToolbar->addButton(
            QStringLiteral("analysisToolButton"), AnalysisMessages::kCommand, AnalysisMessages::kCommandHint));

    // The window's own: re-login and exit, the two view switches, help and About. Those
    // that open a modal window run from the event loop, not inside the click: a screen
    // reader that chose the item then gets its answer at once.
    connect(m_menus.relogin, &QAction::triggered, this, &TForm1::N3Click, Qt::QueuedConnection);
    connect(m_menus.exit, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(m_menus.switchToGradeBook, &QAction::triggered, this, &TForm1::N13Click, Qt::QueuedConnection);
    connect(m_menus.switchToQuestioning, &QAction::triggered, this, &TForm1::SpeedButton6Click, Qt::QueuedConnection);
    connect(m_gradeBookToolbar->switchButton(), &QToolButton::clicked, this, &TForm1::SpeedButton6Click, Qt::QueuedConnection);
    connect(m_menus.manual, &QAction::triggered, this, &TForm1::N6Click);
    connect(m_menus.about, &QAction::triggered, this, &TForm1::N7Click, Qt::QueuedConnection);
    connect(m_currentRowLink.get(), &CurrentRowLink::moveFailed, this, [this](const QString &error) { m_prompter.error(error); });
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
    if (m_built)
        loadClips();

    if (const Result opened = openDatabase(); !opened) {
        ensureBuilt();
        m_prompter.error(opened.error);
        return;
    }
    runLoginDialog();
    applyTitleRule();
}

void TForm1::useServer(const QString &url)
{
    m_serverSetting = url;
}

Result TForm1::openDatabase()
{
    if (m_serverSetting.isEmpty()) {
        // Record.mdb and Data/ in the data folder, the shipped lists and settings copied in
        // when it is new. A data folder that cannot be made is named by the connection's
        // own refusal; a shipped file that cannot be copied is told, and the login goes on.
        const Result prepared = m_paths.prepare();
        if (Result opened = m_database.open(m_paths); !opened)
            return opened;
        if (!prepared)
            m_prompter.error(prepared.error);
        return Result::success();
    }
    QString refusal;
    const std::optional<DatabaseUrl> server = DatabaseUrl::parse(m_serverSetting, &refusal);
    if (!server)
        return Result::failure(refusal);
    if (Result opened = m_database.openServer(*server); !opened)
        return opened;
    // The lists and settings live on the server, the shipped ones its first Data files; the
    // local Data folder is only where the file dialogs start (templates, comment lists).
    (void)m_paths.makeDataFolder();
    if (Result prepared = m_dataFiles.table().prepare(m_paths.shippedDataFolder()); !prepared)
        return Result::failure(
            QStringLiteral("无法在数据库%1上保存班级名单、密码和评语设定：%2").arg(m_database.shownName(), prepared.error));
    return Result::success();
}

void TForm1::runLoginDialog()
{
    TForm3 dialog(m_context, *this, this);
    // A window left for later is built when the login needs it, or when the dialog closes:
    // while the teacher types, the program holds no more than the dialog.
    connect(&dialog, &TForm3::loginRequested, this, &TForm1::ensureBuilt);
    connect(&dialog, &TForm3::gradeSettingsChanged, this, [this] { m_questioning->takeGradeSettings(); });
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

Result TForm1::savePendingEdits()
{
    if (!m_grid->commitPendingEdit())
        return Result::failure(m_datasetModel->lastRefusal());
    if (m_mainQuery.state() == Dataset::State::Edit || m_mainQuery.state() == Dataset::State::Insert)
        return m_mainQuery.post();
    return Result::success();
}

void TForm1::saveBeforeLeaving()
{
    // A refused portrait or motto change is shown by the portrait commands themselves.
    (void)m_portrait->savePending();
    if (const Result saved = savePendingEdits(); !saved) {
        // The value cannot be stored; the teacher is told which, and the window still goes.
        m_prompter.error(saved.error);
        m_mainQuery.cancel();
    }
}

void TForm1::useBrowsePresentation()
{
    m_gradeBook->useBrowsePresentation();
}

void TForm1::hideEntryPanel()
{
    m_entry->BitBtn1Click();
}

void TForm1::showStatus(int panel, const QString &text)
{
    m_statusPanels->setText(panel, text);
}

void TForm1::showView(View view)
{
    const bool questioning = view == View::Questioning;
    m_questioning->stopSelection();
    m_menus.questioningMenu->menuAction()->setVisible(questioning);
    m_menus.gradeBookMenu->menuAction()->setVisible(!questioning);
    m_questioningToolbar->setVisible(questioning);
    m_gradeBookToolbar->setVisible(!questioning);
    m_grid->setHint(questioning ? kQuestioningHint : GradeBookCommands::kGridHint);
    m_entryPanel->hide();
}

void TForm1::formatGrid()
{
    const QList<ColumnFormat> formats
        = GridFormatting::forFieldCount(m_mainQuery.fieldCount(), QApplication::palette().color(QPalette::ToolTipBase));
    m_formattedModel->setColumnFormats(formats);
    QList<int> widths;
    for (const ColumnFormat &format : formats)
        widths << format.width;
    m_grid->setColumnWidths(widths);
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
    m_gradeBook->N15Click();
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
    if (m_questioning->selectionRunning())
        m_questioning->stopSelection();
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
    m_questioning->toolbar().stopTimer();
    event->accept();
}

void TForm1::Exit1Click()
{
    saveBeforeLeaving();
    m_exiting = true;
    m_questioning->toolbar().stopTimer();
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
        m_questioning->BitBtn2Click();
        return true;
    }
    // A typed value the cell refuses is said, and stays in the cell to be corrected.
    if (!m_grid->commitPendingEdit()) {
        m_prompter.notice(Caption::kNotice, m_datasetModel->lastRefusal());
        return true;
    }
    m_gradeBook->DBGrid1KeyPress();
    return true;
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = focusWidget();
    if (isEnter(event) && (focus == nullptr || focus == this)) {
        m_questioning->Edit1KeyPress();
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
