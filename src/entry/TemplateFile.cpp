#include "TemplateFile.h"

#include "store/Gbk.h"
#include "store/LineFile.h"
#include "store/TextDecoding.h"

#include <QFile>

namespace TemplateFile {

namespace {
const QByteArray kCrLf("\r\n");

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
    return TextDecoding::decode(bytes);
}

std::optional<QString> readText(const DataFiles &files, const QString &name)
{
    const ReadResult<QByteArray> bytes = files.read(name);
    if (!bytes || bytes->size() > kMaxBytes)
        return std::nullopt;
    return TextDecoding::decode(*bytes);
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
