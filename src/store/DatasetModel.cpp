#include "DatasetModel.h"

DatasetModel::DatasetModel(Dataset *dataset, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dataset(dataset)
{
    connect(dataset, &Dataset::rowsAboutToBeReset, this, &DatasetModel::beginResetModel);
    connect(dataset, &Dataset::rowsReset, this, &DatasetModel::endResetModel);
    connect(dataset, &Dataset::valueChanged, this, [this](const QString &field) {
        const QModelIndex cell = index(m_dataset->currentRow(), m_dataset->fieldIndex(field));
        if (cell.isValid())
            Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
    });
    connect(dataset, &QObject::destroyed, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->rowCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->fieldCount();
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_dataset->value(index.row(), index.column());
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && m_dataset && section >= 0
        && section < m_dataset->fieldCount())
        return m_dataset->fieldName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && m_dataset && m_dataset->isWritable())
        result |= Qt::ItemIsEditable;
    return result;
}

bool DatasetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid) || !m_dataset->isWritable()) {
        m_lastRefusal = QStringLiteral("这里的内容不能修改，“%1”没有保存。").arg(value.toString());
        return false;
    }
    // A cell editor left open on a row the dataset has since left belongs to no row any more.
    if (index.row() != m_dataset->currentRow()) {
        m_lastRefusal
            = QStringLiteral("“%1”没有保存：输入它的那一行已不是当前行，请在要修改的行里重新输入。").arg(value.toString());
        return false;
    }
    if (const Result set = m_dataset->setValue(m_dataset->fieldName(index.column()), value); !set) {
        m_lastRefusal = set.error;
        return false;
    }
    m_lastRefusal.clear();
    return true;
}
