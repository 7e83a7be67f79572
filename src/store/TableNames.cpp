#include "TableNames.h"

#include "NameCharacters.h"

bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || NameCharacters::hasHidden(name))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|[]");
    for (const QChar c : name) {
        if (c.isSpace() || forbidden.contains(c))
            return false;
    }
    return true;
}
