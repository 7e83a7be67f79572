// Writes the data files shipped in Data/: the empty class list, the default subject list
// and the default grade settings, all GBK with CR LF line ends.

#include "store/LineFile.h"
#include "store/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: MakeDataFiles <Data folder>\n";
        return 2;
    }
    const QDir data(arguments.at(1));
    if (!data.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << data.path() << '\n';
        return 1;
    }

    const QStringList subjects{QStringLiteral("语文"), QStringLiteral("数学"), QStringLiteral("英语"), QStringLiteral("物理"),
        QStringLiteral("化学"), QStringLiteral("生物"), QStringLiteral("政治"), QStringLiteral("历史"), QStringLiteral("地理"),
        QStringLiteral("音乐"), QStringLiteral("美术"), QStringLiteral("体育"), QStringLiteral("信息技术")};
    GradeSettings settings;
    settings.comments = {QStringLiteral("回答完全正确，太棒了！"), QStringLiteral("回答正确，很好！"),
        QStringLiteral("基本正确，继续努力！"), QStringLiteral("答错了，没关系，再想想！")};
    settings.scores = {QStringLiteral("10"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("0")};

    for (const Result &result : {LineFile::write(data.filePath(QStringLiteral("banji.qs")), {}),
             LineFile::write(data.filePath(QStringLiteral("xueke.qs")), subjects),
             SettingsFile::write(data.filePath(QStringLiteral("Moren.qs")), settings)}) {
        if (!result) {
            QTextStream(stderr) << result.error << '\n';
            return 1;
        }
    }
    return 0;
}
