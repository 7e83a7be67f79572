#include "ScoreBands.h"

#include "ScoreSummary.h"

#include <QLocale>

namespace {

/// The lowest whole score that reaches percent % of full marks.
int lowestWholeScore(int percent, int fullMarks)
{
    return (percent * fullMarks + 99) / 100;
}

QString range(int low, int high)
{
    return low >= high ? QString::number(low) : QStringLiteral("%1–%2").arg(low).arg(high);
}

} // namespace

namespace ScoreBands {

int bandOf(double score, int fullMarks)
{
    int band = 0;
    for (const int limit : kLimits) {
        if (ScoreSummary::reaches(score, limit, fullMarks))
            ++band;
    }
    return band;
}

Counts count(const ScoreList &scores, int fullMarks)
{
    Counts counts{};
    for (const std::optional<double> &score : scores) {
        if (score)
            ++counts.at(std::size_t(bandOf(*score, fullMarks)));
    }
    return counts;
}

QStringList labels(int fullMarks)
{
    QStringList captions;
    const double failLimit = double(kLimits.front()) * double(fullMarks) / 100.0;
    captions << QStringLiteral("不及格(<%1)").arg(QString::number(failLimit, 'f', QLocale::FloatingPointShortest));
    for (std::size_t i = 0; i + 1 < kLimits.size(); ++i)
        captions << range(lowestWholeScore(kLimits.at(i), fullMarks), lowestWholeScore(kLimits.at(i + 1), fullMarks) - 1);
    captions << range(lowestWholeScore(kLimits.back(), fullMarks), fullMarks);
    return captions;
}

} // namespace ScoreBands
