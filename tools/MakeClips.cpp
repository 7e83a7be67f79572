// Draws the two animation clips of the program folder: xuan.avi, the wheel that spins
// while a student is being picked, and cool.avi, the 青穗 banner over the toolbar.
// Usage: MakeClips <program folder>

#include "AviWriter.h"
#include "ToolMain.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace {

const QColor kCream(255, 251, 240);
constexpr double kPi = 3.14159265358979323846;

QImage blankFrame(int width, int height)
{
    QImage frame(width, height, QImage::Format_RGB32);
    frame.fill(kCream);
    return frame;
}

QPainterPath starPath(QPointF centre, double outer, double inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double angle = -kPi / 2 + i * kPi / points;
        const double radius = i % 2 ? inner : outer;
        const QPointF p(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// A wheel of eight coloured slices turning once in 32 frames, under a red pointer, with
// a question mark on its hub.
QList<QImage> wheelFrames()
{
    const QColor slices[] = {{239, 71, 111}, {255, 159, 28}, {255, 209, 102}, {6, 214, 160}, {58, 134, 255}, {131, 56, 236},
        {255, 0, 110}, {17, 178, 138}};
    QFont questionFont(QStringLiteral("Noto Sans CJK SC"));
    questionFont.setPixelSize(11);
    questionFont.setBold(true);

    QList<QImage> frames;
    const QPointF centre(16, 25);
    const double radius = 14.5;
    for (int k = 0; k < 32; ++k) {
        QImage frame = blankFrame(32, 41);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(225, 215, 190));
        p.drawEllipse(centre + QPointF(0.8, 1.0), radius, radius);

        const QRectF disc(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        const double turn = k * 360.0 / 32;
        for (int i = 0; i < 8; ++i) {
            p.setBrush(slices[i]);
            p.drawPie(disc, int((90 - turn - i * 45.0) * 16), 45 * 16);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(120, 72, 30), 1.4));
        p.drawEllipse(disc);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 160));
        for (int i = 0; i < 8; ++i) {
            const double a = (turn + i * 45.0) * kPi / 180;
            p.drawEllipse(
                QPointF(centre.x() + (radius - 2.2) * std::sin(a), centre.y() - (radius - 2.2) * std::cos(a)), 0.9, 0.9);
        }

        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(120, 72, 30), 1));
        p.drawEllipse(centre, 6, 6);
        p.setPen(QColor(214, 40, 40));
        p.setFont(questionFont);
        p.drawText(QRectF(centre.x() - 6, centre.y() - 6.5, 12, 12), Qt::AlignCenter, QStringLiteral("?"));

        QPainterPath pointer;
        pointer.moveTo(11, 1);
        pointer.lineTo(21, 1);
        pointer.lineTo(16, 12);
        pointer.closeSubpath();
        p.setPen(QPen(QColor(140, 20, 20), 1));
        p.setBrush(QColor(230, 40, 40));
        p.drawPath(pointer);
        frames.append(frame);
    }
    return frames;
}

// A green flag with 青穗 in gold waving on a pole, and two twinkling stars, in 13 frames.
QList<QImage> bannerFrames()
{
    const int flagWidth = 48;
    const int flagHeight = 28;
    QImage flat(flagWidth, flagHeight, QImage::Format_ARGB32);
    {
        flat.fill(QColor(34, 139, 84));
        QPainter p(&flat);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 210, 60), 1.5));
        p.drawRect(QRectF(1.5, 1.5, flagWidth - 3, flagHeight - 3));
        QFont font(QStringLiteral("Noto Sans CJK SC"));
        font.setPixelSize(19);
        font.setWeight(QFont::Black);
        p.setFont(font);
        p.setPen(QColor(255, 222, 60));
        p.drawText(QRectF(0, -1, flagWidth, flagHeight), Qt::AlignCenter, QStringLiteral("青穗"));
    }

    QList<QImage> frames;
    const int left = 10;
    const int top = 7;
    for (int k = 0; k < 13; ++k) {
        QImage frame = blankFrame(78, 49);
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);

        QLinearGradient wood(6, 0, 10, 0);
        wood.setColorAt(0, QColor(150, 95, 40));
        wood.setColorAt(0.5, QColor(215, 160, 90));
        wood.setColorAt(1, QColor(130, 80, 30));
        p.fillRect(QRectF(6, 5, 3.5, 42), wood);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 196, 40));
        p.drawEllipse(QPointF(7.8, 4), 3, 3);
        p.end();

        // Each column of the flag rides a wave that grows away from the pole.
        for (int x = 0; x < flagWidth; ++x) {
            const double phase = 2 * kPi * (x / 36.0 - k / 13.0);
            const double reach = double(x) / flagWidth;
            const double lift = 3.0 * std::sin(phase) * reach;
            const double light = 1.0 + 0.18 * std::cos(phase) * reach;
            for (int y = -4; y < flagHeight + 4; ++y) {
                const double sy = y - lift;
                const int y0 = int(std::floor(sy));
                const double t = sy - y0;
                double r = 0, g = 0, b = 0, a = 0;
                for (const auto &[row, w] : {std::pair{y0, 1 - t}, std::pair{y0 + 1, t}}) {
                    if (row < 0 || row >= flagHeight)
                        continue;
                    const QColor c = flat.pixelColor(x, row);
                    r += c.redF() * w;
                    g += c.greenF() * w;
                    b += c.blueF() * w;
                    a += w;
                }
                if (a <= 0.01)
                    continue;
                const QColor under = frame.pixelColor(left + x, top + y);
                const auto mix
                    = [&](double flag, double back) { return std::clamp((flag / a * light) * a + back * (1 - a), 0.0, 1.0); };
                frame.setPixelColor(left + x, top + y,
                    QColor::fromRgbF(float(mix(r, under.redF())), float(mix(g, under.greenF())), float(mix(b, under.blueF()))));
            }
        }

        QPainter q(&frame);
        q.setRenderHint(QPainter::Antialiasing);
        q.setPen(Qt::NoPen);
        const double twinkle = std::sin(kPi * k / 13);
        const double other = std::sin(kPi * ((k + 6) % 13) / 13);
        q.setBrush(QColor(255, 190, 0));
        q.drawPath(starPath(QPointF(68, 12), 3 + 5 * twinkle, 1.2 + 1.2 * twinkle, 4));
        q.setBrush(QColor(255, 120, 60));
        q.drawPath(starPath(QPointF(71, 34), 2 + 3.5 * other, 0.9 + 0.8 * other, 4));
        q.setBrush(QColor(80, 170, 255));
        q.drawEllipse(QPointF(63, 25), 0.6 + 1.2 * other, 0.6 + 1.2 * other);
        frames.append(frame);
    }
    return frames;
}

// One shared palette for all frames: every colour when there are 256 or fewer, otherwise
// the most frequent colour of each of the 256 busiest 5-bit boxes, so that large flat
// areas such as the background keep their exact colour.
QList<QImage> toPaletted(const QList<QImage> &frames)
{
    QHash<QRgb, int> counts;
    for (const QImage &frame : frames) {
        for (int y = 0; y < frame.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                ++counts[line[x] | 0xff000000];
        }
    }
    QList<QRgb> palette;
    if (counts.size() <= 256) {
        palette = counts.keys();
        std::sort(palette.begin(), palette.end());
    } else {
        struct Box {
            int total = 0;
            QRgb best = 0;
            int bestCount = 0;
        };
        QHash<int, Box> boxes;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const QRgb c = it.key();
            Box &box = boxes[(qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3)];
            box.total += it.value();
            if (it.value() > box.bestCount || (it.value() == box.bestCount && c < box.best)) {
                box.best = c;
                box.bestCount = it.value();
            }
        }
        QList<Box> ranked = boxes.values();
        std::sort(ranked.begin(), ranked.end(),
            [](const Box &a, const Box &b) { return a.total != b.total ? a.total > b.total : a.best < b.best; });
        for (qsizetype i = 0; i < std::min<qsizetype>(256, ranked.size()); ++i)
            palette.append(ranked[i].best);
    }

    QHash<QRgb, uchar> nearest;
    const auto indexOf = [&](QRgb c) {
        const auto found = nearest.constFind(c);
        if (found != nearest.cend())
            return *found;
        int bestIndex = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const int dr = qRed(c) - qRed(palette[i]);
            const int dg = qGreen(c) - qGreen(palette[i]);
            const int db = qBlue(c) - qBlue(palette[i]);
            const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                bestIndex = i;
            }
        }
        nearest.insert(c, uchar(bestIndex));
        return uchar(bestIndex);
    };

    QList<QImage> result;
    for (const QImage &frame : frames) {
        QImage indexed(frame.size(), QImage::Format_Indexed8);
        indexed.setColorTable(palette);
        for (int y = 0; y < frame.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            uchar *out = indexed.scanLine(y);
            for (int x = 0; x < frame.width(); ++x)
                out[x] = indexOf(line[x] | 0xff000000);
        }
        result.append(indexed);
    }
    return result;
}

bool writeClip(const QString &path, const QList<QImage> &frames, int framesPerSecond)
{
    const QByteArray clip = AviWriter::write(toPaletted(frames), framesPerSecond, AviWriter::Coding::Rle8);
    QFile file(path);
    if (clip.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(clip) != clip.size() || !file.flush()) {
        QTextStream(stderr) << "MakeClips: cannot write " << path << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    return runGenerator(argc, argv, "MakeClips <program folder>", [](const QDir &folder) {
        return writeClip(folder.filePath(QStringLiteral("xuan.avi")), wheelFrames(), 15)
            && writeClip(folder.filePath(QStringLiteral("cool.avi")), bannerFrames(), 10);
    });
}
