#pragma once

#include "AnalysisReport.h"

#include <QAbstractTableModel>

/// The 名次进退 table: 编号, 姓名, 小组, the rank in each of the two columns and the change,
/// in the order of the comparison (biggest rise first).
class RankChangeModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RankChangeModel(QObject *parent = nullptr);

    /// Shows the comparison of a report (nothing when it has none).
    void showReport(const AnalysisReport &report);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<ClassScores::Student> m_students;
    QVector<RankChange> m_changes;
    QStringList m_header;
};
