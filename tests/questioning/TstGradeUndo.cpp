#include "FakePrompter.h"
#include "QuestioningFixture.h"
#include "questioning/GradeUndo.h"
#include "questioning/Grading.h"
#include "questioning/GradingSettings.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

class FixedScores final : public GradingSettings {
public:
    QString scoreText(int grade) const override { return QString::number(std::array{10, 8, 5, 0}.at(size_t(grade))); }
    bool scoringOn() const override { return true; }
    bool commentsOn() const override { return false; }
};

/// Every stored value of the questioning table with its storage class, in row order: two
/// tables that read the same hold the same bytes for the engine.
QStringList storedBytes(QuestioningFixture &fixture)
{
    QStringList columns;
    for (const QString &name : fixture.database.columns(fixture.table))
        columns << QStringLiteral("typeof(%1)||':'||CASE typeof(%1) WHEN 'real' THEN printf('%!.17g',%1) ELSE quote(%1) END")
                       .arg(Sql::quoted(name));
    QSqlQuery query(fixture.database.connection());
    QStringList rows;
    if (!query.exec(QStringLiteral("SELECT rowid,%1 FROM %2 ORDER BY rowid")
                        .arg(columns.join(QLatin1Char(',')), Sql::quoted(fixture.table))))
        return {QStringLiteral("failed")};
    while (query.next()) {
        QStringList values;
        for (int i = 0; i <= columns.size(); ++i)
            values << query.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

struct UndoBench {
    UndoBench() { fixture.fill({{1, QStringLiteral("张三")}, {2, QStringLiteral("李四")}, {3, QStringLiteral("王五")}}); }
    /// Grades student `number` with grade 0 (A) to 3 (D).
    void grade(int number, int index)
    {
        QVERIFY(fixture.query.locate(QStringLiteral("编号"), number));
        grading.grade(index);
        QVERIFY2(prompts.calls().isEmpty(), qPrintable(prompts.messages().join(u'|')));
    }

    QuestioningFixture fixture;
    FixedScores settings;
    FakePrompter prompts;
    GradeUndo undo;
    Grading grading{
        fixture.query, fixture.login, settings, prompts, {}, [this](const GradeRecord::Step &step) { undo.recorded(step); }};
};

} // namespace

/// Taking grades back: the row as it was, byte for byte; one step per grade; refused
/// when the row changed since.
class TstGradeUndo final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void restoresTheRowByteForByte_data();
    void restoresTheRowByteForByte();
    void stepsGoBackToTheFirstGrade();
    void rowChangedSinceIsRefused_data();
    void rowChangedSinceIsRefused();
    void busyDatabaseKeepsTheStep();
};

void TstGradeUndo::restoresTheRowByteForByte_data()
{
    QTest::addColumn<QString>("row");
    QTest::newRow("never graded") << QString();
    QTest::newRow("graded before") << QStringLiteral("[评价]='B',[历史]='AB',[次数]=2,[总分]=18,[平均]=9");
    QTest::newRow("a full history loses its first letter")
        << QStringLiteral("[评价]='D',[历史]='C%1',[次数]=60,[总分]=0,[平均]=0").arg(QString(59, u'D'));
    QTest::newRow("null counts and a fractional average")
        << QStringLiteral("[评价]=NULL,[历史]='',[次数]=NULL,[总分]=NULL,[平均]=8.25");
    QTest::newRow("numbers typed as text") << QStringLiteral("[评价]='A ',[次数]='3',[总分]='x',[平均]=1e300");
}

void TstGradeUndo::restoresTheRowByteForByte()
{
    QFETCH(QString, row);
    UndoBench bench;
    if (!row.isEmpty()) {
        bench.fixture.run(QStringLiteral("UPDATE [%1] SET %2 WHERE [编号]=2").arg(bench.fixture.table, row));
        (void)bench.fixture.query.close();
        QVERIFY(bench.fixture.query.open());
    }
    const QStringList before = storedBytes(bench.fixture);

    bench.grade(2, 1);
    QVERIFY(storedBytes(bench.fixture) != before);
    const GradeUndo::Result undone = bench.undo.undoLast(bench.fixture.database);

    QCOMPARE(undone.outcome, GradeUndo::Outcome::Undone);
    QCOMPARE(storedBytes(bench.fixture), before);
    QCOMPARE(undone.step.student, (QVariantList{2, QStringLiteral("李四")}));
    QVERIFY(!bench.undo.canUndo());
}

void TstGradeUndo::stepsGoBackToTheFirstGrade()
{
    UndoBench bench;
    QList<QStringList> states{storedBytes(bench.fixture)};
    const std::pair<int, int> grades[] = {{1, 0}, {2, 1}, {1, 3}, {3, 2}, {1, 1}};
    for (const auto &[number, grade] : grades) {
        bench.grade(number, grade);
        states << storedBytes(bench.fixture);
    }
    QCOMPARE(bench.undo.size(), 5);

    for (int step = 5; step > 0; --step) {
        QCOMPARE(bench.undo.undoLast(bench.fixture.database).outcome, GradeUndo::Outcome::Undone);
        QCOMPARE(storedBytes(bench.fixture), states.at(step - 1));
    }
    QCOMPARE(bench.undo.undoLast(bench.fixture.database).outcome, GradeUndo::Outcome::Nothing);
    QCOMPARE(storedBytes(bench.fixture), states.first());
}

void TstGradeUndo::rowChangedSinceIsRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("another program graded the student") << QString();
    QTest::newRow("the student was renamed") << QStringLiteral("UPDATE [%1] SET [姓名]='张山' WHERE [编号]=1");
    QTest::newRow("the evaluations were cleared")
        << QStringLiteral("UPDATE [%1] SET [评价]=NULL,[历史]=NULL,[次数]=0,[总分]=0,[平均]=0");
}

void TstGradeUndo::rowChangedSinceIsRefused()
{
    QFETCH(QString, change);
    UndoBench bench;
    const QStringList initial = storedBytes(bench.fixture);
    bench.grade(2, 0);
    bench.grade(1, 1);

    // A second program on the same Record.mdb changes student 1 after this grade.
    Database second(QStringLiteral("second-program"));
    QVERIFY(second.open(bench.fixture.folder.path()));
    if (change.isEmpty()) {
        QCOMPARE(
            GradeRecord::record(second, bench.fixture.table, 1, QStringLiteral("C"), 5).outcome, GradeRecord::Outcome::Recorded);
    } else {
        Statement statement;
        statement.text = change.arg(bench.fixture.table);
        QVERIFY(second.execute(statement));
    }
    const QStringList changed = storedBytes(bench.fixture);

    const GradeUndo::Result refused = bench.undo.undoLast(bench.fixture.database);
    QCOMPARE(refused.outcome, GradeUndo::Outcome::Changed);
    QCOMPARE(storedBytes(bench.fixture), changed);
    QCOMPARE(refused.step.student, (QVariantList{1, QStringLiteral("张三")}));

    // The step is gone; the grade before it, of another student, can still be taken back
    // unless that row changed too.
    const bool everyRowChanged = change.contains(QStringLiteral("[历史]=NULL"));
    const GradeUndo::Result earlier = bench.undo.undoLast(bench.fixture.database);
    QCOMPARE(earlier.outcome, everyRowChanged ? GradeUndo::Outcome::Changed : GradeUndo::Outcome::Undone);
    const QStringList now = storedBytes(bench.fixture);
    QCOMPARE(now.at(0), changed.at(0));
    QCOMPARE(now.at(1), everyRowChanged ? changed.at(1) : initial.at(1));
    QVERIFY(!bench.undo.canUndo());
}

void TstGradeUndo::busyDatabaseKeepsTheStep()
{
    UndoBench bench;
    const QStringList before = storedBytes(bench.fixture);
    bench.grade(3, 2);
    const QStringList graded = storedBytes(bench.fixture);
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("lock-holder"));
    holder.setDatabaseName(bench.fixture.paths.databaseFile());
    QVERIFY(holder.open());
    {
        QSqlQuery lock(holder);
        QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QCOMPARE(bench.undo.undoLast(bench.fixture.database).outcome, GradeUndo::Outcome::Busy);
        QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    }
    holder.close();
    holder = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("lock-holder"));
    QCOMPARE(storedBytes(bench.fixture), graded);

    QCOMPARE(bench.undo.undoLast(bench.fixture.database).outcome, GradeUndo::Outcome::Undone);
    QCOMPARE(storedBytes(bench.fixture), before);
}

QTEST_GUILESS_MAIN(TstGradeUndo)
#include "TstGradeUndo.moc"
