#include "RowTotals.h"

#include "store/Dataset.h"

namespace RowTotals {

Totals compute(const QVariantList &scores)
{
    Totals totals;
    for (const QVariant &score : scores)
        totals.total += score.isNull() ? 0 : score.toLongLong();
    // C++ integer division truncates toward zero, as the stored averages do.
    if (!scores.isEmpty())
        totals.average = totals.total / scores.size();
    return totals;
}

QStringList scoreColumns(const QStringList &viewFields)
{
    constexpr int kFirstScore = 3;
    qsizetype end = viewFields.indexOf(QStringLiteral("合计"));
    if (end < kFirstScore)
        end = viewFields.size();
    return viewFields.mid(kFirstScore, end - kFirstScore);
}

Result recompute(Dataset &view)
{
    const QStringList columns = scoreColumns(view.fieldNames());
    if (columns.isEmpty())
        return Result::success();
    QVariantList scores;
    for (const QString &column : columns)
        scores << view.value(column);
    const Totals totals = compute(scores);
    if (Result set = view.setValue(QStringLiteral("合计"), totals.total); !set)
        return set;
    return view.setValue(QStringLiteral("平均"), double(totals.average));
}

} // namespace RowTotals
