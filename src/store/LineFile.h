#pragma once

#include "DataFiles.h"
#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Text files of lines, the format every Data file builds on: GBK, each line ended by
/// CR LF; read back from CR, LF or CR LF, and from UTF-8 written by other programs.
namespace LineFile {
/// Splits text into lines ending at CR, LF or CR LF; a final line break adds no line,
/// an empty line is an empty entry, empty text gives no line.
QStringList splitLines(const QString &text);
/// The bytes of a file, or a message naming it.
ReadResult<QByteArray> readBytes(const QString &path);
/// Reads a text file into lines (rules of splitLines): valid UTF-8 that is not plain ASCII
/// as UTF-8, anything else as GBK.
ReadResult<QStringList> read(const QString &path);
ReadResult<QStringList> read(const DataFiles &files, const QString &name);
/// The GBK bytes of lines, each ended by CR LF; nullopt (and the reason) when a line holds
/// a character GBK cannot store.
std::optional<QByteArray> bytesOf(const QStringList &lines, QString *error);
/// Writes lines as GBK, each ended by CR LF. Refuses (writes nothing) when a line holds a
/// character GBK cannot store. Writes through a temporary file so a failure leaves the old one.
Result write(const QString &path, const QStringList &lines);
Result write(DataFiles &files, const QString &name, const QStringList &lines);
/// Writes bytes through a temporary file renamed over the target.
Result writeBytes(const QString &path, const QByteArray &bytes);
} // namespace LineFile
