#include "DataPaths.h"

#include "DataFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kDataFolderName = QStringLiteral("Data");
const QString kDatabaseName = QStringLiteral("Record.mdb");

// The Data files the program ships; a new data folder starts with copies of them.
const QString kShippedDataFiles[]
    = {DataFileNames::classList(), DataFileNames::defaultSubjectList(), DataFileNames::defaultGradeSettings()};

QString expandHome(const QString &folder)
{
    if (folder == QStringLiteral("~"))
        return QDir::homePath();
    if (folder.startsWith(QStringLiteral("~/")))
        return QDir::home().filePath(folder.mid(2));
    return folder;
}

} // namespace

DataPaths::DataPaths(QString programFolder)
    : m_dataRoot(programFolder)
    , m_shippedFolder(std::move(programFolder))
{
}

DataPaths::DataPaths(QString dataRoot, QString shippedFolder, Location location)
    : m_dataRoot(std::move(dataRoot))
    , m_shippedFolder(std::move(shippedFolder))
    , m_location(location)
{
}

DataPaths::Location DataPaths::decide(const Facts &facts)
{
    if (!facts.chosenFolder.isEmpty())
        return Location::ChosenFolder;
    // Installed: even root, who may write /usr/bin, keeps the data out of it.
    if (facts.installedFilesExist && !facts.programFolderHasData)
        return Location::UserFolder;
    return facts.programFolderWritable ? Location::ProgramFolder : Location::UserFolder;
}

DataPaths DataPaths::choose(const QString &executableFolder, const QString &chosenFolder, const QString &userFolder)
{
    const QDir program(executableFolder);
    Facts facts;
    facts.chosenFolder = chosenFolder.trimmed();
    facts.programFolderWritable = QFileInfo(executableFolder).isWritable();
    facts.programFolderHasData = program.exists(kDataFolderName) || program.exists(kDatabaseName);
    facts.installedFilesExist = QFileInfo(installedFolder(executableFolder)).isDir();

    const Location location = decide(facts);
    const QString shipped = facts.installedFilesExist && !facts.programFolderHasData
        ? QDir::cleanPath(installedFolder(executableFolder))
        : executableFolder;
    switch (location) {
    case Location::ProgramFolder: return DataPaths(executableFolder);
    case Location::UserFolder: return DataPaths(userFolder.isEmpty() ? userDataFolder() : userFolder, shipped, location);
    case Location::ChosenFolder: break;
    }
    return DataPaths(QDir::cleanPath(QDir(expandHome(facts.chosenFolder)).absolutePath()), shipped, location);
}

QString DataPaths::userDataFolder()
{
    // Not AppDataLocation: the application name is the Chinese title with its version, and
    // a new version must find the same folder.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("qingsui"));
}

QString DataPaths::installedFolder(const QString &executableFolder)
{
    return QDir(executableFolder).filePath(QStringLiteral("../share/qingsui"));
}

QString DataPaths::dataFolder() const
{
    return QDir(m_dataRoot).filePath(kDataFolderName);
}

QString DataPaths::shippedDataFolder() const
{
    return QDir(m_shippedFolder).filePath(kDataFolderName);
}

QString DataPaths::dataFile(const QString &name) const
{
    return QDir(dataFolder()).filePath(name);
}

QString DataPaths::databaseFile() const
{
    return QDir(m_dataRoot).filePath(kDatabaseName);
}

QString DataPaths::programFile(const QString &name) const
{
    return QDir(m_shippedFolder).filePath(name);
}

QString DataPaths::exportFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString DataPaths::locationCaption() const
{
    switch (m_location) {
    case Location::ProgramFolder: return QStringLiteral("数据保存在程序文件夹：");
    case Location::UserFolder: return QStringLiteral("数据保存在个人数据文件夹：");
    case Location::ChosenFolder: break;
    }
    return QStringLiteral("数据保存在指定的数据文件夹：");
}

Result DataPaths::makeDataFolder() const
{
    if (QDir().mkpath(dataFolder()))
        return Result::success();
    return Result::failure(
        QStringLiteral("无法建立数据文件夹“%1”。请检查它所在的文件夹是否允许写入。").arg(QDir::toNativeSeparators(dataFolder())));
}

Result DataPaths::prepare() const
{
    if (Result made = makeDataFolder(); !made)
        return made;
    if (m_location == Location::ProgramFolder)
        return Result::success();
    const QString data = dataFolder();
    const QDir shipped(shippedDataFolder());
    for (const QString &name : kShippedDataFiles) {
        const QString target = dataFile(name);
        const QString source = shipped.filePath(name);
        // QFile::copy never replaces a file; a teacher's own lists and settings stay.
        if (QFileInfo::exists(target) || !QFileInfo::exists(source))
            continue;
        // Copied under another name and renamed: a start cut short never leaves half a file,
        // and a rename never replaces what another copy of the program seeded meanwhile.
        const QString part = target + QStringLiteral(".part");
        QFile::remove(part);
        bool copied = QFile::copy(source, part);
        // A copy of a read-only shipped file would stay read-only; the teacher's lists change.
        copied
            = copied && QFile::setPermissions(part, QFile::permissions(part) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        copied = copied && QFile::rename(part, target);
        if (!copied) {
            QFile::remove(part);
            if (QFileInfo::exists(target))
                continue;
            return Result::failure(QStringLiteral("无法把“%1”复制到数据文件夹“%2”。")
                                       .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(data)));
        }
    }
    return Result::success();
}
