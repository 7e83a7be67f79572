#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

/// One column of a CREATE TABLE or ALTER TABLE ... ADD, with its declared type as the
/// system writes it ("INT NULL", "VARCHAR(8) NULL", "CHAR(10) NULL", "FLOAT NULL", "INT").
struct ColumnDefinition final {
    QString name;
    QString type;
};

/// The database engines the store speaks: SQLite (Record.mdb, the default) and a
/// PostgreSQL server. Only the store ever branches on it.
enum class Engine {
    SQLite,
    PostgreSQL
};

/// A statement the system issues without a result set. `text` is one statement in the
/// catalogue's notation (names quoted as [name], the row identity called rowid), which
/// Database renders for its engine; the other kinds are dialect forms that
/// Database::execute carries out in one or several engine steps, all or nothing. A Plain text may be a select for Database::rows.
struct Statement final {
    enum class Kind {
        Plain,       ///< one statement in `text`
        CreateTable, ///< CREATE TABLE `target` with the `added` columns and the row identity (`text`: SQLite's form)
        SelectInto,  ///< Select `columns` (empty: all) Into `target` From `source`
        AlterAdd,    ///< ALTER TABLE `target` ADD `added`..., in order
        DeleteAll,   ///< Delete (columns) From `target`: every row goes
    };
    Kind kind = Kind::Plain;
    QString text;
    QString target;
    QString source;
    QStringList columns;
    QList<ColumnDefinition> added;
    /// Values for the placeholders (?) of a Plain text, in order.
    QVariantList values;
    /// CreateTable: nothing happens when the table exists.
    bool ifMissing = false;
};

/// A statement with a result set, for a Dataset. When `writeTable` is set the first
/// result column is the engine's row id (hidden by the Dataset) and rows are written
/// back to that table by it. `parameter`, if set, names the master's field whose value
/// the text's one placeholder (?) takes.
struct Query final {
    QString sql;
    QString writeTable;
    QString parameter;
};

/// The declared columns of the tables the system makes.
namespace Schema {
/// 母版 and every class table: 编号, 姓名, 小组, 合计, 平均, 名次.
QList<ColumnDefinition> roster();
/// 范例班: 姓名, 相片, 宣言.
QList<ColumnDefinition> portraits();
/// What a questioning table adds to 编号 and 姓名: 评价, 历史, 次数, 总分, 平均.
QList<ColumnDefinition> questioningAdded();
/// What a grade-book table adds to 编号, 姓名 and 小组: 合计, 平均, 名次.
QList<ColumnDefinition> gradeBookAdded();
/// The fair lesson's tables: 不重复 and the round of a class and subject; who was asked
/// in which round; who is absent on which day.
QList<ColumnDefinition> rounds();
QList<ColumnDefinition> asked();
QList<ColumnDefinition> absences();
/// Whole tables: the first columns of the roster followed by the added ones.
QList<ColumnDefinition> questioning();
QList<ColumnDefinition> gradeBook();
/// The Data files on a server: 文件名 (unique), 内容.
QList<ColumnDefinition> dataFiles();
} // namespace Schema

/// Every statement the system issues, one function each. Names are quoted as [name];
/// callers refuse unsafe names (isSafeName) before building.
namespace Sql {
QString quoted(const QString &name);
/// The hidden column PostgreSQL tables of the program carry as their row identity, named
/// as SQLite's own row id so that one statement text serves both engines.
inline const QString kRowIdentity = QStringLiteral("rowid");
/// The engine's own text of a statement in the catalogue's notation: on PostgreSQL every
/// [name] outside a string literal becomes "name"; SQLite takes the text as it is.
QString rendered(Engine engine, const QString &text);
/// Engine column definition of a declared type: VARCHAR(n)/CHAR(n) carry a length check.
/// PostgreSQL gets its own types (INTEGER, DOUBLE PRECISION, BYTEA, VARCHAR for CHAR,
/// which it would pad) with byte-wise ordering, as SQLite compares text.
QString columnDefinition(Engine engine, const ColumnDefinition &column);
/// The one CREATE TABLE builder: the table with these columns and their declared types;
/// on PostgreSQL led by the row identity.
QString createTableText(Engine engine, const QString &table, const QList<ColumnDefinition> &columns);
/// A declared type as the engine reports it, in the system's own notation ("integer" → "INT").
QString declaredType(Engine engine, const QString &engineType, int length);
/// The last n characters of a text expression.
QString lastCharacters(Engine engine, const QString &expression, int n);
/// True (1) when both expressions hold the same value, a null equal only to a null.
QString sameValue(const QString &a, const QString &b);
Statement createTable(const QString &table, const QList<ColumnDefinition> &columns);
/// The same table, made only when no table of that name exists.
Statement createTableIfMissing(const QString &table, const QList<ColumnDefinition> &columns);

// Existence tests: executed, they fail exactly when the table is missing.
Statement selectAllFrom(const QString &table);            // Select * From T
Statement selectAllOrderedByNumber(const QString &table); // Select * From T Order By 编号

// Login: table preparation.
Statement createClassTable(const QString &classTable); // Select * Into  C From 母版
Statement createQuestioningTable(const QString &questioning, const QString &classTable);
Statement addQuestioningColumns(const QString &questioning);
Statement resetEvaluations(const QString &questioning); // Set 评价=NULL,历史=NULL, 次数=0,...
Statement createGradeBookTable(const QString &gradeBook, const QString &classTable);
Statement addGradeBookColumns(const QString &gradeBook);

Statement dropTable(const QString &table);
Statement clearCurrentGrades(const QString &questioning); // Update Q Set 评价=NULL

// Grade book.
Statement addScoreColumn(const QString &table, const QString &column);
Statement copyBaseColumnsToScratch(const QString &table); // Select 6 base cols Into 备份T From T
Statement restoreFromScratch(const QString &table);       // Select * Into T From 备份T
Statement deleteAllRows(const QString &table);            // Delete * From T
Statement createGradeBookTableFresh(const QString &table);
Statement createQuestioningTableFresh(const QString &table);
/// Writes 名次 1..n in the order of column (Desc when descending), ties in row order; one statement.
Statement writeRanks(const QString &table, const QString &column, bool descending);

// Class roster.
Statement deleteClassRoster(const QString &classTable); // Delete 编号,姓名 From C
Statement copyRosterToClass(const QString &classTable, const QString &table, bool withGroup);
Statement deleteRosterRows(const QString &table); // Delete 编号,姓名 From T
Statement copyRosterFromClass(const QString &table, const QString &classTable);
Statement createGradeBookFromClass(const QString &table, const QString &classTable);

// Grading one row by its row id, and taking the grade back. `gradeColumns` are 评价, 历史,
// 次数, 总分, 平均 in that order; `student` is 编号 and 姓名.
/// The row's 编号, 姓名 and grade columns.
Statement gradeOf(const QString &table, qint64 rowId);
/// Grades the row with letter and score, computed from the row in the file (历史 keeps its
/// last historyLength letters), only while its grade columns still equal `before`.
Statement recordGrade(
    const QString &table, qint64 rowId, const QString &letter, int score, int historyLength, const QVariantList &before);
/// Puts `before` back into the grade columns, only while the row still holds `student` and `after`.
Statement restoreGrade(
    const QString &table, qint64 rowId, const QVariantList &student, const QVariantList &before, const QVariantList &after);

// The fair lesson of class c and subject s.
/// Makes the three tables that are missing.
QList<Statement> createFairLessonTables();
Statement fairLessonOf(const QString &c, const QString &s); // 不重复, 轮次
/// 编号, 姓名 of those asked in the current round.
Statement askedInRound(const QString &c, const QString &s);
/// 编号, 姓名 of those absent on day (yyyy-MM-dd).
Statement absentOn(const QString &c, const QString &s, const QString &day);
/// The row of c and s, 不重复 off and round 1, unless it exists.
Statement addFairLesson(const QString &c, const QString &s);
Statement setNoRepeat(const QString &c, const QString &s, bool on);
/// The next round; only when the current one is `from` unless from is negative.
Statement advanceRound(const QString &c, const QString &s, int from);
Statement forgetEarlierRounds(const QString &c, const QString &s);
/// Who was asked in the current round: one student out, one in.
Statement forgetAsked(const QString &c, const QString &s, qlonglong number, const QString &name);
Statement addAsked(const QString &c, const QString &s, qlonglong number, const QString &name);
/// Absences: those of other days go; one student out, one in.
Statement forgetOtherDays(const QString &c, const QString &s, const QString &day);
Statement forgetAbsence(const QString &c, const QString &s, qlonglong number, const QString &name);
Statement addAbsence(const QString &c, const QString &s, const QString &day, qlonglong number, const QString &name);

// Queries for the main grid and the portrait panel.
Query showAllOrderedByNumber(const QString &table); // Select * From T Order By 编号
Query showAll(const QString &table);                // Select * From T
/// Select * From T without reading any row: only the table's columns (read-only).
Query columnsOf(const QString &table);
Query showColumns(const QString &table, const QStringList &columns); // Select list From T
/// Select columns (empty: all) From T Order By column [Desc]; writable.
Query showOrderedBy(const QString &table, const QString &column, bool descending, const QStringList &columns = {});
/// The columns of T in the order of its stored ranks (名次 ascending, ties in row order).
Query showInRankOrder(const QString &table, const QStringList &columns);
Query groupTotals(const QString &table, const QString &column, bool descending);
// The Data files on a server (placeholders: file name, then bytes).
QString readDataFile(Engine engine, bool lockedForChange);
QString writeDataFile();
QString addDataFileIfMissing();
QString removeDataFile();
QString dataFileNames();

/// 姓名 and 宣言 of 范例班 Where 姓名 = :parameter (parameter 姓名, or 总分 while the entry
/// panel closes it); 相片 is read apart, with Dataset::readStored.
Query portrait(const QString &parameter);
} // namespace Sql
