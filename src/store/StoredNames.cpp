#include "StoredNames.h"

#include "Database.h"

#include <QSqlQuery>
#include <QVariant>

namespace StoredNames {

bool sameIgnoringCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    const auto folded = [](QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (folded(a.at(i)) != folded(b.at(i)))
            return false;
    }
    return true;
}

std::optional<QString> tableSpelling(const Database &database, const QString &table)
{
    if (!database.isOpen())
        return std::nullopt;
    QSqlQuery query(database.connection());
    // NOCASE folds A to Z only, exactly as the engine matches table names.
    query.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toString();
}

std::optional<QString> spellingIn(const QStringList &lines, const QString &name)
{
    for (const QString &line : lines) {
        if (sameIgnoringCase(line, name))
            return line;
    }
    return std::nullopt;
}

QStringList withoutCaseVariants(QStringList lines, const QString &name)
{
    lines.removeIf([&](const QString &line) { return sameIgnoringCase(line, name); });
    return lines;
}

} // namespace StoredNames
