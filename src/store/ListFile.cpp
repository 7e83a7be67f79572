#include "ListFile.h"

#include "Gbk.h"
#include "LineFile.h"
#include "StoredNames.h"
#include "TextDecoding.h"

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
    return !Gbk::decodeStrictly(line);
}

namespace {

/// A line as read: its text, or nothing when it cannot be read (it is then written back
/// as the bytes it had).
struct Line final {
    std::optional<QString> text;
    QByteArray bytes;
};

QList<Line> linesOf(const QByteArray &content)
{
    QList<Line> lines;
    const TextDecoding::Detected detected = TextDecoding::detect(content);
    if (detected.encoding == TextDecoding::Encoding::Gbk) {
        for (const QByteArray &bytes : splitLines(content)) {
            std::optional<QString> text = Gbk::decodeStrictly(bytes);
            if (text && TextDecoding::hasControlCharacters(*text))
                text.reset();
            lines << Line{std::move(text), bytes};
        }
        return lines;
    }
    // A list another program saved as UTF-8 or UTF-16 is written back as GBK; a line GBK
    // cannot store stays in UTF-8.
    for (const QString &text : LineFile::splitLines(TextDecoding::decodeAs(content, detected))) {
        const bool readable = !TextDecoding::hasControlCharacters(text);
        lines << Line{readable ? std::optional<QString>(text) : std::nullopt, text.toUtf8()};
    }
    return lines;
}

Rewrite rewrite(DataFiles &files, const QString &file, const QString &name, bool first)
{
    if (!Gbk::encode(name))
        return {Result::failure(Gbk::unencodableMessage(name)), false};
    Rewrite done;
    // One step on the server: a class another PC adds meanwhile is not lost.
    done.result = files.update(file, [&](const std::optional<QByteArray> &old) {
        return rewritten(old.value_or(QByteArray()), name, first, &done.keptUndecodable);
    });
    return done;
}
} // namespace

std::optional<QByteArray> rewritten(const QByteArray &content, const QString &name, bool putFirst, bool *keptUndecodable)
{
    const std::optional<QByteArray> encoded = Gbk::encode(name);
    if (!encoded)
        return std::nullopt;
    QByteArray bytes = putFirst ? *encoded + "\r\n" : QByteArray();
    for (const Line &line : linesOf(content)) {
        const std::optional<QByteArray> gbkLine = line.text ? Gbk::encode(*line.text) : std::nullopt;
        if (!gbkLine) {
            if (keptUndecodable)
                *keptUndecodable = true;
            bytes += line.bytes + "\r\n";
            continue;
        }
        // A line that differs from name only in letter case names the same tables.
        if (StoredNames::sameIgnoringCase(*line.text, name))
            continue;
        bytes += *gbkLine + "\r\n";
    }
    return bytes;
}

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
