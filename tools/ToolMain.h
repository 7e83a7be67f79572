#pragma once

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>

/// The start of every artwork generator: a window-less application (painting needs one)
/// and one folder named on the command line, made when missing; write() draws into it.
inline int runGenerator(int argc, char *argv[], const char *usage, const std::function<bool(const QDir &)> &write)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: " << usage << "\n";
        return 2;
    }
    const QDir folder(args.at(1));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    return write(folder) ? 0 : 1;
}
