#include "GradeBookFixture.h"
#include "gradebook/RowTotals.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstRowTotals final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void compute_data();
    void compute();
    void scoreColumns_data();
    void scoreColumns();
    void recomputeWritesTheCurrentRowOnly();
};

void TstRowTotals::compute_data()
{
    QTest::addColumn<QVariantList>("scores");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("average");
    QTest::newRow("fraction dropped") << QVariantList{85, 86} << qint64(171) << qint64(85);
    QTest::newRow("empty counts as 0 and in n") << QVariantList{90, QVariant()} << qint64(90) << qint64(45);
    QTest::newRow("one column") << QVariantList{77} << qint64(77) << qint64(77);
    QTest::newRow("toward zero") << QVariantList{-7, 0} << qint64(-7) << qint64(-3);
    QTest::newRow("all empty") << QVariantList{QVariant(), QVariant()} << qint64(0) << qint64(0);
    QTest::newRow("no column") << QVariantList{} << qint64(0) << qint64(0);
}

void TstRowTotals::compute()
{
    QFETCH(QVariantList, scores);
    QFETCH(qint64, total);
    QFETCH(qint64, average);
    const RowTotals::Totals totals = RowTotals::compute(scores);
    QCOMPARE(totals.total, total);
    QCOMPARE(totals.average, average);
}

void TstRowTotals::scoreColumns_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("scores");
    QTest::newRow("unsorted") << QStringList{u"编号"_s, u"姓名"_s, u"小组"_s, u"第1次"_s, u"第2次"_s, u"合计"_s, u"平均"_s}
                              << QStringList{u"第1次"_s, u"第2次"_s};
    QTest::newRow("sorted") << QStringList{u"编号"_s, u"姓名"_s, u"小组"_s, u"期中"_s, u"合计"_s, u"平均"_s, u"名次"_s}
                            << QStringList{u"期中"_s};
    QTest::newRow("before the first column")
        << QStringList{u"编号"_s, u"姓名"_s, u"小组"_s, u"合计"_s, u"平均"_s} << QStringList{};
    QTest::newRow("no score column") << QStringList{u"编号"_s, u"姓名"_s, u"小组"_s} << QStringList{};
}

void TstRowTotals::scoreColumns()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, scores);
    QCOMPARE(RowTotals::scoreColumns(fields), scores);
}

void TstRowTotals::recomputeWritesTheCurrentRowOnly()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")},
        {{1, QStringLiteral("甲"), 1, {85, 86}}, {2, QStringLiteral("乙"), 1, {90, QVariant()}}});
    QVERIFY(fixture.view.moveTo(1));
    QVERIFY(RowTotals::recompute(fixture.view));
    QVERIFY(fixture.view.post());
    QVERIFY(fixture.column(QStringLiteral("合计")).at(0).isNull());
    QCOMPARE(fixture.column(QStringLiteral("合计")).at(1).toInt(), 90);
    // The average is a whole number kept in the FLOAT column.
    QCOMPARE(fixture.column(QStringLiteral("平均")).at(1).toDouble(), 45.0);
    QVERIFY(fixture.column(QStringLiteral("名次")).at(1).isNull());
}

QTEST_GUILESS_MAIN(TstRowTotals)
#include "TstRowTotals.moc"
