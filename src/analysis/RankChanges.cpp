#include "RankChanges.h"

#include <algorithm>

std::optional<int> RankChange::change() const
{
    if (!before || !after)
        return std::nullopt;
    return *before - *after;
}

namespace RankChanges {

QVector<std::optional<int>> ranks(const ScoreList &scores)
{
    QVector<double> present;
    for (const std::optional<double> &score : scores) {
        if (score)
            present.append(*score);
    }
    std::sort(present.begin(), present.end(), std::greater<>());
    QVector<std::optional<int>> result(scores.size());
    for (qsizetype i = 0; i < scores.size(); ++i) {
        if (!scores.at(i))
            continue;
        // One more than the number of strictly higher scores.
        const auto higher = std::lower_bound(present.cbegin(), present.cend(), *scores.at(i), std::greater<>());
        result[i] = int(higher - present.cbegin()) + 1;
    }
    return result;
}

QVector<RankChange> compare(const ScoreList &before, const ScoreList &after)
{
    const QVector<std::optional<int>> first = ranks(before);
    const QVector<std::optional<int>> second = ranks(after);
    QVector<RankChange> changes;
    const qsizetype students = std::min(first.size(), second.size());
    changes.reserve(students);
    for (qsizetype i = 0; i < students; ++i)
        changes.append(RankChange{int(i), first.at(i), second.at(i)});
    std::stable_sort(changes.begin(), changes.end(), [](const RankChange &a, const RankChange &b) {
        const std::optional<int> ca = a.change();
        const std::optional<int> cb = b.change();
        if (ca.has_value() != cb.has_value())
            return ca.has_value();
        if (ca && *ca != *cb)
            return *ca > *cb;
        // Equal changes, or both incomparable: the better later rank first, no rank last.
        if (a.after.has_value() != b.after.has_value())
            return a.after.has_value();
        if (a.after && *a.after != *b.after)
            return *a.after < *b.after;
        return a.student < b.student;
    });
    return changes;
}

Leaders leaders(const QVector<RankChange> &changes, int count)
{
    Leaders found;
    // The comparison is sorted by change: rises lead, falls end its comparable part.
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const std::optional<int> moved = changes.at(i).change();
        if (!moved || *moved <= 0)
            break;
        if (found.risers.size() >= count && *moved != *changes.at(found.risers.constLast()).change())
            break;
        found.risers.append(int(i));
    }
    qsizetype end = changes.size();
    while (end > 0 && !changes.at(end - 1).change())
        --end;
    for (qsizetype i = end - 1; i >= 0; --i) {
        const int moved = *changes.at(i).change();
        if (moved >= 0)
            break;
        if (found.fallers.size() >= count && moved != *changes.at(found.fallers.constLast()).change())
            break;
        found.fallers.append(int(i));
    }
    return found;
}

} // namespace RankChanges
