#pragma once

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
/// What the teacher is told of a file that is not text.
QString notTextMessage(const QString &path);
/// Reads a text file into lines (see lines); a file that is not text is refused with
/// notTextMessage.
ReadResult<QStringList> read(const QString &path);
/// Writes lines as GBK, each ended by CR LF. Refuses (writes nothing) when a line holds a
/// character GBK cannot store. Writes through a temporary copy (see writeBytes).
Result write(const QString &path, const QStringList &lines);
/// Writes bytes into a copy beside the file, `<name>.XXXXXX.tmp`, locked while it is
/// written, and renames it over the file: a failure or a kill leaves the old file whole.
/// Copies of the same file that no running program holds locked (left by a kill) are
/// removed first.
Result writeBytes(const QString &path, const QByteArray &bytes);
} // namespace LineFile
