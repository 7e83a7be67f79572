#include "store/ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

} // namespace

/// The command line and the settings file, read in one place.
class TstProgramSettings final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void commandLineOverSetting_data();
    void commandLineOverSetting();
    void serverBesideDataFolder();
    void teacherFileOverMachineFile();

private:
    QTemporaryDir m_config;
};

void TstProgramSettings::initTestCase()
{
    // Before any QSettings exists: both levels of the settings file in a scratch folder.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.filePath(QStringLiteral("user")));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, m_config.filePath(QStringLiteral("system")));
}

void TstProgramSettings::commandLineOverSetting_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QString>("message");

    const QString program = QStringLiteral("qingsui");
    QTest::newRow("nothing") << QStringList{program} << QString() << QString() << false << QString();
    QTest::newRow("setting") << QStringList{program} << QStringLiteral("/srv/青穗") << QStringLiteral("/srv/青穗") << false
                             << QString();
    QTest::newRow("option over setting") << QStringList{program, QStringLiteral("--data-folder"), QStringLiteral("/tmp/共享")}
                                         << QStringLiteral("/srv/青穗") << QStringLiteral("/tmp/共享") << false << QString();
    QTest::newRow("option with =") << QStringList{program, QStringLiteral("--data-folder=/tmp/a")} << QString()
                                   << QStringLiteral("/tmp/a") << false << QString();
    QTest::newRow("option without a folder") << QStringList{program, QStringLiteral("--data-folder=")} << QString() << QString()
                                             << true << QStringLiteral("--data-folder 后面要写一个文件夹");
    QTest::newRow("unknown option") << QStringList{program, QStringLiteral("--colour")} << QString() << QString() << true
                                    << QStringLiteral("colour");
    QTest::newRow("stray argument") << QStringList{program, QStringLiteral("一班")} << QString() << QString() << true
                                    << QStringLiteral("不认识的参数：一班");
    QTest::newRow("help") << QStringList{program, QStringLiteral("--help")} << QString() << QString() << false
                          << QStringLiteral("--data-folder <文件夹>");
    QTest::newRow("server without an address") << QStringList{program, QStringLiteral("--database=")} << QString() << QString()
                                               << true << QStringLiteral("--database 后面要写服务器的地址");
    QTest::newRow("copy without a folder") << QStringList{program, QStringLiteral("--copy-to-server=")} << QString()
                                           << QString() << true << QStringLiteral("--copy-to-server 后面要写一个文件夹");
}

void TstProgramSettings::serverBesideDataFolder()
{
    // One file holds both settings; each option wins over its own setting only.
    const QTemporaryDir scratch;
    QSettings settings(scratch.filePath(QStringLiteral("qingsui.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("DataFolder"), QStringLiteral("/srv/青穗"));
    settings.setValue(QStringLiteral("database"), QStringLiteral("postgresql://teacher@school/qingsui"));
    const QString program = QStringLiteral("qingsui");

    ProgramSettings read = ProgramSettings::read({program}, settings);
    QCOMPARE(read.dataFolder, QStringLiteral("/srv/青穗"));
    QCOMPARE(read.database, QStringLiteral("postgresql://teacher@school/qingsui"));
    QVERIFY(read.copyToServer.isEmpty());

    read = ProgramSettings::read({program, QStringLiteral("--database"), QStringLiteral("postgresql://other/qs"),
                                     QStringLiteral("--copy-to-server"), QStringLiteral("/home/t/青穗")},
        settings);
    QVERIFY(!read.exitNow());
    QCOMPARE(read.dataFolder, QStringLiteral("/srv/青穗"));
    QCOMPARE(read.database, QStringLiteral("postgresql://other/qs"));
    QCOMPARE(read.copyToServer, QStringLiteral("/home/t/青穗"));
}

void TstProgramSettings::commandLineOverSetting()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, setting);
    QFETCH(QString, dataFolder);
    QFETCH(bool, failed);
    QFETCH(QString, message);

    const QTemporaryDir scratch;
    QSettings settings(scratch.filePath(QStringLiteral("qingsui.ini")), QSettings::IniFormat);
    if (!setting.isEmpty())
        settings.setValue(QStringLiteral("DataFolder"), setting);
    const ProgramSettings read = ProgramSettings::read(arguments, settings);
    QCOMPARE(read.failed, failed);
    QCOMPARE(read.exitNow(), !message.isEmpty());
    QVERIFY2(read.message.contains(message), qPrintable(read.message));
    if (!read.exitNow())
        QCOMPARE(read.dataFolder, dataFolder);
}

void TstProgramSettings::teacherFileOverMachineFile()
{
    const QStringList arguments{QStringLiteral("qingsui")};
    QCOMPARE(ProgramSettings::read(arguments).dataFolder, QString());

    // Written as a technician would, in UTF-8 under the machine's folder.
    writeFile(m_config.filePath(QStringLiteral("system/qingsui/qingsui.ini")),
        "[General]\nDataFolder=/srv/全校\ndatabase=postgresql://teacher@school/qingsui\n");
    QCOMPARE(ProgramSettings::read(arguments).dataFolder, QStringLiteral("/srv/全校"));
    QCOMPARE(ProgramSettings::read(arguments).database, QStringLiteral("postgresql://teacher@school/qingsui"));

    writeFile(m_config.filePath(QStringLiteral("user/qingsui/qingsui.ini")), "DataFolder=~/我的班级\n");
    QCOMPARE(ProgramSettings::read(arguments).dataFolder, QStringLiteral("~/我的班级"));
    QCOMPARE(ProgramSettings::read(arguments).database, QStringLiteral("postgresql://teacher@school/qingsui"));
}

QTEST_GUILESS_MAIN(TstProgramSettings)
#include "TstProgramSettings.moc"
