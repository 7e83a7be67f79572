#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

/// How every reader of the Data folder's text files turns bytes into text. The files are
/// GBK; one saved by another program may be UTF-8 (with or without a byte-order mark) or
/// UTF-16 with a mark (Notepad's "Unicode"). Short GBK texts are often valid UTF-8 too
/// (郑 is D6 A3), so bytes that both can read are read in the encoding whose text looks
/// like what a teacher writes (common Chinese characters and punctuation rather than
/// stray accents and Hebrew marks), as a charset detector weighs the characters it reads:
/// validity alone decides nothing. Pure functions of the bytes.
namespace TextDecoding {

enum class Encoding {
    Gbk,
    Utf8,
    Utf16LittleEndian,
    Utf16BigEndian
};

/// The encoding bytes are read in, and the length of the byte-order mark that goes with it.
struct Detected final {
    Encoding encoding = Encoding::Gbk;
    qsizetype markSize = 0;
};

/// A mark decides (UTF-8, UTF-16 LE or BE); bytes that are not valid UTF-8 or not valid
/// GBK are the other; bytes valid in both are weighed; plain ASCII counts as GBK.
Detected detect(QByteArrayView bytes);
/// The bytes after the mark read in the detected encoding, control characters and all.
QString decodeAs(QByteArrayView bytes, const Detected &detected);
/// The text of the bytes, without a byte-order mark; nullopt when they are not text: a
/// NUL or another control character than tab, line feed and carriage return.
std::optional<QString> decode(QByteArrayView bytes);
/// True when text holds a control character other than tab, line feed and carriage return
/// (C0, DEL or C1).
bool hasControlCharacters(QStringView text);

} // namespace TextDecoding
