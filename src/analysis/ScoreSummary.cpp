#include "ScoreSummary.h"

#include <algorithm>
#include <cmath>

bool ScoreSummary::reaches(double score, int percent, int fullMarks)
{
    // 60 % of 150 is 90 exactly; 0.6 * 150 in floating point is not.
    return score * 100.0 >= double(percent) * double(fullMarks);
}

ScoreSummary ScoreSummary::of(const ScoreList &scores, const ScoreLines &lines)
{
    ScoreSummary summary;
    summary.students = int(scores.size());
    QVector<double> present;
    present.reserve(scores.size());
    for (const std::optional<double> &score : scores) {
        if (score)
            present.append(*score);
    }
    summary.missing = summary.students - int(present.size());
    if (present.isEmpty())
        return summary;

    std::sort(present.begin(), present.end());
    const qsizetype count = present.size();
    double sum = 0;
    int passed = 0;
    int excellent = 0;
    for (const double score : std::as_const(present)) {
        sum += score;
        passed += reaches(score, lines.passPercent, lines.fullMarks) ? 1 : 0;
        excellent += reaches(score, lines.excellentPercent, lines.fullMarks) ? 1 : 0;
    }
    const double mean = sum / double(count);
    double squares = 0;
    for (const double score : std::as_const(present))
        squares += (score - mean) * (score - mean);

    summary.mean = mean;
    summary.lowest = present.constFirst();
    summary.highest = present.constLast();
    summary.median = count % 2 == 1 ? present.at(count / 2) : (present.at(count / 2 - 1) + present.at(count / 2)) / 2.0;
    summary.deviation = std::sqrt(squares / double(count));
    summary.passRate = double(passed) / double(count);
    summary.excellentRate = double(excellent) / double(count);
    return summary;
}
