#include "DatabaseUrl.h"

#include <QUrl>

std::optional<DatabaseUrl> DatabaseUrl::parse(const QString &text, QString *error)
{
    const auto refuse = [&](const QString &why) -> std::optional<DatabaseUrl> {
        if (error)
            *error = QStringLiteral("数据库设置“%1”无法使用：%2").arg(text, why);
        return std::nullopt;
    };
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("postgresql") && scheme != QLatin1String("postgres")))
        return refuse(QStringLiteral("应写成 postgresql://用户名@服务器/数据库名 的形式。"));
    DatabaseUrl parsed;
    parsed.host = url.host();
    parsed.port = url.port(5432);
    parsed.user = url.userName();
    parsed.password = url.password();
    parsed.name = url.path().mid(1);
    if (parsed.host.isEmpty())
        return refuse(QStringLiteral("没有写出服务器的名称或地址。"));
    if (parsed.name.isEmpty() || parsed.name.contains(QLatin1Char('/')))
        return refuse(QStringLiteral("没有写出数据库的名称。"));
    return parsed;
}

QString DatabaseUrl::shown() const
{
    return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(name);
}
