#pragma once

#include <QString>

/// Paths of the program folder: Record.mdb and the clips beside the executable,
/// everything else in Data/. File names are plain concatenations (一班 + 语文 + denglu.qs).
class DataPaths final {
public:
    explicit DataPaths(QString programFolder = {});

    QString programFolder() const { return m_programFolder; }
    /// programFolder/Data
    QString dataFolder() const;
    /// programFolder/Data/name
    QString dataFile(const QString &name) const;
    /// programFolder/name (Record.mdb, xuan.avi, cool.avi, 使用手册.chm)
    QString programFile(const QString &name) const;
    QString databaseFile() const { return programFile(QStringLiteral("Record.mdb")); }

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
    QString m_programFolder;
};
