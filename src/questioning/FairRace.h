#pragma once

#include "RandomGenerator.h"
#include "store/FairLessonRecord.h"
#include "store/StudentKey.h"

#include <QVector>

/// Who a race may stop on while 不重复 is on or somebody is absent, and how it draws among
/// them. Without either the race is the plain one and none of this applies.
namespace FairRace {

/// A row of the questioning table as a student.
struct Student final {
    int row = -1;
    StudentKey key;
};

struct Plan final {
    enum class Kind {
        Plain,         ///< 不重复 off and nobody of the class absent: the race as it always was
        Fair,          ///< the race lands on `eligible` only
        NobodyPresent, ///< every student of the range is absent: no race
    };
    Kind kind = Kind::Plain;
    QVector<Student> eligible;
    bool noRepeat = false;
    /// Every present student of the range had been asked: the race begins a new round.
    bool newRound = false;
    /// With NobodyPresent: the whole class is absent, not only the students of the range.
    bool everyoneAbsent = false;
};

/// The plan of a race over students numbered 1 to range. students are the rows of the
/// table; the state is the class's 不重复, round and today's absences.
Plan plan(const QVector<Student> &students, int range, const FairLessonRecord::State &state);

/// One of count choices (count >= 1), each with the same chance, from draws of the
/// generator: a draw that would favour the first choices is thrown away and drawn again.
int pick(RandomGenerator &generator, int count);

} // namespace FairRace
