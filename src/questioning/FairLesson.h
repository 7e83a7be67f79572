#pragma once

#include "FairRace.h"
#include "store/FairLessonRecord.h"

#include <QDate>
#include <functional>

struct AppContext;

/// The fair lesson of the logged-in class and subject: 不重复, the round and today's
/// absences, read from and written to Record.mdb, the last read kept for the grid's grey
/// rows and the menu's check mark. No widgets.
class FairLesson final {
public:
    using Clock = std::function<QDate()>;

    /// today gives the calendar day absences belong to; the computer's date by default.
    explicit FairLesson(AppContext &context, Clock today = {});

    /// Called whenever the kept state may have changed.
    void setChangedHandler(std::function<void()> changed) { m_changed = std::move(changed); }

    /// Reads the state of the logged-in class and subject afresh. On failure the kept
    /// state is emptied and the engine's text returned.
    Result refresh();
    const FairLessonRecord::State &state() const { return m_state; }
    bool noRepeat() const { return m_state.noRepeat; }
    bool isAbsent(const StudentKey &student) const { return m_state.absent.contains(student); }
    /// True when the main query shows the questioning table and this row's student is absent.
    bool isAbsentRow(int row) const;

    /// The main query's rows as students; rows without a whole 编号 are left out.
    QVector<FairRace::Student> students() const;
    /// The student of the main query's current row; nullopt without one.
    std::optional<StudentKey> currentStudent() const;

    // Each change is one transaction, then the state is read again.
    Result setNoRepeat(bool on);
    Result setAbsent(const StudentKey &student, bool absent);
    Result recordAsked(const StudentKey &student);
    Result beginRoundAfter(int round);
    Result restartRound();

private:
    FairLessonRecord record() const;
    Result changed(const Result &written);

    AppContext &m_context;
    Clock m_today;
    FairLessonRecord::State m_state;
    QString m_table; ///< the questioning table the state belongs to
    std::function<void()> m_changed;
};
