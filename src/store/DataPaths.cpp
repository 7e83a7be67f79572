#include "DataPaths.h"

#include <QDir>

DataPaths::DataPaths(QString programFolder)
    : m_programFolder(std::move(programFolder))
{
}

QString DataPaths::dataFolder() const
{
    return programFile(QStringLiteral("Data"));
}

QString DataPaths::dataFile(const QString &name) const
{
    return QDir(dataFolder()).filePath(name);
}

QString DataPaths::programFile(const QString &name) const
{
    return QDir(m_programFolder).filePath(name);
}
