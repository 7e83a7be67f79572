#include "GradeBookFixture.h"

#include "EngineSuite.h"

#include "gradebook/GradeBookView.h"

#include <QSqlQuery>
#include <QTest>

namespace {
void check(const Result &result, const QString &what)
{
    if (!result)
        QTest::qFail(qPrintable(result.error + QStringLiteral(" / ") + what), __FILE__, __LINE__);
}
} // namespace

GradeBookFixture::GradeBookFixture()
    : paths(folder.path())
    , database(QStringLiteral("gradebook-test"))
    , view(database)
{
    check(EngineSuite::open(database, folder.path()), QStringLiteral("open"));
    login.programFolder = folder.path();
    login.className = QStringLiteral("一班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeGradeBook;
    tables = login.tables();
    table = tables.gradeBookTable();
}

void GradeBookFixture::run(const QString &sql)
{
    Statement statement;
    statement.text = sql;
    check(database.execute(statement), sql);
}

void GradeBookFixture::create(const QStringList &scoreColumns, const QList<Student> &students)
{
    (void)view.close();
    (void)database.execute(Sql::dropTable(table));
    check(database.execute(Sql::createGradeBookTableFresh(table)), QStringLiteral("create"));
    for (const QString &name : scoreColumns)
        check(database.execute(Sql::addScoreColumn(table, name)), name);
    QStringList columns{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组")};
    columns << scoreColumns;
    QList<Statement> inserts;
    for (const Student &student : students) {
        QStringList values{QString::number(student.number), QLatin1Char('\'') + student.name + QLatin1Char('\''),
            QString::number(student.group)};
        for (const QVariant &score : student.scores.mid(0, scoreColumns.size()))
            values << (score.isValid() ? score.toString() : QStringLiteral("NULL"));
        Statement insert;
        QStringList quoted;
        for (const QString &column : columns.mid(0, values.size()))
            quoted << Sql::quoted(column);
        insert.text = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(Sql::quoted(table), quoted.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
        inserts << insert;
    }
    check(database.runInTransaction(inserts), QStringLiteral("fill"));
    check(openGradeBookView(), QStringLiteral("show"));
}

Result GradeBookFixture::openGradeBookView()
{
    login.mode = kModeGradeBook;
    tables = login.tables();
    if (Result opened = GradeBookView::open(login, view, columnList); !opened)
        return opened;
    view.first();
    return Result::success();
}

void RecordingMainView::formatGrid()
{
    ++m_fixture.formattings;
}

Result RecordingMainView::openGradeBookView()
{
    ++m_fixture.reopenings;
    return m_fixture.openGradeBookView();
}

QString RecordingMainView::gradeBookColumnList() const
{
    return m_fixture.columnList;
}

void RecordingMainView::hideEntryPanel()
{
    ++m_fixture.panelHidings;
}

void GradeBookFixture::createQuestioning(const QList<Student> &students)
{
    login.mode = kModeQuestioning;
    tables = login.tables();
    const QString questioning = tables.questioningTable();
    (void)view.close();
    (void)database.execute(Sql::dropTable(questioning));
    check(database.execute(Sql::createQuestioningTableFresh(questioning)), QStringLiteral("create questioning"));
    for (const Student &student : students)
        run(QStringLiteral("INSERT INTO [%1] ([编号],[姓名],[次数],[总分],[平均]) VALUES (%2,'%3',%4,%5,%6)")
                .arg(questioning)
                .arg(student.number)
                .arg(student.name)
                .arg(student.scores.value(0, 0).toInt())
                .arg(student.scores.value(1, 0).toInt())
                .arg(student.scores.value(2, 0).toDouble()));
    view.setQuery(Sql::showAllOrderedByNumber(questioning));
    check(view.open(), QStringLiteral("show questioning"));
}

QVariantList GradeBookFixture::column(const QString &name, const QString &ofTable)
{
    QVariantList values;
    QSqlQuery select(database.connection());
    const QString from = ofTable.isEmpty() ? table : ofTable;
    if (!select.exec(QStringLiteral("SELECT [%1] FROM [%2] ORDER BY [编号], rowid").arg(name, from)))
        QTest::qFail(qPrintable(select.lastQuery()), __FILE__, __LINE__);
    while (select.next())
        values << select.value(0);
    return values;
}

int GradeBookFixture::rowCount(const QString &ofTable)
{
    QSqlQuery select(database.connection());
    if (!select.exec(QStringLiteral("SELECT count(*) FROM [%1]").arg(ofTable.isEmpty() ? table : ofTable)) || !select.next())
        return -1;
    return select.value(0).toInt();
}
