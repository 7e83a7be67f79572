#include "FairLessonRecord.h"

#include "TableNames.h"

namespace {

QString dayText(const QDate &day)
{
    return day.toString(Qt::ISODate);
}

ReadResult<QSet<StudentKey>> studentsOf(const Database &database, const Statement &select)
{
    const auto rows = database.rows(select);
    if (!rows)
        return ReadResult<QSet<StudentKey>>::failure(rows.error);
    QSet<StudentKey> students;
    for (const QVariantList &row : *rows) {
        if (const std::optional<StudentKey> key = StudentKey::of(row.value(0), row.value(1)))
            students.insert(*key);
    }
    return ReadResult<QSet<StudentKey>>::success(students);
}

} // namespace

FairLessonRecord::FairLessonRecord(Database &database, QString className, QString subject)
    : m_database(database)
    , m_class(std::move(className))
    , m_subject(std::move(subject))
{
}

ReadResult<FairLessonRecord::State> FairLessonRecord::read(const QDate &day) const
{
    State state;
    // Nothing kept yet: reading makes no table, so an unused fair lesson leaves the file alone.
    if (!m_database.tableExists(kRoundTable) || !m_database.tableExists(kAskedTable) || !m_database.tableExists(kAbsenceTable))
        return ReadResult<State>::success(state);
    const auto lesson = m_database.rows(Sql::fairLessonOf(m_class, m_subject));
    if (!lesson)
        return ReadResult<State>::failure(lesson.error);
    if (!lesson->isEmpty()) {
        state.noRepeat = lesson->first().value(0).toInt() != 0;
        state.round = lesson->first().value(1).toInt();
    }
    const auto asked = studentsOf(m_database, Sql::askedInRound(m_class, m_subject));
    if (!asked)
        return ReadResult<State>::failure(asked.error);
    state.asked = *asked;
    const auto absent = studentsOf(m_database, Sql::absentOn(m_class, m_subject, dayText(day)));
    if (!absent)
        return ReadResult<State>::failure(absent.error);
    state.absent = *absent;
    return ReadResult<State>::success(state);
}

Result FairLessonRecord::change(const QList<Statement> &statements)
{
    return m_database.runInTransaction(Sql::createFairLessonTables() + statements);
}

Result FairLessonRecord::setNoRepeat(bool on)
{
    return change({Sql::addFairLesson(m_class, m_subject), Sql::setNoRepeat(m_class, m_subject, on)});
}

Result FairLessonRecord::setAbsent(const StudentKey &student, const QDate &day, bool absent)
{
    QList<Statement> statements{Sql::forgetOtherDays(m_class, m_subject, dayText(day)),
        Sql::forgetAbsence(m_class, m_subject, student.number, student.name)};
    if (absent)
        statements << Sql::addAbsence(m_class, m_subject, dayText(day), student.number, student.name);
    return change(statements);
}

Result FairLessonRecord::recordAsked(const StudentKey &student)
{
    return change({Sql::addFairLesson(m_class, m_subject), Sql::forgetAsked(m_class, m_subject, student.number, student.name),
        Sql::addAsked(m_class, m_subject, student.number, student.name)});
}

Result FairLessonRecord::beginRoundAfter(int round)
{
    return change({Sql::addFairLesson(m_class, m_subject), Sql::advanceRound(m_class, m_subject, round),
        Sql::forgetEarlierRounds(m_class, m_subject)});
}

Result FairLessonRecord::restartRound()
{
    return change({Sql::addFairLesson(m_class, m_subject), Sql::advanceRound(m_class, m_subject, -1),
        Sql::forgetEarlierRounds(m_class, m_subject)});
}
