#pragma once

#include "GridPresentation.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

class GridCellDelegate;
class QLineEdit;

/// The main grid (DBGrid1): a table view that takes the grid presentations and shows its
/// hint anywhere over its cells. Its cell editor writes only what the teacher typed, only
/// into the row it was typed in, and never moves the rows a command is walking; a text
/// the model refuses stays in its cell until it is corrected or Esc drops it.
class DataGrid final : public QTableView {
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);
    using QTableView::edit;

    /// Copies an option set onto the grid; an edit in progress is committed first when
    /// editing is switched off (a refused one is reported and dropped).
    void setPresentation(const GridPresentation &presentation);
    /// The grid's hint: its tool tip, accessible name and accessible description.
    void setHint(const QString &hint);
    GridPresentation presentation() const { return m_presentation; }

    /// Writes an open cell editor's text into the model and closes the editor, so that
    /// nothing typed is lost when the query closes or the window goes. When the model
    /// refuses the text, the editor stays open with it and false is returned (the caller
    /// tells the teacher).
    bool commitPendingEdit();
    /// Gives the first columns these widths (the others keep theirs) and lays the grid out
    /// at once, so that it is painted once with them.
    void setColumnWidths(const QList<int> &widths);
    /// True while a cell editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

Q_SIGNALS:
    /// A double-click anywhere on the grid's cells area, an open cell editor included.
    void surfaceDoubleClicked();
    /// The model refused what was typed into a cell when the editor was left (another
    /// row chosen, the focus gone); the model says why.
    void editRefused();

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Writes the open editor's text when it differs from the cell's; false when refused.
    bool writeEditor(bool reportRefusal);
    void forgetEditor();

    GridPresentation m_presentation;
    GridCellDelegate *m_cells;
    QPointer<QLineEdit> m_editor;
    QPersistentModelIndex m_editorIndex;
    bool m_refused = false;
    QString m_refusedText;
};
