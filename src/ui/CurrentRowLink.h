#pragma once

#include <QObject>

class Dataset;
class QAbstractItemView;
class QModelIndex;

/// Keeps the main grid's current row and the dataset's current row in step, both ways:
/// a move of the dataset moves the grid's highlight, a row chosen in the grid becomes
/// the dataset's current row. The view's model must show the dataset's rows in order.
class CurrentRowLink final : public QObject {
    Q_OBJECT

public:
    /// Call after the view's model is set (the link watches its selection model).
    CurrentRowLink(QAbstractItemView &view, Dataset &dataset, QObject *parent = nullptr);

Q_SIGNALS:
    /// The row chosen in the grid could not become current (a pending edit was refused);
    /// the grid went back to the dataset's row.
    void moveFailed(const QString &error);

private:
    void showDatasetRow();
    void followView(const QModelIndex &current);

    QAbstractItemView &m_view;
    Dataset &m_dataset;
    bool m_syncing = false;
    bool m_modelResetting = false;
};
