#include "ExportCommands.h"

#include "DesktopOpener.h"
#include "OfficeModule.h"
#include "store/DataPaths.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

/// The table's name, shortened to the last whole character that lets it and tail make a
/// file name the file system takes.
QString fittedStem(const QString &table, const QString &tail)
{
    const auto fits
        = [&tail](const QString &stem) { return QFile::encodeName(stem + tail).size() <= ExportCommands::kMaxFileNameBytes; };
    if (fits(table))
        return table;
    const QString ellipsis = QStringLiteral("…");
    QString stem = table;
    while (!stem.isEmpty() && !fits(stem + ellipsis))
        stem.chop(stem.size() >= 2 && stem.at(stem.size() - 1).isLowSurrogate() ? 2 : 1);
    return stem + ellipsis;
}

} // namespace

ExportCommands::ExportCommands(AppContext &context, MainView &view, Opener opener, QString folder)
    : m_context(context)
    , m_view(view)
    , m_folder(folder.isEmpty() ? context.paths.exportFolder() : std::move(folder))
    , m_desktop(std::make_unique<DesktopOpener>())
    , m_opener(std::move(opener))
{
    if (!m_opener) {
        m_opener = [desktop = m_desktop.get()](
                       const QString &path, std::function<void(bool)> done) { desktop->open(path, std::move(done)); };
    }
    // The workbook is named for a while, then the panel is empty again as it was.
    m_statusTimer.setSingleShot(true);
    m_statusTimer.setInterval(kStatusShownMs);
    QObject::connect(&m_statusTimer, &QTimer::timeout, &m_statusTimer, [this] { m_view.showStatus(1, QString()); });
}

ExportCommands::~ExportCommands() = default;

QString ExportCommands::workbookPath(const QString &folder, const QString &table, const QDateTime &when)
{
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    const QDir dir(folder);
    for (int copy = 1;; ++copy) {
        const QString tail
            = copy == 1 ? QStringLiteral(" %1.xlsx").arg(stamp) : QStringLiteral(" %1 (%2).xlsx").arg(stamp).arg(copy);
        const QString path = dir.filePath(fittedStem(table, tail) + tail);
        if (!QFileInfo::exists(path))
            return path;
    }
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
    if (!m_context.login.isLoggedIn()) {
        prompter.notice(Caption::kNotice, QStringLiteral("请先登录系统！"));
        return;
    }
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
    if (const Result written = OfficeModule::writeSheet(path, sheetOf(table, query)); !written) {
        prompter.error(written.error);
        return;
    }
    m_lastWorkbook = path;
    query.last();

    m_view.showStatus(1, QStringLiteral("已导出至 %1").arg(QDir::toNativeSeparators(path)));
    m_statusTimer.start();
    // The desktop may take a while to find an application (or wait for it to close): the
    // teacher goes on meanwhile and hears of it only when none can be started.
    m_opener(path, [this, path](bool opened) { reportOpening(path, opened); });
}

void ExportCommands::reportOpening(const QString &path, bool opened)
{
    if (opened)
        return;
    m_context.prompter.message(Prompter::applicationTitle(),
        QStringLiteral("无法启动Excel\n工作簿已保存在：%1").arg(QDir::toNativeSeparators(path)), Prompter::Buttons::Ok,
        Prompter::Icon::Information);
}
