#include "GradeBookView.h"

#include "store/Dataset.h"
#include "store/LoginState.h"

namespace GradeBookView {

QString columnList(const QStringList &tableColumns)
{
    constexpr int kBaseColumns = 6;
    if (tableColumns.size() <= kBaseColumns)
        return kNoScoreColumns;
    return kNoScoreColumns + QLatin1Char(',') + tableColumns.mid(kBaseColumns).join(QLatin1Char(','))
        + QStringLiteral(",合计,平均");
}

Result open(LoginState &state, Dataset &query, QString &list)
{
    state.mode = kModeGradeBook;
    const QString table = state.tables().currentTable();

    (void)query.close();
    // Only the columns are wanted here: no row is read.
    query.setQuery(Sql::columnsOf(table));
    if (Result opened = query.open(); !opened)
        return opened;
    list = columnList(query.fieldNames());

    (void)query.close();
    query.setQuery(Sql::showColumns(table, list.split(QLatin1Char(','))));
    return query.open();
}

} // namespace GradeBookView
