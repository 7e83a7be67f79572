#include "AviWriter.h"

#include <QtEndian>

namespace {

void putU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void putU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

QByteArray chunk(const char *id, const QByteArray &body)
{
    QByteArray out(id, 4);
    putU32(out, quint32(body.size()));
    out.append(body);
    if (body.size() % 2)
        out.append('\0');
    return out;
}

QByteArray list(const char *type, const QByteArray &content)
{
    return chunk("LIST", QByteArray(type, 4) + content);
}

// Rows bottom-up, each padded to four bytes, as a DIB stores them.
QByteArray uncompressedBits(const QImage &frame)
{
    const bool paletted = frame.format() == QImage::Format_Indexed8;
    const QImage source = paletted ? frame : frame.convertToFormat(QImage::Format_RGB888);
    const int bytesPerRow = paletted ? frame.width() : frame.width() * 3;
    const int stride = (bytesPerRow + 3) / 4 * 4;
    QByteArray bits;
    bits.reserve(qsizetype(stride) * frame.height());
    for (int y = frame.height() - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const char *>(source.constScanLine(y));
        if (paletted) {
            bits.append(line, bytesPerRow);
        } else {
            for (int x = 0; x < frame.width(); ++x) {
                bits.append(line[x * 3 + 2]);
                bits.append(line[x * 3 + 1]);
                bits.append(line[x * 3]);
            }
        }
        bits.append(stride - bytesPerRow, '\0');
    }
    return bits;
}

} // namespace

QByteArray AviWriter::encodeRle8(const QImage &indexed)
{
    QByteArray code;
    const int width = indexed.width();
    for (int y = indexed.height() - 1; y >= 0; --y) {
        const uchar *row = indexed.constScanLine(y);
        int i = 0;
        while (i < width) {
            int run = 1;
            while (i + run < width && run < 255 && row[i + run] == row[i])
                ++run;
            if (run >= 3) {
                code.append(char(run)).append(char(row[i]));
                i += run;
                continue;
            }
            // Gather pixels up to the next run of three for one absolute block.
            int end = i;
            while (end < width && end - i < 255 && !(end + 2 < width && row[end] == row[end + 1] && row[end] == row[end + 2]))
                ++end;
            const int length = end - i;
            if (length >= 3) {
                code.append('\0').append(char(length));
                code.append(reinterpret_cast<const char *>(row + i), length);
                if (length % 2)
                    code.append('\0');
            } else {
                for (int k = 0; k < length; ++k)
                    code.append(char(1)).append(char(row[i + k]));
            }
            i = end;
        }
        code.append('\0').append(char(y == 0 ? 1 : 0));
    }
    return code;
}

QByteArray AviWriter::write(const QList<QImage> &frames, int framesPerSecond, Coding coding)
{
    if (frames.isEmpty() || framesPerSecond < 1)
        return {};
    const QImage &first = frames.first();
    const bool paletted = first.format() == QImage::Format_Indexed8;
    if (coding == Coding::Rle8 && !paletted)
        return {};
    for (const QImage &frame : frames) {
        if (frame.size() != first.size() || (frame.format() == QImage::Format_Indexed8) != paletted)
            return {};
    }
    const QList<QRgb> palette = paletted ? first.colorTable() : QList<QRgb>();
    if (palette.size() > 256)
        return {};

    QList<QByteArray> coded;
    for (const QImage &frame : frames)
        coded.append(coding == Coding::Rle8 ? encodeRle8(frame) : uncompressedBits(frame));
    return assemble(first.size(), paletted ? 8 : 24, palette, coded, framesPerSecond, coding);
}

QByteArray AviWriter::assemble(QSize size, int bitCount, const QList<QRgb> &palette, const QList<QByteArray> &codedFrames,
    int framesPerSecond, Coding coding)
{
    if (codedFrames.isEmpty() || framesPerSecond < 1 || size.isEmpty())
        return {};
    const char *frameId = coding == Coding::Rle8 ? "00dc" : "00db";
    QByteArray movi;
    QByteArray index;
    quint32 largest = 0;
    for (const QByteArray &bits : codedFrames) {
        index.append(frameId, 4);
        putU32(index, 0x10); // key frame
        putU32(index, quint32(4 + movi.size()));
        putU32(index, quint32(bits.size()));
        movi.append(chunk(frameId, bits));
        largest = std::max(largest, quint32(bits.size()));
    }

    const quint32 width = quint32(size.width());
    const quint32 height = quint32(size.height());
    QByteArray avih;
    putU32(avih, quint32(1000000 / framesPerSecond));
    putU32(avih, largest * quint32(framesPerSecond));
    putU32(avih, 0);
    putU32(avih, 0x10); // has an index
    putU32(avih, quint32(codedFrames.size()));
    putU32(avih, 0);
    putU32(avih, 1);
    putU32(avih, largest);
    putU32(avih, width);
    putU32(avih, height);
    for (int i = 0; i < 4; ++i)
        putU32(avih, 0);

    QByteArray strh("vids", 4);
    strh.append(coding == Coding::Rle8 ? QByteArray("mrle", 4) : QByteArray("DIB ", 4));
    putU32(strh, 0);
    putU16(strh, 0);
    putU16(strh, 0);
    putU32(strh, 0);
    putU32(strh, 1);
    putU32(strh, quint32(framesPerSecond));
    putU32(strh, 0);
    putU32(strh, quint32(codedFrames.size()));
    putU32(strh, largest);
    putU32(strh, 0xffffffff);
    putU32(strh, 0);
    putU16(strh, 0);
    putU16(strh, 0);
    putU16(strh, quint16(width));
    putU16(strh, quint16(height));

    QByteArray strf;
    putU32(strf, 40);
    putU32(strf, width);
    putU32(strf, height);
    putU16(strf, 1);
    putU16(strf, quint16(bitCount));
    putU32(strf, coding == Coding::Rle8 ? 1 : 0);
    putU32(strf, coding == Coding::Rle8 ? 0 : quint32(codedFrames.first().size()));
    putU32(strf, 0);
    putU32(strf, 0);
    putU32(strf, quint32(palette.size()));
    putU32(strf, 0);
    for (const QRgb colour : palette) {
        strf.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour))).append('\0');
    }

    const QByteArray header = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
    const QByteArray body = QByteArray("AVI ", 4) + header + list("movi", movi) + chunk("idx1", index);
    return chunk("RIFF", body);
}
