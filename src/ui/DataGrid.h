#pragma once

#include "GridPresentation.h"

#include <QTableView>

/// The main grid (DBGrid1): a table view that takes the grid presentations, commits an
/// open cell editor on demand, and shows its hint anywhere over its cells.
class DataGrid final : public QTableView {
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);

    /// Copies an option set onto the grid; an edit in progress is committed first when
    /// editing is switched off.
    void setPresentation(const GridPresentation &presentation);
    /// The grid's hint: its tool tip, accessible name and accessible description.
    void setHint(const QString &hint);
    GridPresentation presentation() const { return m_presentation; }

    /// Writes an open cell editor's text into the model and closes the editor, so that
    /// nothing typed is lost when the query closes or the window goes.
    void commitPendingEdit();
    /// True while a cell editor is open.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

Q_SIGNALS:
    /// A double-click anywhere on the grid's cells area.
    void surfaceDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    GridPresentation m_presentation;
};
