#include "QuestioningFixture.h"

#include <QSqlQuery>
#include <QTest>

QuestioningFixture::QuestioningFixture()
    : paths(folder.path())
    , database(QStringLiteral("questioning-test"))
    , query(database)
{
    const SqlResult opened = database.open(folder.path());
    if (!opened)
        QTest::qFail(qPrintable(opened.error), __FILE__, __LINE__);
    login.programFolder = folder.path();
    login.className = QStringLiteral("一班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeQuestioning;
    table = login.tables().questioningTable();
}

void QuestioningFixture::run(const QString &sql)
{
    Statement statement;
    statement.text = sql;
    const SqlResult result = database.execute(statement);
    if (!result)
        QTest::qFail(qPrintable(result.error + QStringLiteral(" / ") + sql), __FILE__, __LINE__);
}

void QuestioningFixture::fill(const QList<Student> &students)
{
    query.close();
    database.execute(Sql::dropTable(table));
    const SqlResult created = database.execute(Sql::createQuestioningTableFresh(table));
    if (!created)
        QTest::qFail(qPrintable(created.error), __FILE__, __LINE__);
    QList<Statement> inserts;
    for (const Student &student : students) {
        Statement insert;
        insert.text = QStringLiteral("INSERT INTO [%1] ([编号],[姓名],[次数],[总分],[平均]) VALUES (%2,'%3',0,0,0)")
                          .arg(table)
                          .arg(student.number)
                          .arg(student.name);
        inserts << insert;
    }
    if (const SqlResult filled = database.runInTransaction(inserts); !filled)
        QTest::qFail(qPrintable(filled.error), __FILE__, __LINE__);
    query.setQuery(Sql::showAllOrderedByNumber(table));
    if (const SqlResult reopened = query.open(); !reopened)
        QTest::qFail(qPrintable(reopened.error), __FILE__, __LINE__);
}

void QuestioningFixture::fillNumbered(int count)
{
    QList<Student> students;
    for (int number = 1; number <= count; ++number)
        students.append({number, QStringLiteral("学生%1").arg(number)});
    fill(students);
}

QVariantList QuestioningFixture::column(const QString &name)
{
    QVariantList values;
    QSqlQuery select(database.connection());
    if (!select.exec(QStringLiteral("SELECT [%1] FROM [%2] ORDER BY [编号], rowid").arg(name, table)))
        QTest::qFail(qPrintable(select.lastQuery()), __FILE__, __LINE__);
    while (select.next())
        values << select.value(0);
    return values;
}
