#pragma once

#include "Database.h"

#include <QString>
#include <QVariantList>
#include <optional>

/// Records one grade in a row of a questioning table with a single statement, computed
/// from what the file holds: 评价, 历史, 次数, 总分 and 平均 change together or not at all,
/// and a second program grading the same student loses nothing. A recorded grade can be
/// taken back as long as nobody changed the row since.
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

/// What one grade wrote, as stored: the row, its 编号 and 姓名, and its 评价, 历史, 次数,
/// 总分 and 平均 before and after.
struct Step final {
    QString table;
    qint64 rowId = -1;
    QVariantList student;
    QVariantList before;
    QVariantList after;
};

struct Result final {
    Outcome outcome = Outcome::Recorded;
    QString error; ///< the engine's message when Failed
    Step step;     ///< when Recorded
};

/// Sets 评价 to letter, appends it to 历史 (a history that starts again when 次数 is 0),
/// adds score to 总分, counts 次数 and recomputes 平均 as the whole-number quotient, in
/// the row with this rowid, in one transaction. A busy database is waited for (the
/// connection's timeout); a row another program changes meanwhile is read again.
Result record(Database &database, const QString &table, qint64 rowId, const QString &letter, int score);

enum class UndoOutcome {
    Undone,
    Changed, ///< the row no longer holds what the grade wrote: nothing was changed
    Busy,
    Failed
};

struct UndoResult final {
    UndoOutcome outcome = UndoOutcome::Undone;
    QString error; ///< the engine's message when Failed
};

/// Puts the row back as it was before the step's grade, byte for byte, in one transaction;
/// refused (Changed) when the row's 编号, 姓名 or grade columns differ from what it wrote.
UndoResult undo(Database &database, const Step &step);

} // namespace GradeRecord
