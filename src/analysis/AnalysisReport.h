#pragma once

#include "ClassAnalysis.h"
#include "RankChanges.h"

/// Everything the analysis window shows at one moment, as its workbook takes it: the
/// statistics of the chosen column, the trend, the student whose line is shown and the
/// comparison of two score columns.
struct AnalysisReport final {
    QString title; ///< class and subject, 一班语文
    ClassScores scores;
    ClassAnalysis analysis;
    int student = -1; ///< the student whose line is shown; -1 for none
    QString before;   ///< the earlier column of 名次进退; empty when there are fewer than two
    QString after;    ///< the later column of 名次进退
    QVector<RankChange> changes;
    RankChanges::Leaders leaders;

    /// The report of the scores for a column, the lines, a student and two columns to compare.
    static AnalysisReport of(const QString &title, const ClassScores &scores, const QString &column, const ScoreLines &lines,
        int student, const QString &before, const QString &after);
    /// "进步最大：张三（+5）、李四（+5）；退步最大：王五（-3）", or why there is no comparison.
    QString leadersText() const;
};
