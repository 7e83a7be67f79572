#include "BulkRows.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
QString engineMessage(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}
} // namespace

namespace BulkRows {

Result insert(Database &database, const QString &table, const QStringList &columns, const QList<QVariantList> &rows)
{
    if (!database.isOpen())
        return Result::failure(QStringLiteral("数据库没有打开"));
    QStringList names;
    QStringList marks;
    for (const QString &column : columns) {
        names << Sql::quoted(column);
        marks << QStringLiteral("?");
    }
    QSqlQuery sql(database.connection());
    if (Result prepared = database.prepare(sql,
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(Sql::quoted(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        !prepared)
        return prepared;
    for (const QVariantList &row : rows) {
        for (int i = 0; i < columns.size(); ++i)
            sql.bindValue(i, row.value(i));
        if (Result ran = database.exec(sql); !ran)
            return ran;
    }
    return Result::success();
}

Result highestNumber(Database &database, const QString &table, qint64 &highest)
{
    if (!database.isOpen())
        return Result::failure(QStringLiteral("数据库没有打开"));
    QSqlQuery sql(database.connection());
    if (Result prepared = database.prepare(sql, QStringLiteral("SELECT MAX([编号]) FROM %1").arg(Sql::quoted(table))); !prepared)
        return prepared;
    if (Result ran = database.exec(sql); !ran)
        return ran;
    if (!sql.next())
        return Result::failure(engineMessage(sql.lastError()));
    highest = sql.value(0).isNull() ? 0 : sql.value(0).toLongLong();
    return Result::success();
}

} // namespace BulkRows
