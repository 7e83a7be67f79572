#include "StatisticsText.h"

#include <QLocale>

namespace StatisticsText {

QString decimal(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 2) : kAbsent;
}

QString score(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', QLocale::FloatingPointShortest) : kAbsent;
}

QString percent(std::optional<double> share)
{
    return share ? QString::number(*share * 100.0, 'f', 2) + QLatin1Char('%') : kAbsent;
}

QString change(std::optional<int> places)
{
    if (!places)
        return QStringLiteral("缺考");
    return *places > 0 ? QStringLiteral("+%1").arg(*places) : QString::number(*places);
}

} // namespace StatisticsText
