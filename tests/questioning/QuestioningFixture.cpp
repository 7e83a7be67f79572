#include "QuestioningFixture.h"

#include <QTest>

QuestioningFixture::QuestioningFixture()
    : ContextFixture(QStringLiteral("questioning-test"))
{
    login.className = QStringLiteral("一班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeQuestioning;
    table = login.tables().questioningTable();
}

void QuestioningFixture::fill(const QList<Student> &students)
{
    (void)query.close();
    (void)database.execute(Sql::dropTable(table));
    if (const Result created = database.execute(Sql::createQuestioningTableFresh(table)); !created)
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
    if (const Result filled = database.runInTransaction(inserts); !filled)
        QTest::qFail(qPrintable(filled.error), __FILE__, __LINE__);
    query.setQuery(Sql::showAllOrderedByNumber(table));
    if (const Result reopened = query.open(); !reopened)
        QTest::qFail(qPrintable(reopened.error), __FILE__, __LINE__);
}

void QuestioningFixture::fillNumbered(int count)
{
    QList<Student> students;
    for (int number = 1; number <= count; ++number)
        students.append({number, QStringLiteral("学生%1").arg(number)});
    fill(students);
}
