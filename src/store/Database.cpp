#include "Database.h"

#include "DataPaths.h"
#include "EngineMessages.h"
#include "InitialContents.h"
#include "TableNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

// PostgreSQL cuts a longer name short without a word, so that two long names could reach
// one table: refused before the statement runs.
constexpr int kLongestServerName = 63;

QString tooLongName(Engine engine, const QString &text)
{
    if (engine != Engine::PostgreSQL)
        return {};
    static const QRegularExpression bracketed(QStringLiteral("\\[([^\\]]*)\\]"));
    for (const QRegularExpressionMatch &match : bracketed.globalMatch(text)) {
        const QString name = match.captured(1);
        if (name.toUtf8().size() > kLongestServerName)
            return QStringLiteral(
                "名称“%1”太长：数据库服务器上的数据表和数据列的名称最多%2个字节（约21个汉字），这个名称有%3个字节。"
                "请换用较短的班级、科目或列的名称。")
                .arg(name)
                .arg(kLongestServerName)
                .arg(name.toUtf8().size());
    }
    return {};
}

// Two PCs starting on an empty server at once make its tables one after the other.
constexpr qint64 kFirstStartLock = 0x7173696e6974; // "qsinit"

} // namespace

Database::Database(QString connectionName)
    : m_connectionName(std::move(connectionName))
{
}

Database::~Database()
{
    drop();
}

void Database::drop()
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
    drop();
    m_transactionDepth = 0;
    m_engine = Engine::SQLite;

    const QString path = paths.databaseFile();
    const QString shown = QDir::toNativeSeparators(path);
    m_shownName = shown;
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
        db = QSqlDatabase();
        drop();
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
    if (Result wal = run(QStringLiteral("PRAGMA journal_mode=WAL")); !wal)
        return cannotOpen(wal.error);
    (void)run(QStringLiteral("PRAGMA synchronous=NORMAL"));

    const Result filled = fillWhenMissing([&](const QString &error) {
        const QString cause = unwritable();
        return cause.isEmpty() ? QStringLiteral("无法建立数据库文件“%1”：%2").arg(shown, error) : cause;
    });
    if (!filled)
        return refuse(filled.error);
    return Result::success();
}

Result Database::openServer(const DatabaseUrl &server)
{
    drop();
    m_transactionDepth = 0;
    m_engine = Engine::PostgreSQL;
    m_shownName = QStringLiteral("服务器 %1").arg(server.shown());
    const QString shown = server.shown();
    const QString user = server.user.isEmpty() ? qEnvironmentVariable("PGUSER", qEnvironmentVariable("USER")) : server.user;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
    if (!db.isValid()) {
        drop();
        return Result::failure(
            QStringLiteral("无法连接数据库服务器“%1”：这台电脑缺少PostgreSQL数据库驱动（Debian软件包 libqt6sql6-psql）。")
                .arg(shown));
    }
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.name);
    if (!server.user.isEmpty())
        db.setUserName(server.user);
    if (!server.password.isEmpty())
        db.setPassword(server.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=qingsui"));
    const auto refuse = [&](const QString &message) {
        db = QSqlDatabase();
        drop();
        return Result::failure(message);
    };
    if (!db.open())
        return refuse(EngineMessages::connectionRefusal(shown, user, server.name, db.lastError().text()));

    // The server's notes ("already exists, skipping") are no news to anybody.
    (void)run(QStringLiteral("SET client_min_messages TO warning"));
    // Nothing is written until the server has shown that it can keep the program's names
    // and that this user may make and change tables.
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("SELECT current_schema(), current_setting('server_encoding'), "
                                   "has_schema_privilege(current_schema(), 'CREATE'), current_user"))
        || !check.next())
        return refuse(QStringLiteral("数据库服务器“%1”无法使用：%2").arg(shown, engineMessage(check.lastError())));
    const QString who = check.value(3).toString();
    if (check.value(0).isNull())
        return refuse(QStringLiteral("数据库服务器“%1”上的数据库“%2”没有可用的模式（schema），用户“%3”无法在其中建表。")
                          .arg(shown, server.name, who));
    if (check.value(1).toString().compare(QLatin1String("UTF8"), Qt::CaseInsensitive) != 0)
        return refuse(QStringLiteral(
            "数据库服务器“%1”上的数据库“%2”的编码是%3，无法保存中文的班级和姓名。请用 createdb -E UTF8 重新建立它。")
                          .arg(shown, server.name, check.value(1).toString()));
    if (!check.value(2).toBool())
        return refuse(EngineMessages::permissionRefusal(shown, who, QStringLiteral("建立数据表")));
    QSqlQuery tablesCheck(db);
    if (!tablesCheck.exec(
            QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                           "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p') "
                           "AND NOT has_table_privilege(c.oid, 'SELECT,INSERT,UPDATE,DELETE') ORDER BY c.relname LIMIT 1")))
        return refuse(QStringLiteral("数据库服务器“%1”无法使用：%2").arg(shown, engineMessage(tablesCheck.lastError())));
    if (tablesCheck.next())
        return refuse(
            EngineMessages::permissionRefusal(shown, who, QStringLiteral("读写数据表“%1”").arg(tablesCheck.value(0).toString())));
    check.finish();
    tablesCheck.finish();

    const Result filled = fillWhenMissing(
        [&](const QString &error) { return QStringLiteral("无法在数据库服务器“%1”上建立数据表：%2").arg(shown, error); });
    if (!filled)
        return refuse(filled.error);
    return Result::success();
}

Result Database::fillWhenMissing(const std::function<QString(const QString &)> &explain)
{
    // A new database, or one that a start cut short left without 母版 or 范例班, is filled
    // in one transaction: either it holds both tables or the next start fills it again.
    if (!tableExists(kMasterRosterTable) || !tableExists(kPortraitTable)) {
        const Result filled = transaction([this]() -> Result {
            if (m_engine == Engine::PostgreSQL) {
                if (Result locked = run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kFirstStartLock)); !locked)
                    return locked;
            }
            return createInitialContents(*this);
        });
        if (!filled)
            return Result::failure(explain(filled.error));
    }
    // The portrait query looks a name up on every tick of a race: without an index each
    // lookup walks the whole table of pictures. The index holds 宣言 too, so the lookup
    // never reads the row itself, where 宣言 lies behind a picture of many megabytes.
    // Not having it only costs speed.
    if (run(QStringLiteral("CREATE INDEX IF NOT EXISTS [范例班姓名宣言] ON [范例班] ([姓名],[宣言])")))
        (void)run(QStringLiteral("DROP INDEX IF EXISTS [范例班姓名]"));
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

Result Database::prepare(QSqlQuery &query, const QString &text) const
{
    if (const QString refusal = tooLongName(m_engine, text); !refusal.isEmpty())
        return Result::failure(refusal);
    if (!query.prepare(Sql::rendered(m_engine, text)))
        return Result::failure(engineMessage(query.lastError()));
    return Result::success();
}

Result Database::exec(QSqlQuery &query)
{
    const auto once = [&query] {
        if (!query.exec())
            return Result::failure(engineMessage(query.lastError()));
        return Result::success();
    };
    if (m_engine == Engine::PostgreSQL && m_transactionDepth > 0) {
        // A forward-only select streams its rows from the server, and the savepoint's
        // release that follows would drop those not read yet: the rows come at once.
        query.setForwardOnly(false);
        return transaction(once);
    }
    return once();
}

Result Database::run(const QString &text)
{
    if (const QString refusal = tooLongName(m_engine, text); !refusal.isEmpty())
        return Result::failure(refusal);
    QSqlQuery query(connection());
    const QString sql = Sql::rendered(m_engine, text);
    const auto once = [&] {
        if (!query.exec(sql))
            return Result::failure(engineMessage(query.lastError()));
        return Result::success();
    };
    if (m_engine == Engine::PostgreSQL && m_transactionDepth > 0)
        return transaction(once);
    return once();
}

Result Database::execute(const Statement &statement, int *rowsAffected)
{
    if (!isOpen())
        return Result::failure(QStringLiteral("数据库没有打开"));
    switch (statement.kind) {
    case Statement::Kind::Plain: {
        if (statement.values.isEmpty() && !rowsAffected)
            return run(statement.text);
        QSqlQuery query(connection());
        if (Result prepared = prepare(query, statement.text); !prepared)
            return prepared;
        for (const QVariant &value : statement.values)
            query.addBindValue(value);
        if (Result ran = exec(query); !ran)
            return ran;
        if (rowsAffected)
            *rowsAffected = query.numRowsAffected();
        return Result::success();
    }

    case Statement::Kind::CreateTable: {
        QString text = Sql::createTableText(m_engine, statement.target, statement.added);
        if (statement.ifMissing)
            text.insert(QStringLiteral("CREATE TABLE ").size(), QStringLiteral("IF NOT EXISTS "));
        return run(text);
    }

    case Statement::Kind::DeleteAll: return run(QStringLiteral("DELETE FROM ") + Sql::quoted(statement.target));

    case Statement::Kind::AlterAdd:
        return transaction([&] {
            for (const ColumnDefinition &column : statement.added) {
                const Result added = run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                             .arg(Sql::quoted(statement.target), Sql::columnDefinition(m_engine, column)));
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
            if (Result probe = run(QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(list, Sql::quoted(statement.source))); !probe)
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
            if (Result created = run(Sql::createTableText(m_engine, statement.target, copied)); !created)
                return created;
            const QString columns = copiedNames.join(QLatin1Char(','));
            return run(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3 ORDER BY rowid")
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
    if (!query.prepare(Sql::rendered(m_engine, select.text)))
        return ReadResult<Rows>::failure(engineMessage(query.lastError()));
    for (const QVariant &value : select.values)
        query.addBindValue(value);
    // A select that fails inside a transaction must not take it along (PostgreSQL would).
    if (Result ran = const_cast<Database *>(this)->exec(query); !ran)
        return ReadResult<Rows>::failure(ran.error);
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
    // SQLite starts a transaction with its first savepoint; PostgreSQL takes savepoints
    // only inside one.
    if (m_transactionDepth == 0 && m_engine == Engine::PostgreSQL)
        return enclosed(QStringLiteral("BEGIN"), QStringLiteral("COMMIT"), {QStringLiteral("ROLLBACK")}, work);
    const QString savepoint = QStringLiteral("qs_step%1").arg(m_transactionDepth + 1);
    return enclosed(QStringLiteral("SAVEPOINT ") + savepoint, QStringLiteral("RELEASE ") + savepoint,
        {QStringLiteral("ROLLBACK TO ") + savepoint, QStringLiteral("RELEASE ") + savepoint}, work);
}

Result Database::writeTransaction(const std::function<Result()> &work)
{
    // PostgreSQL locks the rows a statement writes as it writes them: a plain transaction.
    if (m_transactionDepth > 0 || m_engine != Engine::SQLite)
        return transaction(work);
    // SQLite's write lock is taken at once (waiting for another program as any statement
    // does), so nothing another program writes can come between what work reads and what
    // it writes.
    return enclosed(QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("COMMIT"), {QStringLiteral("ROLLBACK")}, work);
}

Result Database::enclosed(
    const QString &begin, const QString &commit, const QStringList &rollback, const std::function<Result()> &work)
{
    if (!isOpen())
        return Result::failure(QStringLiteral("数据库没有打开"));
    QSqlDatabase db = connection();
    const auto plainRun = [&db](const QString &sql) {
        QSqlQuery query(db);
        if (!query.exec(sql))
            return Result::failure(engineMessage(query.lastError()));
        return Result::success();
    };
    if (Result begun = plainRun(begin); !begun)
        return begun;
    ++m_transactionDepth;
    Result result = work();
    --m_transactionDepth;
    if (result) {
        if (Result committed = plainRun(commit); !committed)
            result = committed;
        else
            return result;
    }
    for (const QString &step : rollback)
        (void)plainRun(step);
    return result;
}

bool Database::tableExists(const QString &table) const
{
    if (!isOpen())
        return false;
    QSqlQuery query(connection());
    // As the engine takes a name: SQLite folds A to Z, PostgreSQL takes a quoted name as it is.
    if (m_engine == Engine::PostgreSQL)
        query.prepare(QStringLiteral("SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                     "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p') AND c.relname = ?"));
    else
        query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

QStringList Database::tables() const
{
    QStringList names;
    if (!isOpen())
        return names;
    QSqlQuery query(connection());
    if (m_engine == Engine::PostgreSQL)
        query.exec(QStringLiteral("SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                  "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p')"));
    else
        query.exec(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    while (query.next())
        names << query.value(0).toString();
    return names;
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
    query.setForwardOnly(true);
    const bool server = m_engine == Engine::PostgreSQL;
    if (server) {
        // name, type, "not null", length
        query.prepare(QStringLiteral("SELECT column_name, data_type, is_nullable = 'NO', "
                                     "coalesce(character_maximum_length, 0) FROM information_schema.columns "
                                     "WHERE table_schema = current_schema() AND table_name = ? AND column_name <> '%1' "
                                     "ORDER BY ordinal_position")
                          .arg(Sql::kRowIdentity));
        query.addBindValue(table);
    } else {
        // cid, name, type (with its length), notnull, ...: the pragma itself, the table as a
        // string literal, is prepared faster than its table-valued form, and the grade book
        // reads it on every opening.
        query.prepare(
            QStringLiteral("PRAGMA table_info('%1')").arg(QString(table).replace(QLatin1Char('\''), QStringLiteral("''"))));
    }
    if (!query.exec())
        return columns;
    const int name = server ? 0 : 1;
    while (query.next()) {
        QString type = Sql::declaredType(m_engine, query.value(name + 1).toString(), server ? query.value(3).toInt() : 0);
        if (query.value(name + 2).toBool())
            type += QStringLiteral(" NOT NULL");
        columns.append({query.value(name).toString(), type});
    }
    return columns;
}
