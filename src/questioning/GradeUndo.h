#pragma once

#include "store/GradeRecord.h"

#include <QList>

/// The grades of this login that can still be taken back, newest last: one step per grade,
/// back to the first grade since the login. No widgets.
class GradeUndo final {
public:
    enum class Outcome {
        Nothing, ///< no grade to take back
        Undone,
        Changed, ///< the row changed since its grade: nothing written, the step is dropped
        Busy,    ///< nothing written; the step stays for another try
        Failed   ///< nothing written; the step stays
    };
    struct Result final {
        Outcome outcome = Outcome::Nothing;
        GradeRecord::Step step;
        QString error;
    };

    /// Keeps what a grade wrote.
    void recorded(GradeRecord::Step step) { m_steps.append(std::move(step)); }
    bool canUndo() const { return !m_steps.isEmpty(); }
    int size() const { return int(m_steps.size()); }
    /// Forgets every step (a new login).
    void clear() { m_steps.clear(); }
    /// Takes the newest grade back in one transaction.
    Result undoLast(Database &database);

private:
    QList<GradeRecord::Step> m_steps;
};
