#include "NumberText.h"

#include <limits>

namespace NumberText {

QString folded(const QString &text)
{
    // The full-width block U+FF01..U+FF5E mirrors ASCII 0x21..0x7E; U+3000 is the
    // ideographic space. Nothing else is folded: ² or ① are not digits a teacher types.
    QString plain = text;
    for (QChar &c : plain) {
        const char16_t code = c.unicode();
        if (code >= 0xFF01 && code <= 0xFF5E)
            c = QChar(char16_t(code - 0xFF01 + 0x21));
        else if (code == 0x3000)
            c = QLatin1Char(' ');
    }
    return plain.trimmed();
}

std::optional<int> toInt32(const QString &text)
{
    bool ok = false;
    const qlonglong number = folded(text).toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

std::optional<double> toReal(const QString &text)
{
    bool ok = false;
    const double number = folded(text).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace NumberText
