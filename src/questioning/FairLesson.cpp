#include "FairLesson.h"

#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"

FairLesson::FairLesson(AppContext &context, Clock today)
    : m_context(context)
    , m_today(today ? std::move(today) : Clock([] { return QDate::currentDate(); }))
{
}

FairLessonRecord FairLesson::record() const
{
    return FairLessonRecord(m_context.database, m_context.login.className, m_context.login.subject);
}

Result FairLesson::refresh()
{
    const QString table = m_context.login.tables().questioningTable();
    ReadResult<FairLessonRecord::State> read
        = m_context.login.isLoggedIn() ? record().read(m_today()) : ReadResult<FairLessonRecord::State>::success({});
    const FairLessonRecord::State state = read ? *read : FairLessonRecord::State{};
    const bool differs = table != m_table || !(state == m_state);
    m_table = table;
    m_state = state;
    if (differs && m_changed)
        m_changed();
    return read ? Result::success() : Result::failure(read.error);
}

Result FairLesson::changed(const Result &written)
{
    if (!written)
        return written;
    return refresh();
}

bool FairLesson::isAbsentRow(int row) const
{
    const Dataset &query = m_context.mainQuery;
    if (m_state.absent.isEmpty() || m_context.login.mode != kModeQuestioning || query.query().writeTable != m_table)
        return false;
    const std::optional<StudentKey> key
        = StudentKey::of(query.value(row, query.fieldIndex(Column::kNumber)), query.value(row, query.fieldIndex(Column::kName)));
    return key && m_state.absent.contains(*key);
}

QVector<FairRace::Student> FairLesson::students() const
{
    const Dataset &query = m_context.mainQuery;
    const int number = query.fieldIndex(Column::kNumber);
    const int name = query.fieldIndex(Column::kName);
    QVector<FairRace::Student> students;
    if (number < 0)
        return students;
    students.reserve(query.rowCount());
    for (int row = 0; row < query.rowCount(); ++row) {
        if (const std::optional<StudentKey> key = StudentKey::of(query.value(row, number), query.value(row, name)))
            students.append({row, *key});
    }
    return students;
}

std::optional<StudentKey> FairLesson::currentStudent() const
{
    const Dataset &query = m_context.mainQuery;
    if (!query.isOpen() || query.currentRow() < 0)
        return std::nullopt;
    return StudentKey::of(query.value(Column::kNumber), query.value(Column::kName));
}

Result FairLesson::setNoRepeat(bool on)
{
    return changed(record().setNoRepeat(on));
}

Result FairLesson::setAbsent(const StudentKey &student, bool absent)
{
    return changed(record().setAbsent(student, m_today(), absent));
}

Result FairLesson::recordAsked(const StudentKey &student)
{
    return changed(record().recordAsked(student));
}

Result FairLesson::beginRoundAfter(int round)
{
    return changed(record().beginRoundAfter(round));
}

Result FairLesson::restartRound()
{
    return changed(record().restartRound());
}
