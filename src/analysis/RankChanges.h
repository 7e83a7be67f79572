#pragma once

#include "ScoreList.h"

#include <QVector>
#include <optional>

/// One student's ranks in two score columns (名次进退).
struct RankChange final {
    int student = -1; ///< position of the student in the class
    std::optional<int> before;
    std::optional<int> after;
    /// Places gained from the first column to the second (positive: moved up); absent
    /// when either score is missing.
    std::optional<int> change() const;
};

/// Ranks within a class and how they moved between two tests.
namespace RankChanges {
/// Ranks as a spreadsheet's RANK gives them: 1 for the highest score, equal scores share
/// a rank and the ranks after them skip (100, 90, 90, 80 rank 1, 2, 2, 4). A missing
/// score has no rank. Unlike the grade book's 名次, ranks here are shared.
QVector<std::optional<int>> ranks(const ScoreList &scores);
/// Every student's ranks in the two columns and the change: the biggest rise first, equal
/// changes by the later rank, then by position; students missing either score come last.
QVector<RankChange> compare(const ScoreList &before, const ScoreList &after);

/// Positions (in a comparison) of the biggest risers and fallers.
struct Leaders final {
    QVector<int> risers;  ///< the biggest rises first
    QVector<int> fallers; ///< the biggest falls first
};
/// Up to `count` students who rose most and `count` who fell most, and anybody who moved
/// exactly as far as the last of them; a student who kept the rank is neither.
Leaders leaders(const QVector<RankChange> &changes, int count = 3);
} // namespace RankChanges
