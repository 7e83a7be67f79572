#pragma once

#include "Database.h"

#include <QList>
#include <QStringList>
#include <QVariantList>

/// Many rows written with one prepared statement, and the highest number in a table.
/// Callers wrap a write in Database::transaction to make it all or nothing.
namespace BulkRows {
/// Inserts rows (values in the order of columns) into table. Stops at the first refusal
/// and returns the engine's message; rows inserted before it stay unless a transaction
/// around the call is rolled back.
Result insert(Database &database, const QString &table, const QStringList &columns, const QList<QVariantList> &rows);
/// The highest 编号 of table, 0 when it has no numbered row; an error when the table is missing.
Result highestNumber(Database &database, const QString &table, qint64 &highest);
} // namespace BulkRows
