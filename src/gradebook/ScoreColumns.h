#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>

class Dataset;

/// Adding a score column to the grade-book table.
namespace ScoreColumns {
/// The longest score column name taken.
inline constexpr int kMaxNameLength = 64;

/// The name offered for a new column: "第" + (fields of the view − 4) + "次".
QString proposedName(int viewFieldCount);
/// True when name can be a new column of a table with these columns: not empty, at most
/// 64 characters, no white space, control or invisible characters, quotes, brackets,
/// commas or \ / : * ? < > |, not rowid, oid or _rowid_, and not the name of an existing
/// column (letter case ignored, as the engine does).
bool isAcceptable(const QString &name, const QStringList &existingColumns);
/// Refuses an unacceptable name without touching the table, else closes the view and adds
/// the column as a nullable whole number. Returns the engine's message on failure.
Result add(Database &database, Dataset &view, const QString &table, const QString &name);
} // namespace ScoreColumns
