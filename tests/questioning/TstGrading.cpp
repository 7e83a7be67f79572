#include "FakePrompter.h"
#include "QuestioningFixture.h"
#include "questioning/Grading.h"
#include "questioning/GradingSettings.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {
const QString kNoData = QStringLiteral("数据为空!请输入学生名单或重新登录。");

/// The dialog's score boxes and switches as grading reads them.
class FakeGradingSettings final : public GradingSettings {
public:
    QString scoreText(int grade) const override { return scores.at(grade); }
    bool scoringOn() const override { return scoring; }
    bool commentsOn() const override { return comments; }

    QStringList scores{QStringLiteral("10"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("0")};
    bool scoring = true;
    bool comments = true;
};

/// One student, the scores A 10, B 8, C 5, D 0, and the comments the login confirmed.
struct GradingBench {
    GradingBench()
    {
        fixture.fill({{1, QStringLiteral("张三")}, {2, QStringLiteral("李四")}});
        fixture.login.grades.comments
            = {QStringLiteral("很好"), QStringLiteral("好"), QStringLiteral("一般"), QStringLiteral("加油")};
    }
    /// 评价, 历史 (null or text), 次数, 总分, 平均 (numbers) of one row as stored.
    QVariantList row(int index)
    {
        QVariantList values;
        for (const QString &column : {QStringLiteral("评价"), QStringLiteral("历史")}) {
            const QVariant value = fixture.column(column).at(index);
            values << (value.isNull() ? QVariant() : QVariant(value.toString()));
        }
        for (const QString &column : {QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")})
            values << fixture.column(column).at(index).toInt();
        return values;
    }

    QuestioningFixture fixture;
    FakeGradingSettings settings;
    FakePrompter prompts;
    QStringList shown;
    Grading grading{fixture.query, fixture.login, settings, prompts, [this](const QString &comment) { shown << comment; }};
};
} // namespace

class TstGrading final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gradesAccumulate();
    void scoringOffOnlyShowsTheComment();
    void commentsOffGradeSilently();
    void fullHistoryKeepsTheLatestGrades();
    void badScoreWritesNothing_data();
    void badScoreWritesNothing();
    void scoresAtTheEdgesOfTheRange();
    void twoProgramsOnOneFolderLoseNothing();
    void busyDatabaseIsReported();
    void nothingToGrade_data();
    void nothingToGrade();
};

void TstGrading::gradesAccumulate()
{
    GradingBench bench;
    QVERIFY(bench.fixture.query.locate(QStringLiteral("编号"), 2));

    bench.grading.grade(1);
    QCOMPARE(bench.row(1), (QVariantList{QStringLiteral("B"), QStringLiteral("B"), 1, 8, 8}));
    bench.grading.grade(0);
    QCOMPARE(bench.row(1), (QVariantList{QStringLiteral("A"), QStringLiteral("BA"), 2, 18, 9}));
    bench.grading.grade(3);
    QCOMPARE(bench.row(1), (QVariantList{QStringLiteral("D"), QStringLiteral("BAD"), 3, 18, 6}));

    QCOMPARE(bench.shown, (QStringList{QStringLiteral("好"), QStringLiteral("很好"), QStringLiteral("加油")}));
    QVERIFY(bench.prompts.calls().isEmpty());
    QCOMPARE(bench.row(0), (QVariantList{QVariant(), QVariant(), 0, 0, 0}));
    QCOMPARE(bench.fixture.current(QStringLiteral("平均")).toInt(), 6);
}

void TstGrading::scoringOffOnlyShowsTheComment()
{
    GradingBench bench;
    bench.grading.grade(0);
    bench.settings.scoring = false;

    bench.grading.grade(2);

    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("A"), QStringLiteral("A"), 1, 10, 10}));
    QCOMPARE(bench.shown.last(), QStringLiteral("一般"));
    QVERIFY(bench.prompts.calls().isEmpty());
}

void TstGrading::commentsOffGradeSilently()
{
    GradingBench bench;
    bench.settings.comments = false;
    bench.settings.scores[2] = QStringLiteral("7");

    bench.grading.grade(2);
    bench.grading.grade(2);

    QVERIFY(bench.shown.isEmpty());
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("C"), QStringLiteral("CC"), 2, 14, 7}));
}

void TstGrading::fullHistoryKeepsTheLatestGrades()
{
    GradingBench bench;
    const QString full = QStringLiteral("A") + QString(59, u'B');
    bench.fixture.run(QStringLiteral("UPDATE [%1] SET [历史]='%2',[次数]=60,[总分]=481,[平均]=8 WHERE [编号]=1")
                          .arg(bench.fixture.table, full));
    (void)bench.fixture.query.close();
    QVERIFY(bench.fixture.query.open());

    bench.grading.grade(2);

    QVERIFY(bench.prompts.calls().isEmpty());
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("C"), QString(59, u'B') + QStringLiteral("C"), 61, 486, 7}));
}

void TstGrading::badScoreWritesNothing_data()
{
    QTest::addColumn<QString>("score");
    QTest::newRow("Chinese numeral") << QStringLiteral("十");
    QTest::newRow("empty") << QString();
    QTest::newRow("fraction") << QStringLiteral("8.5");
    QTest::newRow("beyond int") << QStringLiteral("99999999999");
    QTest::newRow("int max would overflow the total") << QStringLiteral("2147483647");
    QTest::newRow("just above the range") << QStringLiteral("1001");
    QTest::newRow("just below the range") << QStringLiteral("-1001");
}

void TstGrading::badScoreWritesNothing()
{
    QFETCH(QString, score);
    GradingBench bench;
    bench.grading.grade(0);
    bench.settings.scores[1] = score;
    bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.grading.grade(1);

    // The message names the grade and its score, and where to mend it; no half grade.
    QCOMPARE(bench.prompts.calls().size(), 1);
    const FakePrompter::Call &call = bench.prompts.lastCall();
    QCOMPARE(call.caption, QStringLiteral("错误"));
    QCOMPARE(call.icon, Prompter::Icon::Information);
    QVERIFY2(
        call.text.contains(QStringLiteral("档次“B”")) && call.text.contains(QStringLiteral("评语设定")), qPrintable(call.text));
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("A"), QStringLiteral("A"), 1, 10, 10}));
    QCOMPARE(bench.fixture.current(QStringLiteral("评价")).toString(), QStringLiteral("A"));
    QCOMPARE(bench.shown, QStringList{QStringLiteral("很好")});
    QCOMPARE(bench.fixture.query.state(), Dataset::State::Browse);
}

void TstGrading::scoresAtTheEdgesOfTheRange()
{
    GradingBench bench;
    bench.settings.scores = {QStringLiteral("1000"), QStringLiteral(" -1000 "), QStringLiteral("0"), QStringLiteral("-3")};

    bench.grading.grade(0);
    bench.grading.grade(0);
    bench.grading.grade(3);

    QVERIFY(bench.prompts.calls().isEmpty());
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("D"), QStringLiteral("AAD"), 3, 1997, 665}));
    bench.grading.grade(1);
    bench.grading.grade(1);
    bench.grading.grade(1);
    // The average is the quotient with the fraction dropped, towards zero.
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("B"), QStringLiteral("AADBBB"), 6, -1003, -167}));
}

void TstGrading::twoProgramsOnOneFolderLoseNothing()
{
    // A second program on the same Record.mdb, with its own connection and its own copy
    // of the rows in memory.
    GradingBench bench;
    Database otherDatabase(QStringLiteral("second-program"));
    QVERIFY(otherDatabase.open(bench.fixture.folder.path()));
    Dataset otherQuery(otherDatabase);
    otherQuery.setQuery(Sql::showAllOrderedByNumber(bench.fixture.table));
    QVERIFY(otherQuery.open());
    QStringList otherShown;
    Grading other{
        otherQuery, bench.fixture.login, bench.settings, bench.prompts, [&](const QString &comment) { otherShown << comment; }};

    QString expected;
    for (int round = 0; round < 10; ++round) {
        bench.grading.grade(round % 4);
        other.grade((round + 1) % 4);
        expected += Grading::letter(round % 4) + Grading::letter((round + 1) % 4);
    }

    QVERIFY(bench.prompts.calls().isEmpty());
    const QVariantList stored = bench.row(0);
    QCOMPARE(stored.at(1).toString(), expected);
    QCOMPARE(stored.at(2).toInt(), 20);
    const int scores[] = {10, 8, 5, 0};
    int total = 0;
    for (const QChar c : expected)
        total += scores[c.unicode() - u'A'];
    QCOMPARE(stored.at(3).toInt(), total);
    // Each screen shows the row as the file holds it after its own grade.
    QCOMPARE(otherQuery.value(QStringLiteral("历史")).toString(), expected);
    QCOMPARE(otherQuery.value(QStringLiteral("总分")).toInt(), total);
    QCOMPARE(bench.fixture.current(QStringLiteral("历史")).toString(), expected.chopped(1));
}

void TstGrading::busyDatabaseIsReported()
{
    GradingBench bench;
    // Another program holds the write lock past the 5 s the engine waits.
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock-holder"));
    holder.setDatabaseName(bench.fixture.paths.databaseFile());
    QVERIFY(holder.open());
    {
        QSqlQuery lock(holder);
        QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        bench.prompts.expectAnswer(Prompter::Answer::Ok);

        bench.grading.grade(0);

        QCOMPARE(bench.prompts.calls().size(), 1);
        QVERIFY2(bench.prompts.lastCall().text.contains(QStringLiteral("另一个程序")), qPrintable(bench.prompts.lastCall().text));
        QVERIFY(bench.shown.isEmpty());
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    }
    holder.close();
    holder = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("lock-holder"));
    QCOMPARE(bench.row(0), (QVariantList{QVariant(), QVariant(), 0, 0, 0}));

    bench.grading.grade(0);
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("A"), QStringLiteral("A"), 1, 10, 10}));
}

void TstGrading::nothingToGrade_data()
{
    QTest::addColumn<bool>("tableOpen");
    QTest::addColumn<bool>("scoring");
    QTest::newRow("empty table") << true << true;
    QTest::newRow("empty table, comments only") << true << false;
    QTest::newRow("no table open") << false << true;
}

void TstGrading::nothingToGrade()
{
    QFETCH(bool, tableOpen);
    QFETCH(bool, scoring);
    GradingBench bench;
    bench.fixture.fill({});
    if (!tableOpen)
        (void)bench.fixture.query.close();
    bench.settings.scoring = scoring;
    bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.grading.grade(0);

    QCOMPARE(bench.prompts.messages(), QStringList{kNoData});
    QVERIFY(bench.fixture.column(QStringLiteral("编号")).isEmpty());
    QVERIFY(bench.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TstGrading)
#include "TstGrading.moc"
