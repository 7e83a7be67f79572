#pragma once

#include <QStringList>

/// A student's 合计 and 平均 come from the score columns: 合计 their sum (an empty score
/// counts 0), 平均 its whole-number quotient by their count. They are computed by the
/// statement that writes the row (Dataset::postWithRowTotals), from the row in the file.
namespace RowTotals {
/// The score columns among a view's fields: from the fourth field up to the one before
/// 合计 (or to the end when there is no 合计).
QStringList scoreColumns(const QStringList &viewFields);
} // namespace RowTotals
