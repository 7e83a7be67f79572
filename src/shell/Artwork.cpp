#include "Artwork.h"

#include <QPainter>

namespace Artwork {

QIcon menuIcon(const QString &caption)
{
    return {};
}

QIcon toolButtonIcon(const QString &caption)
{
    return {};
}

QPixmap aboutPicture()
{
    QPixmap picture(61, 57);
    picture.fill(QColor(255, 251, 240));
    return picture;
}

QIcon windowIcon()
{
    return {};
}

} // namespace Artwork
