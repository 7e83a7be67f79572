#include "FormattedGridModel.h"

#include <QBrush>

FormattedGridModel::FormattedGridModel(QObject *parent)
    : QIdentityProxyModel(parent)
{
}

void FormattedGridModel::setColumnFormats(const QList<ColumnFormat> &formats)
{
    m_formats = formats;
    const int rows = rowCount();
    const int columns = columnCount();
    if (rows > 0 && columns > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1), {Qt::BackgroundRole, Qt::TextAlignmentRole});
    if (columns > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns - 1);
}

const ColumnFormat *FormattedGridModel::formatOf(int column) const
{
    return column >= 0 && column < m_formats.size() ? &m_formats.at(column) : nullptr;
}

QVariant FormattedGridModel::data(const QModelIndex &index, int role) const
{
    if (const ColumnFormat *format = formatOf(index.column())) {
        if (role == Qt::BackgroundRole && format->background.isValid())
            return QBrush(format->background);
        if (role == Qt::TextAlignmentRole)
            return QVariant(format->alignment.toInt());
    }
    return QIdentityProxyModel::data(index, role);
}

QVariant FormattedGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (const ColumnFormat *format = formatOf(section)) {
            if (role == Qt::BackgroundRole && format->titleBackground.isValid())
                return QBrush(format->titleBackground);
            if (role == Qt::TextAlignmentRole)
                return QVariant(format->alignment.toInt());
        }
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}
