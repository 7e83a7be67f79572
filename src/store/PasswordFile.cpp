#include "PasswordFile.h"

#include "Gbk.h"
#include "TextDecoding.h"

namespace {
// White space as the C library's isspace() knows it, byte by byte.
bool isSpaceByte(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

namespace PasswordFile {

std::optional<QString> token(QByteArrayView bytes)
{
    const TextDecoding::Detected detected = TextDecoding::detect(bytes);
    const std::optional<QString> text = TextDecoding::decode(bytes);
    if (!text)
        return std::nullopt;
    // A password file saved as UTF-8 or UTF-16 by an editor holds the same word; the
    // 14-byte limit counts the bytes the word has in GBK.
    QByteArray gbk = bytes.toByteArray();
    if (detected.encoding != TextDecoding::Encoding::Gbk)
        gbk = Gbk::encode(*text).value_or(gbk);
    qsizetype start = 0;
    while (start < gbk.size() && isSpaceByte(gbk.at(start)))
        ++start;
    qsizetype end = start;
    while (end < gbk.size() && end - start < kMaxBytes && !isSpaceByte(gbk.at(end)))
        ++end;
    if (end == start)
        return std::nullopt;
    return Gbk::decode(gbk.mid(start, end - start));
}

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
    return token(*read);
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
