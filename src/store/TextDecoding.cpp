#include "TextDecoding.h"

#include "Gbk.h"

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes, bool *hasNonAscii)
{
    *hasNonAscii = false;
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        *hasNonAscii = true;
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

} // namespace

namespace TextDecoding {

bool isUtf8Text(const QByteArray &bytes)
{
    const bool marked = bytes.startsWith(kByteOrderMark);
    bool hasNonAscii = false;
    const QByteArrayView body = QByteArrayView(bytes).sliced(marked ? kByteOrderMark.size() : 0);
    return isValidUtf8(body, &hasNonAscii) && (marked || hasNonAscii);
}

QString decode(const QByteArray &bytes)
{
    if (!isUtf8Text(bytes))
        return Gbk::decode(bytes);
    const qsizetype start = bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    return QString::fromUtf8(QByteArrayView(bytes).sliced(start));
}

} // namespace TextDecoding
