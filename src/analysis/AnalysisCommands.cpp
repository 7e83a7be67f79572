#include "AnalysisCommands.h"

#include "AnalysisMessages.h"
#include "AnalysisView.h"
#include "export/DesktopOpener.h"
#include "export/OfficeModule.h"
#include "store/DataFileNames.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateTime>
#include <QDir>

AnalysisCommands::AnalysisCommands(AppContext &context, MainView &view, QWidget *windows, Opener opener, QString folder)
    : m_context(context)
    , m_view(view)
    , m_windows(windows)
    , m_opener(std::move(opener))
    , m_folder(folder.isEmpty() ? context.paths.exportFolder() : std::move(folder))
    , m_desktop(std::make_unique<DesktopOpener>())
{
    if (!m_opener) {
        m_opener = [desktop = m_desktop.get()](
                       const QString &path, std::function<void(bool)> done) { desktop->open(path, std::move(done)); };
    }
    // Every change of the grade book reaches the window once, after the command that made
    // it: a batch or a sort signals many times, the window reads the scores again once.
    m_reload.setSingleShot(true);
    m_reload.setInterval(0);
    connect(&m_reload, &QTimer::timeout, this, &AnalysisCommands::reload);
    Dataset &main = context.mainQuery;
    connect(&main, &Dataset::rowsReset, this, &AnalysisCommands::scheduleReload);
    connect(&main, &Dataset::valueChanged, this, [this] {
        if (mainQueryShowsGradeBook())
            scheduleReload();
    });
    connect(&main, &Dataset::currentRowChanged, this, &AnalysisCommands::followCurrentRow);
}

AnalysisCommands::~AnalysisCommands()
{
    delete m_window;
}

AnalysisView *AnalysisCommands::analysisWindow() const
{
    return m_window;
}

void AnalysisCommands::connectCommands(const MainMenus &menus, QAbstractButton &toolbarButton)
{
    // From the event loop, as the other commands: a screen reader that chose the item gets
    // its answer before the window (or the notice before a login) appears.
    connect(menus.gradeBookAnalysis, &QAction::triggered, this, &AnalysisCommands::showAnalysis, Qt::QueuedConnection);
    connect(&toolbarButton, &QAbstractButton::clicked, this, &AnalysisCommands::showAnalysis, Qt::QueuedConnection);
}

bool AnalysisCommands::mainQueryShowsGradeBook() const
{
    const Dataset &main = m_context.mainQuery;
    return main.isOpen() && main.query().writeTable == m_context.login.tables().gradeBookTable();
}

void AnalysisCommands::showAnalysis()
{
    if (!m_context.login.isLoggedIn()) {
        m_context.prompter.notice(AnalysisMessages::kNotice, AnalysisMessages::kNotLoggedIn);
        return;
    }
    if (!m_window) {
        const ReadResult<const OfficeModule::Functions *> office = OfficeModule::functions();
        if (!office) {
            m_context.prompter.error(office.error);
            return;
        }
        m_window = (*office)->analysisWindow(m_windows);
        connect(m_window, &AnalysisView::linesChanged, this, &AnalysisCommands::saveLines);
        connect(m_window, &AnalysisView::saveImageClicked, this, &AnalysisCommands::saveImage);
        connect(m_window, &AnalysisView::exportClicked, this, &AnalysisCommands::exportWorkbook);
    }
    m_shownTable.clear();
    reload();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void AnalysisCommands::scheduleReload()
{
    if (m_window && m_window->isVisible())
        m_reload.start();
}

void AnalysisCommands::reload()
{
    if (!m_window || !m_context.login.isLoggedIn())
        return;
    const LoginState &login = m_context.login;
    const QString table = login.tables().gradeBookTable();
    const bool otherClass = table != m_shownTable;
    ClassScores scores;
    if (mainQueryShowsGradeBook()) {
        scores = ClassScores::fromDataset(m_context.mainQuery);
    } else if (otherClass) {
        // The grid shows something else (the questioning table, group totals): read the
        // grade book itself. While it shows the same class, nothing changed the grade book.
        Dataset gradeBook(m_context.database);
        gradeBook.setQuery(Sql::showAll(table));
        if (const Result opened = gradeBook.open(); !opened) {
            m_window->showStatus(AnalysisMessages::unreadable(opened.error));
            return;
        }
        scores = ClassScores::fromDataset(gradeBook);
    } else {
        return;
    }
    if (!otherClass && scores.sameScoresAs(m_window->report().scores)) {
        // A sort, or the grade book opened again: the same scores in another order, so
        // every figure and chart stays as it is.
        showCurrentStudent();
        return;
    }
    const ScoreLines lines = otherClass
        ? AnalysisSettingsFile::read(m_context.dataFiles, DataFileNames::analysisSettings(login.className, login.subject))
        : m_window->lines();
    m_shownTable = table;
    m_window->showScores(login.className + login.subject, scores, lines);
    showCurrentStudent();
}

void AnalysisCommands::followCurrentRow()
{
    // A reload to come shows the student anyway.
    if (m_window && m_window->isVisible() && !m_reload.isActive())
        showCurrentStudent();
}

void AnalysisCommands::showCurrentStudent()
{
    const Dataset &main = m_context.mainQuery;
    if (!mainQueryShowsGradeBook() || main.currentRow() < 0)
        return;
    m_window->showStudent(m_window->report().scores.indexOf(main.value(Column::kNumber), main.value(Column::kName).toString()));
}

void AnalysisCommands::saveLines(const ScoreLines &lines)
{
    const LoginState &login = m_context.login;
    if (!login.isLoggedIn())
        return;
    if (const Result written = AnalysisSettingsFile::write(
            m_context.dataFiles, DataFileNames::analysisSettings(login.className, login.subject), lines);
        !written)
        m_context.prompter.error(written.error);
}

void AnalysisCommands::saveImage()
{
    if (!m_window)
        return;
    QWidget *chart = m_window->shownChartWidget();
    if (!chart)
        return;
    const std::optional<QString> path = m_context.prompter.saveFile(
        AnalysisMessages::kSaveTitle, AnalysisMessages::kPictureFilter, AnalysisMessages::kPictureExtension);
    if (!path)
        return;
    if (!chart->grab().save(*path, "PNG")) {
        m_context.prompter.error(AnalysisMessages::pictureNotSaved(QDir::toNativeSeparators(*path)));
        return;
    }
    m_window->showStatus(AnalysisMessages::pictureSaved(QDir::toNativeSeparators(*path)));
}

void AnalysisCommands::exportWorkbook()
{
    if (!m_window)
        return;
    Prompter &prompter = m_context.prompter;
    const AnalysisReport &report = m_window->report();
    if (report.scores.scoreColumns().isEmpty()) {
        prompter.notice(AnalysisMessages::kNotice, AnalysisMessages::kNothingToExport);
        return;
    }
    if (!QDir().mkpath(m_folder)) {
        prompter.error(QStringLiteral("无法创建文件夹“%1”，没有导出。").arg(QDir::toNativeSeparators(m_folder)));
        return;
    }
    const QString path
        = ExportCommands::workbookPath(m_folder, report.title + AnalysisMessages::kCommand, QDateTime::currentDateTime());
    if (const Result written = OfficeModule::writeAnalysis(path, report); !written) {
        prompter.error(written.error);
        return;
    }
    m_lastWorkbook = path;
    const QString shown = QDir::toNativeSeparators(path);
    m_window->showStatus(AnalysisMessages::exported(shown));
    m_opener(path, [this, shown](bool opened) {
        if (!opened)
            m_context.prompter.message(Prompter::applicationTitle(), AnalysisMessages::noSpreadsheet(shown),
                Prompter::Buttons::Ok, Prompter::Icon::Information);
    });
}
