#include "Artwork.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

using Drawing = void (*)(QPainter &);

constexpr double kPi = 3.14159265358979323846;

/// A star of `points` tips around centre, tips at radius outer, notches at radius inner.
QPainterPath starPath(QPointF centre, int points, double inner, double outer)
{
    QPainterPath star;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = -kPi / 2 + i * kPi / points;
        const double r = i % 2 ? inner : outer;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

const QColor kOutline(70, 60, 50);

QPen outline(double width = 0.8)
{
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void arrowHead(QPainter &p, QPointF tip, double angleDegrees, double size, const QColor &colour)
{
    const double a = angleDegrees * kPi / 180;
    const QPointF back(-std::cos(a) * size, -std::sin(a) * size);
    const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + back + side);
    head.lineTo(tip + back - side);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

void pencil(QPainter &p, QPointF tip, double length)
{
    p.save();
    p.translate(tip);
    p.rotate(-45);
    p.setPen(outline(0.6));
    QPainterPath point;
    point.moveTo(0, 0);
    point.lineTo(3, -1.4);
    point.lineTo(3, 1.4);
    point.closeSubpath();
    p.setBrush(QColor(245, 215, 160));
    p.drawPath(point);
    p.setBrush(QColor(255, 196, 30));
    p.drawRect(QRectF(3, -1.4, length - 5, 2.8));
    p.setBrush(QColor(240, 120, 150));
    p.drawRect(QRectF(length - 2, -1.4, 2, 2.8));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(0.6, 0), 0.6, 0.5);
    p.restore();
}

void drawRelogin(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(QColor(90, 150, 230));
    p.drawEllipse(QPointF(6, 4.5), 3, 3);
    QPainterPath body;
    body.moveTo(1, 15);
    body.cubicTo(1, 9, 11, 9, 11, 15);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(QPen(QColor(30, 160, 70), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9.2, 8.7, 5.6, 5.6), 90 * 16, 250 * 16);
    arrowHead(p, QPointF(14.8, 9.4), -90, 2.8, QColor(30, 160, 70));
}

/// A disk in body's colour, its label and its shutter.
void disk(QPainter &p, const QColor &body, const QColor &shutter)
{
    p.setPen(outline());
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 2.5, 12, 12), 1.2, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2.5, 7, 4.5));
    p.setBrush(shutter);
    p.drawRect(QRectF(4.5, 10, 6, 4.5));
}

void drawSaveAsMaster(QPainter &p)
{
    disk(p, QColor(60, 110, 200), QColor(200, 205, 215));
    p.setPen(QPen(QColor(200, 140, 0), 0.6));
    p.setBrush(QColor(255, 205, 40));
    p.drawPath(starPath(QPointF(12.2, 3.6), 5, 1.5, 3.4));
}

void drawSaveAsDefault(QPainter &p)
{
    // A green disk with a pin: the one kept for this class and subject.
    disk(p, QColor(35, 150, 75), QColor(190, 200, 190));
    p.setPen(QPen(QColor(150, 30, 30), 0.6));
    p.setBrush(QColor(230, 50, 50));
    p.drawEllipse(QPointF(12.3, 3.6), 2.6, 2.6);
    p.setPen(QPen(QColor(150, 30, 30), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.3, 6.2), QPointF(12.3, 8.6));
}

void drawExportToExcel(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(QColor(30, 130, 70));
    p.drawRoundedRect(QRectF(1, 1.5, 11, 13), 1.2, 1.2);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.8, 4.8), QPointF(8.8, 11.2));
    p.drawLine(QPointF(8.8, 4.8), QPointF(3.8, 11.2));
    p.setPen(QPen(QColor(255, 140, 0), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 12.5), QPointF(13, 12.5));
    arrowHead(p, QPointF(15.5, 12.5), 0, 3, QColor(255, 140, 0));
}

void drawExit(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(2, 1.5, 8, 13));
    p.setBrush(QColor(255, 210, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8.2, 8.5), 0.8, 0.8);
    p.setPen(QPen(QColor(220, 40, 40), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6.5, 8), QPointF(12.5, 8));
    arrowHead(p, QPointF(15.5, 8), 0, 3.2, QColor(220, 40, 40));
}

void drawEntry(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 10, 13));
    p.setPen(QPen(QColor(120, 160, 210), 0.8));
    for (double y = 4.5; y < 13; y += 2.5)
        p.drawLine(QPointF(3.2, y), QPointF(9.8, y));
    pencil(p, QPointF(7.5, 13.5), 11);
}

void drawSort(QPainter &p)
{
    p.setPen(outline(0.6));
    const QColor bars[] = {{90, 150, 230}, {60, 120, 210}, {40, 90, 180}};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(QRectF(1.5, 2 + i * 4.5, 3 + i * 3, 3));
    }
    p.setPen(QPen(QColor(240, 130, 20), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13, 1.5), QPointF(13, 11.5));
    arrowHead(p, QPointF(13, 15), 90, 3.5, QColor(240, 130, 20));
}

void drawAnalysis(QPainter &p)
{
    p.setPen(QPen(kOutline, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setPen(outline(0.5));
    const QColor bars[] = {{120, 200, 120}, {250, 195, 40}, {90, 150, 230}};
    const double heights[] = {5, 8.5, 11};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(QRectF(3 + i * 4, 14 - heights[i], 3, heights[i]));
    }
    p.setPen(QPen(QColor(220, 60, 60), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3, 9), QPointF(7, 6.5), QPointF(10, 7.5), QPointF(14, 2.5)}));
}

void drawClear(QPainter &p)
{
    p.save();
    p.translate(8.5, 7.5);
    p.rotate(-35);
    p.setPen(outline());
    p.setBrush(QColor(245, 130, 160));
    p.drawRoundedRect(QRectF(-6, -3, 6, 6), 1, 1);
    p.setBrush(QColor(90, 150, 230));
    p.drawRoundedRect(QRectF(0, -3, 6, 6), 1, 1);
    p.restore();
    p.setPen(QPen(QColor(150, 150, 150), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1, 14.5), QPointF(9, 14.5));
    p.drawLine(QPointF(3, 12.5), QPointF(6, 12.5));
}

void drawPortrait(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(QColor(220, 165, 60));
    p.drawRect(QRectF(1, 1.5, 14, 13));
    p.setBrush(QColor(180, 225, 255));
    p.drawRect(QRectF(3, 3.5, 10, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 180));
    p.drawEllipse(QPointF(8, 7), 2, 2.2);
    p.setBrush(QColor(230, 80, 90));
    QPainterPath shoulders;
    shoulders.moveTo(4, 12.5);
    shoulders.cubicTo(4, 8.8, 12, 8.8, 12, 12.5);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

void drawRandomQuestion(QPainter &p)
{
    const QColor slices[] = {{239, 71, 111}, {255, 159, 28}, {6, 214, 160}, {58, 134, 255}};
    const QRectF disc(1.5, 2.5, 13, 13);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        p.setBrush(slices[i % 4]);
        p.drawPie(disc, i * 45 * 16, 45 * 16);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(outline());
    p.drawEllipse(disc);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 9), 2.2, 2.2);
    QPainterPath pointer;
    pointer.moveTo(5.5, 0.5);
    pointer.lineTo(10.5, 0.5);
    pointer.lineTo(8, 5);
    pointer.closeSubpath();
    p.setPen(QPen(QColor(150, 20, 20), 0.6));
    p.setBrush(QColor(230, 40, 40));
    p.drawPath(pointer);
}

void drawCommentSettings(QPainter &p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1, 1.5, 14, 9.5), 3, 3);
    QPainterPath tail;
    tail.moveTo(4, 10);
    tail.lineTo(3, 14.5);
    tail.lineTo(8, 10.5);
    tail.closeSubpath();
    p.setPen(QPen(QColor(230, 120, 20), 1));
    p.setBrush(QColor(255, 248, 225));
    p.drawPath(bubble.united(tail));
    p.setPen(Qt::NoPen);
    const QColor grades[] = {{230, 40, 40}, {255, 160, 0}, {40, 170, 80}, {50, 120, 220}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(grades[i]);
        p.drawEllipse(QPointF(3.8 + i * 2.8, 6.2), 1.1, 1.1);
    }
}

void drawModify(QPainter &p)
{
    p.setPen(outline(0.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1, 1.5, 12, 10));
    p.setPen(QPen(QColor(120, 160, 210), 0.7));
    p.drawLine(QPointF(1, 5), QPointF(13, 5));
    p.drawLine(QPointF(1, 8.3), QPointF(13, 8.3));
    p.drawLine(QPointF(5, 1.5), QPointF(5, 11.5));
    p.drawLine(QPointF(9, 1.5), QPointF(9, 11.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 235, 120));
    p.drawRect(QRectF(5.4, 5.4, 3.2, 2.5));
    pencil(p, QPointF(8.5, 8.5), 10);
}

void drawSwitch(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 160, 70), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 20 * 16, 150 * 16);
    arrowHead(p, QPointF(13.8, 9.6), 95, 3.2, QColor(30, 160, 70));
    p.setPen(QPen(QColor(50, 120, 220), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 200 * 16, 150 * 16);
    arrowHead(p, QPointF(2.2, 6.4), 275, 3.2, QColor(50, 120, 220));
}

void drawManual(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(QColor(50, 110, 200));
    p.drawRoundedRect(QRectF(2, 1, 11, 14), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 12, 9, 2.2));
    p.setPen(QPen(QColor(255, 220, 80), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.6, 3, 4.4, 4), -60 * 16, 240 * 16);
    p.drawLine(QPointF(8.6, 6.8), QPointF(7.9, 8));
    p.drawPoint(QPointF(7.9, 10));
}

void drawAbout(QPainter &p)
{
    p.setPen(outline());
    p.setBrush(QColor(50, 120, 220));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.6), 1.2, 1.2);
    p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6), 0.6, 0.6);
}

// An ear of grain on a green stem, drawn in a 16-unit square.
void drawGrainEar(QPainter &p, QPointF base, double height)
{
    const double s = height / 14;
    p.setPen(QPen(QColor(60, 140, 50), 1.1 * s, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(base);
    stem.cubicTo(base + QPointF(0.5 * s, -4 * s), base + QPointF(1.5 * s, -8 * s), base + QPointF(2.5 * s, -10 * s));
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 180, 70));
    QPainterPath leaf;
    leaf.moveTo(base + QPointF(0.3 * s, -3 * s));
    leaf.cubicTo(base + QPointF(-3 * s, -5 * s), base + QPointF(-4 * s, -7 * s), base + QPointF(-4.5 * s, -8.5 * s));
    leaf.cubicTo(base + QPointF(-2 * s, -7 * s), base + QPointF(0 * s, -5.5 * s), base + QPointF(0.6 * s, -4.2 * s));
    leaf.closeSubpath();
    p.drawPath(leaf);
    for (int i = 0; i < 5; ++i) {
        const QPointF c = base + QPointF((1.2 + i * 0.35) * s, (-6 - i * 1.6) * s);
        p.setBrush(i % 2 ? QColor(250, 195, 40) : QColor(235, 170, 20));
        p.save();
        p.translate(c);
        p.rotate(20);
        p.drawEllipse(QPointF(-1.1 * s, 0), 1.1 * s, 0.7 * s);
        p.drawEllipse(QPointF(1.1 * s, 0), 1.1 * s, 0.7 * s);
        p.restore();
    }
    p.setBrush(QColor(250, 205, 60));
    p.drawEllipse(base + QPointF(3.2 * s, -14 * s + 0.6 * s), 0.8 * s, 1.2 * s);
}

void drawWindowIcon(QPainter &p)
{
    QRadialGradient glow(QPointF(7, 6), 9);
    glow.setColorAt(0, QColor(255, 251, 240));
    glow.setColorAt(1, QColor(200, 235, 200));
    p.setPen(QPen(QColor(40, 130, 70), 0.9));
    p.setBrush(glow);
    p.drawEllipse(QRectF(0.6, 0.6, 14.8, 14.8));
    drawGrainEar(p, QPointF(6.5, 14.5), 13);
}

QPixmap render(int side, Drawing drawing)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    drawing(p);
    return pixmap;
}

QIcon drawnIcon(Drawing drawing, const QList<int> &sides)
{
    QIcon icon;
    for (const int side : sides)
        icon.addPixmap(render(side, drawing));
    return icon;
}

/// An icon drawn the first time something asks for its pixels: a window builds dozens of
/// menu and tool icons that nobody sees until a menu opens or the window shows.
class LazyIconEngine final : public QIconEngine {
public:
    LazyIconEngine(Drawing drawing, QList<int> sides)
        : m_drawing(drawing)
        , m_sides(std::move(sides))
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override { return icon().pixmap(size, mode, state); }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override { return icon().availableSizes(mode, state); }
    QIconEngine *clone() const override { return new LazyIconEngine(*this); }
    QString key() const override { return QStringLiteral("qingsui-drawn"); }

private:
    QIcon &icon()
    {
        if (m_icon.isNull())
            m_icon = drawnIcon(m_drawing, m_sides);
        return m_icon;
    }

    Drawing m_drawing;
    QList<int> m_sides;
    QIcon m_icon;
};

QIcon iconOf(Drawing drawing, std::initializer_list<int> sides)
{
    return QIcon(new LazyIconEngine(drawing, QList<int>(sides)));
}

const QHash<QString, Drawing> &menuDrawings()
{
    static const QHash<QString, Drawing> drawings = {
        {QStringLiteral("重新登录"), drawRelogin},
        {QStringLiteral("保存为母版"), drawSaveAsMaster},
        {QStringLiteral("导出至Excel"), drawExportToExcel},
        {QStringLiteral("退出"), drawExit},
        {QStringLiteral("录入"), drawEntry},
        {QStringLiteral("排序"), drawSort},
        {QStringLiteral("清除"), drawClear},
        {QStringLiteral("个性图片"), drawPortrait},
        {QStringLiteral("成绩分析"), drawAnalysis},
        {QStringLiteral("随机提问"), drawRandomQuestion},
        {QStringLiteral("评语设定"), drawCommentSettings},
        {QStringLiteral("直接修改"), drawModify},
        {QStringLiteral("切换"), drawSwitch},
        {QStringLiteral("使用手册"), drawManual},
        {QStringLiteral("关于..."), drawAbout},
    };
    return drawings;
}

const QHash<QString, Drawing> &toolDrawings()
{
    static const QHash<QString, Drawing> drawings = {
        {QStringLiteral("切换"), drawSwitch},
        {QStringLiteral("录入"), drawEntry},
        {QStringLiteral("排序"), drawSort},
        {QStringLiteral("清除"), drawClear},
        {QStringLiteral("修改"), drawModify},
        {QStringLiteral("成绩分析"), drawAnalysis},
    };
    return drawings;
}

const QHash<QString, Drawing> &panelDrawings()
{
    static const QHash<QString, Drawing> drawings = {
        {QStringLiteral("保存为默认模板"), drawSaveAsDefault},
    };
    return drawings;
}

} // namespace

namespace Artwork {

QIcon menuIcon(const QString &caption)
{
    const Drawing drawing = menuDrawings().value(caption);
    return drawing ? iconOf(drawing, {16, 32}) : QIcon();
}

QIcon toolButtonIcon(const QString &caption)
{
    const Drawing drawing = toolDrawings().value(caption);
    return drawing ? iconOf(drawing, {32, 64}) : QIcon();
}

QIcon panelIcon(const QString &hint)
{
    const Drawing drawing = panelDrawings().value(hint);
    return drawing ? iconOf(drawing, {16, 32}) : QIcon();
}

QPixmap aboutPicture()
{
    QPixmap picture(61, 57);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 57);
    sky.setColorAt(0, QColor(255, 251, 240));
    sky.setColorAt(1, QColor(215, 240, 215));
    p.setPen(QPen(QColor(40, 130, 70), 1.2));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0.6, 0.6, 59.8, 55.8), 8, 8);

    // An open book with a ripening ear of grain growing out of it.
    p.setPen(QPen(QColor(40, 80, 150), 1));
    p.setBrush(Qt::white);
    QPainterPath left;
    left.moveTo(30.5, 50);
    left.cubicTo(24, 46, 15, 46, 7, 48);
    left.lineTo(7, 36);
    left.cubicTo(15, 34, 24, 34, 30.5, 38);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(30.5, 50);
    right.cubicTo(37, 46, 46, 46, 54, 48);
    right.lineTo(54, 36);
    right.cubicTo(46, 34, 37, 34, 30.5, 38);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(150, 180, 220), 0.8));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(11, 40.5 + i * 2.6), QPointF(26, 40.5 + i * 2.6));
        p.drawLine(QPointF(35, 40.5 + i * 2.6), QPointF(50, 40.5 + i * 2.6));
    }
    drawGrainEar(p, QPointF(29, 38), 33);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 190, 0));
    p.drawPath(starPath(QPointF(49, 11), 4, 1.3, 4.5));
    p.setBrush(QColor(255, 130, 80));
    p.drawEllipse(QPointF(12, 13), 1.4, 1.4);
    return picture;
}

QIcon windowIcon()
{
    return iconOf(drawWindowIcon, {16, 24, 32, 48, 64, 128});
}

void paintProgramIcon(QPainter &painter, double side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 16.0, side / 16.0);
    drawWindowIcon(painter);
    painter.restore();
}

} // namespace Artwork
