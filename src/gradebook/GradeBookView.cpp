#include "GradeBookView.h"

#include "store/Dataset.h"
#include "store/GradeBookTable.h"
#include "store/LoginState.h"

namespace GradeBookView {

QString columnList(const QList<ColumnDefinition> &tableColumns)
{
    const QStringList scores = GradeBookTable::scoreColumns(tableColumns);
    if (scores.isEmpty())
        return kNoScoreColumns;
    return kNoScoreColumns + QLatin1Char(',') + scores.join(QLatin1Char(',')) + QStringLiteral(",合计,平均");
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
    (void)query.close();
    Database &database = query.database();
    QList<ColumnDefinition> columns = database.columnDefinitions(table);
    if (!GradeBookTable::isWhole(columns)) {
        if (Result repaired = GradeBookTable::repair(database, table); !repaired)
            return repaired;
        columns = database.columnDefinitions(table);
    }
    list = columnList(columns);

    (void)query.close();
    query.setQuery(Sql::showColumns(table, list.split(QLatin1Char(','))));
    return query.open();
}

} // namespace GradeBookView
