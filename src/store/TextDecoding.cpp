#include "TextDecoding.h"

#include "Gbk.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArrayView kUtf8Mark("\xEF\xBB\xBF");
const QByteArrayView kUtf16LittleEndianMark("\xFF\xFE");
const QByteArrayView kUtf16BigEndianMark("\xFE\xFF");

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        char32_t codePoint = 0;
        char32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (i + length > size)
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = uchar(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAsciiLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

// What one character costs a reading, roughly -log of how often it stands in what a
// teacher writes, in tenths: the 3755 common characters of GB2312 level 1 cost least, the
// rarer level 2 and GBK's extension characters more, and what only a wrong reading gives
// (private-use codes, characters GBK has not, C1 controls) most. The reading that costs
// less is taken: a wrong reading of UTF-8 as GBK also pays for the extra characters it
// makes, one and a half for each. Every name of one or two GB2312 level-1 characters (and
// samples of longer ones) reads right in either encoding.
constexpr int kAsciiCost = 30;
constexpr int kLevelOneCost = 83;
constexpr int kLevelTwoCost = 110;
constexpr int kExtensionCost = 135;
constexpr int kPunctuationCost = 95;  // GB2312 rows 1 and 3: punctuation, full-width forms
constexpr int kSymbolCost = 117;      // Greek, Cyrillic, kana, pinyin letters, box drawing
constexpr int kUserDefinedCost = 160; // GBK's private-use areas
constexpr int kEuroSignCost = 140;    // GBK's one single byte above ASCII (0x80)
constexpr int kNotInGbkCost = 180;
constexpr int kBeyondBmpNotInGbkCost = 260; // an emoji, a character of the CJK extensions
constexpr int kControlCost = 300;
// é in "très", í in "Míng": an accented letter inside a word of ASCII letters. Beside one
// letter only it costs more than a common Chinese character, so that 毛A stays GBK.
constexpr int kLatinInWordCost = 70;
constexpr int kLatinBesideWordCost = 90;
// A Chinese character between two ASCII letters ("M铆ng") is rare in Chinese text.
constexpr int kHanInWordCost = 30;

int gbkCost(uchar lead, uchar trail)
{
    const bool gb2312Trail = trail >= 0xA1 && trail <= 0xFE;
    if (gb2312Trail && lead >= 0xB0 && lead <= 0xD7)
        return kLevelOneCost;
    if (gb2312Trail && lead >= 0xD8 && lead <= 0xF7)
        return kLevelTwoCost;
    if (gb2312Trail && (lead == 0xA1 || lead == 0xA3))
        return kPunctuationCost;
    if (gb2312Trail && lead >= 0xA2 && lead <= 0xA9)
        return kSymbolCost;
    if ((lead >= 0x81 && lead <= 0xA0) || (lead >= 0xAA && trail < 0xA1))
        return kExtensionCost;
    if (lead >= 0xA8 && lead <= 0xA9 && trail < 0xA1)
        return kSymbolCost;
    return kUserDefinedCost;
}

bool isGb2312Han(uchar lead, uchar trail)
{
    return lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

bool isAsciiLetterAt(QByteArrayView bytes, qsizetype i)
{
    return i >= 0 && i < bytes.size() && isAsciiLetter(char32_t(uchar(bytes[i])));
}

int gbkReadingCost(QByteArrayView bytes)
{
    int cost = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80) {
            cost += kAsciiCost;
        } else if (lead == 0x80) {
            cost += kEuroSignCost;
        } else if (i + 1 < bytes.size()) {
            const auto trail = uchar(bytes[i + 1]);
            cost += gbkCost(lead, trail);
            if (isGb2312Han(lead, trail) && isAsciiLetterAt(bytes, i - 1) && isAsciiLetterAt(bytes, i + 2))
                cost += kHanInWordCost;
            ++i;
        }
    }
    return cost;
}

int utf8ReadingCost(const QString &text)
{
    const QList<uint> codePoints = text.toUcs4();
    const auto asciiLetterAt = [&](qsizetype i) { return i >= 0 && i < codePoints.size() && isAsciiLetter(codePoints.at(i)); };
    QStringEncoder encoder("GBK");
    int cost = 0;
    for (qsizetype i = 0; i < codePoints.size(); ++i) {
        const char32_t c = codePoints.at(i);
        if (c < 0x80) {
            cost += kAsciiCost;
            continue;
        }
        if (c <= 0x9F) {
            cost += kControlCost;
            continue;
        }
        int character = c >= 0x10000 ? kBeyondBmpNotInGbkCost : kNotInGbkCost;
        const QByteArray gbk = encoder.encode(QString::fromUcs4(&c, 1));
        if (encoder.hasError() || gbk.isEmpty())
            encoder.resetState();
        else if (gbk.size() == 1)
            character = kEuroSignCost;
        else
            character = gbkCost(uchar(gbk.at(0)), uchar(gbk.at(1)));
        const bool latinLetter = c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
        if (latinLetter && asciiLetterAt(i - 1) && asciiLetterAt(i + 1))
            character = std::min(character, kLatinInWordCost);
        else if (latinLetter && (asciiLetterAt(i - 1) || asciiLetterAt(i + 1)))
            character = std::min(character, kLatinBesideWordCost);
        cost += character;
    }
    return cost;
}

} // namespace

namespace TextDecoding {

Detected detect(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Mark))
        return {Encoding::Utf8, kUtf8Mark.size()};
    if (bytes.startsWith(kUtf16LittleEndianMark))
        return {Encoding::Utf16LittleEndian, kUtf16LittleEndianMark.size()};
    if (bytes.startsWith(kUtf16BigEndianMark))
        return {Encoding::Utf16BigEndian, kUtf16BigEndianMark.size()};
    if (isAscii(bytes) || !isValidUtf8(bytes))
        return {};
    if (!Gbk::decodeStrictly(bytes))
        return {Encoding::Utf8, 0};
    // Both can read the bytes: take the reading that looks more like a teacher's text. A
    // tie stays with GBK, the files' own encoding.
    if (utf8ReadingCost(QString::fromUtf8(bytes)) < gbkReadingCost(bytes))
        return {Encoding::Utf8, 0};
    return {};
}

QString decodeAs(QByteArrayView bytes, const Detected &detected)
{
    const QByteArrayView body = bytes.sliced(std::min(detected.markSize, bytes.size()));
    switch (detected.encoding) {
    case Encoding::Gbk: return Gbk::decode(body.toByteArray());
    case Encoding::Utf8: return QString::fromUtf8(body);
    case Encoding::Utf16LittleEndian: return QStringDecoder(QStringConverter::Utf16LE).decode(body);
    case Encoding::Utf16BigEndian: return QStringDecoder(QStringConverter::Utf16BE).decode(body);
    }
    return {};
}

std::optional<QString> decode(QByteArrayView bytes)
{
    QString text = decodeAs(bytes, detect(bytes));
    if (hasControlCharacters(text))
        return std::nullopt;
    return text;
}

bool hasControlCharacters(QStringView text)
{
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\t' || code == u'\n' || code == u'\r')
            continue;
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
            return true;
    }
    return false;
}

} // namespace TextDecoding
