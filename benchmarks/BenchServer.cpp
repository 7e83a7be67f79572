// Times a grade round trip (the grading statement and the row read back) and opening a
// 60-student class, on Record.mdb and on a PostgreSQL server, each against one frame
// (16 ms). The server: the first argument (postgresql://...) or QS_TEST_DATABASE_URL,
// a database the user may fill with a class of its own (it is dropped and made again).
#include "store/DataFiles.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/GradeRecord.h"
#include "store/TableNames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
constexpr double kFrameMs = 16.0;
constexpr int kStudents = 60;
constexpr int kRuns = 201;
const QString kTable = QStringLiteral("基准班语文课堂提问");

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

struct Timings {
    double grade = 0;
    double open = 0;
};

std::optional<Timings> measure(Database &database, QTextStream &out)
{
    (void)database.execute(Sql::dropTable(kTable));
    const Result made = database.transaction([&]() -> Result {
        if (Result r = database.execute(Sql::createQuestioningTableFresh(kTable)); !r)
            return r;
        for (int number = 1; number <= kStudents; ++number) {
            Statement insert;
            insert.text = QStringLiteral("INSERT INTO %1 ([编号],[姓名],[次数],[总分],[平均]) VALUES (%2,'学生%2',0,0,0)")
                              .arg(Sql::quoted(kTable))
                              .arg(number);
            if (Result r = database.execute(insert); !r)
                return r;
        }
        return Result::success();
    });
    if (!made) {
        out << "cannot make the class: " << made.error << Qt::endl;
        return std::nullopt;
    }
    Dataset query(database);
    query.setQuery(Sql::showAllOrderedByNumber(kTable));
    Timings timings;
    timings.open = medianMs(kRuns, [&] { (void)query.open(); });
    int row = 0;
    timings.grade = medianMs(kRuns, [&] {
        (void)query.moveTo(row++ % kStudents);
        if (GradeRecord::record(database, kTable, query.currentRowId(), QStringLiteral("B"), 8).outcome
            == GradeRecord::Outcome::Recorded)
            query.refreshCurrent();
    });
    (void)query.close();
    (void)database.execute(Sql::dropTable(kTable));
    return timings;
}

void report(QTextStream &out, const QString &engine, const Timings &t)
{
    out << QStringLiteral("%1: grade round trip %2 ms (%3 of a frame), open a class of %4 %5 ms (%6 of a frame)")
               .arg(engine)
               .arg(t.grade, 0, 'f', 3)
               .arg(t.grade / kFrameMs, 0, 'f', 3)
               .arg(kStudents)
               .arg(t.open, 0, 'f', 3)
               .arg(t.open / kFrameMs, 0, 'f', 3)
        << Qt::endl;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir folder;
    Database sqlite(QStringLiteral("bench_sqlite"));
    if (!sqlite.open(folder.path()))
        return 1;
    const std::optional<Timings> local = measure(sqlite, out);
    if (!local)
        return 1;
    report(out, QStringLiteral("Record.mdb"), *local);

    const QString url = app.arguments().value(1, qEnvironmentVariable("QS_TEST_DATABASE_URL"));
    if (url.isEmpty()) {
        out << "server: skipped (give a postgresql:// URL or set QS_TEST_DATABASE_URL)" << Qt::endl;
        return 0;
    }
    QString refusal;
    const std::optional<DatabaseUrl> server = DatabaseUrl::parse(url, &refusal);
    Database postgres(QStringLiteral("bench_server"));
    if (!server || !postgres.openServer(*server)) {
        out << "server: cannot open " << url << ' ' << refusal << Qt::endl;
        return 1;
    }
    const std::optional<Timings> remote = measure(postgres, out);
    if (!remote)
        return 1;
    report(out, postgres.shownName(), *remote);
    out << QStringLiteral("server against Record.mdb: grade %1 x, open %2 x; both within a frame: %3")
               .arg(remote->grade / local->grade, 0, 'f', 2)
               .arg(remote->open / local->open, 0, 'f', 2)
               .arg(remote->grade < kFrameMs && remote->open < kFrameMs ? QStringLiteral("yes") : QStringLiteral("NO"))
        << Qt::endl;
    return 0;
}
