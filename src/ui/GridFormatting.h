#pragma once

#include <QColor>
#include <QList>

/// How grid formatting dresses one column of the main grid.
struct ColumnFormat final {
    int width = 64;
    Qt::Alignment alignment = Qt::AlignCenter; ///< cell text and title text
    QColor titleBackground;
    QColor background;

    bool operator==(const ColumnFormat &) const = default;
};

/// Grid formatting: the first column 55 pixels wide, every other 64; text and titles
/// centred on sky-blue titles; columns alternate tool-tip colour and aqua from the first.
namespace GridFormatting {
inline constexpr int kFirstColumnWidth = 55;
inline constexpr int kColumnWidth = 64;
inline const QColor kTitleBackground = QColor(166, 202, 240);
inline const QColor kAqua = QColor(0, 255, 255);

/// The formats of a result with `fieldCount` fields; `toolTipBase` is the system's
/// tool-tip background colour, used for even column indexes.
QList<ColumnFormat> forFieldCount(int fieldCount, const QColor &toolTipBase);
} // namespace GridFormatting
