#include "DataGrid.h"

#include "GridCellDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
    , m_cells(new GridCellDelegate(this))
{
    verticalHeader()->hide();
    setItemDelegate(m_cells);
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
    if (!presentation.editing && !commitPendingEdit()) {
        Q_EMIT editRefused();
        if (m_editor)
            closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    }
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

void DataGrid::setColumnWidths(const QList<int> &widths)
{
    QHeaderView *header = horizontalHeader();
    bool resized = false;
    {
        // Told of each resize, the table would lay itself out and repaint the columns from a
        // timer, after the paint that shows the new rows: a second paint of the whole grid.
        const QSignalBlocker quiet(header);
        for (int i = 0; i < widths.size() && i < header->count(); ++i) {
            resized = resized || header->sectionSize(i) != widths.at(i);
            header->resizeSection(i, widths.at(i));
        }
    }
    if (!resized)
        return;
    updateGeometries();
    viewport()->update();
}

bool DataGrid::commitPendingEdit()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return true;
    QWidget *editor = indexWidget(current);
    if (!editor)
        return true;
    if (editor == m_editor.data() && !writeEditor(false))
        return false;
    if (editor != m_editor.data())
        QTableView::commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

bool DataGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!QTableView::edit(index, trigger, event))
        return false;
    auto *editor = qobject_cast<QLineEdit *>(indexWidget(index));
    if (editor && editor != m_editor.data()) {
        m_editor = editor;
        m_editorIndex = index;
        m_refused = false;
        // A double-click lands in the editor that its first click opened.
        editor->installEventFilter(this);
    }
    return true;
}

void DataGrid::commitData(QWidget *editor)
{
    if (editor == m_editor.data())
        (void)writeEditor(true);
    else
        QTableView::commitData(editor);
}

bool DataGrid::writeEditor(bool reportRefusal)
{
    if (!m_editor || !m_editorIndex.isValid())
        return true;
    const QString typed = m_editor->text();
    // An editor the grid opened by itself holds what the cell shows: writing it back
    // would overwrite what another program stored meanwhile.
    if (typed == m_cells->shownText(m_editorIndex)) {
        m_refused = false;
        return true;
    }
    if (m_refused && typed == m_refusedText)
        return false;
    if (model()->setData(m_editorIndex, typed, Qt::EditRole)) {
        m_refused = false;
        return true;
    }
    m_refused = true;
    m_refusedText = typed;
    if (reportRefusal)
        Q_EMIT editRefused();
    return false;
}

void DataGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor.data()) {
        // The refused text stays in its cell (Enter, or the focus going to the message
        // box); Esc drops it, and another row chosen closes it.
        if (m_refused && hint != QAbstractItemDelegate::RevertModelCache && m_editorIndex == currentIndex())
            return;
        forgetEditor();
    }
    QTableView::closeEditor(editor, hint);
}

void DataGrid::forgetEditor()
{
    if (m_editor)
        m_editor->removeEventFilter(this);
    m_editor = nullptr;
    m_editorIndex = QPersistentModelIndex();
    m_refused = false;
    m_refusedText.clear();
}

void DataGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    // Back from the message that refused it, the teacher goes on typing in the cell.
    if (m_refused && m_editor)
        m_editor->setFocus();
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    Q_EMIT surfaceDoubleClicked();
}

bool DataGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor.data() && event->type() == QEvent::MouseButtonDblClick) {
        Q_EMIT surfaceDoubleClicked();
        return true;
    }
    return QTableView::eventFilter(watched, event);
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
