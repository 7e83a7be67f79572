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

void FormattedGridModel::setRowGreying(std::function<bool(int row)> greyed, QString hint)
{
    m_greyed = std::move(greyed);
    m_greyedHint = std::move(hint);
    refreshGreying();
}

void FormattedGridModel::refreshGreying()
{
    const int rows = rowCount();
    const int columns = columnCount();
    if (rows > 0 && columns > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, columns - 1), {Qt::BackgroundRole, Qt::ForegroundRole, Qt::ToolTipRole});
}

QVariant FormattedGridModel::data(const QModelIndex &index, int role) const
{
    if ((role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::ToolTipRole) && m_greyed && index.isValid()
        && m_greyed(index.row())) {
        if (role == Qt::BackgroundRole)
            return QBrush(kGreyedBackground);
        if (role == Qt::ForegroundRole)
            return QBrush(kGreyedText);
        return m_greyedHint;
    }
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
