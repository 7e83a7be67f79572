#include "GradeBookTable.h"

#include "TableNames.h"

#include <algorithm>

namespace GradeBookTable {

namespace {

const ColumnDefinition *find(const QList<ColumnDefinition> &columns, const QString &name)
{
    const auto found = std::find_if(columns.cbegin(), columns.cend(),
        [&](const ColumnDefinition &column) { return column.name.compare(name, Qt::CaseInsensitive) == 0; });
    return found == columns.cend() ? nullptr : &*found;
}

bool isFixed(const QString &name)
{
    return fixedColumns().contains(name, Qt::CaseInsensitive);
}

} // namespace

QStringList fixedColumns()
{
    QStringList names;
    for (const ColumnDefinition &column : Schema::gradeBook())
        names << column.name;
    return names;
}

bool isWholeNumberType(const QString &declaredType)
{
    // The engine's own rule: a declared type containing INT holds whole numbers.
    return declaredType.contains(QLatin1String("INT"), Qt::CaseInsensitive);
}

QStringList scoreColumns(const QList<ColumnDefinition> &columns)
{
    QStringList scores;
    for (const ColumnDefinition &column : columns) {
        if (!isFixed(column.name) && isWholeNumberType(column.type))
            scores << column.name;
    }
    return scores;
}

bool isWhole(const QList<ColumnDefinition> &columns)
{
    const QStringList fixed = fixedColumns();
    if (columns.size() < fixed.size())
        return false;
    for (int i = 0; i < fixed.size(); ++i) {
        if (columns.at(i).name.compare(fixed.at(i), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

QString irreparable(const QString &table, const QList<ColumnDefinition> &columns)
{
    // 编号 and 姓名 say who a row is: they cannot be made up.
    for (const QString &identity : {Column::kNumber, Column::kName}) {
        if (!find(columns, identity))
            return QStringLiteral("记分册“%1”缺少“%2”列，无法打开。请从母版中导入名单，重新建立这个记分册。")
                .arg(table, identity);
    }
    return {};
}

Result repair(Database &database, const QString &table)
{
    const QList<ColumnDefinition> columns = database.columnDefinitions(table);
    if (columns.isEmpty() || isWhole(columns))
        return Result::success();

    if (const QString why = irreparable(table, columns); !why.isEmpty())
        return Result::failure(why);
    QList<ColumnDefinition> layout;
    QStringList kept;
    for (const ColumnDefinition &fixed : Schema::gradeBook()) {
        if (const ColumnDefinition *existing = find(columns, fixed.name)) {
            layout << *existing;
            kept << existing->name;
        } else {
            layout << fixed;
        }
    }
    for (const ColumnDefinition &column : columns) {
        if (!isFixed(column.name)) {
            layout << column;
            kept << column.name;
        }
    }
    const QString scratch = QStringLiteral("修复") + table;
    return database.runInTransaction({Sql::createTable(scratch, layout), Sql::copyRows(scratch, table, kept),
        Sql::dropTable(table), Sql::renameTable(scratch, table)});
}

} // namespace GradeBookTable
