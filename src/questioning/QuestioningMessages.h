#pragma once

#include "ui/Prompter.h"

#include <QString>

/// Fixed texts of the questioning commands' boxes.
namespace QuestioningMessages {
using Caption::kError;
using Caption::kNotice;
/// A tick, a find or a grade found no table or no student.
inline const QString kNoData = QStringLiteral("数据为空!请输入学生名单或重新登录。");
/// A selection could not start: no table open, or the count is not a whole number.
inline const QString kPleaseLogIn = QStringLiteral("请登录系统！");
/// A command that needs a class and subject was given before any login.
inline const QString kLogInFirst = QStringLiteral("请先登录系统！");
} // namespace QuestioningMessages
