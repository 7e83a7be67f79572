#include "ClassAnalysis.h"

#include <QMap>

#include <algorithm>

QString ClassAnalysis::groupLabel(std::optional<int> group)
{
    return group ? QStringLiteral("第%1组").arg(*group) : QStringLiteral("未分组");
}

std::pair<double, double> ClassAnalysis::chartRange(const ScoreList &values, int fullMarks)
{
    double low = 0;
    double high = fullMarks;
    for (const std::optional<double> &value : values) {
        if (value) {
            low = std::min(low, *value);
            high = std::max(high, *value);
        }
    }
    return {low, high};
}

ClassAnalysis ClassAnalysis::of(const ClassScores &scores, const QString &column, const ScoreLines &lines)
{
    ClassAnalysis analysis;
    analysis.column = column;
    analysis.lines = lines;
    analysis.lines.fullMarks = lines.fullMarks * scores.fullMarksFactor(column);

    const ScoreList values = scores.column(column);
    analysis.rows.append(Row{QStringLiteral("全班"), ScoreSummary::of(values, analysis.lines)});
    // Groups by number; a student without a group sorts after every number.
    QMap<std::pair<bool, int>, ScoreList> groups;
    const QVector<ClassScores::Student> &students = scores.students();
    for (qsizetype i = 0; i < students.size(); ++i) {
        const std::optional<int> group = students.at(i).group;
        groups[{!group.has_value(), group.value_or(0)}].append(values.value(i));
    }
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        const std::optional<int> group = it.key().first ? std::nullopt : std::optional<int>(it.key().second);
        analysis.rows.append(Row{groupLabel(group), ScoreSummary::of(it.value(), analysis.lines)});
    }

    analysis.bands = ScoreBands::count(values, analysis.lines.fullMarks);
    analysis.bandLabels = ScoreBands::labels(analysis.lines.fullMarks);
    for (const QString &score : scores.scoreColumns())
        analysis.trend.append(ScoreSummary::meanOf(scores.column(score)));
    return analysis;
}
