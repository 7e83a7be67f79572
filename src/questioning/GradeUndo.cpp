#include "GradeUndo.h"

GradeUndo::Result GradeUndo::undoLast(Database &database)
{
    if (m_steps.isEmpty())
        return {};
    const GradeRecord::Step step = m_steps.last();
    const GradeRecord::UndoResult undone = GradeRecord::undo(database, step);
    switch (undone.outcome) {
    case GradeRecord::UndoOutcome::Undone: m_steps.removeLast(); return {Outcome::Undone, step, {}};
    // Taking this grade back would overwrite what changed the row since: the step goes,
    // and the grades before it can still be taken back.
    case GradeRecord::UndoOutcome::Changed: m_steps.removeLast(); return {Outcome::Changed, step, {}};
    case GradeRecord::UndoOutcome::Busy: return {Outcome::Busy, step, undone.error};
    case GradeRecord::UndoOutcome::Failed: return {Outcome::Failed, step, undone.error};
    }
    return {Outcome::Failed, step, undone.error};
}
