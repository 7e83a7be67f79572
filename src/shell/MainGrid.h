#pragma once

#include "store/Database.h"

#include <QString>
#include <memory>

class CurrentRowLink;
class DataGrid;
class Dataset;
class DatasetModel;
class FormattedGridModel;
class Prompter;
class QWidget;

/// The main grid (DBGrid1) on the main query: the dataset's model, the formats of the
/// fields shown, and the link between the grid's current row and the query's. A value a
/// cell refuses, or a row the query cannot move to, is said to the teacher.
class MainGrid {
public:
    MainGrid(Dataset &mainQuery, Prompter &prompter, QWidget *parent);
    /// Takes the models off the grid first: the grid widget goes later, with the window.
    ~MainGrid();
    Q_DISABLE_COPY_MOVE(MainGrid)

    DataGrid *widget() const { return m_grid; }
    DatasetModel *model() const { return m_datasetModel.get(); }
    /// Column widths, alignment and colours for the fields the main query shows.
    void format();
    /// Commits an open cell editor and posts a pending edit of the main query; the
    /// refusal is returned, not shown.
    Result savePendingEdits();
    /// Why the last value typed into a cell was refused.
    QString lastRefusal() const;

private:
    Dataset &m_mainQuery;
    DataGrid *m_grid;
    std::unique_ptr<DatasetModel> m_datasetModel;
    std::unique_ptr<FormattedGridModel> m_formattedModel;
    std::unique_ptr<CurrentRowLink> m_currentRowLink;
};
