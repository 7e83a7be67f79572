#include "PortraitBitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <optional>

namespace PortraitBitmap {

namespace {

constexpr qsizetype kFileHeader = 14;
constexpr quint32 kRgb = 0;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr quint32 kBitFields = 3;
constexpr quint32 kAlphaBitFields = 6;

/// What the header announces: size, bits per pixel, compression, and how many bytes of
/// picture data must follow it.
struct Header final {
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    qint64 needed = 0; ///< bytes the whole file must have
};

template<typename T> T at(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

std::optional<Header> headerOf(const QByteArray &bytes)
{
    if (!bytes.startsWith("BM") || bytes.size() < kFileHeader + 12)
        return std::nullopt;
    const quint32 dataOffset = at<quint32>(bytes, 10);
    const quint32 infoSize = at<quint32>(bytes, 14);
    Header header;
    quint32 compression = kRgb;
    quint32 dataSize = 0;
    if (infoSize == 12) {
        header.width = at<quint16>(bytes, 18);
        header.height = at<quint16>(bytes, 20);
        header.bitCount = at<quint16>(bytes, 24);
    } else if (infoSize >= 40 && bytes.size() >= kFileHeader + 40) {
        header.width = at<qint32>(bytes, 18);
        header.height = qAbs(qint64(at<qint32>(bytes, 22)));
        header.bitCount = at<quint16>(bytes, 28);
        compression = at<quint32>(bytes, 30);
        dataSize = at<quint32>(bytes, 34);
    } else {
        return std::nullopt;
    }
    if (header.width <= 0 || header.height <= 0 || header.bitCount <= 0 || header.bitCount > 32)
        return std::nullopt;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields) {
        const qint64 rowBytes = (header.bitCount * header.width + 31) / 32 * 4;
        header.needed = qint64(dataOffset) + rowBytes * header.height;
    } else if (compression == kRle8 || compression == kRle4) {
        header.needed = qint64(dataOffset) + dataSize;
    } else {
        header.needed = qint64(dataOffset);
    }
    return header;
}

QImage stretched(QImage image, QSize shown)
{
    // A very large picture is first thinned out quickly, so that the smooth stretch works
    // on a small one: smoothing a huge indexed picture would make it 32 bits first.
    if (image.width() > 2 * shown.width() || image.height() > 2 * shown.height())
        image = image.scaled(shown * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

Decoded decode(const QByteArray &bytes, QSize shown)
{
    Decoded decoded;
    const std::optional<Header> header = headerOf(bytes);
    if (!header)
        return decoded;
    decoded.size = QSize(int(std::min<qint64>(header->width, INT_MAX)), int(std::min<qint64>(header->height, INT_MAX)));
    if (bytes.size() < header->needed) {
        decoded.verdict = Verdict::Truncated;
        return decoded;
    }
    if (header->width > kMaxSide || header->height > kMaxSide) {
        decoded.verdict = Verdict::TooLarge;
        return decoded;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    // Raised for this one read (the limit is Qt's, for every reader), then put back.
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(int(kMaxDecodedBytes / (1024 * 1024)) + 1);
    const QImage image = reader.read();
    QImageReader::setAllocationLimit(limit);
    if (image.isNull())
        return decoded;
    decoded.verdict = Verdict::Picture;
    decoded.image = stretched(image, shown);
    return decoded;
}

} // namespace PortraitBitmap
