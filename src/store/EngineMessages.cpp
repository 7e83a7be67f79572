#include "EngineMessages.h"

#include "Statements.h"
#include "TableNames.h"

#include <QList>
#include <QRegularExpression>

namespace {

struct Explanation {
    const char *pattern; // matched against the engine's text, case-insensitively
    const char16_t *chinese;
};

const Explanation kExplanations[] = {
    {R"(^table .* already exists)", u"数据表已经存在。"},
    {R"(^no such table)", u"数据表不存在。"},
    {R"(^duplicate column name)", u"数据列已经存在。"},
    {R"(^no such column)", u"数据列不存在。"},
    {R"(database (table )?is locked|database is busy)", u"数据库正被另一个程序使用，请稍后再试。"},
    {R"(file is not a database|file is encrypted or is not a database)", u"该文件不是有效的数据库。"},
    {R"(object name reserved for internal use)", u"以“sqlite_”开头的名称由数据库自己使用，请换一个名称。"},
    {R"(attempt to write a readonly database)", u"数据库文件是只读的，不能保存。"},
    {R"(database or disk is full)", u"磁盘已满，不能保存。"},
    {R"(disk I/O error)", u"读写数据库文件时出错。"},
    {R"(string or blob too big)", u"内容太大，数据库不能保存。"},
    {R"(^relation .* already exists)", u"数据表已经存在。"},
    {R"(^relation .* does not exist)", u"数据表不存在。"},
    {R"(^column .* of relation .* already exists)", u"数据列已经存在。"},
    {R"(^column .* does not exist)", u"数据列不存在。"},
    {R"(value too long for type|violates check constraint)", u"内容太长，超过了该列允许的长度。"},
    {R"(conflicts with a system column name)", u"这个列名由数据库自己使用，请换一个名称。"},
    {R"(^permission denied|must be owner of)", u"数据库服务器不允许这个用户这样修改数据。"},
    {R"(server closed the connection|no connection to the server|connection to server .* failed|terminating connection)",
        u"与数据库服务器的连接已经断开，这次修改没有保存。请检查网络，然后重新启动程序。"},
    {R"(deadlock detected|could not serialize access)", u"另一台电脑正在修改同样的数据，请稍后再试。"},
    {R"(^(CHECK|NOT NULL|UNIQUE) constraint failed|violates (not-null|unique) constraint|duplicate key value)",
        u"数据表的约束条件不接受这个值。"},
};

struct SchemaRefusal {
    /// SQLite's words after "CHECK constraint failed: " or "NOT NULL constraint failed: ".
    QString engineText;
    QString chinese;
};

struct SchemaColumn {
    QString table; // empty for the tables named after a class and subject
    ColumnDefinition column;
};

// Every column of the tables the system makes, as the schema declares them.
const QList<SchemaColumn> &schemaColumns()
{
    static const QList<SchemaColumn> columns = [] {
        const QList<std::pair<QString, QList<ColumnDefinition>>> tables{{QString(), Schema::roster()},
            {kPortraitTable, Schema::portraits()}, {QString(), Schema::questioning()}, {kRoundTable, Schema::rounds()},
            {kAskedTable, Schema::asked()}, {kAbsenceTable, Schema::absences()}, {kDataFileTable, Schema::dataFiles()}};
        QList<SchemaColumn> found;
        for (const auto &[table, definitions] : tables) {
            for (const ColumnDefinition &column : definitions)
                found << SchemaColumn{table, column};
        }
        return found;
    }();
    return columns;
}

bool isNotNull(const ColumnDefinition &column)
{
    return column.type.contains(QLatin1String("NOT NULL"), Qt::CaseInsensitive);
}

QString lengthSentence(const QString &names, int limit)
{
    return QStringLiteral("%1最多%2个字。").arg(names).arg(limit);
}

QString notNullSentence(const QString &name)
{
    return QStringLiteral("%1不能为空。").arg(name);
}

// SQLite's refusals, one sentence each: the length checks of the text columns, and the
// columns that must hold a value.
const QList<SchemaRefusal> &schemaRefusals()
{
    static const QList<SchemaRefusal> refusals = [] {
        QList<SchemaRefusal> found;
        const auto add = [&found](const QString &engineText, const QString &chinese) {
            if (std::none_of(
                    found.cbegin(), found.cend(), [&](const SchemaRefusal &known) { return known.engineText == engineText; }))
                found << SchemaRefusal{engineText, chinese};
        };
        for (const auto &[table, column] : schemaColumns()) {
            if (const std::optional<int> limit = Sql::lengthLimit(column))
                add(Sql::lengthCheck(column), lengthSentence(column.name, *limit));
            if (!table.isEmpty() && isNotNull(column))
                add(table + QLatin1Char('.') + column.name, notNullSentence(column.name));
        }
        return found;
    }();
    return refusals;
}

// PostgreSQL's refusals of the same limits. A text too long names only the limit
// ("value too long for type character varying(8)"): the sentence names every column of
// the schema with that limit. A missing value names its column.
QString serverSchemaRefusal(const QString &core)
{
    static const QRegularExpression tooLong(
        QStringLiteral("^value too long for type character(?: varying)?\\((\\d+)\\)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression notNull(
        QStringLiteral("^null value in column \"([^\"]+)\""), QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch match = tooLong.match(core); match.hasMatch()) {
        const int limit = match.captured(1).toInt();
        QStringList names;
        for (const SchemaColumn &known : schemaColumns()) {
            if (Sql::lengthLimit(known.column) == limit && !names.contains(known.column.name))
                names << known.column.name;
        }
        return names.isEmpty() ? QString() : lengthSentence(names.join(QStringLiteral("或")), limit);
    }
    if (const QRegularExpressionMatch match = notNull.match(core); match.hasMatch()) {
        const QString name = match.captured(1);
        for (const SchemaColumn &known : schemaColumns()) {
            if (known.column.name == name && isNotNull(known.column))
                return notNullSentence(name);
        }
    }
    return {};
}

} // namespace

namespace EngineMessages {

QString inChinese(const QString &engineText)
{
    // PostgreSQL leads with the severity: "ERROR:  relation ... already exists".
    static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL):\\s+"));
    QString core = engineText;
    core.remove(severity);
    for (const QString &failed : {QStringLiteral("CHECK constraint failed: "), QStringLiteral("NOT NULL constraint failed: ")}) {
        if (!core.startsWith(failed))
            continue;
        const QStringView what = QStringView(core).sliced(failed.size()).trimmed();
        for (const SchemaRefusal &refusal : schemaRefusals()) {
            if (what == refusal.engineText)
                return refusal.chinese + QLatin1Char('\n') + engineText;
        }
    }
    if (const QString refusal = serverSchemaRefusal(core); !refusal.isEmpty())
        return refusal + QLatin1Char('\n') + engineText;
    for (const Explanation &explanation : kExplanations) {
        const QRegularExpression pattern(QLatin1String(explanation.pattern), QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(core).hasMatch())
            return QString::fromUtf16(explanation.chinese) + QLatin1Char('\n') + engineText;
    }
    return engineText;
}

QString connectionRefusal(const QString &server, const QString &user, const QString &database, const QString &engineText)
{
    const QString text = engineText.trimmed();
    const auto has = [&](const char *pattern) {
        return QRegularExpression(QLatin1String(pattern), QRegularExpression::CaseInsensitiveOption).match(text).hasMatch();
    };
    QString cause;
    if (has(R"(password authentication failed|no password supplied|fe_sendauth|authentication failed|role .* does not exist|no pg_hba\.conf entry)"))
        cause = QStringLiteral("服务器拒绝了用户“%1”的登录：用户名或密码不对，或服务器不允许这台电脑登录。").arg(user);
    else if (has(R"(database .* does not exist)"))
        cause = QStringLiteral("服务器上没有数据库“%1”，请学校的管理员先建立它（createdb）。").arg(database);
    else if (has(R"(could not translate host name|Name or service not known|Temporary failure in name resolution)"))
        cause = QStringLiteral("找不到这个服务器，请检查服务器的名称。");
    else if (has(R"(timeout expired|timed out)"))
        cause = QStringLiteral("服务器没有响应，请检查网络和服务器是否已经开机。");
    else if (has(R"(could not connect|connection refused|No route to host|Network is unreachable|Connection to server)"))
        cause = QStringLiteral("连接不上服务器，请检查服务器名称、端口和网络，以及服务器上的数据库是否已经启动。");
    else if (has(R"(permission denied)"))
        cause = QStringLiteral("用户“%1”没有连接这个数据库的权限。").arg(user);
    else
        cause = QStringLiteral("服务器拒绝了连接。");
    return QStringLiteral("无法连接数据库服务器“%1”：%2程序没有改动任何数据。\n%3").arg(server, cause, text);
}

QString permissionRefusal(const QString &server, const QString &user, const QString &what)
{
    return QStringLiteral("数据库服务器“%1”不允许用户“%2”%3，程序没有改动任何数据。请学校的管理员给这个用户相应的权限。")
        .arg(server, user, what);
}

} // namespace EngineMessages
