#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QSize>

/// The frames of a RIFF AVI clip, decoded to images: uncompressed 8-bit paletted and
/// 24-bit frames, and RLE8-compressed frames (which may draw over the previous frame).
class AviClip final {
public:
    /// Decodes a whole clip. Returns false, and keeps no frames, when the bytes are not a
    /// complete clip of a supported kind; never reads outside the given bytes.
    bool load(const QByteArray &bytes);
    /// Reads and decodes the file; false when it is missing or unreadable.
    bool loadFile(const QString &path);

    const QList<QImage> &frames() const { return m_frames; }
    int frameCount() const { return int(m_frames.size()); }
    QSize frameSize() const { return m_size; }
    /// Time between frames from the clip's header, in milliseconds (about 15 fps if unset).
    int frameIntervalMs() const { return m_intervalMs; }

    /// Draws one RLE8-coded frame over `indices` (width × height palette indices, top row
    /// first; the code itself counts rows from the bottom). Pixels the code skips keep
    /// their value; pixels beyond the picture are dropped. False when the code breaks off
    /// in the middle of an instruction.
    static bool decodeRle8(QByteArrayView code, int width, int height, QByteArray &indices);

    static constexpr int kDefaultIntervalMs = 67;

private:
    QList<QImage> m_frames;
    QSize m_size;
    int m_intervalMs = kDefaultIntervalMs;
};
