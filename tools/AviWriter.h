#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

/// Writes frames as a RIFF AVI clip of the kind the animation control plays: 8-bit
/// paletted frames, uncompressed or RLE8, or uncompressed 24-bit frames.
class AviWriter final {
public:
    enum class Coding {
        Uncompressed,
        Rle8
    };

    /// All frames share the first one's size. Indexed8 frames are written 8-bit with the
    /// first frame's colour table; other formats 24-bit, which only Uncompressed allows.
    /// Returns an empty array for frames it cannot write.
    static QByteArray write(const QList<QImage> &frames, int framesPerSecond, Coding coding);

    /// The RLE8 code of one Indexed8 picture, rows from the bottom, ending the bitmap.
    static QByteArray encodeRle8(const QImage &indexed);

    /// Wraps frames already coded (DIB rows from the bottom, or RLE8 code) in a clip of
    /// the given size; 8-bit clips carry `palette`.
    static QByteArray assemble(QSize size, int bitCount, const QList<QRgb> &palette, const QList<QByteArray> &codedFrames,
        int framesPerSecond, Coding coding);
};
