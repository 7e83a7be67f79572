#include "GradeBookFixture.h"
#include "GradeBookProgram.h"
#include "ServerScratch.h"
#include "store/GradeBookTable.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTest>

namespace {

/// The fixture's grade book with two score columns and kProgramStudents students.
void createClass(GradeBookFixture &fixture)
{
    QList<GradeBookFixture::Student> students;
    for (int k = 1; k <= kProgramStudents; ++k)
        students << GradeBookFixture::Student{k, QStringLiteral("生%1").arg(k), 1, {k, 2 * k}};
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次")}, students);
}

/// Every row's 合计 is the sum of its score columns in the file, 平均 its quotient.
void checkTotals(GradeBookFixture &fixture, int atLeastScores)
{
    const QStringList scores = GradeBookTable::scoreColumns(fixture.database.columnDefinitions(fixture.table));
    QVERIFY2(scores.size() >= atLeastScores, qPrintable(scores.join(QLatin1Char(','))));
    QSqlQuery rows(fixture.database.connection());
    QVERIFY(fixture.database.prepare(rows, QStringLiteral("SELECT * FROM [%1] ORDER BY [编号]").arg(fixture.table)));
    QVERIFY(rows.exec());
    int checked = 0;
    while (rows.next()) {
        qint64 sum = 0;
        for (const QString &score : scores)
            sum += rows.value(score).toLongLong();
        QCOMPARE(rows.value(QStringLiteral("合计")).toLongLong(), sum);
        QCOMPARE(rows.value(QStringLiteral("平均")).toDouble(), double(sum / scores.size()));
        ++checked;
    }
    QCOMPARE(checked, kProgramStudents);
}

/// The fixture moved onto a fresh database of the tests' server when server is set: its
/// URL, or nothing for the fixture's Record.mdb.
QString onEngine(GradeBookFixture &fixture, bool server, std::unique_ptr<ServerScratch> &scratch)
{
    if (!server)
        return {};
    scratch = std::make_unique<ServerScratch>();
    if (!scratch->isValid() || !fixture.database.openServer(scratch->url()))
        return {};
    return ServerScratch::address(scratch->url());
}

} // namespace

/// Two programs on one folder (or one server), both editing and batch-filling the same
/// grade book: every 合计 ends equal to the scores of its row.
class TstTwoTeachers final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void takingTurns_data();
    void takingTurns();
    void twoProcessesAtOnce_data();
    void twoProcessesAtOnce();
};

void TstTwoTeachers::takingTurns_data()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("one Record.mdb") << false;
    QTest::newRow("the server") << true;
}

void TstTwoTeachers::takingTurns()
{
    QFETCH(bool, server);
    if (server && !ServerScratch::testServer())
        QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
    GradeBookFixture fixture;
    std::unique_ptr<ServerScratch> scratch;
    const QString url = onEngine(fixture, server, scratch);
    QVERIFY(server != url.isEmpty());
    createClass(fixture);
    GradeBookProgram first(QStringLiteral("first-program"), fixture.folder.path(), url);
    GradeBookProgram second(QStringLiteral("second-program"), fixture.folder.path(), url);
    QVERIFY(first.openGradeBookView());
    QVERIFY(second.openGradeBookView());

    // Each keeps working on what it read, as a teacher does until the view is reopened.
    for (int round = 0; round < 60; ++round) {
        QCOMPARE(first.enter(round, round, 40 + round), QString());
        QCOMPARE(second.enter(round * 5, round + 1, 90 - round), QString());
        if (round % 10 == 3)
            QCOMPARE(second.batch(round), QString());
        if (round % 10 == 7)
            QCOMPARE(first.batch(round), QString());
        if (round % 15 == 14)
            QVERIFY(first.openGradeBookView());
    }

    // The second often types into a row the first changed after it was read: refused,
    // never written over.
    QVERIFY(second.refusals() > 0);
    checkTotals(fixture, 14);
}

void TstTwoTeachers::twoProcessesAtOnce_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<int>("seconds");
    QTest::newRow("one Record.mdb") << false << 5;
    QTest::newRow("the server") << true << 30;
}

void TstTwoTeachers::twoProcessesAtOnce()
{
    QFETCH(bool, server);
    QFETCH(int, seconds);
    if (server && !ServerScratch::testServer())
        QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
    GradeBookFixture fixture;
    std::unique_ptr<ServerScratch> scratch;
    const QString url = onEngine(fixture, server, scratch);
    QVERIFY(server != url.isEmpty());
    createClass(fixture);
    (void)fixture.view.close();
    QProcess programs[2];
    for (int i = 0; i < 2; ++i) {
        programs[i].setProcessChannelMode(QProcess::ForwardedChannels);
        QStringList arguments{fixture.folder.path(), QString::number(11 + i), QString::number(seconds * 1000)};
        if (server)
            arguments << url;
        programs[i].start(QStringLiteral(QS_TWO_PROGRAMS_DRIVER), arguments);
    }
    for (QProcess &program : programs) {
        QVERIFY(program.waitForFinished((seconds + 60) * 1000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    checkTotals(fixture, 4);
}

QTEST_GUILESS_MAIN(TstTwoTeachers)
#include "TstTwoTeachers.moc"
