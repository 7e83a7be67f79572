#include "AviClip.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace {

constexpr int kMaxSide = 4096;
// Far beyond any clip of ours; keeps a forged header from claiming gigabytes.
constexpr qint64 kMaxDecodedPixels = 32 * 1024 * 1024;
constexpr quint32 kRgb = 0;
constexpr quint32 kRle8 = 1;

constexpr quint32 fourCc(const char (&s)[5])
{
    return quint32(uchar(s[0])) | quint32(uchar(s[1])) << 8 | quint32(uchar(s[2])) << 16 | quint32(uchar(s[3])) << 24;
}

// Reads little-endian values inside one block, refusing anything past its end.
class Reader {
public:
    explicit Reader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }
    qsizetype size() const { return m_bytes.size(); }
    bool has(qsizetype offset, qsizetype length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    std::optional<quint32> u32(qsizetype offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        return qFromLittleEndian<quint32>(m_bytes.data() + offset);
    }
    std::optional<quint16> u16(qsizetype offset) const
    {
        if (!has(offset, 2))
            return std::nullopt;
        return qFromLittleEndian<quint16>(m_bytes.data() + offset);
    }
    QByteArrayView mid(qsizetype offset, qsizetype length) const { return m_bytes.sliced(offset, length); }

private:
    QByteArrayView m_bytes;
};

struct VideoFormat {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = kRgb;
    QList<QRgb> palette;
};

struct Walk {
    int streamCount = 0;
    int videoStream = -1;
    bool inVideoStream = false;
    quint32 microSecPerFrame = 0;
    quint32 scale = 0;
    quint32 rate = 0;
    std::optional<VideoFormat> format;
    QList<QByteArrayView> frameChunks;
    // A palette change takes effect from the frame chunk that follows it.
    QList<std::pair<qsizetype, QByteArrayView>> paletteChanges;
};

std::optional<VideoFormat> readFormat(const Reader &strf)
{
    const auto headerSize = strf.u32(0);
    const auto width = strf.u32(4);
    const auto height = strf.u32(8);
    const auto bitCount = strf.u16(14);
    const auto compression = strf.u32(16);
    const auto colorsUsed = strf.u32(32);
    if (!headerSize || !width || !height || !bitCount || !compression || !colorsUsed || *headerSize < 40)
        return std::nullopt;
    VideoFormat format;
    format.width = qint32(*width);
    const qint32 signedHeight = qint32(*height);
    format.topDown = signedHeight < 0;
    format.height = signedHeight < 0 ? -signedHeight : signedHeight;
    format.bitCount = *bitCount;
    switch (*compression) {
    case kRgb:
    case fourCc("DIB "): format.compression = kRgb; break;
    case kRle8:
    case fourCc("RLE8"):
    case fourCc("RLE "):
    case fourCc("mrle"): format.compression = kRle8; break;
    default: return std::nullopt;
    }
    if (format.width < 1 || format.height < 1 || format.width > kMaxSide || format.height > kMaxSide)
        return std::nullopt;
    const bool paletted = format.bitCount == 8;
    if (!(paletted || (format.bitCount == 24 && format.compression == kRgb)))
        return std::nullopt;
    if (format.compression == kRle8 && format.topDown)
        return std::nullopt;
    if (paletted) {
        const quint32 count = *colorsUsed == 0 ? 256 : *colorsUsed;
        if (count > 256 || !strf.has(*headerSize, qsizetype(count) * 4))
            return std::nullopt;
        format.palette.resize(256, qRgb(0, 0, 0));
        for (quint32 i = 0; i < count; ++i) {
            const quint32 quad = *strf.u32(*headerSize + i * 4);
            format.palette[i] = qRgb((quad >> 16) & 0xff, (quad >> 8) & 0xff, quad & 0xff);
        }
    }
    return format;
}

int streamNumber(quint32 id)
{
    const int tens = int(id & 0xff) - '0';
    const int ones = int((id >> 8) & 0xff) - '0';
    if (tens < 0 || tens > 9 || ones < 0 || ones > 9)
        return -1;
    return tens * 10 + ones;
}

// Walks the chunks of one list body; false when a chunk claims more bytes than there are.
bool walkList(const Reader &list, quint32 listType, Walk &walk, int depth)
{
    if (depth > 8)
        return false;
    qsizetype pos = 0;
    while (pos + 8 <= list.size()) {
        const quint32 id = *list.u32(pos);
        const quint32 size = *list.u32(pos + 4);
        if (!list.has(pos + 8, size))
            return false;
        const Reader body(list.mid(pos + 8, size));
        if (id == fourCc("LIST")) {
            const auto type = body.u32(0);
            if (!type)
                return false;
            if (*type == fourCc("strl")) {
                walk.inVideoStream = false;
                ++walk.streamCount;
            }
            if (!walkList(Reader(body.mid(4, body.size() - 4)), *type, walk, depth + 1))
                return false;
        } else if (id == fourCc("avih")) {
            walk.microSecPerFrame = body.u32(0).value_or(0);
        } else if (id == fourCc("strh") && listType == fourCc("strl")) {
            if (body.u32(0).value_or(0) == fourCc("vids") && walk.videoStream < 0) {
                walk.videoStream = walk.streamCount - 1;
                walk.inVideoStream = true;
                walk.scale = body.u32(20).value_or(0);
                walk.rate = body.u32(24).value_or(0);
            }
        } else if (id == fourCc("strf") && listType == fourCc("strl")) {
            if (walk.inVideoStream && !walk.format) {
                walk.format = readFormat(body);
                if (!walk.format)
                    return false;
            }
        } else if (listType == fourCc("movi") || listType == fourCc("rec ")) {
            const quint32 kind = id >> 16;
            if (walk.videoStream >= 0 && streamNumber(id) == walk.videoStream) {
                if (kind == (fourCc("00db") >> 16) || kind == (fourCc("00dc") >> 16))
                    walk.frameChunks.append(list.mid(pos + 8, size));
                else if (kind == (fourCc("00pc") >> 16))
                    walk.paletteChanges.append({walk.frameChunks.size(), list.mid(pos + 8, size)});
            }
        }
        pos += 8 + qsizetype(size) + (size & 1);
    }
    return true;
}

bool applyPaletteChange(QByteArrayView change, QList<QRgb> &palette)
{
    const Reader reader(change);
    if (reader.size() < 4)
        return false;
    const int first = uchar(change[0]);
    const int count = change[1] == 0 ? 256 : uchar(change[1]);
    if (first + count > 256 || !reader.has(4, qsizetype(count) * 4))
        return false;
    for (int i = 0; i < count; ++i) {
        const uchar *entry = reinterpret_cast<const uchar *>(change.data()) + 4 + i * 4;
        palette[first + i] = qRgb(entry[0], entry[1], entry[2]);
    }
    return true;
}

QImage imageFromIndices(const QByteArray &indices, const VideoFormat &format)
{
    QImage image(format.width, format.height, QImage::Format_RGB32);
    const auto *src = reinterpret_cast<const uchar *>(indices.constData());
    for (int y = 0; y < format.height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < format.width; ++x)
            line[x] = format.palette[*src++];
    }
    return image;
}

bool readUncompressed(QByteArrayView bits, const VideoFormat &format, QByteArray &indices, QImage &image)
{
    const qsizetype stride = ((qsizetype(format.width) * format.bitCount + 31) / 32) * 4;
    if (bits.size() < stride * format.height)
        return false;
    const auto *data = reinterpret_cast<const uchar *>(bits.data());
    if (format.bitCount == 8) {
        for (int y = 0; y < format.height; ++y) {
            const int row = format.topDown ? y : format.height - 1 - y;
            std::copy_n(data + y * stride, format.width, indices.data() + qsizetype(row) * format.width);
        }
        image = imageFromIndices(indices, format);
        return true;
    }
    image = QImage(format.width, format.height, QImage::Format_RGB32);
    for (int y = 0; y < format.height; ++y) {
        const int row = format.topDown ? y : format.height - 1 - y;
        const uchar *src = data + y * stride;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(row));
        for (int x = 0; x < format.width; ++x, src += 3)
            line[x] = qRgb(src[2], src[1], src[0]);
    }
    return true;
}

} // namespace

bool AviClip::decodeRle8(QByteArrayView code, int width, int height, QByteArray &indices)
{
    if (width < 1 || height < 1 || indices.size() != qsizetype(width) * height)
        return false;
    const auto *data = reinterpret_cast<const uchar *>(code.data());
    const qsizetype size = code.size();
    char *out = indices.data();
    qint64 x = 0;
    qint64 y = 0;
    const auto put = [&](uchar value) {
        if (x < width && y < height)
            out[(height - 1 - y) * width + x] = char(value);
        ++x;
    };
    qsizetype i = 0;
    while (i < size) {
        if (y >= height)
            return true;
        if (i + 2 > size)
            return false;
        const uchar count = data[i];
        const uchar value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(value);
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++y;
            break;
        case 1: return true;
        case 2:
            if (i + 2 > size)
                return false;
            x += data[i];
            y += data[i + 1];
            i += 2;
            break;
        default:
            if (i + value > size)
                return false;
            for (int k = 0; k < value; ++k)
                put(data[i + k]);
            i += value + (value & 1);
            break;
        }
    }
    return true;
}

bool AviClip::load(const QByteArray &bytes)
{
    *this = AviClip();
    const Reader file(bytes);
    if (file.u32(0) != fourCc("RIFF") || file.u32(8) != fourCc("AVI "))
        return false;
    const quint32 riffSize = *file.u32(4);
    if (riffSize < 4 || !file.has(8, riffSize))
        return false;

    Walk walk;
    if (!walkList(Reader(file.mid(12, riffSize - 4)), fourCc("AVI "), walk, 0) || !walk.format || walk.frameChunks.isEmpty())
        return false;
    VideoFormat format = *walk.format;
    if (qint64(format.width) * format.height * walk.frameChunks.size() > kMaxDecodedPixels)
        return false;

    QList<QImage> frames;
    QByteArray indices(qsizetype(format.width) * format.height, '\0');
    qsizetype nextChange = 0;
    for (qsizetype n = 0; n < walk.frameChunks.size(); ++n) {
        while (nextChange < walk.paletteChanges.size() && walk.paletteChanges[nextChange].first <= n) {
            if (format.bitCount != 8 || !applyPaletteChange(walk.paletteChanges[nextChange].second, format.palette))
                return false;
            ++nextChange;
        }
        const QByteArrayView chunk = walk.frameChunks[n];
        QImage image;
        if (chunk.isEmpty()) {
            // An empty chunk repeats the frame before it.
            if (frames.isEmpty())
                return false;
            image = format.bitCount == 8 ? imageFromIndices(indices, format) : frames.last();
        } else if (format.compression == kRle8) {
            if (!decodeRle8(chunk, format.width, format.height, indices))
                return false;
            image = imageFromIndices(indices, format);
        } else if (!readUncompressed(chunk, format, indices, image)) {
            return false;
        }
        frames.append(image);
    }

    m_frames = frames;
    m_size = QSize(format.width, format.height);
    qint64 interval = 0;
    if (walk.rate > 0 && walk.scale > 0)
        interval = (qint64(walk.scale) * 1000 + walk.rate / 2) / walk.rate;
    else if (walk.microSecPerFrame > 0)
        interval = (qint64(walk.microSecPerFrame) + 500) / 1000;
    m_intervalMs = interval > 0 ? int(std::clamp<qint64>(interval, 10, 5000)) : kDefaultIntervalMs;
    return true;
}

bool AviClip::loadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *this = AviClip();
        return false;
    }
    return load(file.readAll());
}
