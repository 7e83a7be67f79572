// Start-up: how long until the login dialog is on the screen, and how much memory the
// process took at its peak by then, against a bare Qt program showing a dialog of the same
// controls. The two are started pair by pair, in turns (the real program first in even
// pairs, the bare one first in odd ones), each from nothing in a fresh process; the
// medians of the per-pair ratios are compared with the targets, so that the load of a
// shared machine, which changes over a run, falls on both alike.
//
// Needs a display: run it under xvfb-run. "On the screen" is the moment the X server maps
// the process's first top-level window (no window manager delays it under xvfb).
// Options: --pairs N (41), --program FOLDER (another build's program folder).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kTimeTarget = 1.2;
constexpr double kMemoryTarget = 1.3;
constexpr int kDefaultPairs = 41;
constexpr int kWarmUpPairs = 3;
// After the window is mapped: time to paint and settle before the peak is read.
constexpr int kSettleMs = 600;
constexpr int kTimeoutMs = 30000;

struct Start {
    double seconds = 0;
    double peakMiB = 0;
};

double now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double peakMiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

class Display final {
public:
    Display()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        const char name[] = "_NET_WM_PID";
        xcb_intern_atom_reply_t *atom
            = xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, sizeof name - 1, name), nullptr);
        if (atom)
            m_pidAtom = atom->atom;
        free(atom);
        xcb_flush(m_connection);
    }
    ~Display() { xcb_disconnect(m_connection); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    bool ok() const { return !xcb_connection_has_error(m_connection) && m_pidAtom != XCB_NONE; }

    /// Waits until a top-level window of pid is mapped; the time it happened, or nothing.
    std::optional<double> waitForWindow(pid_t pid, double deadline)
    {
        const int fd = xcb_get_file_descriptor(m_connection);
        while (now() < deadline) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const double seen = now();
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                free(event);
                if (mapped && ownerOf(window) == pid)
                    return seen;
            }
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid)
                return std::nullopt;
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, 20);
        }
        return std::nullopt;
    }

    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            free(event);
    }

private:
    pid_t ownerOf(xcb_window_t window)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        pid_t pid = 0;
        if (reply && xcb_get_property_value_length(reply) == 4)
            pid = pid_t(*static_cast<uint32_t *>(xcb_get_property_value(reply)));
        free(reply);
        return pid;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = XCB_NONE;
};

std::optional<Start> startOnce(Display &display, const QString &program, const QString &home)
{
    const QByteArray path = QFile::encodeName(program);
    const QByteArray homeVariable = "HOME=" + QFile::encodeName(home);
    display.drain();
    const double started = now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", homeVariable.constData() + 5, 1);
        setenv("LANG", "C.UTF-8", 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_DATA_HOME");
        unsetenv("QT_QPA_PLATFORM");
        if (chdir(homeVariable.constData() + 5) != 0)
            _exit(126);
        // What Qt says on its error output would only stand between the results.
        if (const int devNull = open("/dev/null", O_WRONLY); devNull >= 0)
            dup2(devNull, STDERR_FILENO);
        execl(path.constData(), path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    if (pid < 0)
        return std::nullopt;
    const std::optional<double> shown = display.waitForWindow(pid, started + kTimeoutMs / 1000.0);
    std::optional<Start> result;
    if (shown) {
        usleep(kSettleMs * 1000);
        result = Start{*shown - started, peakMiB(pid)};
    }
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    return values[size_t(q * double(values.size() - 1) + 0.5)];
}

bool copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.fileName().startsWith(QStringLiteral("Record.mdb")))
            continue;
        if (entry.isDir() ? !copyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
        QFile::setPermissions(target, entry.permissions());
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    int pairs = kDefaultPairs;
    const QStringList arguments = app.arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--pairs")); at >= 0 && at + 1 < arguments.size())
        pairs = std::max(1, arguments.at(at + 1).toInt());
    // Another build's program folder, to compare two versions of the program.
    QString programFolder = QStringLiteral(QS_PROGRAM_DIR);
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--program")); at >= 0 && at + 1 < arguments.size())
        programFolder = arguments.at(at + 1);

    Display display;
    if (!display.ok()) {
        out << "No display: run this under xvfb-run -a -s \"-screen 0 1280x800x24\".\n";
        return 2;
    }

    // The real program from a copy of the program folder, as a teacher's folder holds it
    // after the first start (Record.mdb made); the bare program from beside this one.
    QTemporaryDir scratch;
    const QString folder = QDir(scratch.path()).filePath(QStringLiteral("program"));
    const QString home = QDir(scratch.path()).filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    if (!copyFolder(programFolder, folder)) {
        out << "Cannot copy the program folder " << programFolder << "\n";
        return 2;
    }
    const QString programs[2] = {QDir(folder).filePath(QStringLiteral("qingsui")), QStringLiteral(QS_BARE_DIALOG)};
    const char *names[2] = {"qingsui (login dialog)", "bare Qt dialog"};

    std::vector<double> seconds[2], memory[2], timeRatios, memoryRatios;
    for (int pair = -kWarmUpPairs; pair < pairs; ++pair) {
        Start starts[2];
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (pair & 1) ? 1 - turn : turn;
            const std::optional<Start> start = startOnce(display, programs[which], home);
            if (!start) {
                out << "No window from " << programs[which] << " within " << kTimeoutMs / 1000 << " s\n";
                return 1;
            }
            starts[which] = *start;
        }
        if (pair < 0)
            continue;
        for (int which = 0; which < 2; ++which) {
            seconds[which].push_back(starts[which].seconds);
            memory[which].push_back(starts[which].peakMiB);
        }
        timeRatios.push_back(starts[0].seconds / starts[1].seconds);
        memoryRatios.push_back(starts[0].peakMiB / starts[1].peakMiB);
    }

    out.setRealNumberNotation(QTextStream::FixedNotation);
    out << "Start-up until the dialog is shown, " << pairs << " alternating pairs (medians):\n";
    for (int which = 0; which < 2; ++which) {
        out.setRealNumberPrecision(3);
        out << "  " << QString::fromLatin1(names[which]).leftJustified(24) << median(seconds[which]) << " s  (quartiles "
            << quantile(seconds[which], 0.25) << " .. " << quantile(seconds[which], 0.75) << ")   ";
        out.setRealNumberPrecision(1);
        out << median(memory[which]) << " MiB peak\n";
    }
    const double timeRatio = median(timeRatios);
    const double memoryRatio = median(memoryRatios);
    out.setRealNumberPrecision(2);
    out << "  time ratio   " << timeRatio << "  (pairs' quartiles " << quantile(timeRatios, 0.25) << " .. "
        << quantile(timeRatios, 0.75) << "; target <= " << kTimeTarget << ") "
        << (timeRatio <= kTimeTarget ? "within target" : "OVER TARGET") << "\n";
    out << "  memory ratio " << memoryRatio << "  (pairs' quartiles " << quantile(memoryRatios, 0.25) << " .. "
        << quantile(memoryRatios, 0.75) << "; target <= " << kMemoryTarget << ") "
        << (memoryRatio <= kMemoryTarget ? "within target" : "OVER TARGET") << "\n";
    return timeRatio <= kTimeTarget && memoryRatio <= kMemoryTarget ? 0 : 1;
}
