#include "PasswordFile.h"

#include "Gbk.h"
#include "LineFile.h"
#include "TextDecoding.h"

#include <QFile>

namespace {
// White space as the C library's isspace() knows it, byte by byte.
bool isSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

namespace PasswordFile {

std::optional<QString> readToken(const QString &path)
{
    const auto [folder, name] = DataFolder::of(path);
    return readToken(folder, name);
}

std::optional<QString> readToken(const DataFiles &files, const QString &name)
{
    const ReadResult<QByteArray> read = files.read(name);
    if (!read)
        return std::nullopt;
    QByteArray bytes = *read;
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

Result write(DataFiles &files, const QString &name, const QString &password)
{
    if (const QString reason = refusalReason(password); !reason.isEmpty())
        return Result::failure(reason);
    return files.write(name, *Gbk::encode(password));
}

Result write(const QString &path, const QString &password)
{
    auto [folder, name] = DataFolder::of(path);
    return write(folder, name, password);
}

} // namespace PasswordFile
