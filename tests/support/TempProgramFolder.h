#pragma once

#include <QString>
#include <QTemporaryDir>

/// A throw-away program folder: Data/ with the shipped list and settings files copied
/// from the built program folder (or written fresh), and no Record.mdb until opened.
class TempProgramFolder final {
public:
    TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString dataFile(const QString &name) const;
    /// Writes raw bytes to Data/name.
    void writeDataFile(const QString &name, const QByteArray &bytes) const;
    QByteArray readDataFile(const QString &name) const;
    bool hasDataFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
