// Draws the program's icon for the desktop's icon theme: PNGs of 16 to 256 pixels and a
// scalable SVG, all from the window icon's own drawing. The program carries the PNGs up
// to 128 pixels as its window icon, so that no window waits for them to be drawn.
// Usage: MakeIcons <hicolor folder>  (writes <size>x<size>/apps/qingsui.png, scalable/apps/qingsui.svg)

#include "ToolMain.h"
#include "ui/Artwork.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace {

bool writePng(const QDir &theme, int side)
{
    const QString folder = QStringLiteral("%1x%1/apps").arg(side);
    if (!theme.mkpath(folder))
        return false;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    Artwork::paintProgramIcon(painter, side);
    painter.end();
    return image.save(theme.filePath(folder + QStringLiteral("/qingsui.png")), "PNG");
}

bool writeSvg(const QDir &theme)
{
    const QString folder = QStringLiteral("scalable/apps");
    if (!theme.mkpath(folder))
        return false;
    constexpr int kSide = 256;
    QSvgGenerator svg;
    svg.setFileName(theme.filePath(folder + QStringLiteral("/qingsui.svg")));
    svg.setSize(QSize(kSide, kSide));
    svg.setViewBox(QRect(0, 0, kSide, kSide));
    svg.setTitle(QStringLiteral("青穗多媒体教学助手"));
    svg.setDescription(QStringLiteral("An ear of grain in a green circle"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    Artwork::paintProgramIcon(painter, kSide);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    return runGenerator(argc, argv, "MakeIcons <hicolor folder>", [](const QDir &theme) {
        for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
            if (!writePng(theme, side))
                return false;
        }
        return writeSvg(theme);
    });
}
