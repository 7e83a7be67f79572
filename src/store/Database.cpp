#include "Database.h"

#include "DataPaths.h"
#include "EngineMessages.h"
#include "InitialContents.h"
#include "TableNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>

namespace {

QString engineMessage(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return EngineMessages::inChinese(text.isEmpty() ? error.text().trimmed() : text);
}

Result run(QSqlDatabase db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return Result::failure(engineMessage(query.lastError()));
    return Result::success();
}

// A statement with values for its placeholders: the values never become statement text.
bool runBound(QSqlQuery &query, const Statement &statement)
{
    if (!query.prepare(statement.text))
        return false;
    for (const QVariant &value : statement.values)
        query.addBindValue(value);
    return query.exec();
}

} // namespace

Database::Database(QString connectionName)
    : m_connectionName(std::move(connectionName))
{
}

Database::~Database()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

Result Database::open(const QString &programFolder)
{
    return open(DataPaths(programFolder));
}

Result Database::open(const DataPaths &paths)
{
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase old = QSqlDatabase::database(m_connectionName, false);
            old.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_transactionDepth = 0;

    const QString path = paths.databaseFile();
    const QString shown = QDir::toNativeSeparators(path);
    const QString folderShown = QDir::toNativeSeparators(paths.dataRoot());
    // SQLite writes the file, its journal and its lock file beside it: a folder or a file
    // it may not write is named as the cause, so nobody takes the file for broken.
    const auto unwritable = [&]() -> QString {
        const QFileInfo folder(paths.dataRoot());
        if (!folder.isDir() || !folder.isWritable()) {
            if (paths.location() != DataPaths::Location::ProgramFolder)
                return QStringLiteral("数据文件夹“%1”不存在或不允许写入，无法打开数据库文件“%2”。请检查这个文件夹及其权限，"
                                      "或用 --data-folder 指定另一个文件夹。")
                    .arg(folderShown, shown);
            return QStringLiteral(
                "程序文件夹“%1”不允许写入，无法打开数据库文件“%2”。请把程序放到可以写入的文件夹中，或请管理员开放写入权限。")
                .arg(folderShown, shown);
        }
        const QFileInfo file(path);
        if (file.exists() && !file.isWritable())
            return QStringLiteral("数据库文件“%1”是只读的，无法打开。请取消它的只读属性。").arg(shown);
        return {};
    };

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    const auto refuse = [&](const QString &message) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        return Result::failure(message);
    };
    const auto cannotOpen = [&](const QString &engine) {
        const QString cause = unwritable();
        return refuse(cause.isEmpty() ? QStringLiteral("无法打开数据库文件“%1”：%2").arg(shown, engine) : cause);
    };
    if (!db.open())
        return cannotOpen(engineMessage(db.lastError()));

    // SQLite opens any file; only the first read tells whether it is a database.
    {
        QSqlQuery check(db);
        if (!check.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QSqlError error = check.lastError();
            check.finish();
            bool isNumber = false;
            const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
            constexpr int kNotADatabase = 26; // SQLITE_NOTADB
            if (isNumber && code == kNotADatabase)
                return refuse(QStringLiteral("“%1”不是有效的数据库文件：%2").arg(shown, engineMessage(error)));
            return cannotOpen(engineMessage(error));
        }
    }
    if (Result wal = run(db, QStringLiteral("PRAGMA journal_mode=WAL")); !wal)
        return cannotOpen(wal.error);
    (void)run(db, QStringLiteral("PRAGMA synchronous=NORMAL"));

    // A new file, or one that a start cut short left without 母版 or 范例班, is filled in
    // one transaction: either it holds both tables or the next start fills it again.
    if (!tableExists(kMasterRosterTable) || !tableExists(kPortraitTable)) {
        const Result filled = transaction([this] { return createInitialContents(*this); });
        if (!filled) {
            const QString cause = unwritable();
            (void)refuse(QString());
            return Result::failure(
                cause.isEmpty() ? QStringLiteral("无法建立数据库文件“%1”：%2").arg(shown, filled.error) : cause);
        }
    }
    // The portrait query looks a name up on every tick of a race: without an index each
    // lookup walks the whole table of pictures. The index holds 宣言 too, so the lookup
    // never reads the row itself, where 宣言 lies behind a picture of many megabytes.
    // Not having it only costs speed.
    if (run(db, QStringLiteral("CREATE INDEX IF NOT EXISTS [范例班姓名宣言] ON [范例班] ([姓名],[宣言])")))
        (void)run(db, QStringLiteral("DROP INDEX IF EXISTS [范例班姓名]"));
    return Result::success();
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

Result Database::execute(const Statement &statement, int *rowsAffected)
{
    if (!isOpen())
        return Result::failure(QStringLiteral("数据库没有打开"));
    QSqlDatabase db = connection();
    switch (statement.kind) {
    case Statement::Kind::Plain: {
        if (statement.values.isEmpty() && !rowsAffected)
            return run(db, statement.text);
        QSqlQuery query(db);
        if (!runBound(query, statement))
            return Result::failure(engineMessage(query.lastError()));
        if (rowsAffected)
            *rowsAffected = query.numRowsAffected();
        return Result::success();
    }

    case Statement::Kind::DeleteAll: return run(db, QStringLiteral("DELETE FROM ") + Sql::quoted(statement.target));

    case Statement::Kind::AlterAdd:
        return transaction([&] {
            for (const ColumnDefinition &column : statement.added) {
                const Result added = run(db,
                    QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                        .arg(Sql::quoted(statement.target), Sql::columnDefinition(column)));
                if (!added)
                    return added;
            }
            return Result::success();
        });

    case Statement::Kind::SelectInto:
        return transaction([&] {
            QStringList names;
            for (const QString &column : statement.columns)
                names << Sql::quoted(column);
            const QString list = names.isEmpty() ? QStringLiteral("*") : names.join(QLatin1Char(','));
            // Let the engine report a missing source table or column in its own words.
            if (Result probe = run(db, QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(list, Sql::quoted(statement.source)));
                !probe)
                return probe;

            const QList<ColumnDefinition> sourceColumns = columnDefinitions(statement.source);
            QList<ColumnDefinition> copied;
            if (statement.columns.isEmpty()) {
                copied = sourceColumns;
            } else {
                for (const QString &name : statement.columns) {
                    auto found = std::find_if(sourceColumns.cbegin(), sourceColumns.cend(),
                        [&](const ColumnDefinition &c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; });
                    if (found == sourceColumns.cend())
                        return Result::failure(EngineMessages::inChinese(QStringLiteral("no such column: ") + name));
                    copied << *found;
                }
            }
            QStringList copiedNames;
            for (const ColumnDefinition &column : copied)
                copiedNames << Sql::quoted(column.name);
            const QString target = Sql::quoted(statement.target);
            if (Result created = run(db, Sql::createTableText(statement.target, copied)); !created)
                return created;
            const QString columns = copiedNames.join(QLatin1Char(','));
            return run(db,
                QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY rowid")
                    .arg(target, columns, Sql::quoted(statement.source)));
        });
    }
    return Result::failure(QStringLiteral("unknown statement"));
}

ReadResult<QList<QVariantList>> Database::rows(const Statement &select) const
{
    using Rows = QList<QVariantList>;
    if (!isOpen())
        return ReadResult<Rows>::failure(QStringLiteral("数据库没有打开"));
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!runBound(query, select))
        return ReadResult<Rows>::failure(engineMessage(query.lastError()));
    Rows found;
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row << query.value(i);
        found << row;
    }
    if (query.lastError().isValid())
        return ReadResult<Rows>::failure(engineMessage(query.lastError()));
    return ReadResult<Rows>::success(std::move(found));
}

Result Database::runInTransaction(const QList<Statement> &statements)
{
    return transaction([&] {
        for (const Statement &statement : statements) {
            const Result result = execute(statement);
            if (!result)
                return result;
        }
        return Result::success();
    });
}

Result Database::transaction(const std::function<Result()> &work)
{
    if (!isOpen())
        return Result::failure(QStringLiteral("数据库没有打开"));
    QSqlDatabase db = connection();
    const QString savepoint = QStringLiteral("qs_step%1").arg(m_transactionDepth + 1);
    if (Result begun = run(db, QStringLiteral("SAVEPOINT ") + savepoint); !begun)
        return begun;
    ++m_transactionDepth;
    Result result = work();
    --m_transactionDepth;
    if (result) {
        if (Result released = run(db, QStringLiteral("RELEASE ") + savepoint); !released)
            result = released;
        else
            return result;
    }
    (void)run(db, QStringLiteral("ROLLBACK TO ") + savepoint);
    (void)run(db, QStringLiteral("RELEASE ") + savepoint);
    return result;
}

bool Database::tableExists(const QString &table) const
{
    if (!isOpen())
        return false;
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

QStringList Database::columns(const QString &table) const
{
    QStringList names;
    for (const ColumnDefinition &column : columnDefinitions(table))
        names << column.name;
    return names;
}

QList<ColumnDefinition> Database::columnDefinitions(const QString &table) const
{
    QList<ColumnDefinition> columns;
    if (!isOpen())
        return columns;
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT name, type, \"notnull\" FROM pragma_table_info(?) ORDER BY cid"));
    query.addBindValue(table);
    if (!query.exec())
        return columns;
    while (query.next()) {
        QString type = query.value(1).toString();
        if (query.value(2).toInt() != 0)
            type += QStringLiteral(" NOT NULL");
        columns.append({query.value(0).toString(), type});
    }
    return columns;
}
