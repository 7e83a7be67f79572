#include "FakeQuestioningControls.h"
#include "questioning/EvaluationClearing.h"
#include "questioning/FairLesson.h"
#include "questioning/RandomSelection.h"
#include "store/FairLessonRecord.h"

#include <QSet>
#include <QTest>

namespace {

const QDate kToday(2024, 9, 2);
const QString kNewRound = QStringLiteral("本轮已全部提问，开始新一轮");

StudentKey keyOf(int number)
{
    return StudentKey{number, QStringLiteral("学生%1").arg(number)};
}

/// The race of a class with its fair lesson, on the fixture's Record.mdb, on the day kToday.
struct FairBench {
    explicit FairBench(int students, quint32 seed = 12345)
        : host(fixture)
    {
        fixture.fillNumbered(students);
        m_seed = seed;
    }
    int current() const { return fixture.current(QStringLiteral("编号")).toInt(); }
    /// One race: start, ticks, stop; the student it stopped on.
    int race(int ticks)
    {
        selection.command();
        for (int i = 0; i < ticks; ++i)
            selection.tick();
        selection.command();
        return current();
    }
    FairLessonRecord record() { return FairLessonRecord(fixture.database, fixture.login.className, fixture.login.subject); }
    FairLessonRecord::State stored()
    {
        const auto read = record().read(kToday);
        return read ? *read : FairLessonRecord::State{};
    }

    QuestioningFixture fixture;
    FakeQuestioningControls host;
    quint32 m_seed = 0;
    FairLesson fair{fixture.context, [] { return kToday; }};
    RandomSelection selection{fixture.context, host.view, host, [this] { return m_seed++; }, &fair};
};

/// The number box after each of `ticks` ticks and after the stop, for a race seeded 12345.
QStringList plainRace(FairBench &bench, int ticks)
{
    QStringList shown;
    bench.selection.command();
    for (int i = 0; i < ticks; ++i) {
        bench.selection.tick();
        shown << bench.host.numberBox;
    }
    bench.selection.command();
    shown << bench.host.numberBox;
    return shown;
}

} // namespace

/// The race with 不重复 and absences: who it can stop on, the round in Record.mdb, and the
/// plain race left exactly as it was while neither is used.
class TstFairSelection final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unusedLeavesThePlainRace_data();
    void unusedLeavesThePlainRace();
    void absentStudentsAreNeverChosen();
    void noRepeatAsksEveryPresentStudentOnceARound();
    void stoppedAtOnceStillLandsOnAnEligibleStudent();
    void onlyTheCommandsStopCountsAsAsked();
    void nobodyPresentRefusesTheRace_data();
    void nobodyPresentRefusesTheRace();
    void aSecondProgramsMarksCountFromTheNextRace();
    void clearingEvaluationsLeavesTheRound();
};

void TstFairSelection::unusedLeavesThePlainRace_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("otherClassUsesIt");
    QList<int> whole;
    QList<int> gaps;
    for (int number = 1; number <= 30; ++number) {
        whole << number;
        if (number != 7)
            gaps << number;
    }
    QTest::newRow("the whole class") << whole << QStringLiteral("0") << false;
    QTest::newRow("numbers with a gap") << gaps << QStringLiteral("0") << false;
    QTest::newRow("the first ten") << whole << QStringLiteral("10") << false;
    QTest::newRow("another class marks and asks") << whole << QStringLiteral("0") << true;
}

void TstFairSelection::unusedLeavesThePlainRace()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QString, count);
    QFETCH(bool, otherClassUsesIt);
    QList<QuestioningFixture::Student> students;
    for (const int number : numbers)
        students.append({number, QStringLiteral("学生%1").arg(number)});

    FairBench fair(1);
    fair.fixture.fill(students);
    if (otherClassUsesIt) {
        FairLessonRecord other(fair.fixture.database, QStringLiteral("二班"), fair.fixture.login.subject);
        QVERIFY(other.setNoRepeat(true));
        QVERIFY(other.setAbsent(keyOf(3), kToday, true));
        QVERIFY(other.recordAsked(keyOf(4)));
    }
    const QStringList tablesBefore = fair.fixture.tables();
    fair.host.count = count;

    // The same race without any fair lesson, on the same rows.
    FakeQuestioningControls plainHost(fair.fixture);
    plainHost.count = count;
    quint32 plainSeed = 12345;
    RandomSelection plain(fair.fixture.context, plainHost.view, plainHost, [&] { return plainSeed++; });

    for (int race = 0; race < 3; ++race) {
        QVERIFY(fair.fixture.query.first());
        QStringList expected;
        plain.command();
        for (int i = 0; i < 200; ++i) {
            plain.tick();
            expected << plainHost.numberBox;
        }
        plain.command();
        expected << plainHost.numberBox;
        const int expectedStop = fair.current();

        QVERIFY(fair.fixture.query.first());
        QCOMPARE(plainRace(fair, 200), expected);
        QCOMPARE(fair.current(), expectedStop);
    }
    QCOMPARE(fair.selection.plan().kind, FairRace::Plan::Kind::Plain);
    QCOMPARE(fair.fixture.tables(), tablesBefore);
    QCOMPARE(fair.host.view.status[1], QString());
    QVERIFY(fair.host.prompts.calls().isEmpty());
}

void TstFairSelection::absentStudentsAreNeverChosen()
{
    FairBench bench(30);
    for (const int number : {4, 17, 30})
        QVERIFY(bench.fair.setAbsent(keyOf(number), true));

    QSet<int> chosen;
    bench.selection.command();
    for (int i = 0; i < 3000; ++i) {
        bench.selection.tick();
        QCOMPARE(bench.host.numberBox, QString::number(bench.current()));
        chosen << bench.current();
    }
    bench.selection.command();

    QCOMPARE(chosen.size(), 27);
    for (const int number : {4, 17, 30})
        QVERIFY(!chosen.contains(number));
    QCOMPARE(bench.fair.state().asked.size(), 0); // 不重复 off: nobody counts as asked
    QVERIFY(bench.host.prompts.calls().isEmpty());
}

void TstFairSelection::noRepeatAsksEveryPresentStudentOnceARound()
{
    FairBench bench(36);
    QVERIFY(bench.fair.setNoRepeat(true));
    QVERIFY(bench.fair.setAbsent(keyOf(5), true));
    QVERIFY(bench.fair.setAbsent(keyOf(20), true));

    QSet<int> asked;
    for (int race = 0; race < 34; ++race) {
        const int chosen = bench.race(race % 7 * 9);
        QVERIFY2(!asked.contains(chosen), qPrintable(QStringLiteral("%1 asked twice").arg(chosen)));
        QVERIFY(chosen != 5 && chosen != 20);
        asked << chosen;
        QCOMPARE(bench.host.numberBox, QString::number(chosen));
    }
    QCOMPARE(asked.size(), 34);
    QCOMPARE(bench.stored().asked.size(), 34);
    QCOMPARE(bench.host.view.status[1], QString());
    const int firstRound = bench.stored().round;

    // Everyone present was asked: the next race begins a new round and says so.
    const int first = bench.race(11);
    QCOMPARE(bench.host.view.status[1], kNewRound);
    QCOMPARE(bench.stored().round, firstRound + 1);
    QCOMPARE(bench.stored().asked, QSet<StudentKey>{keyOf(first)});
    // The race after that goes on in the round and the notice goes.
    QVERIFY(bench.race(3) != first);
    QCOMPARE(bench.host.view.status[1], QString());
    QVERIFY(bench.host.prompts.calls().isEmpty());
}

void TstFairSelection::stoppedAtOnceStillLandsOnAnEligibleStudent()
{
    FairBench bench(3);
    QVERIFY(bench.fair.setNoRepeat(true));
    QVERIFY(bench.fair.recordAsked(keyOf(1)));
    QVERIFY(bench.fair.recordAsked(keyOf(2)));
    QVERIFY(bench.fixture.query.first());

    QCOMPARE(bench.race(0), 3);
    QCOMPARE(bench.host.numberBox, QStringLiteral("3"));
}

void TstFairSelection::onlyTheCommandsStopCountsAsAsked()
{
    // Re-login and view switching stop a race without anybody answering.
    FairBench bench(10);
    QVERIFY(bench.fair.setNoRepeat(true));
    bench.selection.command();
    for (int i = 0; i < 20; ++i)
        bench.selection.tick();
    bench.selection.stop();

    QVERIFY(!bench.selection.isRunning());
    QVERIFY(bench.stored().asked.isEmpty());
}

void TstFairSelection::nobodyPresentRefusesTheRace_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("the whole class") << QStringLiteral("0") << QStringLiteral("全班学生今天都缺席，无法随机提问。");
    QTest::newRow("the range") << QStringLiteral("2")
                               << QStringLiteral("“范围”内的学生今天都缺席，无法随机提问。请把“范围”改大，或改为0（全班）。");
}

void TstFairSelection::nobodyPresentRefusesTheRace()
{
    QFETCH(QString, count);
    QFETCH(QString, message);
    FairBench bench(3);
    QVERIFY(bench.fair.setAbsent(keyOf(1), true));
    QVERIFY(bench.fair.setAbsent(keyOf(2), true));
    if (count == QLatin1String("0"))
        QVERIFY(bench.fair.setAbsent(keyOf(3), true));
    bench.host.count = count;
    bench.host.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.selection.command();

    QCOMPARE(bench.host.prompts.calls().size(), 1);
    const FakePrompter::Call &call = bench.host.prompts.lastCall();
    QCOMPARE(call.caption, QStringLiteral("提示"));
    QCOMPARE(call.text, message);
    QCOMPARE(call.icon, Prompter::Icon::Information);
    QVERIFY(!bench.selection.isRunning());
    QCOMPARE(bench.host.timerStarts, 0);
    QVERIFY(bench.host.countEnabled && bench.host.gradeBoxEnabled);
}

void TstFairSelection::aSecondProgramsMarksCountFromTheNextRace()
{
    FairBench bench(4);
    Database second(QStringLiteral("second-program"));
    QVERIFY(second.open(bench.fixture.folder.path()));
    FairLessonRecord other(second, bench.fixture.login.className, bench.fixture.login.subject);
    QVERIFY(other.setNoRepeat(true));
    QVERIFY(other.setAbsent(keyOf(1), kToday, true));
    QVERIFY(other.recordAsked(keyOf(2)));
    QVERIFY(other.recordAsked(keyOf(3)));

    QCOMPARE(bench.race(25), 4);
    QCOMPARE(bench.fair.state().absent, QSet<StudentKey>{keyOf(1)});
    QCOMPARE(bench.stored().asked, (QSet<StudentKey>{keyOf(2), keyOf(3), keyOf(4)}));
}

void TstFairSelection::clearingEvaluationsLeavesTheRound()
{
    FairBench bench(5);
    QVERIFY(bench.fair.setNoRepeat(true));
    bench.race(10);
    bench.race(10);
    const FairLessonRecord::State before = bench.stored();
    QCOMPARE(before.asked.size(), 2);
    bench.host.prompts.expectAnswer(Prompter::Answer::Yes);
    bench.host.prompts.expectText(QStringLiteral("kesmora"));

    EvaluationClearing(bench.fixture.context, bench.host.view).run();

    QCOMPARE(bench.fixture.column(QStringLiteral("次数")), QVariantList(5, 0));
    QCOMPARE(bench.stored(), before);
}

QTEST_MAIN(TstFairSelection)
#include "TstFairSelection.moc"
