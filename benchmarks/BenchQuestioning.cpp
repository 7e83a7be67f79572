// Races the selection tick on a real 10 ms timer through classes of 60 and 5,000 students
// and reports how many ticks arrive per second and what one tick costs; then again with
// the portrait panel shown and a 200 KB portrait for every student, and with a 20 MB
// portrait for every student of a class of 60.
#include "IdleMainView.h"
#include "portrait/PortraitPanel.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "questioning/RandomSelection.h"
#include "shell/Unit2.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
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
    Answer message(const QString &, const QString &, Buttons, Icon) override
    {
        ++boxes;
        return Answer::Ok;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
    int boxes = 0;
};

/// A lesson on the real questioning toolbar, whose find boxes and number field follow
/// the current row, and its real random-selection timer.
class BenchLesson final {
public:
    BenchLesson(Database &database, const QString &folder)
        : m_paths(folder)
        , m_query(database)
        , m_portraitQuery(database)
        , m_dataFiles(database, m_paths.dataFolder())
        , m_context{m_login, database, m_query, m_portraitQuery, m_prompter, m_paths, m_dataFiles}
    {
        m_login.programFolder = folder;
        m_login.className = QStringLiteral("测试班");
        m_login.subject = QStringLiteral("语文");
        m_login.mode = kModeQuestioning;
        // The current-row mirror: the name box and then the number box follow the row.
        QObject::connect(&m_query, &Dataset::currentRowChanged, &m_toolbar, [this] {
            const QString number = m_query.value(QStringLiteral("编号")).toString();
            m_toolbar.hiddenNumber()->setText(number);
            m_toolbar.nameBox()->setText(m_query.value(QStringLiteral("姓名")).toString());
            m_toolbar.numberBox()->setText(number);
        });
    }

    /// Shows the portrait panel on the portrait query, which then follows every tick; as
    /// in the program, pictures not yet read wait while the race runs.
    bool showPortraits()
    {
        m_portraitQuery.setMaster(&m_query);
        m_portraitQuery.setQuery(Sql::portrait(QStringLiteral("姓名")));
        if (!m_portraitQuery.open())
            return false;
        m_panel = std::make_unique<PortraitPanel>(m_portraitQuery);
        m_panel->setBusy([this] { return m_toolbar.selectionTimer().isActive(); });
        m_panel->show();
        return true;
    }

    AppContext &context() { return m_context; }
    MainView &view() { return m_view; }
    QuestioningToolbar &toolbar() { return m_toolbar; }
    int failures() const { return m_prompter.boxes; }

private:
    LoginState m_login;
    DataPaths m_paths;
    Dataset m_query;
    Dataset m_portraitQuery;
    CountingPrompter m_prompter;
    ProgramDataFiles m_dataFiles;
    AppContext m_context;
    IdleMainView m_view;
    QuestioningToolbar m_toolbar;
    std::unique_ptr<PortraitPanel> m_panel;
};

/// The picture sizes raced: about 200 KB and about 20 MB as 24-bit bitmaps.
const QSize kSmallPortrait(300, 227);
const QSize kLargePortrait(2580, 2580);

/// A 24-bit bitmap of the given size, a little different for every student.
QByteArray portraitOf(int number, QSize size = kSmallPortrait)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(QColor::fromHsv(number % 360, 120, 220));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

/// One portrait row per student of the class, in one transaction.
bool fillPortraits(Database &database, int students, QSize size)
{
    QSqlDatabase connection = database.connection();
    QSqlQuery sql(connection);
    if (!sql.exec(QStringLiteral("DELETE FROM [范例班]")) || !connection.transaction())
        return false;
    sql.prepare(QStringLiteral("INSERT INTO [范例班] ([姓名],[相片],[宣言]) VALUES (?,?,?)"));
    for (int number = 1; number <= students; ++number) {
        sql.addBindValue(QStringLiteral("学生%1").arg(number));
        sql.addBindValue(portraitOf(number, size));
        sql.addBindValue(QStringLiteral("我是第%1号学生").arg(number));
        if (!sql.exec()) {
            connection.rollback();
            return false;
        }
    }
    return connection.commit();
}

bool fillClass(Database &database, const QString &table, int students)
{
    (void)database.execute(Sql::dropTable(table));
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
        << QString::number(perSecond / kTicksPerSecondLimit, 'f', 3) << " of " << kTicksPerSecondLimit << "), one tick "
        << QString::number(micros, 'f', 1) << " µs (" << QString::number(micros / (kTickMs * 1000.0), 'f', 4) << " of the "
        << kTickMs << " ms budget)";
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
template<typename Tick> double tickCost(Tick tick)
{
    // 20,000 calls, or as many as fit in two seconds when a tick is slow.
    constexpr int kTimed = 20000;
    constexpr qint64 kMostNs = 2'000'000'000;
    QElapsedTimer clock;
    clock.start();
    int calls = 0;
    while (calls < kTimed && (calls % 64 != 0 || clock.nsecsElapsed() < kMostNs)) {
        tick();
        ++calls;
    }
    return double(clock.nsecsElapsed()) / 1e3 / calls;
}

/// Races one class for five seconds through the questioning toolbar, with no portraits
/// or with one of portraitSize for every student; false when the target is missed.
bool race(Database &database, const QString &folder, int students, QTextStream &out, QSize portraitSize = QSize())
{
    const bool portraits = portraitSize.isValid();
    BenchLesson lesson(database, folder);
    Dataset &query = lesson.context().mainQuery;
    const QString table = lesson.context().login.tables().questioningTable();
    if (!fillClass(database, table, students)) {
        out << "cannot build the class of " << students << " students\n";
        return false;
    }
    query.setQuery(Sql::showAllOrderedByNumber(table));
    if (!query.open()) {
        out << "cannot open the class of " << students << " students\n";
        return false;
    }
    if (portraits && (!fillPortraits(database, students, portraitSize) || !lesson.showPortraits())) {
        out << "cannot show the portraits of " << students << " students\n";
        return false;
    }
    // The teacher has clicked through the class (as many as are kept) once: each picture is
    // read and decoded then, and only then.
    QElapsedTimer firstVisits;
    firstVisits.start();
    const int visited = portraits ? std::min(query.rowCount(), PortraitPanel::kKeptPictures) : 0;
    for (int row = 0; row < visited; ++row)
        query.moveTo(row);
    const double firstVisitMs = double(firstVisits.nsecsElapsed()) / 1e6 / std::max(1, visited);

    QTimer &timer = lesson.toolbar().selectionTimer();
    RandomSelection selection(lesson.context(), lesson.view(), lesson.toolbar());
    QObject::connect(&timer, &QTimer::timeout, &timer, [&selection] { selection.tick(); });
    selection.command();
    const double perSecond = ticksPerSecond(timer);
    timer.stop();
    const double micros = tickCost([&selection] { selection.tick(); });
    selection.command();

    const qsizetype portraitBytes = portraits ? portraitOf(1, portraitSize).size() : 0;
    const QString what = !portraits   ? QStringLiteral("%1 students").arg(students)
        : portraitBytes < 1024 * 1024 ? QStringLiteral("%1 students, portrait panel shown (%2 KB each, first visit %3 ms)")
                                            .arg(students)
                                            .arg(portraitBytes / 1024)
                                            .arg(firstVisitMs, 0, 'f', 1)
                                      : QStringLiteral("%1 students, portrait panel shown (%2 MB each, first visit %3 ms)")
                                            .arg(students)
                                            .arg(double(portraitBytes) / 1024 / 1024, 0, 'f', 1)
                                            .arg(firstVisitMs, 0, 'f', 1);
    report(out, what, perSecond, micros, lesson.failures());
    return perSecond >= kTarget && lesson.failures() == 0;
}

/// The same race in the main window itself: grid highlight, bound fields, find boxes,
/// grade box and portrait query all follow each tick.
bool raceInMainWindow(const QString &folder, int students, QTextStream &out)
{
    CountingPrompter prompter;
    TForm1 window(folder, prompter);
    if (!window.context().database.open(folder)) {
        out << "cannot open the database for the main window\n";
        return false;
    }
    LoginState &login = window.context().login;
    login.className = QStringLiteral("窗口班");
    login.subject = QStringLiteral("语文");
    if (!fillClass(window.context().database, login.tables().questioningTable(), students) || !window.openQuestioningView()) {
        out << "cannot show the class in the main window\n";
        return false;
    }
    window.resize(1024, 700);
    window.show();

    window.questioning().BitBtn2Click();
    const double perSecond = ticksPerSecond(window.questioningToolbar()->selectionTimer());
    window.questioningToolbar()->selectionTimer().stop();
    const double micros = tickCost([&window] { window.questioning().Timer1Timer(); });
    window.questioning().BitBtn2Click();

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
    if (const Result opened = database.open(folder.path()); !opened) {
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
        met = race(database, folder.path(), students, out, kSmallPortrait) && met;
    met = race(database, folder.path(), 60, out, kLargePortrait) && met;
    for (const int students : {60, 5000})
        met = raceInMainWindow(folder.path(), students, out) && met;
    out << (met ? "target met" : "target missed") << ": at least " << kTarget << " ticks/s\n";
    return met ? 0 : 1;
}
