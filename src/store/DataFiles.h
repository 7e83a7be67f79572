#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;

/// The Data folder's files by name (banji.qs, 一班语文denglu.qs, ...), byte for byte as
/// the GBK files are: in the program's Data folder (DataFolder), or with a school's server
/// in a table of the database (DataTable), so that every PC sees the same classes and
/// passwords. Every reader and writer of Data files goes through this.
class DataFiles {
public:
    virtual ~DataFiles() = default;

    virtual bool exists(const QString &name) const = 0;
    /// The bytes of a file, or a Chinese message naming it.
    virtual ReadResult<QByteArray> read(const QString &name) const = 0;
    /// Replaces the file with these bytes, whole or not at all; the failure names it.
    virtual Result write(const QString &name, const QByteArray &bytes) = 0;
    /// Changes a file in one step: change gets the bytes (nullopt when missing) and returns
    /// the new bytes, or nullopt to leave the file as it is. On the server no other PC
    /// changes the file in between.
    virtual Result update(
        const QString &name, const std::function<std::optional<QByteArray>(const std::optional<QByteArray> &)> &change)
        = 0;
    /// Removes the file; a missing file is no failure.
    virtual Result remove(const QString &name) = 0;
    /// Every file's name, sorted.
    virtual QStringList names() const = 0;
    /// How a message names the file: its path, or where on the server it is.
    virtual QString shown(const QString &name) const = 0;
    /// Empty when files can be written; otherwise the Chinese reason why not.
    virtual QString unwritableReason() const = 0;
};

/// The files of a folder (the program's Data folder, or the folder of a file the teacher
/// chose); written through a temporary file renamed over the old one.
class DataFolder final : public DataFiles {
public:
    explicit DataFolder(QString folder);
    /// The folder of a path and the path's file name, for a file a dialog chose.
    static std::pair<DataFolder, QString> of(const QString &path);

    QString folder() const { return m_folder; }
    bool exists(const QString &name) const override;
    ReadResult<QByteArray> read(const QString &name) const override;
    Result write(const QString &name, const QByteArray &bytes) override;
    Result update(
        const QString &name, const std::function<std::optional<QByteArray>(const std::optional<QByteArray> &)> &change) override;
    Result remove(const QString &name) override;
    QStringList names() const override;
    QString shown(const QString &name) const override;
    QString unwritableReason() const override;

private:
    QString path(const QString &name) const;
    QString m_folder;
};

/// The Data files in a table of the database ("Data/", a name no class can have: 文件名
/// and 内容), for a school's server.
class DataTable final : public DataFiles {
public:
    explicit DataTable(Database &database);
    /// Makes the table when it is missing and copies in the files of seedFolder (the
    /// shipped banji.qs, xueke.qs, Moren.qs) that it does not hold yet.
    Result prepare(const QString &seedFolder);

    bool exists(const QString &name) const override;
    ReadResult<QByteArray> read(const QString &name) const override;
    Result write(const QString &name, const QByteArray &bytes) override;
    Result update(
        const QString &name, const std::function<std::optional<QByteArray>(const std::optional<QByteArray> &)> &change) override;
    Result remove(const QString &name) override;
    QStringList names() const override;
    QString shown(const QString &name) const override;
    QString unwritableReason() const override { return {}; }

private:
    Database &m_database;
};

/// The program's Data files: the Data folder while the database is Record.mdb, the
/// server's table while it is a school's server. What every command is handed.
class ProgramDataFiles final : public DataFiles {
public:
    ProgramDataFiles(Database &database, const QString &dataFolder);

    DataTable &table() { return m_table; }
    DataFolder &folder() { return m_folder; }
    bool exists(const QString &name) const override { return current().exists(name); }
    ReadResult<QByteArray> read(const QString &name) const override { return current().read(name); }
    Result write(const QString &name, const QByteArray &bytes) override { return current().write(name, bytes); }
    Result update(
        const QString &name, const std::function<std::optional<QByteArray>(const std::optional<QByteArray> &)> &change) override
    {
        return current().update(name, change);
    }
    Result remove(const QString &name) override { return current().remove(name); }
    QStringList names() const override { return current().names(); }
    QString shown(const QString &name) const override { return current().shown(name); }
    QString unwritableReason() const override { return current().unwritableReason(); }

private:
    DataFiles &current() const;

    Database &m_database;
    mutable DataFolder m_folder;
    mutable DataTable m_table;
};
