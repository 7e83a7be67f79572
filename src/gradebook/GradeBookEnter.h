#pragma once

#include <QString>

class Dataset;
class Prompter;
class MainView;

/// Enter in the main grid while the grade-book view is shown (the grid's part of
/// DBGrid1KeyPress). The caller commits the grid's open cell editor first.
namespace GradeBookEnter {
/// In the sorted view drops a typed value and asks whether to leave it (Yes reopens the
/// unsorted view); in the group-totals view and on an empty view does nothing. Otherwise
/// posts the current row, with 合计 and 平均 computed in the same statement from the row in
/// the file when the mode is 记分册 and the column list has score columns; a refused post
/// is shown and undone.
void press(Dataset &view, Prompter &prompter, MainView &mainView, const QString &mode, const QString &columnList);
/// True when the view is the sorted grade-book view (its last field is 名次).
bool isSortedView(const Dataset &view);
} // namespace GradeBookEnter
