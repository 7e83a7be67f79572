// Races the selection tick on a real 10 ms timer through classes of 60 and 5,000 students
// and reports how many ticks arrive per second and what one tick costs.
#include "questioning/QuestioningHost.h"
#include "questioning/RandomSelection.h"
#include "shell/LoginState.h"
#include "shell/Prompter.h"
#include "shell/Unit2.h"
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

void report(QTextStream &out, const QString &what, double perSecond, double micros, int failures)
{
    out << what << ": " << QString::number(perSecond, 'f', 1) << " ticks/s ("
        << QString::number(perSecond / kTicksPerSecondLimit, 'f', 3) << " of " << kTicksPerSecondLimit
        << "), one tick " << QString::number(micros, 'f', 1) << " µs ("
        << QString::number(micros / (kTickMs * 1000.0), 'f', 4) << " of the " << kTickMs << " ms budget)";
    if (failures > 0)
        out << ", " << failures << " failing ticks";
    out << '\n';
    out.flush();
}

/// Counts the ticks a running timer delivers in five seconds, per second.
double ticksPerSecond(QTimer &timer)
{
    long ticks = 0;
    const QMetaObject::Connection counting = QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(kRaceMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(counting);
    return double(ticks) / (double(clock.nsecsElapsed()) / 1e9);
}

/// Microseconds one call of tick costs, timed over many calls.
template<typename Tick>
double tickCost(Tick tick)
{
    constexpr int kTimed = 20000;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kTimed; ++i)
        tick();
    return double(clock.nsecsElapsed()) / 1e3 / kTimed;
}

/// Races one class for five seconds through the questioning toolbar; false when the
/// target is missed.
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
    QObject::connect(&host.timer(), &QTimer::timeout, &host.timer(), [&selection] { selection.tick(); });
    selection.command();
    const double perSecond = ticksPerSecond(host.timer());
    host.timer().stop();
    const double micros = tickCost([&selection] { selection.tick(); });
    selection.command();

    report(out, QStringLiteral("%1 students").arg(students), perSecond, micros, host.failures());
    return perSecond >= kTarget && host.failures() == 0;
}

/// The same race in the main window itself: grid highlight, bound fields, find boxes,
/// grade box and portrait query all follow each tick.
bool raceInMainWindow(const QString &folder, int students, QTextStream &out)
{
    CountingPrompter prompter;
    TForm1 window(folder, prompter);
    if (!window.database().open(folder)) {
        out << "cannot open the database for the main window\n";
        return false;
    }
    LoginState &login = window.loginState();
    login.className = QStringLiteral("窗口班");
    login.subject = QStringLiteral("语文");
    if (!fillClass(window.database(), login.tables().questioningTable(), students)
        || !window.showQuestioningViewAfterLogin()) {
        out << "cannot show the class in the main window\n";
        return false;
    }
    window.resize(1024, 700);
    window.show();

    window.BitBtn2Click();
    const double perSecond = ticksPerSecond(window.timer1());
    window.timer1().stop();
    const double micros = tickCost([&window] { window.Timer1Timer(); });
    window.BitBtn2Click();

    report(out, QStringLiteral("main window, %1 students").arg(students), perSecond, micros, prompter.boxes);
    return perSecond >= kTarget && prompter.boxes == 0;
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
    // What the timer delivers with nothing to do: the most any race can reach here.
    {
        QTimer bare;
        bare.setTimerType(Qt::PreciseTimer);
        bare.setInterval(kTickMs);
        bare.start();
        const double perSecond = ticksPerSecond(bare);
        out << "empty timer: " << QString::number(perSecond, 'f', 1) << " ticks/s ("
            << QString::number(perSecond / kTicksPerSecondLimit, 'f', 3) << " of " << kTicksPerSecondLimit << ")\n";
        out.flush();
    }
    bool met = true;
    for (const int students : {60, 5000})
        met = race(database, folder.path(), students, out) && met;
    for (const int students : {60, 5000})
        met = raceInMainWindow(folder.path(), students, out) && met;
    out << (met ? "target met" : "target missed") << ": at least " << kTarget << " ticks/s\n";
    return met ? 0 : 1;
}
