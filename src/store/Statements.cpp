#include "Statements.h"

#include "TableNames.h"

#include <QRegularExpression>

namespace {

using Column::kGroup;
using Column::kName;
using Column::kNumber;

QString backupOf(const QString &table)
{
    return QStringLiteral("备份") + table;
}

QString quotedList(const QStringList &names)
{
    QStringList quotedNames;
    for (const QString &name : names)
        quotedNames << Sql::quoted(name);
    return quotedNames.join(QLatin1Char(','));
}

Statement plain(QString text, QVariantList values = {})
{
    Statement statement;
    statement.text = std::move(text);
    statement.values = std::move(values);
    return statement;
}

QStringList gradeColumns()
{
    return {Column::kGrade, Column::kHistory, Column::kCount, Column::kScoreTotal, Column::kAverage};
}

// column = ? that also holds when both are null.
QString sameAs(const QString &column)
{
    return Sql::sameValue(Sql::quoted(column), QStringLiteral("?"));
}

QString allSame(const QStringList &columns)
{
    QStringList tests;
    for (const QString &column : columns)
        tests << sameAs(column);
    return tests.join(QStringLiteral(" AND "));
}

// The rows of class c and subject s: [班级]=? AND [科目]=?, with c and s first in the values.
QString ofLesson()
{
    return QStringLiteral("[班级]=? AND [科目]=?");
}

QString currentRound()
{
    return QStringLiteral("(SELECT [轮次] FROM %1 WHERE %2)").arg(Sql::quoted(kRoundTable), ofLesson());
}

Statement selectInto(const QString &target, const QString &source, QStringList columns)
{
    Statement statement;
    statement.kind = Statement::Kind::SelectInto;
    statement.target = target;
    statement.source = source;
    statement.columns = std::move(columns);
    return statement;
}

Statement alterAdd(const QString &table, QList<ColumnDefinition> added)
{
    Statement statement;
    statement.kind = Statement::Kind::AlterAdd;
    statement.target = table;
    statement.added = std::move(added);
    return statement;
}

Statement deleteAll(const QString &table, QStringList columns)
{
    Statement statement;
    statement.kind = Statement::Kind::DeleteAll;
    statement.target = table;
    statement.columns = std::move(columns);
    return statement;
}

QStringList baseColumns()
{
    QStringList names;
    for (const ColumnDefinition &column : Schema::roster())
        names << column.name;
    return names;
}

QString copyRosterText(const QString &to, const QString &from, const QStringList &columns)
{
    const QString list = quotedList(columns);
    return QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(Sql::quoted(to), list, Sql::quoted(from));
}

// The row id comes first so the dataset can write rows back by it.
Query writable(const QString &table, const QString &select, const QString &tail = {})
{
    QString sql = QStringLiteral("SELECT rowid,%1 FROM %2").arg(select, Sql::quoted(table));
    if (!tail.isEmpty())
        sql += QLatin1Char(' ') + tail;
    return Query{sql, table, {}};
}

// Nulls first going up and last going down, as SQLite orders them; PostgreSQL would
// put them the other way round.
QString direction(bool descending)
{
    return descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST");
}

QString orderBy(const QString &key, bool descending)
{
    return QStringLiteral("ORDER BY ") + key + direction(descending);
}

} // namespace

namespace Schema {

QList<ColumnDefinition> roster()
{
    return {{kNumber, QStringLiteral("INT NULL")}, {kName, QStringLiteral("VARCHAR(8) NULL")},
        {kGroup, QStringLiteral("INT NULL")}, {Column::kTotal, QStringLiteral("INT NULL")},
        {Column::kAverage, QStringLiteral("FLOAT NULL")}, {Column::kRank, QStringLiteral("INT NULL")}};
}

QList<ColumnDefinition> portraits()
{
    return {{kName, QStringLiteral("CHAR(10) NULL")}, {Column::kPicture, QStringLiteral("BLOB NULL")},
        {Column::kMotto, QStringLiteral("VARCHAR(50) NULL")}};
}

QList<ColumnDefinition> questioningAdded()
{
    return {{Column::kGrade, QStringLiteral("CHAR(10) NULL")}, {Column::kHistory, QStringLiteral("VARCHAR(60) NULL")},
        {Column::kCount, QStringLiteral("INT")}, {Column::kScoreTotal, QStringLiteral("INT NULL")},
        {Column::kAverage, QStringLiteral("FLOAT NULL")}};
}

QList<ColumnDefinition> rounds()
{
    return {{Column::kClass, QStringLiteral("TEXT NOT NULL")}, {Column::kSubject, QStringLiteral("TEXT NOT NULL")},
        {Column::kNoRepeat, QStringLiteral("INT NOT NULL")}, {Column::kRound, QStringLiteral("INT NOT NULL")}};
}

QList<ColumnDefinition> asked()
{
    return {{Column::kClass, QStringLiteral("TEXT NOT NULL")}, {Column::kSubject, QStringLiteral("TEXT NOT NULL")},
        {Column::kRound, QStringLiteral("INT NOT NULL")}, {kNumber, QStringLiteral("INT NOT NULL")},
        {kName, QStringLiteral("TEXT NOT NULL")}};
}

QList<ColumnDefinition> absences()
{
    return {{Column::kClass, QStringLiteral("TEXT NOT NULL")}, {Column::kSubject, QStringLiteral("TEXT NOT NULL")},
        {Column::kDay, QStringLiteral("TEXT NOT NULL")}, {kNumber, QStringLiteral("INT NOT NULL")},
        {kName, QStringLiteral("TEXT NOT NULL")}};
}

QList<ColumnDefinition> gradeBookAdded()
{
    return roster().mid(3);
}

QList<ColumnDefinition> questioning()
{
    return roster().mid(0, 2) + questioningAdded();
}

QList<ColumnDefinition> gradeBook()
{
    return roster();
}

QList<ColumnDefinition> dataFiles()
{
    return {{Column::kFileName, QStringLiteral("VARCHAR(255) NOT NULL UNIQUE")},
        {Column::kFileBytes, QStringLiteral("BLOB NOT NULL")}};
}

} // namespace Schema

namespace Sql {

QString createTableText(Engine engine, const QString &table, const QList<ColumnDefinition> &columns)
{
    QStringList definitions;
    // Rows need a key that survives updates and is never handed to another row: ctid
    // changes with every update and is reused after a vacuum, an identity never.
    if (engine == Engine::PostgreSQL)
        definitions << kRowIdentity + QStringLiteral(" BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
    for (const ColumnDefinition &column : columns)
        definitions << columnDefinition(engine, column);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table), definitions.join(QLatin1Char(',')));
}

Statement createTable(const QString &table, const QList<ColumnDefinition> &columns)
{
    Statement statement;
    statement.kind = Statement::Kind::CreateTable;
    statement.target = table;
    statement.added = columns;
    // Readable as Record.mdb takes it; Database::execute builds it for its own engine.
    statement.text = createTableText(Engine::SQLite, table, columns);
    return statement;
}

Statement createTableIfMissing(const QString &table, const QList<ColumnDefinition> &columns)
{
    Statement statement = Sql::createTable(table, columns);
    statement.ifMissing = true;
    statement.text.insert(QStringLiteral("CREATE TABLE ").size(), QStringLiteral("IF NOT EXISTS "));
    return statement;
}

QString quoted(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QString rendered(Engine engine, const QString &text)
{
    if (engine == Engine::SQLite || !text.contains(QLatin1Char('[')))
        return text;
    QString out;
    out.reserve(text.size());
    bool inLiteral = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') && !inLiteral) {
            inLiteral = true;
        } else if (c == QLatin1Char('\'') && inLiteral) {
            inLiteral = false; // a doubled quote closes and reopens: the same text
        } else if (c == QLatin1Char('[') && !inLiteral) {
            const qsizetype end = text.indexOf(QLatin1Char(']'), i + 1);
            if (end > i) {
                QString name = text.mid(i + 1, end - i - 1);
                name.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                out += QLatin1Char('"') + name + QLatin1Char('"');
                i = end;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString columnDefinition(Engine engine, const ColumnDefinition &column)
{
    static const QRegularExpression textType(
        QStringLiteral("^\\s*(?:VAR)?CHAR\\s*\\(\\s*(\\d+)\\s*\\)"), QRegularExpression::CaseInsensitiveOption);
    QString definition = quoted(column.name);
    const QRegularExpressionMatch match = textType.match(column.type);
    QString type = column.type;
    if (engine == Engine::PostgreSQL) {
        static const QRegularExpression leadingWord(QStringLiteral("^\\s*([A-Za-z]+)"));
        const QString rest = match.hasMatch() ? type.mid(match.capturedEnd(0)) : type.mid(leadingWord.match(type).capturedEnd(0));
        const QString word = leadingWord.match(type).captured(1).toUpper();
        QString own;
        if (match.hasMatch())
            own = QStringLiteral("VARCHAR(%1) COLLATE \"C\"").arg(match.captured(1));
        else if (word == QLatin1String("INT") || word == QLatin1String("INTEGER"))
            own = QStringLiteral("INTEGER");
        else if (word == QLatin1String("FLOAT") || word == QLatin1String("REAL") || word == QLatin1String("DOUBLE"))
            own = QStringLiteral("DOUBLE PRECISION");
        else if (word == QLatin1String("BLOB"))
            own = QStringLiteral("BYTEA");
        else if (word == QLatin1String("TEXT"))
            own = QStringLiteral("TEXT COLLATE \"C\"");
        type = own.isEmpty() ? type : own + rest;
    }
    if (!type.isEmpty())
        definition += QLatin1Char(' ') + type;
    if (match.hasMatch())
        definition += QStringLiteral(" CHECK(length(%1) <= %2)").arg(quoted(column.name), match.captured(1));
    return definition;
}

QString declaredType(Engine engine, const QString &engineType, int length)
{
    if (engine == Engine::SQLite)
        return engineType;
    const QString type = engineType.toLower();
    if (type == QLatin1String("integer") || type == QLatin1String("smallint") || type == QLatin1String("bigint"))
        return QStringLiteral("INT");
    if (type == QLatin1String("character varying") || type == QLatin1String("character"))
        return length > 0 ? QStringLiteral("VARCHAR(%1)").arg(length) : QStringLiteral("TEXT");
    if (type == QLatin1String("double precision") || type == QLatin1String("real"))
        return QStringLiteral("FLOAT");
    if (type == QLatin1String("bytea"))
        return QStringLiteral("BLOB");
    return engineType.toUpper();
}

QString lastCharacters(Engine engine, const QString &expression, int n)
{
    if (engine == Engine::PostgreSQL)
        return QStringLiteral("right(%1, %2)").arg(expression).arg(n);
    return QStringLiteral("substr(%1, -%2)").arg(expression).arg(n);
}

QString sameValue(const QString &a, const QString &b)
{
    // SQLite (3.39 on) and PostgreSQL both know the standard's form.
    return QStringLiteral("%1 IS NOT DISTINCT FROM %2").arg(a, b);
}

Statement selectAllFrom(const QString &table)
{
    return plain(QStringLiteral("SELECT * FROM ") + quoted(table));
}

Statement selectAllOrderedByNumber(const QString &table)
{
    return plain(QStringLiteral("SELECT * FROM %1 ").arg(quoted(table)) + orderBy(quoted(kNumber), false));
}

Statement createClassTable(const QString &classTable)
{
    return selectInto(classTable, kMasterRosterTable, {});
}

Statement createQuestioningTable(const QString &questioning, const QString &classTable)
{
    return selectInto(questioning, classTable, {kNumber, kName});
}

Statement addQuestioningColumns(const QString &questioning)
{
    return alterAdd(questioning, Schema::questioningAdded());
}

Statement resetEvaluations(const QString &questioning)
{
    return plain(QStringLiteral("UPDATE %1 SET [评价]=NULL,[历史]=NULL,[次数]=0,[总分]=0,[平均]=0").arg(quoted(questioning)));
}

Statement createGradeBookTable(const QString &gradeBook, const QString &classTable)
{
    return selectInto(gradeBook, classTable, {kNumber, kName, kGroup});
}

Statement addGradeBookColumns(const QString &gradeBook)
{
    return alterAdd(gradeBook, Schema::gradeBookAdded());
}

Statement dropTable(const QString &table)
{
    return plain(QStringLiteral("DROP TABLE ") + quoted(table));
}

Statement clearCurrentGrades(const QString &questioning)
{
    return plain(QStringLiteral("UPDATE %1 SET [评价]=NULL").arg(quoted(questioning)));
}

Statement addScoreColumn(const QString &table, const QString &column)
{
    return alterAdd(table, {{column, QStringLiteral("INT NULL")}});
}

Statement copyBaseColumnsToScratch(const QString &table)
{
    return selectInto(backupOf(table), table, baseColumns());
}

Statement restoreFromScratch(const QString &table)
{
    return selectInto(table, backupOf(table), {});
}

Statement deleteAllRows(const QString &table)
{
    return deleteAll(table, {});
}

Statement createGradeBookTableFresh(const QString &table)
{
    return createTable(table, Schema::gradeBook());
}

Statement createQuestioningTableFresh(const QString &table)
{
    // 次数 of a fresh table takes NULL like the other counts; a login's ALTER adds it as INT.
    QList<ColumnDefinition> columns = Schema::questioning();
    columns[4].type = QStringLiteral("INT NULL");
    return createTable(table, columns);
}

Statement writeRanks(const QString &table, const QString &column, bool descending)
{
    const QString order = orderBy(quoted(column), descending) + QStringLiteral(",rowid");
    return plain(
        QStringLiteral("UPDATE %1 SET [名次]=ranked.k FROM (SELECT rowid AS id,row_number() OVER (%2) AS k FROM %1) AS ranked "
                       "WHERE %1.rowid=ranked.id")
            .arg(quoted(table), order));
}

Statement deleteClassRoster(const QString &classTable)
{
    return deleteAll(classTable, {kNumber, kName});
}

Statement copyRosterToClass(const QString &classTable, const QString &table, bool withGroup)
{
    QStringList columns{kNumber, kName};
    if (withGroup)
        columns << kGroup;
    return plain(copyRosterText(classTable, table, columns));
}

Statement deleteRosterRows(const QString &table)
{
    return deleteAll(table, {kNumber, kName});
}

Statement copyRosterFromClass(const QString &table, const QString &classTable)
{
    return plain(copyRosterText(table, classTable, {kNumber, kName}));
}

Statement createGradeBookFromClass(const QString &table, const QString &classTable)
{
    return selectInto(table, classTable, baseColumns());
}

Statement gradeOf(const QString &table, qint64 rowId)
{
    return plain(QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                     .arg(quotedList(QStringList{kNumber, kName} + gradeColumns()), quoted(table)),
        {rowId});
}

Statement recordGrade(
    const QString &table, qint64 rowId, const QString &letter, int score, int historyLength, const QVariantList &before)
{
    // SET expressions read the row as it was, so every column follows from the old values.
    // The history the grade is added to, and the last historyLength letters of it and the
    // (one-letter) grade, in a form both engines take.
    const QString kept = QStringLiteral("(CASE WHEN coalesce([次数],0)<>0 THEN coalesce([历史],'') ELSE '' END)");
    const QString history = QStringLiteral("CASE WHEN length(%1)>=%2 THEN substr(%1,length(%1)-%3) ELSE %1 END || ?")
                                .arg(kept)
                                .arg(historyLength)
                                .arg(historyLength - 2);
    const QString text = QStringLiteral("UPDATE %1 SET [评价]=?,"
                                        "[历史]=%2,"
                                        "[次数]=coalesce([次数],0)+1,"
                                        "[总分]=coalesce([总分],0)+?,"
                                        "[平均]=(coalesce([总分],0)+?)/(coalesce([次数],0)+1) "
                                        "WHERE rowid=? AND %3")
                             .arg(quoted(table), history, allSame(gradeColumns()));
    return plain(text, QVariantList{letter, letter, qlonglong(score), qlonglong(score), rowId} + before);
}

Statement restoreGrade(
    const QString &table, qint64 rowId, const QVariantList &student, const QVariantList &before, const QVariantList &after)
{
    QStringList sets;
    for (const QString &column : gradeColumns())
        sets << quoted(column) + QStringLiteral("=?");
    const QString text
        = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=? AND %3")
              .arg(quoted(table), sets.join(QLatin1Char(',')), allSame(QStringList{kNumber, kName} + gradeColumns()));
    return plain(text, before + QVariantList{rowId} + student + after);
}

QList<Statement> createFairLessonTables()
{
    return {createTableIfMissing(kRoundTable, Schema::rounds()), createTableIfMissing(kAskedTable, Schema::asked()),
        createTableIfMissing(kAbsenceTable, Schema::absences())};
}

Statement fairLessonOf(const QString &c, const QString &s)
{
    return plain(QStringLiteral("SELECT [不重复],[轮次] FROM %1 WHERE %2").arg(quoted(kRoundTable), ofLesson()), {c, s});
}

Statement askedInRound(const QString &c, const QString &s)
{
    return plain(QStringLiteral("SELECT [编号],[姓名] FROM %1 WHERE %2 AND [轮次]=%3")
                     .arg(quoted(kAskedTable), ofLesson(), currentRound()),
        {c, s, c, s});
}

Statement absentOn(const QString &c, const QString &s, const QString &day)
{
    return plain(
        QStringLiteral("SELECT [编号],[姓名] FROM %1 WHERE %2 AND [日期]=?").arg(quoted(kAbsenceTable), ofLesson()), {c, s, day});
}

Statement addFairLesson(const QString &c, const QString &s)
{
    return plain(QStringLiteral("INSERT INTO %1 ([班级],[科目],[不重复],[轮次]) SELECT ?,?,0,1 WHERE NOT EXISTS "
                                "(SELECT 1 FROM %1 WHERE %2)")
                     .arg(quoted(kRoundTable), ofLesson()),
        {c, s, c, s});
}

Statement setNoRepeat(const QString &c, const QString &s, bool on)
{
    return plain(QStringLiteral("UPDATE %1 SET [不重复]=? WHERE %2").arg(quoted(kRoundTable), ofLesson()), {on ? 1 : 0, c, s});
}

Statement advanceRound(const QString &c, const QString &s, int from)
{
    QString text = QStringLiteral("UPDATE %1 SET [轮次]=[轮次]+1 WHERE %2").arg(quoted(kRoundTable), ofLesson());
    QVariantList values{c, s};
    if (from >= 0) {
        text += QStringLiteral(" AND [轮次]=?");
        values << from;
    }
    return plain(text, values);
}

Statement forgetEarlierRounds(const QString &c, const QString &s)
{
    return plain(QStringLiteral("DELETE FROM %1 WHERE %2 AND [轮次]<%3").arg(quoted(kAskedTable), ofLesson(), currentRound()),
        {c, s, c, s});
}

Statement forgetAsked(const QString &c, const QString &s, qlonglong number, const QString &name)
{
    return plain(QStringLiteral("DELETE FROM %1 WHERE %2 AND [编号]=? AND [姓名]=? AND [轮次]=%3")
                     .arg(quoted(kAskedTable), ofLesson(), currentRound()),
        {c, s, number, name, c, s});
}

Statement addAsked(const QString &c, const QString &s, qlonglong number, const QString &name)
{
    return plain(QStringLiteral("INSERT INTO %1 ([班级],[科目],[轮次],[编号],[姓名]) SELECT ?,?,[轮次],?,? FROM %2 WHERE %3")
                     .arg(quoted(kAskedTable), quoted(kRoundTable), ofLesson()),
        {c, s, number, name, c, s});
}

Statement forgetOtherDays(const QString &c, const QString &s, const QString &day)
{
    return plain(QStringLiteral("DELETE FROM %1 WHERE %2 AND [日期]<>?").arg(quoted(kAbsenceTable), ofLesson()), {c, s, day});
}

Statement forgetAbsence(const QString &c, const QString &s, qlonglong number, const QString &name)
{
    return plain(QStringLiteral("DELETE FROM %1 WHERE %2 AND [编号]=? AND [姓名]=?").arg(quoted(kAbsenceTable), ofLesson()),
        {c, s, number, name});
}

Statement addAbsence(const QString &c, const QString &s, const QString &day, qlonglong number, const QString &name)
{
    return plain(
        QStringLiteral("INSERT INTO %1 ([班级],[科目],[日期],[编号],[姓名]) VALUES (?,?,?,?,?)").arg(quoted(kAbsenceTable)),
        {c, s, day, number, name});
}

Query showAllOrderedByNumber(const QString &table)
{
    return writable(table, QStringLiteral("*"), orderBy(quoted(kNumber), false));
}

Query showAll(const QString &table)
{
    return writable(table, QStringLiteral("*"));
}

Query columnsOf(const QString &table)
{
    return Query{QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quoted(table)), {}, {}};
}

Query showColumns(const QString &table, const QStringList &columns)
{
    return writable(table, columns.isEmpty() ? QStringLiteral("*") : quotedList(columns));
}

Query showOrderedBy(const QString &table, const QString &column, bool descending, const QStringList &columns)
{
    return writable(table, columns.isEmpty() ? QStringLiteral("*") : quotedList(columns), orderBy(quoted(column), descending));
}

Query showInRankOrder(const QString &table, const QStringList &columns)
{
    return writable(table, quotedList(columns), orderBy(QStringLiteral("[名次]"), false) + QStringLiteral(",rowid"));
}

Query groupTotals(const QString &table, const QString &column, bool descending)
{
    const QString sum = QStringLiteral("SUM(%1)").arg(quoted(column));
    const QString sql = QStringLiteral("SELECT [小组],%1 AS [总分] FROM %2 GROUP BY [小组] ").arg(sum, quoted(table))
        + orderBy(sum, descending);
    return Query{sql, {}, {}};
}

QString readDataFile(Engine engine, bool lockedForChange)
{
    QString sql = QStringLiteral("SELECT [内容] FROM %1 WHERE [文件名]=?").arg(quoted(kDataFileTable));
    // SQLite locks the whole file at its first write; PostgreSQL locks the row it is told to.
    if (lockedForChange && engine == Engine::PostgreSQL)
        sql += QStringLiteral(" FOR UPDATE");
    return sql;
}

QString writeDataFile()
{
    return QStringLiteral(
        "INSERT INTO %1 ([文件名],[内容]) VALUES (?,?) ON CONFLICT ([文件名]) DO UPDATE SET [内容]=excluded.[内容]")
        .arg(quoted(kDataFileTable));
}

QString addDataFileIfMissing()
{
    return QStringLiteral("INSERT INTO %1 ([文件名],[内容]) VALUES (?,?) ON CONFLICT ([文件名]) DO NOTHING")
        .arg(quoted(kDataFileTable));
}

QString removeDataFile()
{
    return QStringLiteral("DELETE FROM %1 WHERE [文件名]=?").arg(quoted(kDataFileTable));
}

QString dataFileNames()
{
    return QStringLiteral("SELECT [文件名] FROM %1 ORDER BY [文件名]").arg(quoted(kDataFileTable));
}

Query portrait(const QString &parameter)
{
    // The picture is left out: the query follows every move of the race, and a large
    // picture is read (Dataset::readStored) only when it is to be shown.
    Query query = writable(kPortraitTable, QStringLiteral("[姓名],[宣言]"), QStringLiteral("WHERE [姓名] = ? ORDER BY rowid"));
    query.parameter = parameter;
    return query;
}

} // namespace Sql
