#pragma once

#include "ui/Prompter.h"

#include <QString>

/// Fixed texts of the analysis commands.
namespace AnalysisMessages {
using Caption::kNotice;
/// The caption of the grade-book menu item and toolbar button.
inline const QString kCommand = QStringLiteral("成绩分析");
inline const QString kCommandHint = QStringLiteral("成绩统计、分数段、走势和名次进退");
inline const QString kNotLoggedIn = QStringLiteral("请先登录，再分析成绩。");
inline const QString kNothingToExport = QStringLiteral("还没有成绩列，没有可以导出的分析。");
/// The save dialog of 保存图片: the main window's save dialog title, a PNG filter.
inline const QString kSaveTitle = QStringLiteral("保存");
inline const QString kPictureFilter = QStringLiteral("PNG图片(*.png)|*.png");
inline const QString kPictureExtension = QStringLiteral("png");
inline QString pictureNotSaved(const QString &path)
{
    return QStringLiteral("无法保存图片“%1”。").arg(path);
}
inline QString pictureSaved(const QString &path)
{
    return QStringLiteral("图片已保存至 %1").arg(path);
}
inline QString exported(const QString &path)
{
    return QStringLiteral("已导出至 %1").arg(path);
}
inline QString noSpreadsheet(const QString &path)
{
    return QStringLiteral("无法启动Excel\n工作簿已保存在：%1").arg(path);
}
inline QString unreadable(const QString &error)
{
    return QStringLiteral("无法读取成绩：%1").arg(error);
}
} // namespace AnalysisMessages
