#include "RowTotals.h"

namespace RowTotals {

QStringList scoreColumns(const QStringList &viewFields)
{
    constexpr int kFirstScore = 3;
    qsizetype end = viewFields.indexOf(QStringLiteral("合计"));
    if (end < kFirstScore)
        end = viewFields.size();
    return viewFields.mid(kFirstScore, end - kFirstScore);
}

} // namespace RowTotals
