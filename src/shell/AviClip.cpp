#include "AviClip.h"

#include <QFile>

bool AviClip::load(const QByteArray &bytes)
{
    *this = AviClip();
    return false;
}

bool AviClip::loadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *this = AviClip();
        return false;
    }
    return load(file.readAll());
}
