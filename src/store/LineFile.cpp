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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult<QByteArray>::failure(
            QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return ReadResult<QByteArray>::success(file.readAll());
}

std::optional<QStringList> lines(QByteArrayView bytes)
{
    const std::optional<QString> text = TextDecoding::decode(bytes);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

QString notTextMessage(const QString &path)
{
    return QStringLiteral("无法读取文件“%1”：它不是文本文件（含有空字符或其他控制字符）。").arg(QDir::toNativeSeparators(path));
}

ReadResult<QStringList> read(const QString &path)
{
    const ReadResult<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return ReadResult<QStringList>::failure(bytes.error);
    std::optional<QStringList> read = lines(*bytes);
    if (!read)
        return ReadResult<QStringList>::failure(notTextMessage(path));
    return ReadResult<QStringList>::success(std::move(*read));
}

Result write(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = Gbk::encode(line);
        if (!encoded)
            return Result::failure(Gbk::unencodableMessage(line));
        bytes += *encoded;
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

Result writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Result::failure(QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return Result::success();
}

} // namespace LineFile
