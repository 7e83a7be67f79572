#pragma once

#include "ScoreList.h"
#include "store/AnalysisSettingsFile.h"

/// The statistics of one column of scores for a class or a group. A missing score counts
/// in 人数 and 缺考 only, never as 0; every other figure is over the scores present and is
/// absent (nullopt) when there is none.
struct ScoreSummary final {
    int students = 0;                    ///< 人数: every student, with or without a score
    int missing = 0;                     ///< 缺考: students without a score
    std::optional<double> mean;          ///< 平均分: sum of the scores over their count
    std::optional<double> highest;       ///< 最高分
    std::optional<double> lowest;        ///< 最低分
    std::optional<double> median;        ///< 中位数: of an even count, the mean of the two middle scores
    std::optional<double> deviation;     ///< 标准差: of the population, divided by the count (STDEVP)
    std::optional<double> passRate;      ///< 及格率: share of the scores present at or above 及格% × 满分
    std::optional<double> excellentRate; ///< 优秀率: share of the scores present at or above 优秀% × 满分

    int present() const { return students - missing; }

    static ScoreSummary of(const ScoreList &scores, const ScoreLines &lines);
    /// 平均分 alone (as of() gives it), for the trend over many columns.
    static std::optional<double> meanOf(const ScoreList &scores);
    /// True when score reaches percent % of full marks (compared exactly, in hundredths).
    static bool reaches(double score, int percent, int fullMarks);
};
