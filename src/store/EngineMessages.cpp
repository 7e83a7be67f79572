#include "EngineMessages.h"

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
    {R"(^relation .* already exists)", u"数据表已经存在。"},
    {R"(^relation .* does not exist)", u"数据表不存在。"},
    {R"(^column .* of relation .* already exists)", u"数据列已经存在。"},
    {R"(^column .* does not exist)", u"数据列不存在。"},
    {R"(value too long for type|violates check constraint)", u"内容太长，超过了该列允许的长度。"},
    {R"(^permission denied|must be owner of)", u"数据库服务器不允许这个用户这样修改数据。"},
    {R"(server closed the connection|no connection to the server|connection to server .* failed|terminating connection)",
        u"与数据库服务器的连接已经断开，这次修改没有保存。请检查网络，然后重新启动程序。"},
    {R"(deadlock detected|could not serialize access)", u"另一台电脑正在修改同样的数据，请稍后再试。"},
};

} // namespace

namespace EngineMessages {

QString inChinese(const QString &engineText)
{
    // PostgreSQL leads with the severity: "ERROR:  relation ... already exists".
    static const QRegularExpression severity(QStringLiteral("^(ERROR|FATAL):\\s+"));
    QString core = engineText;
    core.remove(severity);
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
