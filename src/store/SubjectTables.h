#pragma once

#include "Database.h"

/// The two tables of a class and subject, each made whole in one transaction: a missing
/// table is created from the class table with all its columns, and a table an earlier
/// crash left half-made (the copied columns without the added ones) gets the rest.
namespace SubjectTables {

/// The questioning table: 编号, 姓名 from the class table, then 评价, 历史, 次数, 总分, 平均,
/// with every evaluation reset.
Result ensureQuestioningTable(Database &database, const QString &questioning, const QString &classTable);
/// The grade-book table: 编号, 姓名, 小组 from the class table, then 合计, 平均, 名次. An
/// existing one of an older shape is repaired in place (GradeBookTable::repair).
Result ensureGradeBookTable(Database &database, const QString &gradeBook, const QString &classTable);

} // namespace SubjectTables
