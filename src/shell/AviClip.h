#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>

/// The frames of a RIFF AVI clip, decoded to images: uncompressed 8-bit paletted and
/// 24-bit frames, and RLE8-compressed frames (which may draw over the previous frame).
class AviClip final {
public:
    /// Decodes a whole clip. Returns false, and keeps no frames, when the bytes are not a
    /// readable clip of a supported kind; never reads outside the given bytes.
    bool load(const QByteArray &bytes);
    /// Reads and decodes the file; false when it is missing or unreadable.
    bool loadFile(const QString &path);

    const QList<QImage> &frames() const { return m_frames; }
    int frameCount() const { return int(m_frames.size()); }
    QSize frameSize() const { return m_size; }
    /// Time between frames from the clip's header, in milliseconds (about 15 fps if unset).
    int frameIntervalMs() const { return m_intervalMs; }

    static constexpr int kDefaultIntervalMs = 67;

private:
    QList<QImage> m_frames;
    QSize m_size;
    int m_intervalMs = kDefaultIntervalMs;
};
