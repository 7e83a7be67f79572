#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

class DesktopOpener;
class QDateTime;
struct AppContext;
class MainMenus;
class MainView;

/// 导出至Excel: writes what the main grid shows into a new workbook kept in the teacher's
/// documents folder, names it in the status bar for a while and opens it with the
/// desktop's spreadsheet application.
class ExportCommands final {
public:
    /// Opens a file with an outside application without waiting for it; calls done once,
    /// later, with false when nothing could be started.
    using Opener = std::function<void(const QString &path, std::function<void(bool opened)> done)>;

    /// How long the status bar names the workbook.
    static constexpr int kStatusShownMs = 10000;
    /// The longest file name the file systems take, in bytes.
    static constexpr int kMaxFileNameBytes = 255;

    /// folder is where workbooks are kept (created when missing); empty: the export folder
    /// of the context's paths. Without an opener the desktop's (xdg-open) is used.
    ExportCommands(AppContext &context, MainView &view, Opener opener = {}, QString folder = {});
    ~ExportCommands();
    Q_DISABLE_COPY_MOVE(ExportCommands)

    /// Connects 导出至Excel of the 文件 menu to N29Click.
    void connectCommands(const MainMenus &menus);

    /// Export (N29Click): title, column names and every row of the main query in its
    /// order; the main query is left on its last row. Refused before any login.
    void N29Click();

    /// The workbook the last export wrote; empty before one succeeded.
    QString lastWorkbook() const { return m_lastWorkbook; }
    /// For tests: how long the status bar names the workbook.
    void setStatusDuration(int milliseconds) { m_statusTimer.setInterval(milliseconds); }

    /// A free file name in folder for the table, with the date and time of the export;
    /// a table name too long for a file name is shortened (ending in …).
    static QString workbookPath(const QString &folder, const QString &table, const QDateTime &when);

private:
    void reportOpening(const QString &path, bool opened);

    AppContext &m_context;
    MainView &m_view;
    QString m_folder;
    QString m_lastWorkbook;
    QTimer m_statusTimer;
    // Last, so that it goes first: no answer of the desktop arrives after the rest is gone.
    std::unique_ptr<DesktopOpener> m_desktop;
    Opener m_opener;
};
