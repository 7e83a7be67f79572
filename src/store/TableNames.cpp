#include "TableNames.h"

bool isSafeName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|[]");
    for (const QChar c : name) {
        if (c.isSpace() || c.category() == QChar::Other_Control || forbidden.contains(c))
            return false;
    }
    return true;
}
