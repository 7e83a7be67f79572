#pragma once

#include "DataFiles.h"
#include "Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// The class and subject list files: one name a line, the latest first. Rewritten byte
/// for byte, so that a line GBK cannot decode (a list saved as UTF-8 elsewhere, say) is
/// compared and written back exactly as it stands.
namespace ListFile {

struct Rewrite final {
    Result result;
    /// The file held a line GBK cannot decode; it was kept as it was.
    bool keptUndecodable = false;
};

/// Lines of bytes ending at CR, LF or CR LF; a final line break adds no line.
QList<QByteArray> splitLines(const QByteArray &bytes);
/// True when the bytes are not all valid GBK.
bool isUndecodable(const QByteArray &line);

/// Removes every line equal to name apart from letter case, puts name first and saves the file
/// (written with CR LF, through a temporary file). A missing file becomes a list of one.
Rewrite putFirst(const QString &path, const QString &name);
Rewrite putFirst(DataFiles &files, const QString &file, const QString &name);
/// Removes every line equal to name apart from letter case and saves the file; a line
/// that cannot be read stays byte for byte.
Rewrite removeAll(const QString &path, const QString &name);
Rewrite removeAll(DataFiles &files, const QString &file, const QString &name);

} // namespace ListFile
