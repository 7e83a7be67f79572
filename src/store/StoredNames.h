#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Database;

/// The engine takes table names without regard to the letter case of A to Z, the Data
/// folder's file names with it. These find the spelling under which a name is stored.
namespace StoredNames {
/// True when the two names are the same apart from the case of the letters A to Z, as
/// the engine compares table names.
bool sameIgnoringCase(const QString &a, const QString &b);
/// The name of the table that the engine would take for `table`, spelled as it was
/// created; nullopt when there is none (or the database is not open).
std::optional<QString> tableSpelling(const Database &database, const QString &table);
/// The first line equal to name apart from letter case.
std::optional<QString> spellingIn(const QStringList &lines, const QString &name);
/// lines without every line equal to name apart from letter case.
QStringList withoutCaseVariants(QStringList lines, const QString &name);
} // namespace StoredNames
