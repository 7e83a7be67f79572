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
QByteArray rewritten(
    const std::optional<QByteArray> &old, const QByteArray &encoded, const QString &name, bool putFirst, bool &keptUndecodable)
{
    QList<QByteArray> lines;
    bool utf8 = false;
    if (old) {
        QByteArray content = *old;
        utf8 = TextDecoding::isUtf8Text(content);
        if (utf8 && content.startsWith("\xEF\xBB\xBF"))
            content.remove(0, 3);
        lines = splitLines(content);
    }
    QByteArray bytes = putFirst ? encoded + "\r\n" : QByteArray();
    for (const QByteArray &line : std::as_const(lines)) {
        // A list saved as UTF-8 is written back as GBK; a line neither can read stays as it is.
        std::optional<QString> text;
        if (utf8)
            text = QString::fromUtf8(line);
        else if (!isUndecodable(line))
            text = Gbk::decode(line);
        const std::optional<QByteArray> gbkLine = text ? Gbk::encode(*text) : std::nullopt;
        if (!gbkLine) {
            keptUndecodable = true;
            bytes += line + "\r\n";
            continue;
        }
        // A line that differs from name only in letter case names the same tables.
        if (StoredNames::sameIgnoringCase(*text, name))
            continue;
        bytes += *gbkLine + "\r\n";
    }
    return bytes;
}

Rewrite rewrite(DataFiles &files, const QString &file, const QString &name, bool putFirst)
{
    const std::optional<QByteArray> encoded = Gbk::encode(name);
    if (!encoded)
        return {Result::failure(Gbk::unencodableMessage(name)), false};
    Rewrite done;
    // One step on the server: a class another PC adds meanwhile is not lost.
    done.result = files.update(file, [&](const std::optional<QByteArray> &old) -> std::optional<QByteArray> {
        return rewritten(old, *encoded, name, putFirst, done.keptUndecodable);
    });
    return done;
}
} // namespace

Rewrite putFirst(DataFiles &files, const QString &file, const QString &name)
{
    return rewrite(files, file, name, true);
}

Rewrite removeAll(DataFiles &files, const QString &file, const QString &name)
{
    return rewrite(files, file, name, false);
}

Rewrite putFirst(const QString &path, const QString &name)
{
    auto [folder, file] = DataFolder::of(path);
    return rewrite(folder, file, name, true);
}

Rewrite removeAll(const QString &path, const QString &name)
{
    auto [folder, file] = DataFolder::of(path);
    return rewrite(folder, file, name, false);
}

} // namespace ListFile
