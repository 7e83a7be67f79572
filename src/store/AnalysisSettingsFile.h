#pragma once

#include "DataFiles.h"
#include "Result.h"

#include <QString>

/// What scores are measured against in a grade analysis: 满分, and the 及格 and 优秀 lines
/// as whole percentages of it. A score passes when it is at least 及格% × 满分.
struct ScoreLines final {
    static constexpr int kMinFullMarks = 10;
    static constexpr int kMaxFullMarks = 10000;
    int fullMarks = 100;
    int passPercent = 60;
    int excellentPercent = 85;

    bool operator==(const ScoreLines &) const = default;
    double passMark() const { return fullMarks * passPercent / 100.0; }
    double excellentMark() const { return fullMarks * excellentPercent / 100.0; }
    /// True when every value lies in its range (满分 10–10000, percentages 1–100).
    bool isValid() const;
};

/// The analysis settings file of a class and subject (a Data file, DataFileNames::
/// analysisSettings): three lines, 满分, 及格 and 优秀, whole numbers in decimal.
namespace AnalysisSettingsFile {
/// The settings of the file; a missing file, or a line that is missing, no whole number or
/// out of its range, gives the default of that value (100, 60, 85).
ScoreLines read(const DataFiles &files, const QString &name);
/// Writes the three lines; a message naming the file when it cannot be written.
Result write(DataFiles &files, const QString &name, const ScoreLines &lines);
} // namespace AnalysisSettingsFile
