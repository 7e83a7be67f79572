#include "SubjectTables.h"

#include "GradeBookTable.h"
#include "TableNames.h"

namespace SubjectTables {

namespace {

/// The columns of an ALTER TABLE ... ADD that the table does not have yet; none when the
/// table is whole.
Statement missingColumns(Database &database, Statement addition)
{
    const QStringList existing = database.columns(addition.target);
    QList<ColumnDefinition> missing;
    for (const ColumnDefinition &column : std::as_const(addition.added)) {
        if (!existing.contains(column.name, Qt::CaseInsensitive))
            missing << column;
    }
    addition.added = missing;
    return addition;
}

Statement plain(const QString &text)
{
    Statement statement;
    statement.text = text;
    return statement;
}

} // namespace

Result ensureQuestioningTable(Database &database, const QString &questioning, const QString &classTable)
{
    return database.transaction([&]() -> Result {
        if (!database.tableExists(questioning))
            return database.runInTransaction({Sql::createQuestioningTable(questioning, classTable),
                Sql::addQuestioningColumns(questioning), Sql::resetEvaluations(questioning)});
        const Statement missing = missingColumns(database, Sql::addQuestioningColumns(questioning));
        if (missing.added.isEmpty())
            return Result::success();
        QList<Statement> repair{missing};
        // Columns added now start as a reset evaluation; columns already there keep their values.
        QStringList zeroes;
        for (const ColumnDefinition &column : missing.added) {
            if (column.name != Column::kGrade && column.name != Column::kHistory)
                zeroes << Sql::quoted(column.name) + QStringLiteral("=0");
        }
        if (!zeroes.isEmpty())
            repair << plain(QStringLiteral("UPDATE %1 SET %2").arg(Sql::quoted(questioning), zeroes.join(QLatin1Char(','))));
        return database.runInTransaction(repair);
    });
}

Result ensureGradeBookTable(Database &database, const QString &gradeBook, const QString &classTable)
{
    return database.transaction([&]() -> Result {
        if (!database.tableExists(gradeBook))
            return database.runInTransaction(
                {Sql::createGradeBookTable(gradeBook, classTable), Sql::addGradeBookColumns(gradeBook)});
        // A table of an older shape gets its missing fixed columns in their places. One
        // that lacks 编号 or 姓名 is left as it is: the grade book refuses it when it is
        // opened, and the questioning view of the class still opens.
        if (!GradeBookTable::irreparable(gradeBook, database.columnDefinitions(gradeBook)).isEmpty())
            return Result::success();
        return GradeBookTable::repair(database, gradeBook);
    });
}

} // namespace SubjectTables
