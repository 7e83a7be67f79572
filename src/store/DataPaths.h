#pragma once

#include "Result.h"

#include <QString>

/// Every path the program reads or writes, and the one decision of where the teacher's
/// data lives. Two folders: the data folder holds Record.mdb and Data/ (passwords, lists,
/// settings, default templates); the shipped folder holds what comes with the program (the
/// clips, the manual and the Data files a new data folder is seeded from). In a program
/// folder (as built, or copied by a teacher) both are that folder. File names are plain
/// concatenations (一班 + 语文 + denglu.qs).
class DataPaths final {
public:
    /// Why the data lives where it does.
    enum class Location {
        ProgramFolder, ///< beside the executable, with the shipped files
        UserFolder,    ///< the per-user data folder: the program folder is not writable, or installed
        ChosenFolder,  ///< named by --data-folder or the DataFolder setting
    };

    /// What the decision looks at; gathered from the file system by choose().
    struct Facts {
        QString chosenFolder; ///< --data-folder or the setting; empty when neither
        bool programFolderWritable = false;
        bool programFolderHasData = false; ///< Data/ or Record.mdb beside the executable
        bool installedFilesExist = false;  ///< ../share/qingsui beside the executable's folder
    };

    /// Everything in one folder: Record.mdb, Data/, the clips and the manual.
    explicit DataPaths(QString programFolder = {});
    DataPaths(QString dataRoot, QString shippedFolder, Location location);

    /// The decision, without the file system: a chosen folder wins; an installed program
    /// (the shipped files under ../share/qingsui and no data of its own beside it) and a
    /// program folder that cannot be written use the per-user folder; otherwise the
    /// program folder, as it always was.
    static Location decide(const Facts &facts);
    /// Decides for the executable in executableFolder. userFolder is the per-user data
    /// folder (empty: ~/.local/share/qingsui, as QStandardPaths names it). A leading "~/"
    /// of chosenFolder is the home folder; a relative one is taken from the working folder.
    static DataPaths choose(const QString &executableFolder, const QString &chosenFolder, const QString &userFolder = {});
    /// ~/.local/share/qingsui, or what XDG_DATA_HOME says instead.
    static QString userDataFolder();
    /// The shipped folder of an installed executable: executableFolder/../share/qingsui.
    static QString installedFolder(const QString &executableFolder);

    Location location() const { return m_location; }
    /// The folder holding Record.mdb and Data/.
    QString dataRoot() const { return m_dataRoot; }
    /// The folder of the clips, the manual and the Data files new data folders start from.
    QString shippedFolder() const { return m_shippedFolder; }
    /// dataRoot/Data
    QString dataFolder() const;
    /// shippedFolder/Data: the lists and settings a new data folder or server starts with.
    QString shippedDataFolder() const;
    /// dataRoot/Data/name
    QString dataFile(const QString &name) const;
    QString databaseFile() const;
    /// A file that comes with the program: shippedFolder/name (xuan.avi, cool.avi, 使用手册.chm).
    QString programFile(const QString &name) const;
    QString selectionClipFile() const { return programFile(QStringLiteral("xuan.avi")); }
    QString bannerClipFile() const { return programFile(QStringLiteral("cool.avi")); }
    QString manualFile() const { return programFile(QStringLiteral("使用手册.chm")); }
    /// Where exported workbooks are kept: the user's documents folder (home when none).
    QString exportFolder() const;

    /// In Chinese, where the data lives, for the About box: a caption and the folder.
    QString locationCaption() const;

    /// Makes Data/ (the file dialogs start there even when the Data files are on a server);
    /// fails naming the folder.
    Result makeDataFolder() const;
    /// Makes Data/ and, for a data folder apart from the program, copies each shipped Data
    /// file that is not there yet. Never overwrites; fails naming the folder or file.
    Result prepare() const;

    QString classListFile() const { return dataFile(QStringLiteral("banji.qs")); }
    QString defaultSubjectListFile() const { return dataFile(QStringLiteral("xueke.qs")); }
    QString subjectListFile(const QString &className) const { return dataFile(className + QStringLiteral("xueke.qs")); }
    QString passwordFile(const QString &className, const QString &subject) const
    {
        return dataFile(className + subject + QStringLiteral("denglu.qs"));
    }
    QString defaultGradeSettingsFile() const { return dataFile(QStringLiteral("Moren.qs")); }
    QString gradeSettingsFile(const QString &className, const QString &subject) const
    {
        return dataFile(className + subject + QStringLiteral("Moren.qs"));
    }

private:
    QString m_dataRoot;
    QString m_shippedFolder;
    Location m_location = Location::ProgramFolder;
};
