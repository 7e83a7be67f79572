#pragma once

#include "ui/Prompter.h"

#include <QString>

/// Fixed texts of the grade-book commands' boxes.
namespace GradeBookMessages {
using Caption::kNotice;
/// The column list of a grade book without score columns.
inline const QString kNoScoreColumns = QStringLiteral("编号,姓名,小组");
/// A score column name that cannot be added (taken, empty or no valid name).
inline const QString kDuplicateColumn = QStringLiteral("表头字段名重复！");
inline const QString kLeaveSortedView = QStringLiteral("不能对排序后的表进行修改,取消排序吗?");
inline const QString kNothingToSort = QStringLiteral("没有记录,不能排序!");
inline const QString kSortFailed = QStringLiteral("操作错误！");
inline const QString kWrongPassword = QStringLiteral("密码错误,您不是合法使用者,不能随意删除成绩记录!");
} // namespace GradeBookMessages
