#include "ProgramSettings.h"

#include "ApplicationTitle.h"

#include <QCommandLineParser>
#include <QSettings>

namespace {

const QString kDataFolderKey = QStringLiteral("DataFolder");

} // namespace

ProgramSettings ProgramSettings::read(const QStringList &arguments, const QSettings &settings)
{
    ProgramSettings read;
    read.dataFolder = settings.value(kDataFolderKey).toString().trimmed();

    QCommandLineParser parser;
    parser.setApplicationDescription(ApplicationTitle::withVersion());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("显示这段说明。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("显示版本。"));
    const QCommandLineOption dataFolder(QStringLiteral("data-folder"),
        QStringLiteral("把 Record.mdb 和 Data 文件夹保存在<文件夹>中（也可在 qingsui.conf 中设 DataFolder=）。"),
        QStringLiteral("文件夹"));
    parser.addOptions({help, version, dataFolder});

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
    if (parser.isSet(dataFolder)) {
        read.dataFolder = parser.value(dataFolder).trimmed();
        if (read.dataFolder.isEmpty()) {
            read.failed = true;
            read.message = QStringLiteral("--data-folder 后面要写一个文件夹。\n");
        }
    }
    return read;
}

ProgramSettings ProgramSettings::read(const QStringList &arguments)
{
    // On Linux the native format is an INI file named .conf under the XDG folders, with the
    // machine-wide file as the fallback of the teacher's own.
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qingsui"), QStringLiteral("qingsui"));
    return read(arguments, settings);
}
