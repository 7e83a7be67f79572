#include "GradeBookFixture.h"
#include "GradeBookProgram.h"
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
    QVERIFY(rows.exec(QStringLiteral("SELECT * FROM [%1] ORDER BY [编号]").arg(fixture.table)));
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

} // namespace

/// Two programs on one folder, both editing and batch-filling the same grade book: every
/// 合计 ends equal to the scores of its row.
class TstTwoTeachers final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void takingTurns();
    void twoProcessesAtOnce();
};

void TstTwoTeachers::takingTurns()
{
    GradeBookFixture fixture;
    createClass(fixture);
    GradeBookProgram first(QStringLiteral("first-program"), fixture.folder.path());
    GradeBookProgram second(QStringLiteral("second-program"), fixture.folder.path());
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

    checkTotals(fixture, 14);
}

void TstTwoTeachers::twoProcessesAtOnce()
{
    GradeBookFixture fixture;
    createClass(fixture);
    (void)fixture.view.close();
    QProcess programs[2];
    for (int i = 0; i < 2; ++i) {
        programs[i].setProcessChannelMode(QProcess::ForwardedChannels);
        programs[i].start(
            QStringLiteral(QS_TWO_PROGRAMS_DRIVER), {fixture.folder.path(), QString::number(11 + i), QStringLiteral("3000")});
    }
    for (QProcess &program : programs) {
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    checkTotals(fixture, 4);
}

QTEST_GUILESS_MAIN(TstTwoTeachers)
#include "TstTwoTeachers.moc"
