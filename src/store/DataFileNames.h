#pragma once

#include <QString>

/// Names of the Data files, plain concatenations of class, subject and a fixed suffix
/// (一班 + 语文 + denglu.qs), for DataFiles.
namespace DataFileNames {
inline QString classList()
{
    return QStringLiteral("banji.qs");
}
inline QString defaultSubjectList()
{
    return QStringLiteral("xueke.qs");
}
inline QString subjectList(const QString &className)
{
    return className + QStringLiteral("xueke.qs");
}
inline QString password(const QString &className, const QString &subject)
{
    return className + subject + QStringLiteral("denglu.qs");
}
inline QString defaultGradeSettings()
{
    return QStringLiteral("Moren.qs");
}
inline QString gradeSettings(const QString &className, const QString &subject)
{
    return className + subject + QStringLiteral("Moren.qs");
}
} // namespace DataFileNames
