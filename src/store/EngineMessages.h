#pragma once

#include <QString>

/// The engine reports in English. The failures a teacher can meet get a Chinese
/// explanation, followed by the engine's own text for whoever has to look further.
namespace EngineMessages {
/// "数据表不存在。\nno such table: 一班" for "no such table: 一班"; the same for a table
/// or column that already exists or is missing, a locked or busy database and a file
/// that is not a database. Any other text is returned as it is.
QString inChinese(const QString &engineText);
/// Why a server refused the connection, in Chinese, naming the server (host:port/name)
/// and the cause: not reachable, the login refused, no such database. The driver's own
/// text follows.
QString connectionRefusal(const QString &server, const QString &user, const QString &database, const QString &engineText);
/// The user may not do what the program needs (what: "建立数据表", ...) on the server.
QString permissionRefusal(const QString &server, const QString &user, const QString &what);
} // namespace EngineMessages
