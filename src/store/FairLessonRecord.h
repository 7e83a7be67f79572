#pragma once

#include "Database.h"
#include "StudentKey.h"

#include <QDate>
#include <QSet>
#include <QString>

/// The fair lesson of one class and subject as Record.mdb keeps it: whether 不重复 is on,
/// the current round and who was asked in it, and who is absent on a day. Its tables are
/// made by the first change; until then everything reads as off and empty. Each change is
/// one transaction, and each is built so that a second program on the same file loses
/// nothing of it.
class FairLessonRecord final {
public:
    struct State final {
        bool noRepeat = false;
        int round = 0; ///< 0 while nothing was ever kept for the class and subject
        QSet<StudentKey> asked;
        QSet<StudentKey> absent;
        friend bool operator==(const State &, const State &) = default;
    };

    FairLessonRecord(Database &database, QString className, QString subject);

    /// The stored state, with the absences of day.
    ReadResult<State> read(const QDate &day) const;
    /// Turns 不重复 on or off.
    Result setNoRepeat(bool on);
    /// Marks a student absent on day, or present again; absences of other days go.
    Result setAbsent(const StudentKey &student, const QDate &day, bool absent);
    /// Counts a student as asked in the current round.
    Result recordAsked(const StudentKey &student);
    /// Begins the round after `round`; nothing happens when another program already has.
    Result beginRoundAfter(int round);
    /// Begins a new round now, whatever the current one.
    Result restartRound();

private:
    Result change(const QList<Statement> &statements);

    Database &m_database;
    QString m_class;
    QString m_subject;
};
