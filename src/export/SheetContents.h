#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

/// What one exported sheet holds: the title for A1, the column names for row 2, and the
/// rows from row 3 on, in the order the grid shows them. A null value is an empty cell.
struct SheetContents {
    QString title;
    QStringList columns;
    QVector<QVector<QVariant>> rows;
};
