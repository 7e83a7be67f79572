#pragma once

#include "DataFiles.h"
#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

/// Text files of lines, the format every Data file builds on: GBK, each line ended by
/// CR LF; read back from CR, LF or CR LF, in whatever encoding TextDecoding finds.
namespace LineFile {
/// Splits text into lines ending at CR, LF or CR LF; a final line break adds no line,
/// an empty line is an empty entry, empty text gives no line.
QStringList splitLines(const QString &text);
/// The bytes of a file, or a message naming it.
ReadResult<QByteArray> readBytes(const QString &path);
/// The lines of a file's bytes (TextDecoding, then splitLines); nullopt when the bytes
/// are not text (a NUL or another control character).
std::optional<QStringList> lines(QByteArrayView bytes);
/// What the teacher is told of a file that is not text; shown is how the file is named
/// (DataFiles::shown).
QString notTextMessage(const QString &shown);
/// Reads a Data file into lines (see lines); a file that is not text is refused with
/// notTextMessage.
ReadResult<QStringList> read(const DataFiles &files, const QString &name);
/// The same for a file given by its path.
ReadResult<QStringList> read(const QString &path);
/// The GBK bytes of lines, each ended by CR LF; nullopt (and the reason) when a line holds
/// a character GBK cannot store.
std::optional<QByteArray> bytesOf(const QStringList &lines, QString *error);
/// Writes lines as GBK, each ended by CR LF. Refuses (writes nothing) when a line holds a
/// character GBK cannot store. Whole or not at all (DataFiles::write).
Result write(DataFiles &files, const QString &name, const QStringList &lines);
Result write(const QString &path, const QStringList &lines);
/// Writes bytes to the file of a path as DataFolder::write does: through a locked copy
/// renamed over it, stale copies a kill left removed.
Result writeBytes(const QString &path, const QByteArray &bytes);
} // namespace LineFile
