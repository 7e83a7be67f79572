#pragma once

#include "ui/Prompter.h"

#include <QString>

/// Fixed texts of the template commands.
namespace TemplateMessages {
using Caption::kError;
inline const QString kOpenTitle = QStringLiteral("打开");
inline const QString kSaveTitle = QStringLiteral("保存");
/// The filter both file dialogs show before an entry kind chose theirs.
inline const QString kInitialFilter = QStringLiteral("模板文件(*.qsm)|*.qsm|文本文件(*.txt)|*.txt");
inline const QString kFileMissing = QStringLiteral("该文件不存在！");
inline const QString kDefaultMissing = QStringLiteral("默认模板不存在！");
inline const QString kConfirmSaveDefault = QStringLiteral("保存为默认模板吗？");
} // namespace TemplateMessages
