#include "CurrentRowLink.h"

#include "store/Dataset.h"

#include <QAbstractItemView>

CurrentRowLink::CurrentRowLink(QAbstractItemView &view, Dataset &dataset, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_dataset(dataset)
{
    QAbstractItemModel *model = view.model();
    // While the model resets, its rows and the dataset's do not match yet.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_modelResetting = true; });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        m_modelResetting = false;
        showDatasetRow();
    });
    connect(model, &QAbstractItemModel::rowsInserted, this, &CurrentRowLink::showDatasetRow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CurrentRowLink::showDatasetRow);
    connect(&dataset, &Dataset::currentRowChanged, this, &CurrentRowLink::showDatasetRow);
    connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) { followView(current); });
    showDatasetRow();
}

void CurrentRowLink::showDatasetRow()
{
    if (m_modelResetting || m_syncing)
        return;
    const QAbstractItemModel *model = m_view.model();
    const int row = m_dataset.currentRow();
    if (row < 0 || row >= model->rowCount())
        return;
    const QModelIndex current = m_view.currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    const int column = current.isValid() ? current.column() : 0;
    m_syncing = true;
    m_view.setCurrentIndex(model->index(row, column));
    m_syncing = false;
}

void CurrentRowLink::followView(const QModelIndex &current)
{
    if (m_syncing || m_modelResetting || !current.isValid() || current.row() == m_dataset.currentRow())
        return;
    m_syncing = true;
    const bool moved = m_dataset.moveTo(current.row());
    m_syncing = false;
    if (!moved) {
        Q_EMIT moveFailed(m_dataset.lastError());
        showDatasetRow();
    }
}
