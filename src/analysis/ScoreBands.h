#pragma once

#include "ScoreList.h"

#include <QStringList>
#include <array>

/// The score bands of a column: 不及格 below 60 % of 满分, then 60–69 %, 70–79 %, 80–89 %
/// and 90 % up to 满分 (a score over 满分 falls in the last band). The limits follow 满分:
/// with 满分 150 the bands are below 90, 90–104, 105–119, 120–134 and 135–150.
namespace ScoreBands {
inline constexpr int kCount = 5;
/// Lower limits of the second to fifth band, in percent of 满分.
inline constexpr std::array<int, 4> kLimits = {60, 70, 80, 90};
using Counts = std::array<int, kCount>;

/// The band (0 to 4) of a score.
int bandOf(double score, int fullMarks);
/// How many scores fall in each band; missing scores fall in none.
Counts count(const ScoreList &scores, int fullMarks);
/// Captions of the bands for whole-number scores: "不及格(<60)", "60–69", "70–79",
/// "80–89", "90–100" for 满分 100 (a band of one score shows that score alone).
QStringList labels(int fullMarks);
} // namespace ScoreBands
