#include "FakeQuestioningControls.h"
#include "questioning/RandomSelection.h"
#include "questioning/StudentFinder.h"

#include <QSet>
#include <QTest>

namespace {
const QString kNoData = QStringLiteral("数据为空!请输入学生名单或重新登录。");

int currentNumber(const QuestioningFixture &fixture)
{
    return fixture.current(QStringLiteral("编号")).toInt();
}
} // namespace

class TstRandomSelection final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void beforeLoginNothingHappens();
    void gradeBookTogglesDirectModification();
    void startFixesTheRange_data();
    void startFixesTheRange();
    void ticksDrawFromTheSeededGenerator();
    void missingNumberLeavesTheRowInPlace();
    void emptyTableFailsOnTheFirstTick();
    void startRefused_data();
    void startRefused();
    void everyStartSeedsAfresh();

    void findByNumber_data();
    void findByNumber();
    void findByName_data();
    void findByName();
    void findWithoutTable();
};

void TstRandomSelection::beforeLoginNothingHappens()
{
    QuestioningFixture fixture;
    fixture.fillNumbered(5);
    fixture.login = LoginState{fixture.folder.path(), {}, {}, {}, {}};
    FakeQuestioningControls host(fixture);
    RandomSelection selection(fixture.context, host.view, host);

    selection.command();

    QVERIFY(host.prompts.calls().isEmpty());
    QVERIFY(!selection.isRunning());
    QCOMPARE(host.timerStarts, 0);
    QCOMPARE(host.view.browsePresentations, 0);
    QCOMPARE(host.view.directModificationToggles, 0);
}

void TstRandomSelection::gradeBookTogglesDirectModification()
{
    QuestioningFixture fixture;
    fixture.fillNumbered(5);
    fixture.login.mode = kModeGradeBook;
    FakeQuestioningControls host(fixture);
    RandomSelection selection(fixture.context, host.view, host);

    selection.command();
    selection.command();

    QCOMPARE(host.view.directModificationToggles, 2);
    QVERIFY(!selection.isRunning());
    QCOMPARE(host.timerStarts, 0);
    QVERIFY(host.prompts.calls().isEmpty());
}

void TstRandomSelection::startFixesTheRange_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("range");
    QTest::addColumn<QString>("countAfterStart");
    QTest::newRow("0 means the whole class") << QStringLiteral("0") << 30 << QStringLiteral("0");
    QTest::newRow("more than the class") << QStringLiteral("45") << 30 << QStringLiteral("30");
    QTest::newRow("the first ten") << QStringLiteral("10") << 10 << QStringLiteral("10");
}

void TstRandomSelection::startFixesTheRange()
{
    QFETCH(QString, count);
    QFETCH(int, range);
    QFETCH(QString, countAfterStart);
    QuestioningFixture fixture;
    fixture.fillNumbered(30);
    FakeQuestioningControls host(fixture);
    host.count = count;
    RandomSelection selection(fixture.context, host.view, host, [] { return 4242u; });

    selection.command();

    QCOMPARE(selection.range(), range);
    QCOMPARE(host.count, countAfterStart);
    QVERIFY(selection.isRunning() && host.timerOn && host.animating);
    QVERIFY(!host.countEnabled && !host.gradeBoxEnabled);
    QCOMPARE(host.view.browsePresentations, 1);

    QSet<int> chosen;
    for (int i = 0; i < 3000; ++i) {
        selection.tick();
        const int drawn = host.numberBox.toInt();
        QVERIFY2(drawn >= 1 && drawn <= range, qPrintable(host.numberBox));
        QCOMPARE(currentNumber(fixture), drawn);
        chosen << drawn;
    }
    QCOMPARE(chosen.size(), range);
    QVERIFY(host.prompts.calls().isEmpty());
}

void TstRandomSelection::ticksDrawFromTheSeededGenerator()
{
    QuestioningFixture fixture;
    fixture.fillNumbered(30);
    FakeQuestioningControls host(fixture);
    RandomSelection selection(fixture.context, host.view, host, [] { return 12345u; });
    selection.command();

    // Draws 24996, 10921, 23577, 19316, 10386 after seeding with 12345, mod 30 plus 1.
    QStringList shown;
    for (int i = 0; i < 5; ++i) {
        selection.tick();
        shown << host.numberBox;
    }
    QCOMPARE(shown,
        (QStringList{QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("28"), QStringLiteral("27"), QStringLiteral("7")}));
    QCOMPARE(currentNumber(fixture), 7);
}

void TstRandomSelection::missingNumberLeavesTheRowInPlace()
{
    QuestioningFixture fixture;
    QList<QuestioningFixture::Student> students;
    for (int number = 1; number <= 30; ++number)
        if (number != 7)
            students.append({number, QStringLiteral("学生%1").arg(number)});
    fixture.fill(students);
    FakeQuestioningControls host(fixture);
    RandomSelection selection(fixture.context, host.view, host, [] { return 12345u; });
    selection.command();
    QCOMPARE(selection.range(), 29);

    selection.tick(); // 24996 mod 29 + 1 = 28
    QCOMPARE(host.numberBox, QStringLiteral("28"));
    QCOMPARE(currentNumber(fixture), 28);
    selection.tick(); // 10921 mod 29 + 1 = 18
    selection.tick(); // 23577 mod 29 + 1 = 1
    QCOMPARE(currentNumber(fixture), 1);

    // Find a draw of 7: the row stays where it was and the box shows 7 until the stop.
    int before = currentNumber(fixture);
    for (int i = 0; i < 2000 && host.numberBox != QStringLiteral("7"); ++i) {
        before = currentNumber(fixture);
        selection.tick();
    }
    QCOMPARE(host.numberBox, QStringLiteral("7"));
    QCOMPARE(currentNumber(fixture), before);

    selection.command();
    QCOMPARE(host.numberBox, QString::number(before));
    QVERIFY(!selection.isRunning() && !host.timerOn && !host.animating);
    QVERIFY(host.countEnabled && host.gradeBoxEnabled);
}

void TstRandomSelection::emptyTableFailsOnTheFirstTick()
{
    QuestioningFixture fixture;
    fixture.fill({});
    FakeQuestioningControls host(fixture);
    RandomSelection selection(fixture.context, host.view, host);

    selection.command();
    QVERIFY(selection.isRunning() && host.timerOn);
    QCOMPARE(selection.range(), 0);
    QVERIFY(host.prompts.calls().isEmpty());

    host.prompts.expectAnswer(Prompter::Answer::Ok);
    selection.tick();
    QCOMPARE(host.prompts.calls().size(), 1);
    const FakePrompter::Call &call = host.prompts.lastCall();
    QCOMPARE(call.caption, QStringLiteral("错误"));
    QCOMPARE(call.text, kNoData);
    QCOMPARE(call.buttons, Prompter::Buttons::Ok);
    QCOMPARE(call.icon, Prompter::Icon::Information);
    QVERIFY(!host.timerOn && !host.animating);
    QVERIFY(selection.isRunning());
    QVERIFY(!host.countEnabled && !host.gradeBoxEnabled);

    selection.command(); // the stop steps
    QVERIFY(!selection.isRunning() && host.countEnabled && host.gradeBoxEnabled);
    selection.command(); // and a fresh start
    QVERIFY(selection.isRunning() && host.timerOn);
}

void TstRandomSelection::startRefused_data()
{
    QTest::addColumn<bool>("tableOpen");
    QTest::addColumn<QString>("count");
    QTest::newRow("no table open") << false << QStringLiteral("0");
    QTest::newRow("empty count box") << true << QString();
    QTest::newRow("count box not a number") << true << QStringLiteral("1O");
}

void TstRandomSelection::startRefused()
{
    QFETCH(bool, tableOpen);
    QFETCH(QString, count);
    QuestioningFixture fixture;
    fixture.fillNumbered(5);
    if (!tableOpen)
        (void)fixture.query.close();
    FakeQuestioningControls host(fixture);
    host.count = count;
    RandomSelection selection(fixture.context, host.view, host);

    host.prompts.expectAnswer(Prompter::Answer::Ok);
    selection.command();

    QCOMPARE(host.prompts.calls().size(), 1);
    const FakePrompter::Call &call = host.prompts.lastCall();
    QCOMPARE(call.caption, QStringLiteral("提示"));
    QCOMPARE(call.text, QStringLiteral("请登录系统！"));
    QCOMPARE(call.buttons, Prompter::Buttons::Ok);
    QCOMPARE(call.icon, Prompter::Icon::Information);
    QCOMPARE(host.view.browsePresentations, 1); // what came before the failure stays
    QVERIFY(!selection.isRunning());
    QCOMPARE(host.timerStarts, 0);
    QVERIFY(host.countEnabled && host.gradeBoxEnabled);
}

void TstRandomSelection::everyStartSeedsAfresh()
{
    QuestioningFixture fixture;
    fixture.fillNumbered(30);
    FakeQuestioningControls host(fixture);
    int seeds = 0;
    RandomSelection selection(fixture.context, host.view, host, [&seeds] {
        ++seeds;
        return 12345u;
    });

    selection.command();
    selection.tick();
    const QString first = host.numberBox;
    selection.command();
    selection.command();
    selection.tick();

    QCOMPARE(seeds, 2);
    QCOMPARE(host.numberBox, first);
}

void TstRandomSelection::findByNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("fails");
    QTest::newRow("a student") << QStringLiteral("5") << 5 << false;
    QTest::newRow("first of two with one number") << QStringLiteral("8") << 8 << false;
    QTest::newRow("nobody has it") << QStringLiteral("99") << 3 << false;
    QTest::newRow("not a number") << QStringLiteral("abc") << 3 << true;
    QTest::newRow("empty") << QString() << 3 << true;
}

void TstRandomSelection::findByNumber()
{
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QFETCH(bool, fails);
    QuestioningFixture fixture;
    fixture.fill({{1, QStringLiteral("张三")}, {3, QStringLiteral("李四")}, {5, QStringLiteral("王五")},
        {8, QStringLiteral("赵六")}, {8, QStringLiteral("钱七")}});
    QVERIFY(fixture.query.locate(QStringLiteral("编号"), 3));
    FakeQuestioningControls host(fixture);
    host.gradeBoxEnabled = false;
    host.numberBox = typed;
    if (fails)
        host.prompts.expectAnswer(Prompter::Answer::Ok);

    StudentFinder(fixture.context, host).findByNumber();

    QCOMPARE(currentNumber(fixture), expected);
    if (expected == 8)
        QCOMPARE(fixture.current(QStringLiteral("姓名")).toString(), QStringLiteral("赵六"));
    QCOMPARE(host.gradeBoxEnabled, !fails);
    QCOMPARE(host.prompts.messages(), fails ? QStringList{kNoData} : QStringList{});
}

void TstRandomSelection::findByName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("prefix picks the first in number order") << QStringLiteral("张") << 2;
    QTest::newRow("whole name") << QStringLiteral("张小明") << 4;
    QTest::newRow("nobody") << QStringLiteral("周") << 1;
    QTest::newRow("empty matches only an empty name") << QString() << 1;
}

void TstRandomSelection::findByName()
{
    QFETCH(QString, typed);
    QFETCH(int, expected);
    QuestioningFixture fixture;
    fixture.fill({{1, QStringLiteral("李四")}, {2, QStringLiteral("张三")}, {4, QStringLiteral("张小明")}});
    FakeQuestioningControls host(fixture);
    host.gradeBoxEnabled = false;
    host.nameBox = typed;

    StudentFinder(fixture.context, host).findByName();

    QCOMPARE(currentNumber(fixture), expected);
    QVERIFY(host.gradeBoxEnabled);
    QVERIFY(host.prompts.calls().isEmpty());
}

void TstRandomSelection::findWithoutTable()
{
    QuestioningFixture fixture;
    fixture.fillNumbered(3);
    (void)fixture.query.close();
    FakeQuestioningControls host(fixture);
    host.gradeBoxEnabled = false;
    host.numberBox = QStringLiteral("1");
    host.nameBox = QStringLiteral("学生");
    host.prompts.expectAnswer(Prompter::Answer::Ok);
    host.prompts.expectAnswer(Prompter::Answer::Ok);

    StudentFinder finder(fixture.context, host);
    finder.findByNumber();
    finder.findByName();

    QCOMPARE(host.prompts.messages(), (QStringList{kNoData, kNoData}));
    QCOMPARE(host.prompts.lastCall().caption, QStringLiteral("错误"));
    QVERIFY(!host.gradeBoxEnabled);
}

QTEST_GUILESS_MAIN(TstRandomSelection)
#include "TstRandomSelection.moc"
