// Races the selection tick on a real 10 ms timer through classes of 60 and 5,000 students
// and reports how many ticks arrive per second and what one tick costs.
#include "questioning/QuestioningHost.h"
#include "questioning/RandomSelection.h"
#include "shell/LoginState.h"
#include "shell/Prompter.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {
constexpr int kTickMs = 10;
constexpr double kTicksPerSecondLimit = 1000.0 / kTickMs;
constexpr double kTarget = 97.0;
constexpr int kRaceMs = 5000;

/// Answers every box with OK and counts them; a tick that shows one has failed.
class CountingPrompter final : public Prompter {
public:
    Answer message(const QString &, const QString &, Buttons, Icon) override { ++boxes; return Answer::Ok; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
    int boxes = 0;
};

/// The questioning toolbar with real find boxes that follow the current row, and the
/// real random-selection timer.
class BenchHost final : public QuestioningHost {
public:
    BenchHost(Database &database, const QString &folder)
        : m_paths(folder)
        , m_query(database)
    {
        m_login.programFolder = folder;
        m_login.className = QStringLiteral("测试班");
        m_login.subject = QStringLiteral("语文");
        m_login.mode = kModeQuestioning;
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        // The current-row mirror: the name box and then the number box follow the row.
        QObject::connect(&m_query, &Dataset::currentRowChanged, &m_nameBox, [this] {
            m_nameBox.setText(m_query.value(QStringLiteral("姓名")).toString());
            m_numberBox.setText(m_query.value(QStringLiteral("编号")).toString());
        });
    }

    LoginState &loginState() override { return m_login; }
    Dataset &mainQuery() override { return m_query; }
    Prompter &prompter() override { return m_prompter; }
    const DataPaths &paths() const override { return m_paths; }
    QString countText() const override { return QStringLiteral("0"); }
    void setCountText(const QString &) override {}
    void setCountEnabled(bool) override {}
    void setGradeBoxEnabled(bool) override {}
    QString numberBoxText() const override { return m_numberBox.text(); }
    void setNumberBoxText(const QString &text) override { m_numberBox.setText(text); }
    QString nameBoxText() const override { return m_nameBox.text(); }
    QString numberFieldText() const override { return m_query.value(QStringLiteral("编号")).toString(); }
    void playAnimation() override {}
    void stopAnimation() override {}
    void startTimer() override { m_timer.start(); }
    void stopTimer() override { m_timer.stop(); }
    bool selectionRunning() const override { return m_running; }
    void setSelectionRunning(bool running) override { m_running = running; }
    void useBrowsePresentation() override {}
    void toggleDirectModification() override {}
    void formatGrid() override {}

    QTimer &timer() { return m_timer; }
    int failures() const { return m_prompter.boxes; }

private:
    LoginState m_login;
    DataPaths m_paths;
    Dataset m_query;
    CountingPrompter m_prompter;
    QLineEdit m_numberBox;
    QLineEdit m_nameBox;
    QTimer m_timer;
    bool m_running = false;
};

bool fillClass(Database &database, const QString &table, int students)
{
    database.execute(Sql::dropTable(table));
    if (!database.execute(Sql::createQuestioningTableFresh(table)))
        return false;
    QList<Statement> inserts;
    for (int number = 1; number <= students; ++number) {
        Statement insert;
        insert.text = QStringLiteral("INSERT INTO [%1] ([编号],[姓名],[次数],[总分],[平均]) VALUES (%2,'学生%2',0,0,0)")
                          .arg(table)
                          .arg(number);
        inserts << insert;
    }
    return bool(database.runInTransaction(inserts));
}

/// Races one class for five seconds; false when the target is missed.
bool race(Database &database, const QString &folder, int students, QTextStream &out)
{
    BenchHost host(database, folder);
    const QString table = host.loginState().tables().questioningTable();
    if (!fillClass(database, table, students)) {
        out << "cannot build the class of " << students << " students\n";
        return false;
    }
    host.mainQuery().setQuery(Sql::showAllOrderedByNumber(table));
    if (!host.mainQuery().open()) {
        out << "cannot open the class of " << students << " students\n";
        return false;
    }

    RandomSelection selection(host);
    long ticks = 0;
    QObject::connect(&host.timer(), &QTimer::timeout, &host.timer(), [&] {
        selection.tick();
        ++ticks;
    });

    QEventLoop loop;
    QElapsedTimer clock;
    selection.command();
    clock.start();
    QTimer::singleShot(kRaceMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    selection.command();
    const double perSecond = double(ticks) / seconds;

    // The cost of one tick, timed over many ticks without the timer.
    selection.command();
    host.timer().stop();
    constexpr int kTimed = 20000;
    QElapsedTimer tickClock;
    tickClock.start();
    for (int i = 0; i < kTimed; ++i)
        selection.tick();
    const double micros = double(tickClock.nsecsElapsed()) / 1e3 / kTimed;
    selection.command();

    out << students << " students: " << QString::number(perSecond, 'f', 1) << " ticks/s ("
        << QString::number(perSecond / kTicksPerSecondLimit, 'f', 3) << " of " << kTicksPerSecondLimit
        << "), one tick " << QString::number(micros, 'f', 1) << " µs ("
        << QString::number(micros / (kTickMs * 1000.0), 'f', 4) << " of the " << kTickMs << " ms budget)";
    if (host.failures() > 0)
        out << ", " << host.failures() << " failing ticks";
    out << '\n';
    out.flush();
    return perSecond >= kTarget && host.failures() == 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir folder;
    Database database(QStringLiteral("bench"));
    if (const SqlResult opened = database.open(folder.path()); !opened) {
        out << opened.error << '\n';
        return 2;
    }
    bool met = true;
    for (const int students : {60, 5000})
        met = race(database, folder.path(), students, out) && met;
    out << (met ? "target met" : "target missed") << ": at least " << kTarget << " ticks/s\n";
    return met ? 0 : 1;
}
