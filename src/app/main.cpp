#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/ApplicationTitle.h"
#include "store/ServerCopy.h"
#include "ui/Artwork.h"
#include "ui/ChineseTranslations.h"
#include "ui/FontMapping.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QScreen>
#include <QSettings>
#include <QTextStream>
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

void addOptions(QCommandLineParser &options)
{
    options.addHelpOption();
    options.addOption({QStringLiteral("database"),
        QStringLiteral("学校的数据库服务器，例如 postgresql://teacher@school-server/qingsui"), QStringLiteral("URL")});
    options.addOption({QStringLiteral("copy-to-server"),
        QStringLiteral("把文件夹中的 Record.mdb 和 Data 文件夹复制到数据库服务器上（不覆盖服务器上已有的班级），然后退出"),
        QStringLiteral("文件夹")});
}

// The command that moves a program folder onto the school's server; no window.
int copyToServer(const QCommandLineParser &options)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString refusal;
    const QString setting = databaseSetting(options);
    const std::optional<DatabaseUrl> server = DatabaseUrl::parse(setting, &refusal);
    if (!server) {
        err << (setting.isEmpty() ? QStringLiteral("请用 --database 指定数据库服务器。") : refusal) << Qt::endl;
        return 2;
    }
    const ServerCopy::Report report = ServerCopy::copy(options.value(QStringLiteral("copy-to-server")), *server);
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
        QCommandLineParser options;
        addOptions(options);
        options.process(app);
        return copyToServer(options);
    }
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
