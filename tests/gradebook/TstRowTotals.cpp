#include "GradeBookFixture.h"
#include "gradebook/RowTotals.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstRowTotals final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void totalsOfTheWrite_data();
    void totalsOfTheWrite();
    void scoreColumns_data();
    void scoreColumns();
    void writesTheCurrentRowOnly();
};

void TstRowTotals::totalsOfTheWrite_data()
{
    QTest::addColumn<QVariantList>("scores");
    QTest::addColumn<QVariant>("total");
    QTest::addColumn<QVariant>("average");
    QTest::newRow("fraction dropped") << QVariantList{85, 86} << QVariant(171) << QVariant(85.0);
    QTest::newRow("empty counts as 0 and in n") << QVariantList{90, QVariant()} << QVariant(90) << QVariant(45.0);
    QTest::newRow("one column") << QVariantList{77} << QVariant(77) << QVariant(77.0);
    QTest::newRow("toward zero") << QVariantList{-7, 0} << QVariant(-7) << QVariant(-3.0);
    QTest::newRow("all empty") << QVariantList{QVariant(), QVariant()} << QVariant(0) << QVariant(0.0);
    QTest::newRow("no column: nothing computed") << QVariantList{} << QVariant() << QVariant();
}

void TstRowTotals::totalsOfTheWrite()
{
    QFETCH(QVariantList, scores);
    QFETCH(QVariant, total);
    QFETCH(QVariant, average);
    QStringList columns;
    for (int k = 1; k <= scores.size(); ++k)
        columns << u"第%1次"_s.arg(k);
    GradeBookFixture fixture;
    // The first score is written by the statement, the others are what the file holds.
    QVariantList stored = scores;
    if (!stored.isEmpty())
        stored[0] = 1;
    fixture.create(columns, {{1, u"甲"_s, 1, stored}});
    if (!scores.isEmpty())
        QVERIFY(fixture.view.setValue(columns.first(), scores.first()));

    QVERIFY(fixture.view.postWithRowTotals());

    const QVariant storedTotal = fixture.column(u"合计"_s).at(0);
    const QVariant storedAverage = fixture.column(u"平均"_s).at(0);
    if (!total.isValid()) {
        QVERIFY(storedTotal.isNull());
        QVERIFY(storedAverage.isNull());
    } else {
        QCOMPARE(storedTotal, total);
        QCOMPARE(storedAverage, average);
    }
    // The view shows what was stored.
    QCOMPARE(fixture.view.value(u"合计"_s).toString(), storedTotal.toString());
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

void TstRowTotals::writesTheCurrentRowOnly()
{
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")},
        {{1, QStringLiteral("甲"), 1, {85, 86}}, {2, QStringLiteral("乙"), 1, {90, QVariant()}}});
    QVERIFY(fixture.view.moveTo(1));
    QVERIFY(fixture.view.postWithRowTotals());
    QCOMPARE(fixture.view.state(), Dataset::State::Browse);
    QVERIFY(fixture.column(QStringLiteral("合计")).at(0).isNull());
    QCOMPARE(fixture.column(QStringLiteral("合计")).at(1).toInt(), 90);
    // The average is a whole number kept in the FLOAT column.
    QCOMPARE(fixture.column(QStringLiteral("平均")).at(1).toDouble(), 45.0);
    QVERIFY(fixture.column(QStringLiteral("名次")).at(1).isNull());
}

QTEST_GUILESS_MAIN(TstRowTotals)
#include "TstRowTotals.moc"
