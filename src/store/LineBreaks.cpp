#include "LineBreaks.h"

namespace LineBreaks {

QString removed(const QString &text)
{
    QString result = text;
    result.removeIf([](QChar c) {
        switch (c.unicode()) {
        case u'\r':
        case u'\n':
        case u'\v':
        case u'\f':
        case 0x0085:
        case 0x2028:
        case 0x2029: return true;
        default: return false;
        }
    });
    return result;
}

} // namespace LineBreaks
