#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>

class Dataset;
struct LoginState;

/// The grade-book column list and the store side of open grade-book view.
namespace GradeBookView {
/// The list of a grade-book table without score columns.
inline const QString kNoScoreColumns = QStringLiteral("编号,姓名,小组");

/// The columns the grade-book view shows, from the table's columns in table order:
/// "编号,姓名,小组" when the table has no score column (no whole-number column besides the
/// six fixed ones), else that, the score columns and ",合计,平均", joined by ",". A text
/// column is never shown as a score.
QString columnList(const QList<ColumnDefinition> &tableColumns);

/// Sets the mode to 记分册, runs "Select *" on the grade-book table to learn its columns,
/// makes a table of an older shape whole (or refuses it, naming what is wrong), writes
/// the column list, then runs the select of the listed columns. Stops at the first
/// failure and returns its message; what was done before stays done.
Result open(LoginState &state, Dataset &query, QString &columnList);
} // namespace GradeBookView
