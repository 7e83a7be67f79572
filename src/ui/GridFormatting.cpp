#include "GridFormatting.h"

namespace GridFormatting {

QList<ColumnFormat> forFieldCount(int fieldCount, const QColor &toolTipBase)
{
    QList<ColumnFormat> formats;
    for (int i = 0; i < fieldCount; ++i) {
        ColumnFormat format;
        format.width = i == 0 ? kFirstColumnWidth : kColumnWidth;
        format.alignment = Qt::AlignCenter;
        format.titleBackground = kTitleBackground;
        format.background = i % 2 == 1 ? kAqua : toolTipBase;
        formats.append(format);
    }
    return formats;
}

} // namespace GridFormatting
