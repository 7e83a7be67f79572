#pragma once

#include "EntryKind.h"

#include <QTableWidget>

/// The entry grid (StringGrid1): a title row, a fixed column of row numbers 1 to 199 and
/// one input column. Pasting a column from a spreadsheet or a text file fills
/// consecutive rows from the current one.
class EntryGrid final : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int kDataRows = 199;

    explicit EntryGrid(QWidget *parent = nullptr);

    /// Clears every row, numbers the first column and titles the input column after the
    /// kind (its title is left as it was when there is no kind).
    void reset(EntryKind kind);
    /// Text of the input column in data row row (1 to 199).
    QString cellText(int row) const;
    void setCellText(int row, const QString &text);
    /// Texts of the input column, row 1 first.
    QStringList cellTexts() const;
    /// One entry per line (CR, LF or CR LF), the text before the first tab of each line,
    /// into consecutive rows from the current row on; lines beyond the last row are dropped.
    void pasteText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    /// Tab and Backtab move down and up the input column: the numbers take no input.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    /// Pasting copied cells into an open cell editor fills rows as a paste on the grid does.
    bool eventFilter(QObject *watched, QEvent *event) override;
};
