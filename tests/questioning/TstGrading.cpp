#include "FakePrompter.h"
#include "QuestioningFixture.h"
#include "questioning/Grading.h"
#include "questioning/GradingSettings.h"

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
        fixture.login.grades.comments = {QStringLiteral("很好"), QStringLiteral("好"), QStringLiteral("一般"),
                                         QStringLiteral("加油")};
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
    Grading grading{fixture.query, fixture.login, settings, prompts,
                    [this](const QString &comment) { shown << comment; }};
};
} // namespace

class TstGrading final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gradesAccumulate();
    void scoringOffOnlyShowsTheComment();
    void commentsOffGradeSilently();
    void fullHistoryKeepsTheLatestGrades();
    void scoreThatIsNoNumberFailsAfterTheHistory();
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
    bench.fixture.query.close();
    QVERIFY(bench.fixture.query.open());

    bench.grading.grade(2);

    QVERIFY(bench.prompts.calls().isEmpty());
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("C"), QString(59, u'B') + QStringLiteral("C"), 61, 486, 7}));
}

void TstGrading::scoreThatIsNoNumberFailsAfterTheHistory()
{
    GradingBench bench;
    bench.settings.scores[1] = QStringLiteral("八");
    bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.grading.grade(1);

    QCOMPARE(bench.prompts.messages(), QStringList{kNoData});
    QCOMPARE(bench.prompts.lastCall().caption, QStringLiteral("错误"));
    QCOMPARE(bench.prompts.lastCall().icon, Prompter::Icon::Information);
    // The history saved before the failure stays; the count does not move.
    QCOMPARE(bench.row(0), (QVariantList{QStringLiteral("B"), QStringLiteral("B"), 0, 0, 0}));
    QCOMPARE(bench.fixture.query.state(), Dataset::State::Browse);
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
        bench.fixture.query.close();
    bench.settings.scoring = scoring;
    bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.grading.grade(0);

    QCOMPARE(bench.prompts.messages(), QStringList{kNoData});
    QVERIFY(bench.fixture.column(QStringLiteral("编号")).isEmpty());
    QVERIFY(bench.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TstGrading)
#include "TstGrading.moc"
