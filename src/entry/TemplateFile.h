#pragma once

#include "store/DataFiles.h"
#include "store/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

/// The template file format shared by roster (.qsm), score (.qsc) and evaluation (.qsp)
/// files and the default templates: GBK text, one entry per line. No widgets here.
namespace TemplateFile {
/// The grid form has this many lines; the last one is always empty.
inline constexpr int kGridLines = 200;
/// The most the memo takes: a bigger file (a video chosen by mistake) is refused there.
inline constexpr qint64 kMaxBytes = 1024 * 1024;
/// The grid reads only the lines it holds, from a file of any size; a file whose first
/// lines run past this many bytes is no template.
inline constexpr qint64 kMaxGridBytes = 64 * 1024 * 1024;

/// Bytes of a template written from the entry grid: cells 1 to 199 (missing cells empty),
/// then one empty line, each line ended by CR LF. nullopt when a cell holds a character
/// GBK cannot store; *error then says which.
std::optional<QByteArray> gridBytes(const QStringList &cells, QString *error = nullptr);
/// Bytes of a template written from the entry memo: its text with every line break made
/// CR LF and nothing added at the end.
std::optional<QByteArray> memoBytes(const QString &text, QString *error = nullptr);

/// Writes bytes through a temporary file beside path that is renamed over it, so a failure
/// leaves an existing file as it was. The failure names the file.
Result write(const QString &path, const QByteArray &bytes);

/// Text of a template file: UTF-8 when the bytes are non-ASCII UTF-8 (with or without a
/// byte-order mark), else GBK; line breaks as they stand. nullopt when the file is missing,
/// unreadable or over kMaxBytes.
std::optional<QString> readText(const QString &path);
std::optional<QString> readText(const DataFiles &files, const QString &name);
/// The first count lines of a template file (fewer when it has fewer), read no further
/// than they go, whatever the file's size. nullopt when the file is missing or unreadable.
std::optional<QStringList> readLines(const QString &path, int count);
std::optional<QStringList> readLines(const DataFiles &files, const QString &name, int count);
/// Lines of a template text: breaks are CR LF, CR or LF; a break at the very end adds no line.
QStringList lines(const QString &text);
/// The text with every line break (CR LF, CR or LF) made a single LF, as an edit box holds it.
QString withLineFeeds(const QString &text);
} // namespace TemplateFile
