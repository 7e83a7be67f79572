#pragma once

#include "ui/Prompter.h"

#include <QString>

/// Fixed texts of the entry panel's boxes.
namespace EntryMessages {
using Caption::kNotice;
inline const QString kRosterQuestion
    = QStringLiteral("是否清除原有记录？清除原有数据，请单击“是”按钮;添加在原有数据后面，请单击“否”按钮;退出请单击“退出”按钮。");
inline const QString kRosterFailed = QStringLiteral("请先登录系统！");
inline const QString kScoresFailed = QStringLiteral("数据输入错误！");
inline const QString kEvaluationsFailed = QStringLiteral("请先登录系统或输入学生名单！");
inline const QString kConfirmDelete = QStringLiteral("确定清除该生记录吗?");
inline const QString kNoStudentToDelete = QStringLiteral("没有选中的学生记录,无法删除!");
/// A roster line whose name holds a character that shows as nothing: nothing is added.
inline QString hiddenCharacterInRoster(int line, const QString &refusal)
{
    return QStringLiteral("第%1行的").arg(line) + refusal + QStringLiteral("，名单没有添加。请删去这些字符后再添加。");
}
/// Rows beyond the last student: how many were not entered.
inline QString rowsWithoutStudent(int rows)
{
    return QStringLiteral("有%1行没有对应的学生,这些行没有录入!").arg(rows);
}
} // namespace EntryMessages
