#pragma once

#include "Result.h"
#include "Statements.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

class DataPaths;

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
    Result open(const QString &programFolder);
    /// Opens the Record.mdb of paths, as above; a folder that cannot be written is named
    /// as the program folder or the data folder it is.
    Result open(const DataPaths &paths);
    bool isOpen() const;
    QSqlDatabase connection() const;

    /// Runs a statement without a result set; dialect forms run all or nothing. When
    /// rowsAffected is given it receives how many rows a Plain statement changed.
    Result execute(const Statement &statement, int *rowsAffected = nullptr);
    /// Runs a Plain select and gives its rows, each the values of its columns in order.
    ReadResult<QList<QVariantList>> rows(const Statement &select) const;
    /// Runs several statements as one transaction: all or nothing. Nests.
    Result runInTransaction(const QList<Statement> &statements);
    /// Runs work inside one transaction (a savepoint when nested); rolls back unless it succeeds.
    Result transaction(const std::function<Result()> &work);

    bool tableExists(const QString &table) const;
    /// Column names of a table in table order; empty when it does not exist.
    QStringList columns(const QString &table) const;
    /// Declared types of a table's columns, in table order.
    QList<ColumnDefinition> columnDefinitions(const QString &table) const;

private:
    QString m_connectionName;
    int m_transactionDepth = 0;
};
