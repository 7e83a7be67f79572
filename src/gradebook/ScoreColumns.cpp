#include "ScoreColumns.h"

#include "store/Dataset.h"
#include "store/TableNames.h"

namespace ScoreColumns {

QString proposedName(int viewFieldCount)
{
    return QStringLiteral("第%1次").arg(viewFieldCount - 4);
}

bool isAcceptable(const QString &name, const QStringList &existingColumns)
{
    if (name.size() > kMaxNameLength || !isSafeName(name) || name.contains(QLatin1Char('\'')) || name.contains(QLatin1Char('`')))
        return false;
    // The grade-book column list is joined by commas.
    if (name.contains(QLatin1Char(',')) || Sql::isEngineColumnName(name))
        return false;
    return !existingColumns.contains(name, Qt::CaseInsensitive);
}

Result add(Database &database, Dataset &view, const QString &table, const QString &name)
{
    if (!isAcceptable(name, database.columns(table)))
        return Result::failure(QStringLiteral("“%1”不能作为表头字段名").arg(name));
    return view.execute(Sql::addScoreColumn(table, name));
}

} // namespace ScoreColumns
