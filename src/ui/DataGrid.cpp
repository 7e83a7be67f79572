#include "DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
{
    verticalHeader()->hide();
    setPresentation(GridPresentation::initial());
}

void DataGrid::setHint(const QString &hint)
{
    setToolTip(hint);
    setAccessibleName(hint);
    // A table's accessible description does not fall back to its tool tip.
    setAccessibleDescription(hint);
}

void DataGrid::setPresentation(const GridPresentation &presentation)
{
    if (!presentation.editing)
        commitPendingEdit();
    m_presentation = presentation;

    horizontalHeader()->setVisible(presentation.titles);
    horizontalHeader()->setSectionResizeMode(presentation.columnResizing ? QHeaderView::Interactive : QHeaderView::Fixed);
    setShowGrid(presentation.columnLines || presentation.rowLines);
    setSelectionBehavior(presentation.rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);

    QPalette colours = palette();
    const QPalette system = QApplication::palette(this);
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role,
            presentation.alwaysShowSelection ? system.color(QPalette::Active, role) : system.color(QPalette::Inactive, role));
    }
    setPalette(colours);

    if (!presentation.editing)
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    else if (presentation.alwaysShowEditor)
        setEditTriggers(QAbstractItemView::AllEditTriggers);
    else
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);

    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        selectionModel()->select(current,
            QItemSelectionModel::ClearAndSelect
                | (presentation.rowSelect ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
        if (presentation.editing && presentation.alwaysShowEditor)
            edit(current);
    }
}

void DataGrid::commitPendingEdit()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    if (QWidget *editor = indexWidget(current)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    Q_EMIT surfaceDoubleClicked();
}

bool DataGrid::viewportEvent(QEvent *event)
{
    // The grid's hint is shown wherever the pointer rests, not only over cells with a tip.
    if (event->type() == QEvent::ToolTip && !toolTip().isEmpty()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (!index.isValid() || !index.data(Qt::ToolTipRole).isValid()) {
            QToolTip::showText(help->globalPos(), toolTip(), this);
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}
