#include "StoredNames.h"

#include "Database.h"

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
    // The engine's own spelling first (PostgreSQL keeps ClassA and classa apart), then
    // one that differs in the letters A to Z only, as SQLite matches table names.
    const QStringList tables = database.tables();
    if (tables.contains(table))
        return table;
    return spellingIn(tables, table);
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
