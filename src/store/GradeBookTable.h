#pragma once

#include "Database.h"

#include <QStringList>

/// The shape of a grade-book table: the six fixed columns 编号, 姓名, 小组, 合计, 平均, 名次
/// first and in this order, then the score columns. A table made by an older version or
/// edited by hand is repaired where nothing is lost, or refused with a message naming
/// what is wrong.
namespace GradeBookTable {

/// The six fixed columns, in their order.
QStringList fixedColumns();
/// True when a declared type makes a whole-number column (INT, INTEGER, BIGINT, ...).
bool isWholeNumberType(const QString &declaredType);
/// The score columns: the whole-number columns other than the fixed six, in table order.
/// A text or real column (备注 TEXT) is never a score.
QStringList scoreColumns(const QList<ColumnDefinition> &columns);
/// True when the six fixed columns come first, in their order.
bool isWhole(const QList<ColumnDefinition> &columns);

/// Why a table cannot be made whole (it lacks 编号 or 姓名), naming the table and the
/// column; empty when it can.
QString irreparable(const QString &table, const QList<ColumnDefinition> &columns);

/// Makes an existing grade-book table whole, in one transaction: a missing 小组, 合计, 平均
/// or 名次 is added in its place and fixed columns out of order are put back in theirs,
/// keeping every row and every other column in its order. A table without 编号 or 姓名
/// is refused with a message naming the table and the column; nothing changes then.
Result repair(Database &database, const QString &table);

} // namespace GradeBookTable
