#include "AnalysisSettingsFile.h"

#include "LineFile.h"

namespace {

bool inRange(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

int valueOf(const QStringList &lines, int index, int lowest, int highest, int fallback)
{
    bool ok = false;
    const int value = lines.value(index).trimmed().toInt(&ok);
    return ok && inRange(value, lowest, highest) ? value : fallback;
}

} // namespace

bool ScoreLines::isValid() const
{
    return inRange(fullMarks, kMinFullMarks, kMaxFullMarks) && inRange(passPercent, 1, 100) && inRange(excellentPercent, 1, 100);
}

namespace AnalysisSettingsFile {

ScoreLines read(const DataFiles &files, const QString &name)
{
    const ScoreLines defaults;
    const ReadResult<QStringList> lines = LineFile::read(files, name);
    if (!lines)
        return defaults;
    ScoreLines read;
    read.fullMarks = valueOf(*lines, 0, ScoreLines::kMinFullMarks, ScoreLines::kMaxFullMarks, defaults.fullMarks);
    read.passPercent = valueOf(*lines, 1, 1, 100, defaults.passPercent);
    read.excellentPercent = valueOf(*lines, 2, 1, 100, defaults.excellentPercent);
    return read;
}

Result write(DataFiles &files, const QString &name, const ScoreLines &lines)
{
    return LineFile::write(files, name, {QString::number(lines.fullMarks), QString::number(lines.passPercent), QString::number(lines.excellentPercent)});
}

} // namespace AnalysisSettingsFile
