#pragma once

#include "ClassScores.h"
#include "ScoreBands.h"
#include "ScoreSummary.h"

/// What the analysis shows for one chosen column: the statistics of the class and of
/// each 小组, the score bands, and the class average of every score column in order.
struct ClassAnalysis final {
    struct Row {
        QString label; ///< 全班, 第n组 or 未分组
        ScoreSummary summary;
    };
    QString column;
    /// The lines as applied to the column: 满分 of 合计 is the set 满分 times the number
    /// of score columns.
    ScoreLines lines;
    QVector<Row> rows; ///< 全班 first, then the groups by number, 未分组 last
    ScoreBands::Counts bands{};
    QStringList bandLabels;
    QVector<std::optional<double>> trend; ///< the class's 平均分 of each score column

    static ClassAnalysis of(const ClassScores &scores, const QString &column, const ScoreLines &lines);
    /// The span a chart of scores shows: 0 to 满分, wider when a score lies outside.
    static std::pair<double, double> chartRange(const ScoreList &values, int fullMarks);
    /// "第3组", or "未分组" for a student without a group.
    static QString groupLabel(std::optional<int> group);
};
