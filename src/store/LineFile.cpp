#include "LineFile.h"

#include "Gbk.h"
#include "TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace LineFile {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

ReadResult<QByteArray> readBytes(const QString &path)
{
    const auto [folder, name] = DataFolder::of(path);
    return folder.read(name);
}

ReadResult<QStringList> read(const DataFiles &files, const QString &name)
{
    const ReadResult<QByteArray> bytes = files.read(name);
    if (!bytes)
        return ReadResult<QStringList>::failure(bytes.error);
    return ReadResult<QStringList>::success(splitLines(TextDecoding::decode(*bytes)));
}

ReadResult<QStringList> read(const QString &path)
{
    const auto [folder, name] = DataFolder::of(path);
    return read(folder, name);
}

std::optional<QByteArray> bytesOf(const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = Gbk::encode(line);
        if (!encoded) {
            if (error)
                *error = Gbk::unencodableMessage(line);
            return std::nullopt;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

Result write(DataFiles &files, const QString &name, const QStringList &lines)
{
    QString error;
    const std::optional<QByteArray> bytes = bytesOf(lines, &error);
    if (!bytes)
        return Result::failure(error);
    return files.write(name, *bytes);
}

Result write(const QString &path, const QStringList &lines)
{
    auto [folder, name] = DataFolder::of(path);
    return write(folder, name, lines);
}

Result writeBytes(const QString &path, const QByteArray &bytes)
{
    auto [folder, name] = DataFolder::of(path);
    return folder.write(name, bytes);
}

} // namespace LineFile
