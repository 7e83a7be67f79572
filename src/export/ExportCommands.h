#pragma once

#include <QString>
#include <functional>

class QDateTime;
struct AppContext;
class MainMenus;
class MainView;

/// 导出至Excel: writes what the main grid shows into a new workbook kept in the teacher's
/// documents folder, names it in the status bar and opens it with the desktop's
/// spreadsheet application.
class ExportCommands final {
public:
    /// Opens a file with an outside application; false when nothing could be started.
    using Opener = std::function<bool(const QString &path)>;

    /// folder is where workbooks are kept (created when missing); empty: the export folder
    /// of the context's paths.
    ExportCommands(AppContext &context, MainView &view, Opener opener = openWithDesktop, QString folder = {});
    Q_DISABLE_COPY_MOVE(ExportCommands)

    /// Connects 导出至Excel of the 文件 menu to N29Click.
    void connectCommands(const MainMenus &menus);

    /// Export (N29Click): title, column names and every row of the main query in its
    /// order; the main query is left on its last row.
    void N29Click();

    /// The workbook the last export wrote; empty before one succeeded.
    QString lastWorkbook() const { return m_lastWorkbook; }

    /// Opens the file with the desktop's default application for its type (xdg-open on Linux).
    static bool openWithDesktop(const QString &path);
    /// A free file name in folder for the table, with the date and time of the export.
    static QString workbookPath(const QString &folder, const QString &table, const QDateTime &when);

private:
    AppContext &m_context;
    MainView &m_view;
    Opener m_opener;
    QString m_folder;
    QString m_lastWorkbook;
};
