#include "SettingsFile.h"

#include "LineBreaks.h"
#include "LineFile.h"

QStringList GradeSettings::toLines() const
{
    QStringList lines;
    for (std::size_t i = 0; i < comments.size(); ++i)
        lines << comments.at(i) << scores.at(i);
    return lines;
}

namespace SettingsFile {

ReadResult<QStringList> readLines(const QString &path)
{
    const auto [folder, name] = DataFolder::of(path);
    return readLines(folder, name);
}

ReadResult<QStringList> readLines(const DataFiles &files, const QString &name)
{
    ReadResult<QStringList> lines = LineFile::read(files, name);
    if (lines && lines.value->size() > 8)
        *lines.value = lines.value->mid(0, 8);
    return lines;
}

int apply(const QStringList &lines, GradeSettings &settings)
{
    const int used = int(std::min<qsizetype>(lines.size(), 8));
    for (int i = 0; i < used; ++i) {
        if (i % 2 == 0)
            settings.comments.at(i / 2) = lines.at(i);
        else
            settings.scores.at(i / 2) = lines.at(i);
    }
    return used;
}

Result write(DataFiles &files, const QString &name, const GradeSettings &settings)
{
    // Every value is one line, so the file always has exactly eight.
    QStringList lines = settings.toLines();
    for (QString &line : lines)
        line = LineBreaks::removed(line);
    return LineFile::write(files, name, lines);
}

Result write(const QString &path, const GradeSettings &settings)
{
    auto [folder, name] = DataFolder::of(path);
    return write(folder, name, settings);
}

} // namespace SettingsFile
