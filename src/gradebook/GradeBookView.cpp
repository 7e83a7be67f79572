#include "GradeBookView.h"

#include "store/Dataset.h"
#include "store/GradeBookTable.h"
#include "store/LoginState.h"

#include <QSqlQuery>

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
    Database &database = query.database();
    QList<ColumnDefinition> columns = database.columnDefinitions(table);
    if (columns.isEmpty()) {
        // No such table (or it cannot be read): the engine's own words say which.
        QSqlQuery probe(database.connection());
        if (Result prepared = database.prepare(probe, Sql::columnsOf(table).sql); !prepared)
            return prepared;
        if (Result readable = database.exec(probe); !readable)
            return readable;
    }
    if (!GradeBookTable::isWhole(columns)) {
        if (Result repaired = GradeBookTable::repair(database, table); !repaired)
            return repaired;
        columns = database.columnDefinitions(table);
    }
    list = columnList(columns);

    query.setQuery(Sql::showColumns(table, list.split(QLatin1Char(','))));
    return query.open(columns);
}

} // namespace GradeBookView
