#pragma once

#include "SheetContents.h"
#include "store/Result.h"

#include <optional>

/// Writes a sheet into a new .xlsx workbook (one worksheet, nothing formatted): A1 the
/// title, row 2 the column names, then the rows. Texts that a spreadsheet would read as a
/// number when typed into a cell are stored as numbers; null values leave the cell empty.
class WorkbookWriter final {
public:
    /// Writes the workbook to path, replacing a file of that name. Fails with a Chinese
    /// message naming the file when the workbook cannot be written.
    [[nodiscard]] static Result write(const QString &path, const SheetContents &sheet);

    /// The number a spreadsheet makes of a typed text ("85", " 3.5 ", "-2", "1e3", "007"),
    /// or nothing when it stays text.
    static std::optional<double> numberFromText(const QString &text);
};
