#include "TextFiles.h"

#include "Gbk.h"
#include "LineBreaks.h"
#include "TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

std::optional<QByteArray> readBytes(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("无法读取文件“%1”：%2").arg(shown(path), file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

Result writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Result::failure(QStringLiteral("无法写入文件“%1”：%2").arg(shown(path), file.errorString()));
    return Result::success();
}

// White space as the C library's isspace() knows it, byte by byte.
bool isSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

namespace TextFiles {

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

std::optional<QStringList> readLines(const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = readBytes(path, error);
    if (!bytes)
        return std::nullopt;
    return splitLines(TextDecoding::decode(*bytes));
}

Result writeLines(const QString &path, const QStringList &lines)
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

QStringList moveToFront(QStringList lines, const QString &name)
{
    lines.removeAll(name);
    lines.prepend(name);
    return lines;
}

QStringList removeAll(QStringList lines, const QString &name)
{
    lines.removeAll(name);
    return lines;
}

} // namespace TextFiles

QStringList GradeSettings::toLines() const
{
    QStringList lines;
    for (std::size_t i = 0; i < comments.size(); ++i)
        lines << comments.at(i) << scores.at(i);
    return lines;
}

namespace SettingsFile {

std::optional<QStringList> readLines(const QString &path, QString *error)
{
    std::optional<QStringList> lines = TextFiles::readLines(path, error);
    if (lines && lines->size() > 8)
        *lines = lines->mid(0, 8);
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

Result write(const QString &path, const GradeSettings &settings)
{
    // Every value is one line, so the file always has exactly eight.
    QStringList lines = settings.toLines();
    for (QString &line : lines)
        line = LineBreaks::removed(line);
    return TextFiles::writeLines(path, lines);
}

} // namespace SettingsFile

namespace PasswordFile {

std::optional<QString> readToken(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    // A password file saved as UTF-8 by an editor holds the same word; the 14-byte limit
    // counts the bytes the word has in GBK.
    if (TextDecoding::isUtf8Text(bytes)) {
        if (const std::optional<QByteArray> gbk = Gbk::encode(TextDecoding::decode(bytes)))
            bytes = *gbk;
    }
    qsizetype start = 0;
    while (start < bytes.size() && isSpaceByte(bytes.at(start)))
        ++start;
    qsizetype end = start;
    while (end < bytes.size() && end - start < kMaxBytes && !isSpaceByte(bytes.at(end)))
        ++end;
    if (end == start)
        return std::nullopt;
    return Gbk::decode(bytes.mid(start, end - start));
}

QString refusalReason(const QString &password)
{
    if (password.isEmpty())
        return QStringLiteral("密码不能为空!");
    const std::optional<QByteArray> bytes = Gbk::encode(password);
    if (!bytes)
        return Gbk::unencodableMessage(password);
    for (const QChar c : password)
        if (c.isSpace())
            return QStringLiteral("密码不能含有空格！");
    if (bytes->size() > kMaxBytes)
        return QStringLiteral("密码不能超过14个字节（7个汉字）！");
    return {};
}

Result write(const QString &path, const QString &password)
{
    if (const QString reason = refusalReason(password); !reason.isEmpty())
        return Result::failure(reason);
    return writeBytes(path, *Gbk::encode(password));
}

} // namespace PasswordFile
