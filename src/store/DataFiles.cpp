#include "DataFiles.h"

#include "Database.h"
#include "TableNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>
#include <QVariant>

namespace {
// An empty file is bytes all the same: a null array would be stored as NULL.
QByteArray stored(const QByteArray &bytes)
{
    return bytes.isNull() ? QByteArray("", 0) : bytes;
}
} // namespace

DataFolder::DataFolder(QString folder)
    : m_folder(std::move(folder))
{
}

std::pair<DataFolder, QString> DataFolder::of(const QString &path)
{
    const QFileInfo info(path);
    return {DataFolder(info.absolutePath()), info.fileName()};
}

QString DataFolder::path(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

bool DataFolder::exists(const QString &name) const
{
    return QFile::exists(path(name));
}

ReadResult<QByteArray> DataFolder::read(const QString &name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult<QByteArray>::failure(QStringLiteral("无法读取文件“%1”：%2").arg(shown(name), file.errorString()));
    return ReadResult<QByteArray>::success(file.readAll());
}

Result DataFolder::write(const QString &name, const QByteArray &bytes)
{
    QSaveFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Result::failure(QStringLiteral("无法写入文件“%1”：%2").arg(shown(name), file.errorString()));
    return Result::success();
}

Result DataFolder::update(
    const QString &name, const std::function<std::optional<QByteArray>(const std::optional<QByteArray> &)> &change)
{
    std::optional<QByteArray> old;
    if (exists(name)) {
        const ReadResult<QByteArray> bytes = read(name);
        if (!bytes)
            return Result::failure(bytes.error);
        old = *bytes;
    }
    const std::optional<QByteArray> changed = change(old);
    return changed ? write(name, *changed) : Result::success();
}

Result DataFolder::remove(const QString &name)
{
    QFile file(path(name));
    if (file.exists() && !file.remove())
        return Result::failure(QStringLiteral("无法删除文件“%1”：%2").arg(shown(name), file.errorString()));
    return Result::success();
}

QStringList DataFolder::names() const
{
    return QDir(m_folder).entryList(QDir::Files, QDir::Name);
}

QString DataFolder::shown(const QString &name) const
{
    return QDir::toNativeSeparators(path(name));
}

QString DataFolder::unwritableReason() const
{
    const QFileInfo folder(m_folder);
    if (folder.isDir() && folder.isWritable())
        return {};
    return QStringLiteral("无法写入数据文件夹“%1”：它不存在或不允许写入。请检查这个文件夹及其权限后再登录。")
        .arg(QDir::toNativeSeparators(m_folder));
}

DataTable::DataTable(Database &database)
    : m_database(database)
{
}

Result DataTable::prepare(const QString &seedFolder)
{
    if (!m_database.tableExists(kDataFileTable)) {
        const Result created = m_database.execute(Sql::createTable(kDataFileTable, Schema::dataFiles()));
        // Another PC starting at the same moment may have made it first.
        if (!created && !m_database.tableExists(kDataFileTable))
            return created;
    }
    const DataFolder seeds(seedFolder);
    return m_database.transaction([&]() -> Result {
        for (const QString &name : seeds.names()) {
            const ReadResult<QByteArray> bytes = seeds.read(name);
            if (!bytes)
                continue;
            QSqlQuery add(m_database.connection());
            if (Result prepared = m_database.prepare(add, Sql::addDataFileIfMissing()); !prepared)
                return prepared;
            add.addBindValue(name);
            add.addBindValue(stored(*bytes));
            if (Result added = m_database.exec(add); !added)
                return added;
        }
        return Result::success();
    });
}

bool DataTable::exists(const QString &name) const
{
    return read(name).value.has_value();
}

ReadResult<QByteArray> DataTable::read(const QString &name) const
{
    QSqlQuery query(m_database.connection());
    Result ran = m_database.prepare(query, Sql::readDataFile(m_database.engine(), false));
    if (ran) {
        query.addBindValue(name);
        ran = m_database.exec(query);
    }
    if (!ran)
        return ReadResult<QByteArray>::failure(QStringLiteral("无法读取文件“%1”：%2").arg(shown(name), ran.error));
    if (!query.next())
        return ReadResult<QByteArray>::failure(QStringLiteral("无法读取文件“%1”：文件不存在。").arg(shown(name)));
    return ReadResult<QByteArray>::success(query.value(0).toByteArray());
}

Result DataTable::write(const QString &name, const QByteArray &bytes)
{
    QSqlQuery query(m_database.connection());
    Result ran = m_database.prepare(query, Sql::writeDataFile());
    if (ran) {
        query.addBindValue(name);
        query.addBindValue(stored(bytes));
        ran = m_database.exec(query);
    }
    if (!ran)
        return Result::failure(QStringLiteral("无法写入文件“%1”：%2").arg(shown(name), ran.error));
    return Result::success();
}

Result DataTable::update(
    const QString &name, const std::function<std::optional<QByteArray>(const std::optional<QByteArray> &)> &change)
{
    return m_database.transaction([&]() -> Result {
        QSqlQuery query(m_database.connection());
        if (Result prepared = m_database.prepare(query, Sql::readDataFile(m_database.engine(), true)); !prepared)
            return Result::failure(QStringLiteral("无法读取文件“%1”：%2").arg(shown(name), prepared.error));
        query.addBindValue(name);
        if (Result ran = m_database.exec(query); !ran)
            return Result::failure(QStringLiteral("无法读取文件“%1”：%2").arg(shown(name), ran.error));
        std::optional<QByteArray> old;
        if (query.next())
            old = query.value(0).toByteArray();
        query.finish();
        const std::optional<QByteArray> changed = change(old);
        return changed ? write(name, *changed) : Result::success();
    });
}

Result DataTable::remove(const QString &name)
{
    QSqlQuery query(m_database.connection());
    Result ran = m_database.prepare(query, Sql::removeDataFile());
    if (ran) {
        query.addBindValue(name);
        ran = m_database.exec(query);
    }
    if (!ran)
        return Result::failure(QStringLiteral("无法删除文件“%1”：%2").arg(shown(name), ran.error));
    return Result::success();
}

QStringList DataTable::names() const
{
    QStringList names;
    QSqlQuery query(m_database.connection());
    if (m_database.prepare(query, Sql::dataFileNames()) && query.exec())
        while (query.next())
            names << query.value(0).toString();
    return names;
}

QString DataTable::shown(const QString &name) const
{
    return QStringLiteral("%1 上的 %2").arg(m_database.shownName(), name);
}

ProgramDataFiles::ProgramDataFiles(Database &database, const QString &dataFolder)
    : m_database(database)
    , m_folder(dataFolder)
    , m_table(database)
{
}

DataFiles &ProgramDataFiles::current() const
{
    if (m_database.engine() == Engine::PostgreSQL)
        return m_table;
    return m_folder;
}
