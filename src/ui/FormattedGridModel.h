#pragma once

#include "GridFormatting.h"

#include <QIdentityProxyModel>

/// The main grid's model as the grid shows it: the dataset's cells with the colours and
/// alignment that grid formatting gave each column. Columns without a format stay plain.
class FormattedGridModel final : public QIdentityProxyModel {
    Q_OBJECT

public:
    explicit FormattedGridModel(QObject *parent = nullptr);

    /// Dresses column i with formats[i]; columns beyond the list stay plain.
    void setColumnFormats(const QList<ColumnFormat> &formats);
    const QList<ColumnFormat> &columnFormats() const { return m_formats; }

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ColumnFormat *formatOf(int column) const;

    QList<ColumnFormat> m_formats;
};
