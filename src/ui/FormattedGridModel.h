#pragma once

#include "GridFormatting.h"

#include <QIdentityProxyModel>
#include <functional>

/// The main grid's model as the grid shows it: the dataset's cells with the colours and
/// alignment that grid formatting gave each column. Columns without a format stay plain.
/// Rows can be shown greyed (an absent student), whatever their column's colours.
class FormattedGridModel final : public QIdentityProxyModel {
    Q_OBJECT

public:
    explicit FormattedGridModel(QObject *parent = nullptr);

    /// Dresses column i with formats[i]; columns beyond the list stay plain.
    void setColumnFormats(const QList<ColumnFormat> &formats);
    const QList<ColumnFormat> &columnFormats() const { return m_formats; }

    /// The rows for which greyed(row) holds are shown in grey, with hint as their tooltip.
    void setRowGreying(std::function<bool(int row)> greyed, QString hint);
    /// Shows the greyed rows again after the rule's answers changed.
    void refreshGreying();
    /// Text and background of a greyed row.
    static inline const QColor kGreyedText = QColor(140, 140, 140);
    static inline const QColor kGreyedBackground = QColor(224, 224, 224);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ColumnFormat *formatOf(int column) const;

    QList<ColumnFormat> m_formats;
    std::function<bool(int row)> m_greyed;
    QString m_greyedHint;
};
