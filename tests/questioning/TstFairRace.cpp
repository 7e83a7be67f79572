#include "questioning/FairRace.h"

#include <QTest>

#include <cmath>

namespace {

using Kind = FairRace::Plan::Kind;

/// Students 1 to count, each named after the number.
QVector<FairRace::Student> classOf(int count)
{
    QVector<FairRace::Student> students;
    for (int number = 1; number <= count; ++number)
        students.append({number - 1, StudentKey{number, QStringLiteral("学生%1").arg(number)}});
    return students;
}

QSet<StudentKey> keysOf(const QList<int> &numbers)
{
    QSet<StudentKey> keys;
    for (const int number : numbers)
        keys.insert(StudentKey{number, QStringLiteral("学生%1").arg(number)});
    return keys;
}

QList<int> numbersOf(const QVector<FairRace::Student> &students)
{
    QList<int> numbers;
    for (const FairRace::Student &student : students)
        numbers << int(student.key.number);
    return numbers;
}

} // namespace

/// Who a race may stop on, and how it draws among them.
class TstFairRace final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void plans_data();
    void plans();
    void pickThrowsAwayDrawsThatFavourTheFirst();
    void pickGivesEveryoneTheSameChance_data();
    void pickGivesEveryoneTheSameChance();
};

void TstFairRace::plans_data()
{
    QTest::addColumn<bool>("noRepeat");
    QTest::addColumn<QList<int>>("absent");
    QTest::addColumn<QList<int>>("asked");
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("eligible");
    QTest::addColumn<bool>("newRound");
    QTest::addColumn<bool>("everyoneAbsent");

    const QList<int> none;
    QTest::newRow("unused: the plain race") << false << none << none << 5 << int(Kind::Plain) << none << false << false;
    QTest::newRow("asked but 不重复 off: the plain race")
        << false << none << QList<int>{1, 2} << 5 << int(Kind::Plain) << none << false << false;
    QTest::newRow("absent: the others") << false << QList<int>{2, 4} << none << 5 << int(Kind::Fair) << QList<int>{1, 3, 5}
                                        << false << false;
    QTest::newRow("absent beyond the range: the range only")
        << false << QList<int>{5} << none << 3 << int(Kind::Fair) << QList<int>{1, 2, 3} << false << false;
    QTest::newRow("不重复: those not asked")
        << true << none << QList<int>{1, 3} << 5 << int(Kind::Fair) << QList<int>{2, 4, 5} << false << false;
    QTest::newRow("不重复 and absent") << true << QList<int>{2} << QList<int>{1} << 5 << int(Kind::Fair) << QList<int>{3, 4, 5}
                                       << false << false;
    QTest::newRow("everyone present asked: a new round, absent left out")
        << true << QList<int>{2} << QList<int>{1, 3, 4, 5} << 5 << int(Kind::Fair) << QList<int>{1, 3, 4, 5} << true << false;
    QTest::newRow("an absent student asked earlier does not end the round")
        << true << QList<int>{1} << QList<int>{1, 2} << 3 << int(Kind::Fair) << QList<int>{3} << false << false;
    QTest::newRow("everyone absent") << true << QList<int>{1, 2, 3, 4, 5} << none << 5 << int(Kind::NobodyPresent) << none
                                     << false << true;
    QTest::newRow("the range absent") << false << QList<int>{1, 2} << none << 2 << int(Kind::NobodyPresent) << none << false
                                      << false;
    QTest::newRow("empty range: the plain race fails on its tick")
        << true << none << none << 0 << int(Kind::Plain) << none << false << false;
}

void TstFairRace::plans()
{
    QFETCH(bool, noRepeat);
    QFETCH(QList<int>, absent);
    QFETCH(QList<int>, asked);
    QFETCH(int, range);
    QFETCH(int, kind);
    QFETCH(QList<int>, eligible);
    QFETCH(bool, newRound);
    QFETCH(bool, everyoneAbsent);
    FairLessonRecord::State state;
    state.noRepeat = noRepeat;
    state.round = 1;
    state.absent = keysOf(absent);
    state.asked = keysOf(asked);

    const FairRace::Plan plan = FairRace::plan(classOf(5), range, state);

    QCOMPARE(int(plan.kind), kind);
    QCOMPARE(numbersOf(plan.eligible), eligible);
    QCOMPARE(plan.newRound, newRound);
    QCOMPARE(plan.everyoneAbsent, everyoneAbsent);
    QCOMPARE(plan.noRepeat, noRepeat);
}

void TstFairRace::pickThrowsAwayDrawsThatFavourTheFirst()
{
    // 32768 values over 36 students: 910 each and 8 left over (32760…32767), which would
    // give students 0 to 7 one chance more. A draw among them is drawn again.
    quint32 seed = 0;
    RandomGenerator probe;
    for (;; ++seed) {
        probe.setSeed(seed);
        if (probe.next() >= 32760)
            break;
    }
    RandomGenerator generator(seed);
    RandomGenerator expected(seed);
    expected.next();
    const int second = expected.next();

    QCOMPARE(FairRace::pick(generator, 36), second % 36);
    QCOMPARE(generator.state(), expected.state());
}

void TstFairRace::pickGivesEveryoneTheSameChance_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("one") << 1;
    QTest::newRow("a class of 36") << 36;
    QTest::newRow("a class of 34") << 34;
    QTest::newRow("more than one draw holds") << 40000;
}

void TstFairRace::pickGivesEveryoneTheSameChance()
{
    QFETCH(int, count);
    RandomGenerator generator(20240902);
    const int picks = count <= 100 ? count * 5000 : count * 40;
    QVector<int> seen(count, 0);
    for (int i = 0; i < picks; ++i) {
        const int chosen = FairRace::pick(generator, count);
        QVERIFY(chosen >= 0 && chosen < count);
        ++seen[chosen];
    }
    // Within about five standard deviations of the mean for every student.
    const double mean = double(picks) / count;
    const double allowed = 5.0 * std::sqrt(mean) + 1.0;
    for (int i = 0; i < count; ++i)
        QVERIFY2(std::abs(seen.at(i) - mean) <= allowed, qPrintable(QStringLiteral("%1 chosen %2 times").arg(i).arg(seen.at(i))));
}

QTEST_GUILESS_MAIN(TstFairRace)
#include "TstFairRace.moc"
