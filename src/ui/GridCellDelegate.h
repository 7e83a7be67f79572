#pragma once

#include <QStyledItemDelegate>

/// How the main grid shows and edits its cells: every cell, number or text, is edited
/// in a plain text box that starts with exactly what the cell shows (61, not 61.00), and
/// numbers are shown without group separators, so what is shown can be typed back.
class GridCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    /// The text a cell shows.
    QString shownText(const QModelIndex &index) const;

    QString displayText(const QVariant &value, const QLocale &locale) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    /// Writes the editor's text only when it differs from what the cell shows.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
