#pragma once

#include "Statements.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

/// Outcome of a statement: ok, or the engine's own message.
struct SqlResult final {
    bool ok = true;
    QString error;
    static SqlResult success() { return {}; }
    static SqlResult failure(QString message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};

/// The one connection to Record.mdb in the program folder (SQLite, WAL journal, busy
/// timeout so a second instance waits). Never shows anything; errors are returned.
class Database final {
public:
    explicit Database(QString connectionName = QStringLiteral("qingsui"));
    ~Database();
    Q_DISABLE_COPY_MOVE(Database)

    /// Opens programFolder/Record.mdb. A missing file is created holding 母版 and 范例班;
    /// an existing one is never overwritten. A file that is not a database is refused with
    /// a clear Chinese message naming it.
    SqlResult open(const QString &programFolder);
    bool isOpen() const;
    QSqlDatabase connection() const;

    /// Runs a statement without a result set; dialect forms run all or nothing.
    SqlResult execute(const Statement &statement);
    /// Runs several statements as one transaction: all or nothing. Nests.
    SqlResult runInTransaction(const QList<Statement> &statements);
    /// Runs work inside one transaction (a savepoint when nested); rolls back unless it succeeds.
    SqlResult transaction(const std::function<SqlResult()> &work);

    bool tableExists(const QString &table) const;
    /// Column names of a table in table order; empty when it does not exist.
    QStringList columns(const QString &table) const;
    /// Declared types of a table's columns, in table order.
    QList<ColumnDefinition> columnDefinitions(const QString &table) const;

private:
    QString m_connectionName;
    int m_transactionDepth = 0;
};
