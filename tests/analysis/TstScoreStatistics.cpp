// The statistics of the grade analysis against figures worked out by hand.
#include "analysis/ClassAnalysis.h"
#include "analysis/RankChanges.h"
#include "analysis/StatisticsText.h"

#include <QTest>
#include <cmath>

namespace {

using Optional = std::optional<double>;
constexpr auto kNone = std::nullopt;

ScoreList scores(std::initializer_list<Optional> values)
{
    return ScoreList(values);
}

ScoreLines lines(int fullMarks = 100, int pass = 60, int excellent = 85)
{
    return ScoreLines{fullMarks, pass, excellent};
}

void compareFigure(const Optional &actual, const Optional &expected, const char *what)
{
    QVERIFY2(actual.has_value() == expected.has_value(), what);
    if (expected)
        QVERIFY2(std::abs(*actual - *expected) < 1e-9,
            qPrintable(QStringLiteral("%1: %2, expected %3").arg(QLatin1String(what)).arg(*actual).arg(*expected)));
}

} // namespace

Q_DECLARE_METATYPE(ScoreList)
Q_DECLARE_METATYPE(ScoreLines)
Q_DECLARE_METATYPE(Optional)

class TstScoreStatistics final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void summary_data();
    void summary();
    void bands_data();
    void bands();
    void ranksAreShared();
    void rankChangesAndLeaders();
    void classAndGroups();
    void sameScoresWhateverTheOrder();
    void totalIsMeasuredAgainstEveryColumn();
    void figuresAsShown();
};

void TstScoreStatistics::summary_data()
{
    QTest::addColumn<ScoreList>("values");
    QTest::addColumn<ScoreLines>("marks");
    QTest::addColumn<int>("missing");
    QTest::addColumn<Optional>("mean");
    QTest::addColumn<Optional>("highest");
    QTest::addColumn<Optional>("lowest");
    QTest::addColumn<Optional>("median");
    QTest::addColumn<Optional>("deviation");
    QTest::addColumn<Optional>("passRate");
    QTest::addColumn<Optional>("excellentRate");

    // 359 / 5; deviations 18.2, 18.2, -11.8, -11.8, -12.8: squares 1104.8 over 5.
    QTest::newRow("ties") << scores({90, 90, 60, 60, 59}) << lines() << 0 << Optional(71.8) << Optional(90) << Optional(59)
                          << Optional(60) << Optional(std::sqrt(220.96)) << Optional(0.8) << Optional(0.4);
    QTest::newRow("all empty") << scores({kNone, kNone, kNone}) << lines() << 3 << Optional() << Optional() << Optional()
                               << Optional() << Optional() << Optional() << Optional();
    QTest::newRow("one student") << scores({77}) << lines() << 0 << Optional(77) << Optional(77) << Optional(77) << Optional(77)
                                 << Optional(0) << Optional(1) << Optional(0);
    // Empty values are missing, not 0: over 80 and 60 only; an even count's median is the mean of the middle two.
    QTest::newRow("empty is missing") << scores({80, kNone, 60, kNone}) << lines() << 2 << Optional(70) << Optional(80)
                                      << Optional(60) << Optional(70) << Optional(10) << Optional(1) << Optional(0);
    QTest::newRow("even count") << scores({100, 70, 90, 80}) << lines() << 0 << Optional(85) << Optional(100) << Optional(70)
                                << Optional(85) << Optional(std::sqrt(125.0)) << Optional(1) << Optional(0.5);
    // (25 + 100 + 9025) / 3 − (100 / 3)² = 17450 / 9.
    QTest::newRow("negative scores") << scores({-5, 10, 95}) << lines() << 0 << Optional(100.0 / 3) << Optional(95)
                                     << Optional(-5) << Optional(10) << Optional(std::sqrt(17450.0 / 9)) << Optional(1.0 / 3)
                                     << Optional(1.0 / 3);
    // 及格 at 90, 优秀 at 127.5: 90 passes, 89 does not; 128 is excellent, 127 is not.
    // 71034 / 5 − 116.8² = 564.56.
    QTest::newRow("满分 150") << scores({90, 89, 128, 127, 150}) << lines(150) << 0 << Optional(116.8) << Optional(150)
                              << Optional(89) << Optional(127) << Optional(std::sqrt(564.56)) << Optional(0.8) << Optional(0.4);
    QTest::newRow("lines of 70 % and 90 %") << scores({69, 70, 89, 90}) << lines(100, 70, 90) << 0 << Optional(79.5)
                                            << Optional(90) << Optional(69) << Optional(79.5) << Optional(std::sqrt(100.25))
                                            << Optional(0.75) << Optional(0.25);
}

void TstScoreStatistics::summary()
{
    QFETCH(ScoreList, values);
    QFETCH(ScoreLines, marks);
    QFETCH(int, missing);
    const ScoreSummary s = ScoreSummary::of(values, marks);
    QCOMPARE(s.students, int(values.size()));
    QCOMPARE(s.missing, missing);
    QCOMPARE(s.present(), int(values.size()) - missing);
    const std::pair<const char *, Optional> figures[] = {{"mean", s.mean}, {"highest", s.highest}, {"lowest", s.lowest},
        {"median", s.median}, {"deviation", s.deviation}, {"passRate", s.passRate}, {"excellentRate", s.excellentRate}};
    for (const auto &[name, actual] : figures)
        compareFigure(actual, *static_cast<const Optional *>(QTest::qData(name, qMetaTypeId<Optional>())), name);
}

void TstScoreStatistics::bands_data()
{
    QTest::addColumn<ScoreList>("values");
    QTest::addColumn<int>("fullMarks");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QStringList>("labels");

    const QStringList hundred{QStringLiteral("不及格(<60)"), QStringLiteral("60–69"), QStringLiteral("70–79"),
        QStringLiteral("80–89"), QStringLiteral("90–100")};
    // A score below 0 is 不及格, one over 满分 is in the top band, an empty one in none.
    QTest::newRow("满分 100, every edge") << scores({59, 60, 69, 70, 79, 80, 89, 90, 100, 105, -3, kNone}) << 100
                                          << QList<int>{2, 2, 2, 2, 3} << hundred;
    QTest::newRow("满分 150") << scores({89, 90, 104, 105, 119, 120, 134, 135, 150}) << 150 << QList<int>{1, 2, 2, 2, 2}
                              << QStringList{QStringLiteral("不及格(<90)"), QStringLiteral("90–104"), QStringLiteral("105–119"),
                                     QStringLiteral("120–134"), QStringLiteral("135–150")};
    // 52.5 and 67.5 are the 70 % and 90 % limits: whole scores 53 and 68 begin those bands.
    QTest::newRow("满分 75") << scores({44, 45, 52, 53, 59, 60, 67, 68, 75}) << 75 << QList<int>{1, 2, 2, 2, 2}
                             << QStringList{QStringLiteral("不及格(<45)"), QStringLiteral("45–52"), QStringLiteral("53–59"),
                                    QStringLiteral("60–67"), QStringLiteral("68–75")};
    QTest::newRow("满分 10: bands of one score") << scores({5, 6, 7, 8, 9, 10}) << 10 << QList<int>{1, 1, 1, 1, 2}
                                                 << QStringList{QStringLiteral("不及格(<6)"), QStringLiteral("6"),
                                                        QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9–10")};
    QTest::newRow("all empty") << scores({kNone, kNone}) << 100 << QList<int>{0, 0, 0, 0, 0} << hundred;
}

void TstScoreStatistics::bands()
{
    QFETCH(ScoreList, values);
    QFETCH(int, fullMarks);
    QFETCH(QList<int>, counts);
    const ScoreBands::Counts counted = ScoreBands::count(values, fullMarks);
    QCOMPARE(QList<int>(counted.begin(), counted.end()), counts);
    QTEST(ScoreBands::labels(fullMarks), "labels");
}

void TstScoreStatistics::ranksAreShared()
{
    // As a spreadsheet's RANK: equal scores share a rank and the next one skips.
    const QVector<std::optional<int>> ranks = RankChanges::ranks(scores({90, 85, 90, kNone, 70}));
    QCOMPARE(ranks, (QVector<std::optional<int>>{1, 3, 1, std::nullopt, 4}));
}

void TstScoreStatistics::rankChangesAndLeaders()
{
    // Students A to E. Before: A 80, B 70, C 60, D 50, E missing: ranks 1, 2, 3, 4.
    // After: A 60, B 90, C 70, D 80, E 85: ranks 5, 1, 4, 3, 2.
    const QVector<RankChange> changes = RankChanges::compare(scores({80, 70, 60, 50, kNone}), scores({60, 90, 70, 80, 85}));
    QList<int> order;
    QList<std::optional<int>> moved;
    for (const RankChange &change : changes) {
        order << change.student;
        moved << change.change();
    }
    // B and D rose one place (B ranks better now), C fell one, A four; E has no first score.
    QCOMPARE(order, (QList<int>{1, 3, 2, 0, 4}));
    QCOMPARE(moved, (QList<std::optional<int>>{1, 1, -1, -4, std::nullopt}));
    QCOMPARE(changes.at(4).after, std::optional<int>(2));

    const RankChanges::Leaders three = RankChanges::leaders(changes);
    QCOMPARE(three.risers, (QVector<int>{0, 1}));
    QCOMPARE(three.fallers, (QVector<int>{3, 2}));
    // The most of each, with everybody who moved as far as the last named.
    const RankChanges::Leaders one = RankChanges::leaders(changes, 1);
    QCOMPARE(one.risers, (QVector<int>{0, 1}));
    QCOMPARE(one.fallers, (QVector<int>{3}));
    QVERIFY(RankChanges::leaders(RankChanges::compare(scores({80, 70}), scores({80, 70}))).risers.isEmpty());
}

void TstScoreStatistics::sameScoresWhateverTheOrder()
{
    using Student = ClassScores::Student;
    const QStringList columns{QStringLiteral("第1次"), QStringLiteral("第2次")};
    const Student jia{1, QStringLiteral("甲"), 1};
    const Student yi{2, QStringLiteral("乙"), 2};
    const ClassScores shown({jia, yi}, columns, {scores({80, kNone}), scores({70, 90})});
    // The grade book sorted: the same students and scores in another order.
    QVERIFY(shown.sameScoresAs(ClassScores({yi, jia}, columns, {scores({kNone, 80}), scores({90, 70})})));
    // What the window must show anew.
    const Student yiElsewhere{2, QStringLiteral("乙"), 3};
    const Student bing{2, QStringLiteral("丙"), 2};
    const QList<ClassScores> changed{
        ClassScores({yi, jia}, columns, {scores({0, 80}), scores({90, 70})}),          // a score typed (0 is no empty cell)
        ClassScores({jia, yiElsewhere}, columns, {scores({80, kNone}), scores({70, 90})}), // another 小组
        ClassScores({jia, bing}, columns, {scores({80, kNone}), scores({70, 90})}),    // another name
        ClassScores({jia, jia}, columns, {scores({80, kNone}), scores({70, 90})}),     // one student twice
        ClassScores({jia}, columns, {scores({80}), scores({70})}),                     // a student fewer
        ClassScores({jia, yi}, {QStringLiteral("第1次")}, {scores({80, kNone})}),        // a column fewer
    };
    for (const ClassScores &other : changed) {
        QVERIFY(!shown.sameScoresAs(other));
        QVERIFY(!other.sameScoresAs(shown));
    }
}

void TstScoreStatistics::classAndGroups()
{
    // Groups 2, 1, 1, none, 3; the only student of group 3 has no score.
    const QVector<ClassScores::Student> students{{1, QStringLiteral("甲"), 2}, {2, QStringLiteral("乙"), 1},
        {3, QStringLiteral("丙"), 1}, {4, QStringLiteral("丁"), std::nullopt}, {5, QStringLiteral("戊"), 3}};
    const ClassScores classScores(students, {QStringLiteral("第1次"), QStringLiteral("合计"), QStringLiteral("第2次")},
        {scores({80, 70, kNone, 60, kNone}), scores({170, 150, 60, 60, 0}), scores({90, 80, 60, kNone, kNone})});
    QCOMPARE(classScores.scoreColumns(), (QStringList{QStringLiteral("第1次"), QStringLiteral("第2次")}));
    QCOMPARE(classScores.columns(), (QStringList{QStringLiteral("第1次"), QStringLiteral("第2次"), QStringLiteral("合计")}));

    const ClassAnalysis analysis = ClassAnalysis::of(classScores, QStringLiteral("第1次"), lines());
    QStringList labels;
    QList<int> present;
    QList<Optional> means;
    for (const ClassAnalysis::Row &row : analysis.rows) {
        labels << row.label;
        present << row.summary.present();
        means << row.summary.mean;
    }
    QCOMPARE(labels,
        (QStringList{QStringLiteral("全班"), QStringLiteral("第1组"), QStringLiteral("第2组"), QStringLiteral("第3组"),
            QStringLiteral("未分组")}));
    QCOMPARE(present, (QList<int>{3, 1, 1, 0, 1}));
    QCOMPARE(means, (QList<Optional>{70, 70, 80, kNone, 60}));
    QCOMPARE(analysis.rows.at(3).summary.students, 1);
    QCOMPARE(analysis.rows.at(3).summary.passRate, Optional());
    QCOMPARE(QList<int>(analysis.bands.begin(), analysis.bands.end()), (QList<int>{0, 1, 1, 1, 0}));
    // The class's average of each score column, over the scores present.
    QCOMPARE(analysis.trend, (QVector<Optional>{70, 230.0 / 3}));
    QCOMPARE(classScores.studentScores(3), scores({60, kNone}));
}

void TstScoreStatistics::totalIsMeasuredAgainstEveryColumn()
{
    // Two score columns of 满分 100: 合计 is out of 200, passing at 120, excellent at 170.
    const ClassScores classScores({{1, QStringLiteral("甲"), 1}, {2, QStringLiteral("乙"), 1}, {3, QStringLiteral("丙"), 1}},
        {QStringLiteral("第1次"), QStringLiteral("第2次"), QStringLiteral("合计"), QStringLiteral("平均")},
        {scores({60, 90, 50}), scores({60, 80, 69}), scores({120, 170, 119}), scores({60, 85, 59})});
    const ClassAnalysis total = ClassAnalysis::of(classScores, QStringLiteral("合计"), lines());
    QCOMPARE(total.lines.fullMarks, 200);
    QCOMPARE(total.rows.constFirst().summary.passRate, Optional(2.0 / 3));
    QCOMPARE(total.rows.constFirst().summary.excellentRate, Optional(1.0 / 3));
    QCOMPARE(total.bandLabels.constLast(), QStringLiteral("180–200"));
    const ClassAnalysis average = ClassAnalysis::of(classScores, QStringLiteral("平均"), lines());
    QCOMPARE(average.lines.fullMarks, 100);
    QCOMPARE(average.rows.constFirst().summary.passRate, Optional(2.0 / 3));
}

void TstScoreStatistics::figuresAsShown()
{
    QCOMPARE(StatisticsText::decimal(71.8), QStringLiteral("71.80"));
    QCOMPARE(StatisticsText::decimal(100.0 / 3), QStringLiteral("33.33"));
    QCOMPARE(StatisticsText::score(85.5), QStringLiteral("85.5"));
    QCOMPARE(StatisticsText::score(-5), QStringLiteral("-5"));
    QCOMPARE(StatisticsText::percent(2.0 / 3), QStringLiteral("66.67%"));
    QCOMPARE(StatisticsText::percent(Optional()), QStringLiteral("—"));
    QCOMPARE(StatisticsText::change(3), QStringLiteral("+3"));
    QCOMPARE(StatisticsText::change(-2), QStringLiteral("-2"));
    QCOMPARE(StatisticsText::change(0), QStringLiteral("0"));
    QCOMPARE(StatisticsText::change(std::nullopt), QStringLiteral("缺考"));
}

QTEST_GUILESS_MAIN(TstScoreStatistics)
#include "TstScoreStatistics.moc"
