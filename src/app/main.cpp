#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/ApplicationTitle.h"
#include "store/DataPaths.h"
#include "store/ProgramSettings.h"
#include "store/ServerCopy.h"
#include "ui/ChineseTranslations.h"
#include "ui/FontMapping.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QScreen>
#include <QTextStream>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <thread>

namespace {

// The window icon as drawn at build time, each size read when a window first asks for it,
// instead of being drawn while the first window appears.
QIcon windowIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/qingsui.png").arg(side), QSize(side, side));
    return icon;
}

// Gives the windows their icon once the first one has painted. The first picture read
// makes Qt look through all its image plugins, and every size of the icon is decoded when
// a window is made: done before, it would keep the login dialog off the screen.
class IconOnceShown final : public QObject {
public:
    explicit IconOnceShown(QObject *application)
        : QObject(application)
    {
        application->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            parent()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                parent(), [] { QApplication::setWindowIcon(windowIcon()); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

// Help, the version or a mistake on the command line, for the terminal.
int printAndExit(const ProgramSettings &settings)
{
    std::fputs(settings.message.toLocal8Bit().constData(), settings.failed ? stderr : stdout);
    return settings.failed ? 2 : 0;
}

// The command that moves a program folder onto the school's server; no window.
int copyToServer(const ProgramSettings &settings)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString refusal;
    const std::optional<DatabaseUrl> server = DatabaseUrl::parse(settings.database, &refusal);
    if (!server) {
        err << (settings.database.isEmpty() ? QStringLiteral("请用 --database 指定数据库服务器。") : refusal) << Qt::endl;
        return 2;
    }
    const ServerCopy::Report report = ServerCopy::copy(settings.copyToServer, *server);
    for (const QString &line : report.lines)
        out << line << Qt::endl;
    if (!report.result) {
        err << report.result.error << Qt::endl;
        return 1;
    }
    return 0;
}

bool wantsCopy(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]).startsWith("--copy-to-server"))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (wantsCopy(argc, argv)) {
        QCoreApplication app(argc, argv);
        const ProgramSettings settings = ProgramSettings::read(QCoreApplication::arguments());
        return settings.exitNow() ? printAndExit(settings) : copyToServer(settings);
    }
    // Fontconfig reads its configuration and the font caches (about 10 ms) on a second core
    // while Qt connects to the display; the login dialog's first font finds them read. Qt
    // itself takes no font before the application stands.
    std::thread fontConfiguration([] { FcInit(); });
    QApplication app(argc, argv);
    fontConfiguration.join();
    // The application's own title; not the display name, which Qt would append to every
    // window title.
    QApplication::setApplicationName(ApplicationTitle::withVersion());

    // Yes/No/OK/Cancel and the file dialogs in Chinese, as on the teacher's desktop.
    ChineseTranslations::install();
    FontMapping::install();
    new IconOnceShown(&app);

    const ProgramSettings settings = ProgramSettings::read(QCoreApplication::arguments());
    QtPrompter prompter;
    if (settings.exitNow()) {
        if (settings.failed)
            prompter.error(settings.message.section(QLatin1Char('\n'), 0, 0));
        return printAndExit(settings);
    }

    // The login dialog comes first; the window builds its widgets when the login needs them.
    TForm1 window(DataPaths::choose(QCoreApplication::applicationDirPath(), settings.dataFolder), prompter, nullptr,
        TForm1::Build::WhenLoginNeedsIt);
    window.useServer(settings.database);
    prompter.setStartFolder(window.context().paths.dataFolder());
    prompter.setParent(&window);
    window.FormCreate();
    // After the first login: the comment settings dialog, then the comment pop-up, both hidden.
    window.questioning().createWindows();
    // Fill the screen even where no window manager maximises the window.
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
