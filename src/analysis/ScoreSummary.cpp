#include "ScoreSummary.h"

#include <algorithm>
#include <cmath>

bool ScoreSummary::reaches(double score, int percent, int fullMarks)
{
    // 60 % of 150 is 90 exactly; 0.6 * 150 in floating point is not.
    return score * 100.0 >= double(percent) * double(fullMarks);
}

std::optional<double> ScoreSummary::meanOf(const ScoreList &scores)
{
    double sum = 0;
    int count = 0;
    for (const std::optional<double> &score : scores) {
        if (score) {
            sum += *score;
            ++count;
        }
    }
    return count > 0 ? std::optional<double>(sum / double(count)) : std::nullopt;
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
    const auto [lowest, highest] = std::minmax_element(present.cbegin(), present.cend());
    summary.lowest = *lowest;
    summary.highest = *highest;
    // The middle score without sorting the whole class; of an even count, the largest
    // score below it is the other middle one.
    const auto middle = present.begin() + count / 2;
    std::nth_element(present.begin(), middle, present.end());
    summary.median = count % 2 == 1 ? *middle : (*std::max_element(present.begin(), middle) + *middle) / 2.0;
    summary.deviation = std::sqrt(squares / double(count));
    summary.passRate = double(passed) / double(count);
    summary.excellentRate = double(excellent) / double(count);
    return summary;
}
