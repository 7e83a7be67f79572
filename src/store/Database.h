#pragma once

#include "DatabaseUrl.h"
#include "Result.h"
#include "Statements.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

class DataPaths;
class QSqlQuery;

/// The one connection: Record.mdb in the data folder (SQLite, WAL journal, busy
/// timeout so a second instance waits), or a school's PostgreSQL server. Statements come
/// in the catalogue's notation and are rendered for the engine here. Never shows
/// anything; errors are returned.
class Database final {
public:
    explicit Database(QString connectionName = QStringLiteral("qingsui"));
    ~Database();
    Q_DISABLE_COPY_MOVE(Database)

    /// Opens programFolder/Record.mdb. A missing file is created holding 母版 and 范例班;
    /// an existing one is never overwritten. A file that is not a database is refused with
    /// a clear Chinese message naming it.
    Result open(const QString &programFolder);
    /// Opens the Record.mdb of paths, as above; a folder that cannot be written is named
    /// as the program folder or the data folder it is.
    Result open(const DataPaths &paths);
    /// Connects to a PostgreSQL server and makes 母版 and 范例班 there when missing. A
    /// server that cannot be reached, refuses the login or does not let the user make and
    /// change tables is refused with a Chinese message naming the server and the cause,
    /// before anything is written.
    Result openServer(const DatabaseUrl &server);
    bool isOpen() const;
    QSqlDatabase connection() const;
    Engine engine() const { return m_engine; }
    /// What the teacher is told the program works on: the Record.mdb path, or
    /// "服务器 host:port/name".
    QString shownName() const { return m_shownName; }

    /// Runs a statement without a result set; dialect forms run all or nothing. When
    /// rowsAffected is given it receives how many rows a Plain statement changed.
    Result execute(const Statement &statement, int *rowsAffected = nullptr);
    /// Runs a Plain select and gives its rows, each the values of its columns in order.
    ReadResult<QList<QVariantList>> rows(const Statement &select) const;
    /// Runs several statements as one transaction: all or nothing. Nests.
    Result runInTransaction(const QList<Statement> &statements);
    /// Runs work inside one transaction (a savepoint when nested); rolls back unless it succeeds.
    Result transaction(const std::function<Result()> &work);
    /// As transaction(), but an outermost one takes the write lock before work runs, so
    /// that what work reads (columns, rows) is what it writes over, whatever another
    /// program does meanwhile.
    Result writeTransaction(const std::function<Result()> &work);

    /// Prepares a statement in the catalogue's notation on this connection; the engine's
    /// message (in Chinese where known) when it cannot.
    Result prepare(QSqlQuery &query, const QString &text) const;
    /// Runs a prepared query. Inside a transaction a failed statement takes back only its
    /// own changes, as SQLite does, also on PostgreSQL (which would lose the transaction).
    Result exec(QSqlQuery &query);

    bool tableExists(const QString &table) const;
    /// Every table's name, as the engine stores it.
    QStringList tables() const;
    /// Column names of a table in table order; empty when it does not exist.
    QStringList columns(const QString &table) const;
    /// Declared types of a table's columns, in table order (the row identity is no column).
    QList<ColumnDefinition> columnDefinitions(const QString &table) const;

private:
    Result run(const QString &text);
    /// Runs work between begin and commit (rollback's steps unless all succeeds).
    Result enclosed(
        const QString &begin, const QString &commit, const QStringList &rollback, const std::function<Result()> &work);
    Result fillWhenMissing(const std::function<QString(const QString &)> &explain);
    void drop();

    QString m_connectionName;
    Engine m_engine = Engine::SQLite;
    QString m_shownName;
    int m_transactionDepth = 0;
};
