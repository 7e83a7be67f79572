#include "TemplateFile.h"

#include "store/Gbk.h"
#include "store/LineFile.h"
#include "store/TextDecoding.h"

#include <QFile>

#include <algorithm>

namespace TemplateFile {

namespace {
const QByteArray kCrLf("\r\n");

/// The one way template bytes become text, for the memo and the grid alike.
std::optional<QString> textOf(const QByteArray &bytes)
{
    return TextDecoding::decode(bytes);
}

/// Where a file's first bytes can be cut without cutting a character: after the last line
/// break (CR and LF are never part of a GBK or UTF-8 character), on a whole UTF-16 unit.
/// 0 when there is no such place yet.
qsizetype cutAfterLastBreak(const QByteArray &bytes)
{
    qsizetype cut = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r')) + 1;
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (utf16 && cut % 2 != 0)
        ++cut;
    return cut <= bytes.size() ? cut : 0;
}

std::optional<QByteArray> encoded(const QString &text, QString *error)
{
    std::optional<QByteArray> bytes = Gbk::encode(text);
    if (!bytes && error)
        *error = Gbk::unencodableMessage(text);
    return bytes;
}
} // namespace

std::optional<QByteArray> gridBytes(const QStringList &cells, QString *error)
{
    QByteArray bytes;
    for (int row = 0; row < kGridLines - 1; ++row) {
        if (row < cells.size()) {
            const std::optional<QByteArray> cell = encoded(cells.at(row), error);
            if (!cell)
                return std::nullopt;
            bytes += *cell;
        }
        bytes += kCrLf;
    }
    return bytes + kCrLf;
}

std::optional<QByteArray> memoBytes(const QString &text, QString *error)
{
    QString crLf = withLineFeeds(text);
    crLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return encoded(crLf, error);
}

Result write(const QString &path, const QByteArray &bytes)
{
    return LineFile::writeBytes(path, bytes);
}

std::optional<QString> readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBytes)
        return std::nullopt;
    // A device without a size (a pipe) is read no further than the limit either.
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.size() > kMaxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return textOf(bytes);
}

std::optional<QStringList> readLines(const QString &path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    // More and more of the file until its first count lines are whole in what was read.
    for (qint64 chunk = 64 * 1024;; chunk *= 2) {
        const QByteArray more = file.read(chunk);
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        bytes += more;
        const bool whole = more.isEmpty() || file.atEnd();
        const qsizetype cut = whole ? bytes.size() : cutAfterLastBreak(bytes);
        if (cut > 0 || whole) {
            const std::optional<QString> text = textOf(bytes.left(cut));
            if (!text)
                return std::nullopt;
            QStringList found = lines(*text);
            // A break that was only a byte inside a UTF-16 character leaves a part of a line.
            if (!whole && !found.isEmpty() && !text->endsWith(QLatin1Char('\n')) && !text->endsWith(QLatin1Char('\r')))
                found.removeLast();
            if (whole || found.size() >= count)
                return found.mid(0, count);
        }
        if (bytes.size() > kMaxGridBytes)
            return std::nullopt;
    }
}

std::optional<QString> readText(const DataFiles &files, const QString &name)
{
    const ReadResult<QByteArray> bytes = files.read(name);
    if (!bytes || bytes->size() > kMaxBytes)
        return std::nullopt;
    return textOf(*bytes);
}

std::optional<QStringList> readLines(const DataFiles &files, const QString &name, int count)
{
    // A default template is written by the program, a few kilobytes: read whole.
    const ReadResult<QByteArray> bytes = files.read(name);
    if (!bytes || bytes->size() > kMaxGridBytes)
        return std::nullopt;
    const std::optional<QString> text = textOf(*bytes);
    if (!text)
        return std::nullopt;
    return lines(*text).mid(0, count);
}

QStringList lines(const QString &text)
{
    return LineFile::splitLines(text);
}

QString withLineFeeds(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

} // namespace TemplateFile
