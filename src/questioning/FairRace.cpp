#include "FairRace.h"

#include <algorithm>

namespace FairRace {

Plan plan(const QVector<Student> &students, int range, const FairLessonRecord::State &state)
{
    Plan plan;
    plan.noRepeat = state.noRepeat;
    const auto absent = [&](const Student &student) { return state.absent.contains(student.key); };
    if (!state.noRepeat && std::none_of(students.cbegin(), students.cend(), absent))
        return plan;

    QVector<Student> inRange;
    for (const Student &student : students) {
        if (student.key.number >= 1 && student.key.number <= range)
            inRange << student;
    }
    // An empty range fails on the first tick, as the plain race does.
    if (inRange.isEmpty())
        return plan;

    QVector<Student> present;
    for (const Student &student : std::as_const(inRange)) {
        if (!absent(student))
            present << student;
    }
    if (present.isEmpty()) {
        plan.kind = Plan::Kind::NobodyPresent;
        plan.everyoneAbsent = std::all_of(students.cbegin(), students.cend(), absent);
        return plan;
    }

    plan.kind = Plan::Kind::Fair;
    if (!state.noRepeat) {
        plan.eligible = present;
        return plan;
    }
    for (const Student &student : std::as_const(present)) {
        if (!state.asked.contains(student.key))
            plan.eligible << student;
    }
    if (plan.eligible.isEmpty()) {
        plan.newRound = true;
        plan.eligible = present;
    }
    return plan;
}

int pick(RandomGenerator &generator, int count)
{
    if (count <= 1)
        return 0;
    constexpr qint64 kValues = 32768; // a draw is 0 to 32767
    if (count <= kValues) {
        const int limit = int(kValues - kValues % count);
        int value = generator.next();
        while (value >= limit)
            value = generator.next();
        return value % count;
    }
    // More choices than one draw has values: two draws make one of 2^30.
    constexpr qint64 kPairs = kValues * kValues;
    const qint64 limit = kPairs - kPairs % count;
    qint64 value = 0;
    do {
        value = qint64(generator.next()) * kValues + generator.next();
    } while (value >= limit);
    return int(value % count);
}

} // namespace FairRace
