#include "ServerCopy.h"

#include "BulkRows.h"
#include "DataFileNames.h"
#include "DataFiles.h"
#include "DataPaths.h"
#include "Database.h"
#include "ListFile.h"
#include "TableNames.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

QList<QVariantList> rowsOf(Database &database, const QString &table, const QStringList &columns, QString *error)
{
    QStringList names;
    for (const QString &column : columns)
        names << Sql::quoted(column);
    QList<QVariantList> rows;
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    Result ran = database.prepare(
        query, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(names.join(QLatin1Char(',')), Sql::quoted(table)));
    if (ran)
        ran = database.exec(query);
    if (!ran) {
        *error = ran.error;
        return rows;
    }
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < columns.size(); ++i)
            row << query.value(i);
        rows << row;
    }
    return rows;
}

// A server that holds no class yet: its 母版 is the sample class of its first start.
bool holdsNoClass(const QStringList &tables)
{
    for (const QString &table : tables) {
        if (table != kMasterRosterTable && table != kPortraitTable && table != kDataFileTable)
            return false;
    }
    return true;
}

bool isListFile(const QString &name)
{
    return name == DataFileNames::classList();
}

} // namespace

namespace ServerCopy {

Report copy(const QString &programFolder, const DatabaseUrl &url)
{
    Report report;
    const DataPaths paths(programFolder);
    const QString shownFile = QDir::toNativeSeparators(paths.databaseFile());
    if (!QFile::exists(paths.databaseFile())) {
        report.result = Result::failure(QStringLiteral("文件夹“%1”中没有数据库文件Record.mdb，没有复制任何内容。")
                                            .arg(QDir::toNativeSeparators(programFolder)));
        return report;
    }
    Database source(QStringLiteral("qingsui_copy_source"));
    if (Result opened = source.open(programFolder); !opened) {
        report.result = opened;
        return report;
    }
    Database server(QStringLiteral("qingsui_copy_server"));
    if (Result opened = server.openServer(url); !opened) {
        report.result = opened;
        return report;
    }
    DataTable serverFiles(server);
    if (Result prepared = serverFiles.prepare(QString()); !prepared) {
        report.result = prepared;
        return report;
    }
    const DataFolder folderFiles(paths.dataFolder());

    // Refused before anything is written: a table or class file the server has already.
    QStringList clashes;
    const QStringList serverTables = server.tables();
    QStringList tables = source.tables();
    tables.sort();
    for (const QString &table : std::as_const(tables)) {
        if (table != kMasterRosterTable && table != kPortraitTable && serverTables.contains(table))
            clashes << QStringLiteral("数据表“%1”").arg(table);
    }
    const QStringList shared{
        DataFileNames::classList(), DataFileNames::defaultSubjectList(), DataFileNames::defaultGradeSettings()};
    for (const QString &name : folderFiles.names()) {
        if (!shared.contains(name) && serverFiles.exists(name))
            clashes << QStringLiteral("文件“%1”").arg(name);
    }
    if (!clashes.isEmpty()) {
        report.result = Result::failure(QStringLiteral("数据库%1上已经有这些班级的数据：%2。为了不覆盖它们，没有复制任何内容。")
                                            .arg(server.shownName(), clashes.join(QStringLiteral("、"))));
        return report;
    }

    const bool replaceRoster = holdsNoClass(serverTables);
    report.result = server.transaction([&]() -> Result {
        for (const QString &table : std::as_const(tables)) {
            const QList<ColumnDefinition> columns = source.columnDefinitions(table);
            QStringList names;
            for (const ColumnDefinition &column : columns)
                names << column.name;
            QString error;
            QList<QVariantList> rows = rowsOf(source, table, names, &error);
            if (!error.isEmpty())
                return Result::failure(QStringLiteral("无法读取“%1”中的数据表“%2”：%3").arg(shownFile, table, error));
            if (table == kPortraitTable) {
                // Portraits are shared by every class: only students the server lacks.
                QString serverError;
                const QList<QVariantList> present = rowsOf(server, table, {Column::kName}, &serverError);
                QStringList known;
                for (const QVariantList &row : present)
                    known << row.value(0).toString().trimmed();
                const int nameColumn = int(names.indexOf(Column::kName));
                rows.removeIf([&](const QVariantList &row) {
                    return nameColumn < 0 || known.contains(row.value(nameColumn).toString().trimmed());
                });
            } else if (table == kMasterRosterTable) {
                if (!replaceRoster) {
                    report.lines << QStringLiteral("母版：服务器上已经有班级，保留服务器上的母版");
                    continue;
                }
                if (Result dropped = server.execute(Sql::dropTable(table)); !dropped)
                    return dropped;
            }
            if (table != kPortraitTable) {
                if (Result created = server.execute(Sql::createTable(table, columns)); !created)
                    return created;
            }
            if (Result inserted = BulkRows::insert(server, table, names, rows); !inserted)
                return Result::failure(QStringLiteral("无法把数据表“%1”复制到服务器：%2").arg(table, inserted.error));
            report.lines << QStringLiteral("数据表“%1”：%2行").arg(table).arg(rows.size());
        }
        for (const QString &name : folderFiles.names()) {
            const ReadResult<QByteArray> bytes = folderFiles.read(name);
            if (!bytes)
                return Result::failure(bytes.error);
            if (isListFile(name) && serverFiles.exists(name)) {
                // The classes of both, the server's first.
                const QList<QByteArray> lines = ListFile::splitLines(*bytes);
                for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
                    if (line->isEmpty())
                        continue;
                    const ReadResult<QByteArray> now = serverFiles.read(name);
                    if (now && ListFile::splitLines(*now).contains(*line))
                        continue;
                    if (Result added = serverFiles.write(name, (now ? *now : QByteArray()) + *line + "\r\n"); !added)
                        return added;
                }
                report.lines << QStringLiteral("文件“%1”：并入服务器上的名单").arg(name);
                continue;
            }
            if (shared.contains(name) && serverFiles.exists(name))
                continue;
            if (Result written = serverFiles.write(name, *bytes); !written)
                return written;
            report.lines << QStringLiteral("文件“%1”：%2字节").arg(name).arg(bytes->size());
        }
        return Result::success();
    });
    if (report.result)
        report.lines << QStringLiteral("已把“%1”和它的Data文件夹复制到数据库%2。")
                            .arg(QDir::toNativeSeparators(programFolder), server.shownName());
    return report;
}

} // namespace ServerCopy
