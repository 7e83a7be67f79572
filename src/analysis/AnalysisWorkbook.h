#pragma once

#include "AnalysisReport.h"
#include "store/Result.h"

/// Writes an analysis into a new .xlsx workbook with native charts. Sheet 成绩统计: the
/// title, the lines, the statistics of the class and of each 小组 (rates as percentages),
/// the score bands, and the class average (with the shown student's scores) over the score
/// columns, with a column chart of the bands and line charts of the trend and the student.
/// Sheet 名次进退: the comparison of two score columns, biggest risers first.
namespace AnalysisWorkbook {
/// The sheets' names.
inline const QString kStatisticsSheet = QStringLiteral("成绩统计");
inline const QString kRanksSheet = QStringLiteral("名次进退");
/// The header of the statistics table, from its first column.
QStringList statisticsHeader();

/// Writes the workbook to path, replacing a file of that name; a Chinese message naming
/// the file when it cannot be written (nothing half-written is left).
[[nodiscard]] Result write(const QString &path, const AnalysisReport &report);
} // namespace AnalysisWorkbook
