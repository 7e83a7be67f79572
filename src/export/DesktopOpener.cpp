#include "DesktopOpener.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <utility>

DesktopOpener::DesktopOpener(QObject *parent)
    : QObject(parent)
{
}

DesktopOpener::~DesktopOpener()
{
    // An opener still waiting for its application is let go of: killing xdg-open leaves
    // the application it started running.
    for (QProcess *process : findChildren<QProcess *>()) {
        process->disconnect(this);
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
}

void DesktopOpener::open(const QString &path, std::function<void(bool opened)> done)
{
    auto pending = std::make_shared<std::function<void(bool)>>(std::move(done));
    // The first answer is the one: a late ending after the start window says nothing.
    auto report = [pending](bool opened) {
        if (const std::function<void(bool)> answer = std::exchange(*pending, nullptr))
            answer(opened);
    };
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        // A desktop without xdg-open (a sandbox with a portal) opens through Qt, which
        // answers at once.
        const bool opened = QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        QTimer::singleShot(0, this, [report, opened] { report(opened); });
        return;
    }
    auto *process = new QProcess(this);
    process->setProgram(xdgOpen);
    process->setArguments({path});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto clock = std::make_shared<QElapsedTimer>();
    connect(process, &QProcess::errorOccurred, this, [process, report](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        report(false);
    });
    connect(process, &QProcess::finished, this, [process, clock, report](int exitCode, QProcess::ExitStatus status) {
        process->deleteLater();
        const bool failed = status != QProcess::NormalExit || exitCode != 0;
        report(!failed || clock->elapsed() >= kStartWindowMs);
    });
    // Past the start window the answer is in: the application runs.
    QTimer::singleShot(kStartWindowMs, process, [report] { report(true); });
    clock->start();
    process->start();
}
