#pragma once

#include "ui/Prompter.h"

#include <QString>

/// Fixed texts of the class roster commands.
namespace RosterMessages {
using Caption::kNotice;
inline const QString kPasswordCaption = QStringLiteral("密码");
inline const QString kPasswordPrompt = QStringLiteral("请输入密码");
inline const QString kLoginFirst = QStringLiteral("保存母版之前，请先登录！");
inline const QString kNoPermission = QStringLiteral("您没有此权限,请察看帮助文件或联系系统管理员!");
inline const QString kConfirmImport = QStringLiteral("该操作将清除当前所有记录,确定从母版导入吗?");
/// Import without a login: no current table to fill.
inline const QString kImportNeedsLogin = QStringLiteral("请先登录系统！");
/// A student of the current table whose name holds a character that shows as nothing.
inline QString notSaved(const QString &refusal)
{
    return refusal + QStringLiteral("，名单没有保存为母版。请先改正这个姓名。");
}
/// A student of the class table (its 母版) whose name holds a character that shows as nothing.
inline QString notImported(const QString &refusal)
{
    return QStringLiteral("母版中") + refusal + QStringLiteral("，没有导入。请先改正母版中的这个姓名。");
}
inline QString saved(const QString &className)
{
    return QStringLiteral("名单已经保存在") + className + QStringLiteral("母版中！");
}
} // namespace RosterMessages
