#pragma once

#include "DataFiles.h"
#include "Result.h"

#include <QString>
#include <QStringList>
#include <array>

/// Scores and comments of the grades A to D, in the eight-line settings format:
/// comment A, score A, comment B, score B, ... Scores are kept as text, unchecked.
struct GradeSettings final {
    std::array<QString, 4> comments;
    std::array<QString, 4> scores;
    QStringList toLines() const;
};

/// The grade settings files and the comment files (.qsy): eight lines.
namespace SettingsFile {
/// Reads up to the first eight lines (possibly fewer), or a message naming the file.
ReadResult<QStringList> readLines(const QString &path);
ReadResult<QStringList> readLines(const DataFiles &files, const QString &name);
/// Fills settings from lines, in order, stopping at the first missing line; returns the
/// number of lines used (8 for a complete file).
int apply(const QStringList &lines, GradeSettings &settings);
/// Writes exactly eight lines: a line break inside a value is dropped.
Result write(const QString &path, const GradeSettings &settings);
Result write(DataFiles &files, const QString &name, const GradeSettings &settings);
} // namespace SettingsFile
