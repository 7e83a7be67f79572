#include "questioning/RandomGenerator.h"

#include <QTest>

class TstRandomGenerator final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsAfterSeeding_data();
    void drawsAfterSeeding();
    void reseedingRestartsTheSequence();
};

// Values worked out from s = s * 22695477 + 1 (mod 2^32), value = bits 16..30, after the
// one draw that seeding discards.
void TstRandomGenerator::drawsAfterSeeding_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QList<int>>("draws");
    QTest::newRow("0") << 0u << QList<int>{346, 130, 10982, 1090, 11656};
    QTest::newRow("1") << 1u << QList<int>{130, 10982, 1090, 11656, 7117};
    QTest::newRow("12345") << 12345u << QList<int>{24996, 10921, 23577, 19316, 10386};
    QTest::newRow("a time in seconds") << 1700000000u << QList<int>{27381, 8621, 85, 10834, 17333};
    QTest::newRow("largest seed") << 4294967295u << QList<int>{561, 22046, 20874, 23292, 16195};
}

void TstRandomGenerator::drawsAfterSeeding()
{
    QFETCH(quint32, seed);
    QFETCH(QList<int>, draws);
    RandomGenerator generator(seed);
    QList<int> drawn;
    for (int i = 0; i < draws.size(); ++i)
        drawn << generator.next();
    QCOMPARE(drawn, draws);
}

void TstRandomGenerator::reseedingRestartsTheSequence()
{
    RandomGenerator generator(7);
    for (int i = 0; i < 100; ++i) {
        const int value = generator.next();
        QVERIFY(value >= 0 && value <= 32767);
    }
    generator.setSeed(12345);
    QCOMPARE(generator.next(), 24996);
}

QTEST_GUILESS_MAIN(TstRandomGenerator)
#include "TstRandomGenerator.moc"
