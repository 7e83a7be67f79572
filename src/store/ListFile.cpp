#include "ListFile.h"

#include "Gbk.h"
#include "StoredNames.h"
#include "TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace ListFile {

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << bytes.mid(start);
    return lines;
}

bool isUndecodable(const QByteArray &line)
{
    // The decoder drops a lead byte without its second byte silently: only the round trip
    // tells whether every byte was read.
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(line);
    if (decoder.hasError())
        return true;
    const std::optional<QByteArray> again = Gbk::encode(text);
    return !again || *again != line;
}

namespace {
Rewrite rewrite(const QString &path, const QString &name, bool putFirst)
{
    const QString shown = QDir::toNativeSeparators(path);
    const std::optional<QByteArray> encoded = Gbk::encode(name);
    if (!encoded)
        return {Result::failure(Gbk::unencodableMessage(name)), false};

    QList<QByteArray> lines;
    bool utf8 = false;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return {Result::failure(QStringLiteral("无法读取文件“%1”：%2").arg(shown, file.errorString())), false};
        QByteArray content = file.readAll();
        file.close();
        utf8 = TextDecoding::isUtf8Text(content);
        if (utf8 && content.startsWith("\xEF\xBB\xBF"))
            content.remove(0, 3);
        lines = splitLines(content);
    }
    Rewrite done;
    QByteArray bytes = putFirst ? *encoded + "\r\n" : QByteArray();
    for (const QByteArray &line : std::as_const(lines)) {
        // A list saved as UTF-8 is written back as GBK; a line neither can read stays as it is.
        std::optional<QString> text;
        if (utf8)
            text = QString::fromUtf8(line);
        else if (!isUndecodable(line))
            text = Gbk::decode(line);
        const std::optional<QByteArray> gbkLine = text ? Gbk::encode(*text) : std::nullopt;
        if (!gbkLine) {
            done.keptUndecodable = true;
            bytes += line + "\r\n";
            continue;
        }
        // A line that differs from name only in letter case names the same tables.
        if (StoredNames::sameIgnoringCase(*text, name))
            continue;
        bytes += *gbkLine + "\r\n";
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        done.result = Result::failure(QStringLiteral("无法写入文件“%1”：%2").arg(shown, out.errorString()));
    return done;
}
} // namespace

Rewrite putFirst(const QString &path, const QString &name)
{
    return rewrite(path, name, true);
}

Rewrite removeAll(const QString &path, const QString &name)
{
    return rewrite(path, name, false);
}

} // namespace ListFile
