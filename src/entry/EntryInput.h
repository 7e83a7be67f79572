#pragma once

#include <QString>
#include <QStringList>

/// The entry panel's input as the batch add reads it: the grid's input column (rows 1 to
/// 199) while the grid is in use, else the memo's lines. Nothing is trimmed: a row of
/// blanks is not empty.
struct EntryInput final {
    bool gridInUse = true;
    QStringList gridCells; ///< texts of grid rows 1, 2, ...
    QString memoText;

    /// Texts of the rows of the input in use, row 1 first.
    QStringList rows() const;
    /// A roster goes on only with text in the input in use (grid: in row 1).
    bool rosterHasInput() const;
    /// Scores and evaluations go on with text in the memo (even behind the grid) or in
    /// grid row 1; they then read the input in use.
    bool resultsHaveInput() const;
};
