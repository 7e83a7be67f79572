#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/ApplicationTitle.h"
#include "ui/Artwork.h"
#include "ui/ChineseTranslations.h"
#include "ui/FontMapping.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QScreen>
#include <QSettings>
#include <QTranslator>

namespace {

// The database: --database URL, else the setting "database" of the program's settings
// file (per user, else system-wide: a school sets it once in /etc/xdg/qingsui/qingsui.ini);
// none means Record.mdb in the program folder.
QString databaseSetting(const QCommandLineParser &options)
{
    if (options.isSet(QStringLiteral("database")))
        return options.value(QStringLiteral("database"));
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("qingsui"), QStringLiteral("qingsui"));
    return settings.value(QStringLiteral("database")).toString();
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
    QApplication::setWindowIcon(Artwork::windowIcon());

    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({QStringLiteral("database"),
        QStringLiteral("学校的数据库服务器，例如 postgresql://teacher@school-server/qingsui"), QStringLiteral("URL")});
    options.process(app);

    QtPrompter prompter;
    TForm1 window(QCoreApplication::applicationDirPath(), prompter);
    window.useServer(databaseSetting(options));
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
