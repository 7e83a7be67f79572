#include "ExportCommands.h"

#include "WorkbookWriter.h"
#include "store/DataPaths.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

SheetContents sheetOf(const QString &title, const Dataset &query)
{
    SheetContents sheet;
    sheet.title = title;
    sheet.columns = query.fieldNames();
    const int rows = query.rowCount();
    const int columns = query.fieldCount();
    sheet.rows.reserve(rows);
    // Read by position: walking the current row would make every follower of the grid
    // (the portrait query, the bound fields) follow each row.
    for (int row = 0; row < rows; ++row) {
        QVector<QVariant> values;
        values.reserve(columns);
        for (int column = 0; column < columns; ++column)
            values.append(query.value(row, column));
        sheet.rows.append(std::move(values));
    }
    return sheet;
}

} // namespace

ExportCommands::ExportCommands(AppContext &context, MainView &view, Opener opener, QString folder)
    : m_context(context)
    , m_view(view)
    , m_opener(std::move(opener))
    , m_folder(folder.isEmpty() ? context.paths.exportFolder() : std::move(folder))
{
}

bool ExportCommands::openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString ExportCommands::workbookPath(const QString &folder, const QString &table, const QDateTime &when)
{
    const QString stem = QStringLiteral("%1 %2").arg(table, when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    const QDir dir(folder);
    QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = dir.filePath(QStringLiteral("%1 (%2).xlsx").arg(stem).arg(copy));
    return path;
}

void ExportCommands::connectCommands(const MainMenus &menus)
{
    // From the event loop: the message boxes it may show then come after the menu closed.
    QObject::connect(
        menus.exportToExcel, &QAction::triggered, menus.exportToExcel, [this] { N29Click(); }, Qt::QueuedConnection);
}

void ExportCommands::N29Click()
{
    Prompter &prompter = m_context.prompter;
    Dataset &query = m_context.mainQuery;
    // What is exported is what is stored: a cell still being edited goes in first.
    if (const Result saved = m_view.savePendingEdits(); !saved) {
        prompter.error(saved.error);
        return;
    }
    if (!query.isOpen()) {
        if (const Result opened = query.open(); !opened) {
            prompter.error(opened.error);
            return;
        }
    }

    const QString table = m_context.login.tables().currentTable();
    if (!QDir().mkpath(m_folder)) {
        prompter.error(QStringLiteral("无法创建文件夹“%1”，没有导出。").arg(QDir::toNativeSeparators(m_folder)));
        return;
    }
    const QString path = workbookPath(m_folder, table, QDateTime::currentDateTime());
    if (const Result written = WorkbookWriter::write(path, sheetOf(table, query)); !written) {
        prompter.error(written.error);
        return;
    }
    m_lastWorkbook = path;
    query.last();

    const QString shown = QDir::toNativeSeparators(path);
    m_view.showStatus(1, QStringLiteral("已导出至 %1").arg(shown));
    if (!m_opener(path)) {
        prompter.message(Prompter::applicationTitle(), QStringLiteral("无法启动Excel\n工作簿已保存在：%1").arg(shown),
            Prompter::Buttons::Ok, Prompter::Icon::Information);
    }
}
