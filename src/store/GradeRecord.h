#pragma once

#include "Database.h"

#include <QString>
#include <optional>

/// Records one grade in a row of a questioning table with a single statement, computed
/// from what the file holds: 评价, 历史, 次数, 总分 and 平均 change together or not at all,
/// and a second program grading the same student loses nothing.
namespace GradeRecord {

/// The most recent grades 历史 keeps; older ones are dropped from its front.
inline constexpr int kHistoryLength = 60;
/// The range a grade's score must lie in.
inline constexpr int kLowestScore = -1000;
inline constexpr int kHighestScore = 1000;

/// The score text of a grade as a whole number within the range; nullopt otherwise.
std::optional<int> parseScore(const QString &text);

enum class Outcome {
    Recorded,
    NoRow,
    Busy,
    Failed
};

struct Result final {
    Outcome outcome = Outcome::Recorded;
    QString error; ///< the engine's message when Failed
};

/// Sets 评价 to letter, appends it to 历史 (a history that starts again when 次数 is 0),
/// adds score to 总分, counts 次数 and recomputes 平均 as the whole-number quotient, in
/// the row with this rowid. A busy database is waited for (the connection's timeout).
Result record(Database &database, const QString &table, qint64 rowId, const QString &letter, int score);

} // namespace GradeRecord
