#pragma once

#include "export/ExportCommands.h"
#include "store/AnalysisSettingsFile.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class DesktopOpener;
class QAbstractButton;
class MainMenus;
class AnalysisView;
class ClassScores;
struct AppContext;
class MainView;
class QWidget;

/// 成绩分析: opens the analysis window for the logged-in class and subject, keeps it in
/// step with the grade book through the main query's signals, remembers 满分, 及格 and
/// 优秀 per class and subject, and runs the window's 保存图片 and 导出.
class AnalysisCommands final : public QObject {
    Q_OBJECT

public:
    /// Opens a file with an outside application without waiting for it, as 导出至Excel does.
    using Opener = ExportCommands::Opener;

    /// windows is the main window the analysis window stays above; folder is where
    /// workbooks are kept (created when missing).
    AnalysisCommands(AppContext &context, MainView &view, QWidget *windows, Opener opener = {}, QString folder = {});
    ~AnalysisCommands() override;
    Q_DISABLE_COPY_MOVE(AnalysisCommands)

    /// Connects 成绩分析 of the grade-book 操作 menu and the grade-book toolbar's button.
    void connectCommands(const MainMenus &menus, QAbstractButton &toolbarButton);

    /// 成绩分析: shows the analysis window (or brings it to the front) with the grade book
    /// as it stands; before any login a notice instead.
    void showAnalysis();
    /// 保存图片: the chart shown, as a PNG file the teacher names.
    void saveImage();
    /// 导出: the analysis into a new workbook kept in the documents folder, then opened.
    void exportWorkbook();

    /// The window, once 成绩分析 has made it.
    AnalysisView *analysisWindow() const;
    /// The workbook the last 导出 wrote; empty before one succeeded.
    QString lastWorkbook() const { return m_lastWorkbook; }

private:
    void scheduleReload();
    void reload();
    void followCurrentRow();
    void showCurrentStudent();
    void saveLines(const ScoreLines &lines);
    bool mainQueryShowsGradeBook() const;

    AppContext &m_context;
    MainView &m_view;
    QWidget *m_windows;
    Opener m_opener;
    QString m_folder;
    QPointer<AnalysisView> m_window;
    QTimer m_reload;
    QString m_shownTable; ///< the grade-book table whose scores the window shows
    QString m_lastWorkbook;
    // Last, so that it goes first: no answer of the desktop arrives after the rest is gone.
    std::unique_ptr<DesktopOpener> m_desktop;
};
