#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

/// A bitmap file as a portrait: checked against its own header (a file cut short, a
/// picture too large to show) and decoded once, into the size the panel shows it at.
/// No widgets here.
namespace PortraitBitmap {

enum class Verdict {
    Picture,   ///< a whole bitmap, decoded
    NotBitmap, ///< no bitmap (another format, too short to hold a header, undecodable)
    Truncated, ///< a bitmap header with less picture data after it than it announces
    TooLarge,  ///< a bitmap wider or taller than kMaxSide
};

/// The longest side Qt decodes a bitmap with.
inline constexpr int kMaxSide = 16384;
/// The most a decoded picture up to kMaxSide can take; Qt's own limit of 256 MB is
/// raised to it for the read.
inline constexpr qint64 kMaxDecodedBytes = qint64(kMaxSide) * kMaxSide * 4;

struct Decoded final {
    Verdict verdict = Verdict::NotBitmap;
    QSize size;   ///< the bitmap's own size, once its header is read
    QImage image; ///< the picture stretched to the size asked for; null unless Picture
};

/// Checks bytes and decodes them, stretched to shown.
Decoded decode(const QByteArray &bytes, QSize shown);

} // namespace PortraitBitmap
