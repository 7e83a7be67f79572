#include "store/DataPaths.h"
#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(DataPaths::Location)

namespace {

using Location = DataPaths::Location;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

/// An unpacked package: usr/bin/qingsui and the shipped files under usr/share/qingsui.
struct InstalledTree {
    QTemporaryDir root;
    QString bin() const { return root.filePath(QStringLiteral("usr/bin")); }
    QString share() const { return root.filePath(QStringLiteral("usr/share/qingsui")); }
    InstalledTree()
    {
        writeFile(root.filePath(QStringLiteral("usr/bin/qingsui")), "program");
        writeFile(share() + QStringLiteral("/Data/banji.qs"), "");
        writeFile(share() + QStringLiteral("/Data/xueke.qs"), "\xd3\xef\xce\xc4\r\n");
        writeFile(share() + QStringLiteral("/Data/Moren.qs"), "A\r\n10\r\n");
        writeFile(share() + QStringLiteral("/xuan.avi"), "RIFF");
    }
};

} // namespace

/// Where the data lives: the decision, the folders it gives and the seeding of a new data
/// folder from the shipped files.
class TstDataPaths final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decide_data();
    void decide();
    void programFolderKeepsEverythingBesideTheExecutable();
    void installedProgramUsesTheUserFolder();
    void chosenFolder_data();
    void chosenFolder();
    void seedingNeverOverwrites();
    void unusableDataFolderIsNamed();
};

void TstDataPaths::decide_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("hasData");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<Location>("expected");

    QTest::newRow("built or copied program folder") << QString() << true << true << false << Location::ProgramFolder;
    QTest::newRow("executable alone in a writable folder") << QString() << true << false << false << Location::ProgramFolder;
    QTest::newRow("read-only program folder") << QString() << false << true << false << Location::UserFolder;
    QTest::newRow("installed, not writable") << QString() << false << false << true << Location::UserFolder;
    QTest::newRow("installed, root may write /usr/bin") << QString() << true << false << true << Location::UserFolder;
    QTest::newRow("teacher's folder beside a share folder") << QString() << true << true << true << Location::ProgramFolder;
    QTest::newRow("chosen over a writable program folder")
        << QStringLiteral("/srv/qingsui") << true << true << false << Location::ChosenFolder;
    QTest::newRow("chosen over an installed program")
        << QStringLiteral("/srv/qingsui") << false << false << true << Location::ChosenFolder;
}

void TstDataPaths::decide()
{
    QFETCH(QString, chosen);
    QFETCH(bool, writable);
    QFETCH(bool, hasData);
    QFETCH(bool, installed);
    QFETCH(Location, expected);
    DataPaths::Facts facts;
    facts.chosenFolder = chosen;
    facts.programFolderWritable = writable;
    facts.programFolderHasData = hasData;
    facts.installedFilesExist = installed;
    QCOMPARE(DataPaths::decide(facts), expected);
}

void TstDataPaths::programFolderKeepsEverythingBesideTheExecutable()
{
    QTemporaryDir program;
    writeFile(program.filePath(QStringLiteral("Data/banji.qs")), "");
    const QTemporaryDir user;
    const DataPaths paths = DataPaths::choose(program.path(), {}, user.filePath(QStringLiteral("qingsui")));

    QCOMPARE(paths.location(), Location::ProgramFolder);
    QCOMPARE(paths.databaseFile(), program.filePath(QStringLiteral("Record.mdb")));
    QCOMPARE(paths.dataFile(QStringLiteral("banji.qs")), program.filePath(QStringLiteral("Data/banji.qs")));
    QCOMPARE(paths.selectionClipFile(), program.filePath(QStringLiteral("xuan.avi")));
    QCOMPARE(paths.manualFile(), program.filePath(QStringLiteral("使用手册.chm")));
    QVERIFY(paths.prepare());
    QVERIFY(!QFileInfo::exists(user.filePath(QStringLiteral("qingsui"))));
}

void TstDataPaths::installedProgramUsesTheUserFolder()
{
    const InstalledTree tree;
    const QTemporaryDir home;
    const QString user = home.filePath(QStringLiteral(".local/share/qingsui"));
    const DataPaths paths = DataPaths::choose(tree.bin(), {}, user);

    QCOMPARE(paths.location(), Location::UserFolder);
    QCOMPARE(paths.dataRoot(), user);
    QCOMPARE(paths.shippedFolder(), tree.share());
    QCOMPARE(paths.databaseFile(), user + QStringLiteral("/Record.mdb"));
    QCOMPARE(
        paths.passwordFile(QStringLiteral("一班"), QStringLiteral("语文")), user + QStringLiteral("/Data/一班语文denglu.qs"));
    QCOMPARE(paths.selectionClipFile(), tree.share() + QStringLiteral("/xuan.avi"));
    QCOMPARE(paths.manualFile(), tree.share() + QStringLiteral("/使用手册.chm"));

    QVERIFY(paths.prepare());
    for (const QString &name : {QStringLiteral("banji.qs"), QStringLiteral("xueke.qs"), QStringLiteral("Moren.qs")})
        QCOMPARE(readFile(paths.dataFile(name)), readFile(tree.share() + QStringLiteral("/Data/") + name));
    QCOMPARE(QDir(tree.share()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
    QVERIFY(!QFileInfo::exists(tree.bin() + QStringLiteral("/Data")));
}

void TstDataPaths::chosenFolder_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("absolute") << QStringLiteral("/srv/qingsui/一年级/") << QStringLiteral("/srv/qingsui/一年级");
    QTest::newRow("home") << QStringLiteral("~/青穗数据") << QDir::home().filePath(QStringLiteral("青穗数据"));
    QTest::newRow("relative to the working folder")
        << QStringLiteral("shared/../共享") << QDir::current().filePath(QStringLiteral("共享"));
}

void TstDataPaths::chosenFolder()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    const InstalledTree tree;
    const DataPaths paths = DataPaths::choose(tree.bin(), chosen, QStringLiteral("/nowhere"));
    QCOMPARE(paths.location(), Location::ChosenFolder);
    QCOMPARE(paths.dataRoot(), expected);
    QCOMPARE(paths.databaseFile(), expected + QStringLiteral("/Record.mdb"));
    QCOMPARE(paths.shippedFolder(), tree.share());
}

void TstDataPaths::seedingNeverOverwrites()
{
    const InstalledTree tree;
    // The shipped files are read-only, as installed; the teacher's copies must not be.
    for (const QString &name : {QStringLiteral("xueke.qs"), QStringLiteral("Moren.qs")})
        QFile::setPermissions(tree.share() + QStringLiteral("/Data/") + name, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QTemporaryDir user;
    const DataPaths paths(user.path(), tree.share(), Location::UserFolder);
    writeFile(paths.classListFile(), "\xd2\xbb\xb0\xe0\r\n");
    writeFile(paths.defaultGradeSettingsFile(), "own settings");

    QVERIFY(paths.prepare());
    QCOMPARE(readFile(paths.classListFile()), QByteArray("\xd2\xbb\xb0\xe0\r\n"));
    QCOMPARE(readFile(paths.defaultGradeSettingsFile()), QByteArray("own settings"));
    QCOMPARE(readFile(paths.defaultSubjectListFile()), QByteArray("\xd3\xef\xce\xc4\r\n"));
    QVERIFY(QFileInfo(paths.defaultSubjectListFile()).isWritable());
    QCOMPARE(QDir(paths.dataFolder()).entryList(QDir::Files).size(), 3);

    // A second start changes nothing either, even after the teacher edited a seeded file.
    writeFile(paths.defaultSubjectListFile(), "edited");
    QVERIFY(paths.prepare());
    QCOMPARE(readFile(paths.defaultSubjectListFile()), QByteArray("edited"));
}

void TstDataPaths::unusableDataFolderIsNamed()
{
    const QTemporaryDir scratch;
    writeFile(scratch.filePath(QStringLiteral("file")), "not a folder");
    const QString root = scratch.filePath(QStringLiteral("file/qingsui"));
    const DataPaths paths(root, scratch.path(), Location::ChosenFolder);
    const Result prepared = paths.prepare();
    QVERIFY(!prepared);
    QVERIFY2(prepared.error.contains(root + QStringLiteral("/Data")), qPrintable(prepared.error));

    Database database;
    const Result opened = database.open(paths);
    QVERIFY(!opened);
    QVERIFY2(opened.error.startsWith(QStringLiteral("数据文件夹“%1”不存在或不允许写入").arg(root)), qPrintable(opened.error));
}

QTEST_GUILESS_MAIN(TstDataPaths)
#include "TstDataPaths.moc"
