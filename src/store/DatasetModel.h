#pragma once

#include "Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>

/// The main grid's view of a Dataset: one column per field (headed by its name), one row
/// per row. Editing a cell makes its row current and sets the field through the dataset.
class DatasetModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DatasetModel(Dataset *dataset, QObject *parent = nullptr);
    Dataset *dataset() const { return m_dataset; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    /// Sets a field of the dataset's current row. Never moves the dataset, which a command
    /// may be walking: a value for any other row is refused, as is a value the dataset
    /// refuses. Returns false then, and lastRefusal() says why.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    /// Why the last setData() failed, in a sentence for the teacher.
    QString lastRefusal() const { return m_lastRefusal; }

private:
    QPointer<Dataset> m_dataset;
    QString m_lastRefusal;
};
