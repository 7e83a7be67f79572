#include "EngineSuite.h"
#include "store/Database.h"
#include "store/FairLessonRecord.h"
#include "store/TableNames.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate kMonday(2024, 9, 2);
const StudentKey kZhang{1, QStringLiteral("张三")};
const StudentKey kLi{2, QStringLiteral("李四")};
// A name the statement text could not hold: the values are bound, never pasted.
const StudentKey kQuote{3, QStringLiteral("O'Neil")};

QStringList tablesOf(const Database &database)
{
    QStringList names = database.tables();
    names.sort();
    return names;
}

int count(const Database &database, const QString &table)
{
    QSqlQuery query(database.connection());
    if (!database.prepare(query, QStringLiteral("SELECT count(*) FROM ") + Sql::quoted(table)) || !query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}

FairLessonRecord::State stateOf(const FairLessonRecord &record, const QDate &day = kMonday)
{
    const auto read = record.read(day);
    if (!read)
        QTest::qFail(qPrintable(read.error), __FILE__, __LINE__);
    return read ? *read : FairLessonRecord::State{};
}

} // namespace

/// 不重复, rounds and absences of a class and subject as Record.mdb keeps them.
class TstFairLessonRecord final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readingMakesNothing();
    void firstChangeAddsTablesBesideTheOthers();
    void absencesBelongToTheDay();
    void eachClassAndSubjectKeepsItsOwn();
    void roundsBeginAfterEveryoneWasAsked();
    void secondProgramBeginsNoSecondRound();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Database> m_database;
};

void TstFairLessonRecord::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_database = std::make_unique<Database>(QStringLiteral("fair-record"));
    QVERIFY(EngineSuite::open(*m_database, m_folder->path()));
}

void TstFairLessonRecord::cleanup()
{
    m_database.reset();
    m_folder.reset();
}

void TstFairLessonRecord::readingMakesNothing()
{
    const QStringList before = tablesOf(*m_database);
    const FairLessonRecord record(*m_database, QStringLiteral("一班"), QStringLiteral("语文"));

    const FairLessonRecord::State state = stateOf(record);

    QCOMPARE(state, FairLessonRecord::State{});
    QCOMPARE(tablesOf(*m_database), before);
}

void TstFairLessonRecord::firstChangeAddsTablesBesideTheOthers()
{
    Statement create;
    create.text = QStringLiteral("CREATE TABLE [一班语文课堂提问] ([编号] INT NULL)");
    QVERIFY(m_database->execute(create));
    const QStringList before = tablesOf(*m_database);
    const QStringList roster = m_database->columns(kMasterRosterTable);
    const int rosterRows = count(*m_database, kMasterRosterTable);
    FairLessonRecord record(*m_database, QStringLiteral("一班"), QStringLiteral("语文"));

    QVERIFY(record.setNoRepeat(true));

    QStringList expected = before + QStringList{kRoundTable, kAskedTable, kAbsenceTable};
    expected.sort();
    QCOMPARE(tablesOf(*m_database), expected);
    QCOMPARE(m_database->columns(kMasterRosterTable), roster);
    QCOMPARE(count(*m_database, kMasterRosterTable), rosterRows);
    const FairLessonRecord::State state = stateOf(record);
    QVERIFY(state.noRepeat);
    QCOMPARE(state.round, 1);

    QVERIFY(record.setNoRepeat(false));
    QVERIFY(!stateOf(record).noRepeat);
    QCOMPARE(count(*m_database, kRoundTable), 1);
}

void TstFairLessonRecord::absencesBelongToTheDay()
{
    FairLessonRecord record(*m_database, QStringLiteral("一班"), QStringLiteral("语文"));
    QVERIFY(record.setAbsent(kZhang, kMonday, true));
    QVERIFY(record.setAbsent(kZhang, kMonday, true)); // marked twice: one absence
    QVERIFY(record.setAbsent(kQuote, kMonday, true));
    QCOMPARE(stateOf(record).absent, (QSet<StudentKey>{kZhang, kQuote}));
    QCOMPARE(count(*m_database, kAbsenceTable), 2);

    // 到场 takes one back at once.
    QVERIFY(record.setAbsent(kQuote, kMonday, false));
    QCOMPARE(stateOf(record).absent, QSet<StudentKey>{kZhang});

    // The next day nobody is absent; a mark made then clears the old day's.
    const QDate tuesday = kMonday.addDays(1);
    QVERIFY(stateOf(record, tuesday).absent.isEmpty());
    QVERIFY(record.setAbsent(kLi, tuesday, true));
    QCOMPARE(stateOf(record, tuesday).absent, QSet<StudentKey>{kLi});
    QCOMPARE(count(*m_database, kAbsenceTable), 1);
}

void TstFairLessonRecord::eachClassAndSubjectKeepsItsOwn()
{
    FairLessonRecord chinese(*m_database, QStringLiteral("一班"), QStringLiteral("语文"));
    FairLessonRecord maths(*m_database, QStringLiteral("一班"), QStringLiteral("数学"));
    FairLessonRecord other(*m_database, QStringLiteral("二班"), QStringLiteral("语文"));
    QVERIFY(chinese.setNoRepeat(true));
    QVERIFY(chinese.setAbsent(kZhang, kMonday, true));
    QVERIFY(chinese.recordAsked(kLi));
    QVERIFY(maths.setAbsent(kLi, kMonday, true));

    QCOMPARE(stateOf(chinese).absent, QSet<StudentKey>{kZhang});
    QCOMPARE(stateOf(chinese).asked, QSet<StudentKey>{kLi});
    QCOMPARE(stateOf(maths).absent, QSet<StudentKey>{kLi});
    QVERIFY(!stateOf(maths).noRepeat && stateOf(maths).asked.isEmpty());
    QCOMPARE(stateOf(other), FairLessonRecord::State{});
}

void TstFairLessonRecord::roundsBeginAfterEveryoneWasAsked()
{
    FairLessonRecord record(*m_database, QStringLiteral("一班"), QStringLiteral("语文"));
    QVERIFY(record.setNoRepeat(true));
    QVERIFY(record.recordAsked(kZhang));
    QVERIFY(record.recordAsked(kZhang)); // asked again in the same round: one mark
    QVERIFY(record.recordAsked(kQuote));
    FairLessonRecord::State state = stateOf(record);
    QCOMPARE(state.asked, (QSet<StudentKey>{kZhang, kQuote}));
    QCOMPARE(count(*m_database, kAskedTable), 2);

    QVERIFY(record.beginRoundAfter(state.round));
    state = stateOf(record);
    QCOMPARE(state.round, 2);
    QVERIFY(state.asked.isEmpty());
    QCOMPARE(count(*m_database, kAskedTable), 0); // the old round is not kept

    QVERIFY(record.recordAsked(kLi));
    QVERIFY(record.restartRound());
    state = stateOf(record);
    QCOMPARE(state.round, 3);
    QVERIFY(state.asked.isEmpty());
    QVERIFY(state.noRepeat);
}

void TstFairLessonRecord::secondProgramBeginsNoSecondRound()
{
    // Two programs on one folder both see round 1 complete and both begin the next: the
    // second finds it begun, and a student the first asked in it stays asked.
    Database second(QStringLiteral("fair-record-second"));
    QVERIFY(EngineSuite::openSame(second, m_folder->path()));
    FairLessonRecord first(*m_database, QStringLiteral("一班"), QStringLiteral("语文"));
    FairLessonRecord other(second, QStringLiteral("一班"), QStringLiteral("语文"));
    QVERIFY(first.setNoRepeat(true));
    QVERIFY(first.recordAsked(kZhang));
    const int seen = stateOf(other).round;

    QVERIFY(first.beginRoundAfter(seen));
    QVERIFY(first.recordAsked(kLi));
    QVERIFY(other.beginRoundAfter(seen));

    const FairLessonRecord::State state = stateOf(other);
    QCOMPARE(state.round, seen + 1);
    QCOMPARE(state.asked, QSet<StudentKey>{kLi});
}

QS_ENGINE_TEST_MAIN(TstFairLessonRecord)
#include "TstFairLessonRecord.moc"
