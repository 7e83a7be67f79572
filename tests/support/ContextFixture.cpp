#include "ContextFixture.h"

#include <QDir>
#include <QSqlQuery>
#include <QTest>

ContextFixture::ContextFixture(const QString &connectionName)
    : paths(folder.path())
    , database(connectionName)
{
    login.programFolder = folder.path();
    if (const Result opened = database.open(folder.path()); !opened)
        QTest::qFail(qPrintable(opened.error), __FILE__, __LINE__);
}

void ContextFixture::run(const QString &sql)
{
    Statement statement;
    statement.text = sql;
    if (const Result result = database.execute(statement); !result)
        QTest::qFail(qPrintable(result.error + QStringLiteral(" / ") + sql), __FILE__, __LINE__);
}

QStringList ContextFixture::tables() const
{
    QStringList names = database.tables();
    names.sort();
    return names;
}

int ContextFixture::rowCount(const QString &table, const QString &where) const
{
    QSqlQuery select(database.connection());
    QString sql = QStringLiteral("SELECT count(*) FROM ") + Sql::quoted(table);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!database.prepare(select, sql) || !select.exec() || !select.next())
        return -1;
    return select.value(0).toInt();
}

QVariantList ContextFixture::column(const QString &table, const QString &name) const
{
    QVariantList values;
    QSqlQuery select(database.connection());
    if (!database.prepare(
            select, QStringLiteral("SELECT %1 FROM %2 ORDER BY [编号], rowid").arg(Sql::quoted(name), Sql::quoted(table)))
        || !select.exec())
        QTest::qFail(qPrintable(select.lastQuery()), __FILE__, __LINE__);
    while (select.next())
        values << select.value(0);
    return values;
}

QMap<QString, QByteArray> ContextFixture::dataFiles() const
{
    QMap<QString, QByteArray> files;
    const QDir data(paths.dataFolder());
    for (const QString &name : data.entryList(QDir::Files))
        files.insert(name, folder.readDataFile(name));
    return files;
}
