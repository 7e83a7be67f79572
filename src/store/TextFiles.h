#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>


namespace TextFiles {
/// Splits text into lines ending at CR, LF or CR LF; a final line break adds no line,
/// an empty line is an empty entry, empty text gives no line.
QStringList splitLines(const QString &text);
/// Reads a GBK text file into lines (rules of splitLines). nullopt when it cannot be read;
/// *error then names the file.
std::optional<QStringList> readLines(const QString &path, QString *error = nullptr);
/// Writes lines as GBK, each ended by CR LF. Refuses (writes nothing) when a line holds a
/// character GBK cannot store. Writes through a temporary file so a failure leaves the old one.
Result writeLines(const QString &path, const QStringList &lines);

/// Removes every line equal to name and puts name first (list file rule).
QStringList moveToFront(QStringList lines, const QString &name);
/// Removes every line equal to name.
QStringList removeAll(QStringList lines, const QString &name);
} // namespace TextFiles

/// Scores and comments of the grades A to D, in the eight-line settings format:
/// comment A, score A, comment B, score B, ... Scores are kept as text, unchecked.
struct GradeSettings final {
    std::array<QString, 4> comments;
    std::array<QString, 4> scores;
    QStringList toLines() const;
};

namespace SettingsFile {
/// Reads up to the first eight lines. Returns the lines read (possibly fewer than eight),
/// or nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString &path, QString *error = nullptr);
/// Fills settings from lines, in order, stopping at the first missing line; returns the
/// number of lines used (8 for a complete file).
int apply(const QStringList &lines, GradeSettings &settings);
Result write(const QString &path, const GradeSettings &settings);
} // namespace SettingsFile

namespace PasswordFile {
/// The largest number of bytes a stored password can have.
inline constexpr int kMaxBytes = 14;
/// The first white-space-delimited word of the file, at most 14 bytes, decoded from GBK;
/// nullopt when the file cannot be opened or holds no word.
std::optional<QString> readToken(const QString &path);
/// Empty when the password can be stored and read back whole; otherwise the Chinese
/// message explaining why it is refused (white space, over 14 bytes, not GBK).
QString refusalReason(const QString &password);
/// Writes the password's GBK bytes with nothing before or after them.
Result write(const QString &path, const QString &password);
} // namespace PasswordFile
