#pragma once

#include "store/TableNames.h"

#include <QString>

/// What the entry panel's input holds: chosen in the entry-kind chooser, read by the batch
/// add and the template commands. Kept until the chooser changes it.
enum class EntryKind {
    None,
    Roster,
    Evaluation,
    Score
};

namespace EntryKinds {
/// The chooser's result: a roster, or the one result column the mode has
/// (evaluations in 课堂提问, scores in 记分册).
inline EntryKind chosen(bool roster, const QString &mode)
{
    if (roster)
        return EntryKind::Roster;
    if (mode == kModeQuestioning)
        return EntryKind::Evaluation;
    if (mode == kModeGradeBook)
        return EntryKind::Score;
    return EntryKind::None;
}

/// Title of the entry grid's input column; empty for no kind.
inline QString columnTitle(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Roster: return QStringLiteral("姓名");
    case EntryKind::Evaluation: return QStringLiteral("评价");
    case EntryKind::Score: return QStringLiteral("成绩");
    case EntryKind::None: break;
    }
    return {};
}
} // namespace EntryKinds
