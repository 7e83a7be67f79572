#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>

TempProgramFolder::TempProgramFolder()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Data"));
    // Start from the shipped data files of the built program folder.
    const QString shipped = qEnvironmentVariable("QS_PROGRAM_DIR") + QStringLiteral("/Data");
    for (const QString &name : {QStringLiteral("banji.qs"), QStringLiteral("xueke.qs"), QStringLiteral("Moren.qs")}) {
        const QString source = shipped + QLatin1Char('/') + name;
        if (QFile::exists(source))
            QFile::copy(source, dataFile(name));
    }
}

QString TempProgramFolder::dataFile(const QString &name) const
{
    return m_dir.path() + QStringLiteral("/Data/") + name;
}

void TempProgramFolder::writeDataFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(dataFile(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray TempProgramFolder::readDataFile(const QString &name) const
{
    QFile file(dataFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempProgramFolder::hasDataFile(const QString &name) const
{
    return QFile::exists(dataFile(name));
}
