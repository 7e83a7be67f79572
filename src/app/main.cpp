#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/ApplicationTitle.h"
#include "store/DataPaths.h"
#include "store/ProgramSettings.h"
#include "ui/ChineseTranslations.h"
#include "ui/FontMapping.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include <cstdio>

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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The application's own title; not the display name, which Qt would append to every
    // window title.
    QApplication::setApplicationName(ApplicationTitle::withVersion());

    // Yes/No/OK/Cancel and the file dialogs in Chinese, as on the teacher's desktop.
    ChineseTranslations::install();
    FontMapping::install();
    QApplication::setWindowIcon(windowIcon());

    const ProgramSettings settings = ProgramSettings::read(QCoreApplication::arguments());
    QtPrompter prompter;
    if (settings.exitNow()) {
        std::fputs(settings.message.toLocal8Bit().constData(), settings.failed ? stderr : stdout);
        if (settings.failed)
            prompter.error(settings.message.section(QLatin1Char('\n'), 0, 0));
        return settings.failed ? 2 : 0;
    }

    // The login dialog comes first; the window builds its widgets when the login needs them.
    TForm1 window(DataPaths::choose(QCoreApplication::applicationDirPath(), settings.dataFolder), prompter, nullptr,
        TForm1::Build::WhenLoginNeedsIt);
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
