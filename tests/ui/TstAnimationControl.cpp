#include "AviWriter.h"
#include "ui/AnimationControl.h"
#include "ui/AviClip.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QImage indexedFrame(QSize size, const QList<QRgb> &palette, int seed)
{
    QImage frame(size, QImage::Format_Indexed8);
    frame.setColorTable(palette);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            frame.setPixel(x, y, uint((x * 3 + y * 5 + seed) % palette.size()));
    // A run long enough for the RLE8 coder to use encoded mode.
    for (int x = 0; x < std::min(size.width(), 6); ++x)
        frame.setPixel(x, 0, uint(seed % palette.size()));
    return frame;
}

// A clip of solid frames in the given colours, one colour per frame.
QByteArray solidClip(const QList<QRgb> &colours, int framesPerSecond)
{
    QList<QImage> frames;
    for (qsizetype i = 0; i < colours.size(); ++i) {
        QImage frame(QSize(4, 3), QImage::Format_Indexed8);
        frame.setColorTable(colours);
        frame.fill(uint(i));
        frames.append(frame);
    }
    return AviWriter::write(frames, framesPerSecond, AviWriter::Coding::Rle8);
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dir.path()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QRgb centreColour(AnimationControl &control)
{
    return control.grab().toImage().pixel(control.width() / 2, control.height() / 2) | 0xff000000;
}

const QList<QRgb> kColours = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255), qRgb(255, 251, 240), qRgb(40, 40, 40)};

} // namespace

class TstAnimationControl final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clipRoundTrips_data();
    void clipRoundTrips();
    void shippedClips_data();
    void shippedClips();
    void rle8Decode_data();
    void rle8Decode();
    void rle8FrameDrawsOverThePreviousOne();
    void uncompressedRowsStartAtTheBottom();
    void damagedClipGivesNoFrames_data();
    void damagedClipGivesNoFrames();
    void everyTruncationGivesNoFrames();
    void missingClipShowsNothing();
    void playsTheRangeInALoopAndStopsOnTheFirstFrame();
    void newClipWhilePlayingKeepsPlaying();
};

void TstAnimationControl::clipRoundTrips_data()
{
    QTest::addColumn<AviWriter::Coding>("coding");
    QTest::addColumn<bool>("paletted");
    QTest::addColumn<QSize>("size");
    QTest::newRow("8-bit uncompressed, padded rows") << AviWriter::Coding::Uncompressed << true << QSize(5, 3);
    QTest::newRow("RLE8") << AviWriter::Coding::Rle8 << true << QSize(13, 7);
    QTest::newRow("24-bit uncompressed, padded rows") << AviWriter::Coding::Uncompressed << false << QSize(7, 4);
}

void TstAnimationControl::clipRoundTrips()
{
    QFETCH(AviWriter::Coding, coding);
    QFETCH(bool, paletted);
    QFETCH(QSize, size);

    QList<QImage> frames;
    for (int n = 0; n < 3; ++n) {
        const QImage frame = indexedFrame(size, kColours, n);
        frames.append(paletted ? frame : frame.convertToFormat(QImage::Format_RGB888));
    }
    AviClip clip;
    QVERIFY(clip.load(AviWriter::write(frames, 20, coding)));
    QCOMPARE(clip.frameCount(), 3);
    QCOMPARE(clip.frameSize(), size);
    QCOMPARE(clip.frameIntervalMs(), 50);
    for (int n = 0; n < 3; ++n) {
        const QImage expected = frames[n].convertToFormat(QImage::Format_RGB32);
        const QImage decoded = clip.frames()[n].convertToFormat(QImage::Format_RGB32);
        QCOMPARE(decoded, expected);
    }
}

void TstAnimationControl::shippedClips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QSize>("size");
    QTest::newRow("selection wheel") << QStringLiteral("xuan.avi") << 32 << QSize(32, 41);
    QTest::newRow("banner") << QStringLiteral("cool.avi") << 13 << QSize(78, 49);
}

void TstAnimationControl::shippedClips()
{
    QFETCH(QString, name);
    QFETCH(int, frames);
    QFETCH(QSize, size);
    const QString folder = qEnvironmentVariable("QS_PROGRAM_DIR");
    QVERIFY2(!folder.isEmpty(), "QS_PROGRAM_DIR is not set");
    AviClip clip;
    QVERIFY2(clip.loadFile(QDir(folder).filePath(name)), qPrintable(name));
    QCOMPARE(clip.frameCount(), frames);
    QCOMPARE(clip.frameSize(), size);
    // The corners show the window's cream background, so the clip sits in it seamlessly.
    for (const QImage &frame : clip.frames())
        QCOMPARE(frame.pixel(size.width() - 1, size.height() - 1) | 0xff000000, qRgb(255, 251, 240));
}

void TstAnimationControl::rle8Decode_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("complete");

    // The bottom row comes first in the code; the expected indices start with the top row.
    QTest::newRow("runs, absolute block with padding, end of line")
        << QByteArray::fromHex("0305 0000 0003 070809 00 0001") << QSize(3, 2) << QByteArray::fromHex("070809 050505") << true;
    QTest::newRow("delta skips pixels, which keep their value")
        << QByteArray::fromHex("0101 0002 0101 0102 0001") << QSize(3, 2) << QByteArray::fromHex("eeee02 01eeee") << true;
    QTest::newRow("pixels past the row end are dropped")
        << QByteArray::fromHex("0504 0000 0203 0001") << QSize(2, 2) << QByteArray::fromHex("0303 0404") << true;
    QTest::newRow("code without end of bitmap")
        << QByteArray::fromHex("0209 0000 0208") << QSize(2, 2) << QByteArray::fromHex("0808 0909") << true;
    QTest::newRow("absolute block cut short") << QByteArray::fromHex("0005 0102") << QSize(5, 1) << QByteArray() << false;
    QTest::newRow("delta cut short") << QByteArray::fromHex("0002 01") << QSize(2, 1) << QByteArray() << false;
    QTest::newRow("half a pair") << QByteArray::fromHex("0101 03") << QSize(2, 1) << QByteArray() << false;
}

void TstAnimationControl::rle8Decode()
{
    QFETCH(QByteArray, code);
    QFETCH(QSize, size);
    QFETCH(QByteArray, expected);
    QFETCH(bool, complete);
    QByteArray indices(qsizetype(size.width()) * size.height(), char(0xee));
    QCOMPARE(AviClip::decodeRle8(code, size.width(), size.height(), indices), complete);
    if (complete)
        QCOMPARE(indices.toHex(), expected.toHex());
}

void TstAnimationControl::rle8FrameDrawsOverThePreviousOne()
{
    // The second frame only moves to the middle pixel of the top row and paints it.
    const QList<QByteArray> code = {QByteArray::fromHex("0301 0000 0301 0001"), QByteArray::fromHex("0002 0101 0102 0001")};
    AviClip clip;
    QVERIFY(clip.load(AviWriter::assemble(QSize(3, 2), 8, kColours, code, 15, AviWriter::Coding::Rle8)));
    QCOMPARE(clip.frameCount(), 2);
    const QImage second = clip.frames()[1];
    QCOMPARE(second.pixel(1, 0) | 0xff000000, kColours[2]);
    QCOMPARE(second.pixel(0, 0) | 0xff000000, kColours[1]);
    QCOMPARE(second.pixel(2, 1) | 0xff000000, kColours[1]);
}

void TstAnimationControl::uncompressedRowsStartAtTheBottom()
{
    // Two rows of two pixels, each padded to four bytes: bottom row 1 2, top row 3 4.
    const QList<QByteArray> bits = {QByteArray::fromHex("01020000 03040000")};
    AviClip clip;
    QVERIFY(clip.load(AviWriter::assemble(QSize(2, 2), 8, kColours, bits, 15, AviWriter::Coding::Uncompressed)));
    const QImage frame = clip.frames().first();
    QCOMPARE(frame.pixel(0, 0) | 0xff000000, kColours[3]);
    QCOMPARE(frame.pixel(1, 0) | 0xff000000, kColours[4]);
    QCOMPARE(frame.pixel(0, 1) | 0xff000000, kColours[1]);
}

void TstAnimationControl::damagedClipGivesNoFrames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = solidClip(kColours, 15);
    const auto patched = [&](const char *tag, qsizetype offset, quint32 value) {
        QByteArray bytes = good;
        qToLittleEndian(value, bytes.data() + offset);
        QTest::newRow(tag) << bytes;
    };
    const qsizetype strf = good.indexOf("strf") + 8;
    const qsizetype firstFrame = good.indexOf("00dc");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a clip at all, just some words");
    QTest::newRow("a wave file") << QByteArray("RIFF\x04\x00\x00\x00WAVE", 12);
    patched("RIFF size beyond the file", 4, quint32(good.size()));
    patched("chunk size beyond the file", firstFrame + 4, 0xfffffff0);
    patched("width beyond reason", strf + 4, 100000);
    patched("zero height", strf + 8, 0);
    patched("4-bit frames", strf + 14, 4);
    patched("unknown compression", strf + 16, 0x47504a4d);
    patched("palette larger than 256", strf + 32, 300);
}

void TstAnimationControl::damagedClipGivesNoFrames()
{
    QFETCH(QByteArray, bytes);
    AviClip clip;
    QVERIFY(!clip.load(bytes));
    QCOMPARE(clip.frameCount(), 0);
    QVERIFY(clip.frameSize().isEmpty());
}

void TstAnimationControl::everyTruncationGivesNoFrames()
{
    const QByteArray good = solidClip(kColours, 15);
    AviClip clip;
    for (qsizetype length = 0; length < good.size(); ++length) {
        if (clip.load(good.left(length)) || clip.frameCount() != 0)
            QFAIL(qPrintable(QStringLiteral("a clip cut at %1 bytes still gave frames").arg(length)));
    }
    QVERIFY(clip.load(good));
}

void TstAnimationControl::missingClipShowsNothing()
{
    QTemporaryDir dir;
    AnimationControl control;
    control.resize(32, 41);
    const QString garbage = writeFile(dir, QStringLiteral("xuan.avi"),
        QByteArray("RIFF\xff\xff\xff\x7f"
                   "AVI LIST",
            16));
    for (const QString &path : {QDir(dir.path()).filePath(QStringLiteral("none.avi")), garbage}) {
        control.setFileName(path);
        QCOMPARE(control.frameCount(), 0);
        QCOMPARE(control.currentFrame(), 0);
        control.play();
        QVERIFY(control.isPlaying());
        QVERIFY(!control.grab().isNull());
        control.stop();
        QVERIFY(!control.isPlaying());
    }
}

void TstAnimationControl::playsTheRangeInALoopAndStopsOnTheFirstFrame()
{
    QTemporaryDir dir;
    AnimationControl control;
    control.resize(40, 30);
    control.setFileName(writeFile(dir, QStringLiteral("clip.avi"), solidClip(kColours, 100)));
    QCOMPARE(control.frameCount(), 5);
    QCOMPARE(control.frameIntervalMs(), 10);
    QCOMPARE(control.currentFrame(), 1);
    QVERIFY(!control.isPlaying());
    QCOMPARE(centreColour(control), kColours[0]);

    // A range reaching past the clip's end ends at its last frame.
    control.setFrameRange(2, 32);
    QCOMPARE(control.currentFrame(), 2);
    QSignalSpy shown(&control, &AnimationControl::frameShown);
    control.play();
    QVERIFY(control.isPlaying());
    QTRY_VERIFY(shown.size() >= 6);
    QList<int> seen;
    for (int i = 0; i < 6; ++i)
        seen.append(shown[i].first().toInt());
    QCOMPARE(seen, (QList<int>{3, 4, 5, 2, 3, 4}));

    control.stop();
    QVERIFY(!control.isPlaying());
    QCOMPARE(control.currentFrame(), 2);
    QCOMPARE(centreColour(control), kColours[1]);
    shown.clear();
    QTest::qWait(50);
    QCOMPARE(shown.size(), 0);
}

void TstAnimationControl::newClipWhilePlayingKeepsPlaying()
{
    QTemporaryDir dir;
    AnimationControl control;
    control.play();
    control.setFileName(writeFile(dir, QStringLiteral("clip.avi"), solidClip(kColours, 100)));
    QVERIFY(control.isPlaying());
    QSignalSpy shown(&control, &AnimationControl::frameShown);
    QTRY_VERIFY(shown.size() >= 2);
}

QTEST_MAIN(TstAnimationControl)
#include "TstAnimationControl.moc"
