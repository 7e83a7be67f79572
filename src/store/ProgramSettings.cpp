#include "ProgramSettings.h"

#include "ApplicationTitle.h"

#include <QCommandLineParser>
#include <QSettings>

namespace {

const QString kDataFolderKey = QStringLiteral("DataFolder");
const QString kDatabaseKey = QStringLiteral("database");

// The value of an option that needs one; an empty value is a mistake named in Chinese.
bool takeValue(const QCommandLineParser &parser, const QCommandLineOption &option, const QString &what, QString &value,
    ProgramSettings &read)
{
    if (!parser.isSet(option))
        return true;
    value = parser.value(option).trimmed();
    if (!value.isEmpty())
        return true;
    read.failed = true;
    read.message = QStringLiteral("--%1 后面要写%2。\n").arg(option.names().constFirst(), what);
    return false;
}

} // namespace

ProgramSettings ProgramSettings::read(const QStringList &arguments, const QSettings &settings)
{
    ProgramSettings read;
    read.dataFolder = settings.value(kDataFolderKey).toString().trimmed();
    read.database = settings.value(kDatabaseKey).toString().trimmed();

    QCommandLineParser parser;
    parser.setApplicationDescription(ApplicationTitle::withVersion());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示这段说明。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("显示版本。"));
    const QCommandLineOption dataFolder(QStringLiteral("data-folder"),
        QStringLiteral("把 Record.mdb 和 Data 文件夹保存在<文件夹>中（也可在 qingsui.ini 中设 DataFolder=）。"),
        QStringLiteral("文件夹"));
    const QCommandLineOption database(QStringLiteral("database"),
        QStringLiteral("使用学校的数据库服务器，例如 postgresql://teacher@school-server/qingsui（也可在 qingsui.ini 中设 "
                       "database=）。"),
        QStringLiteral("URL"));
    const QCommandLineOption copyToServer(QStringLiteral("copy-to-server"),
        QStringLiteral("把<文件夹>中的 Record.mdb 和 Data 文件夹复制到数据库服务器上（不覆盖服务器上已有的班级），然后退出。"),
        QStringLiteral("文件夹"));
    parser.addOptions({help, version, dataFolder, database, copyToServer});

    if (!parser.parse(arguments)) {
        read.failed = true;
        read.message = QStringLiteral("%1\n%2").arg(parser.errorText(), parser.helpText());
        return read;
    }
    if (!parser.positionalArguments().isEmpty()) {
        read.failed = true;
        read.message
            = QStringLiteral("不认识的参数：%1\n%2").arg(parser.positionalArguments().join(QLatin1Char(' ')), parser.helpText());
        return read;
    }
    if (parser.isSet(help)) {
        read.message = parser.helpText();
        return read;
    }
    if (parser.isSet(version)) {
        read.message = ApplicationTitle::withVersion() + QLatin1Char('\n');
        return read;
    }
    const QString folder = QStringLiteral("一个文件夹");
    if (takeValue(parser, dataFolder, folder, read.dataFolder, read)
        && takeValue(parser, database, QStringLiteral("服务器的地址，例如 postgresql://teacher@school-server/qingsui"),
            read.database, read))
        takeValue(parser, copyToServer, folder, read.copyToServer, read);
    return read;
}

ProgramSettings ProgramSettings::read(const QStringList &arguments)
{
    // The INI file under the XDG folders, the machine-wide file the fallback of the
    // teacher's own.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("qingsui"), QStringLiteral("qingsui"));
    return read(arguments, settings);
}
