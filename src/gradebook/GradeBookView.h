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
/// "编号,姓名,小组" for six columns or fewer, else that, the seventh and later columns
/// and ",合计,平均", joined by ",".
QString columnList(const QStringList &tableColumns);

/// Sets the mode to 记分册, runs "Select *" on the grade-book table to learn its columns,
/// writes the column list, then runs the select of the listed columns. Stops at the first
/// failure and returns the engine's message; what was done before stays done.
Result open(LoginState &state, Dataset &query, QString &columnList);
} // namespace GradeBookView
