#pragma once

#include "store/Database.h"

#include <QStringList>
#include <QVariantList>

class Dataset;

/// A student's 合计 and 平均 from the score columns of the grade-book view.
namespace RowTotals {
struct Totals {
    qint64 total = 0;
    qint64 average = 0;
    bool operator==(const Totals &) const = default;
};

/// Sum of the scores and its whole-number quotient by their count (fraction dropped).
/// An empty (null) score reads as 0 and still counts. No score gives 0 and 0.
Totals compute(const QVariantList &scores);

/// The score columns among a view's fields: from the fourth field up to the one before
/// 合计 (or to the end when there is no 合计).
QStringList scoreColumns(const QStringList &viewFields);

/// Writes 合计 and 平均 of the current row from its score columns (the row is put into
/// edit state, not posted). Nothing is written when the view has no score column.
Result recompute(Dataset &view);
} // namespace RowTotals
