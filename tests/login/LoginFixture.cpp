#include "LoginFixture.h"

#include <QTest>

LoginFixture::LoginFixture()
{
    folder.writeDataFile(QStringLiteral("banji.qs"), QByteArray());
    folder.writeDataFile(QStringLiteral("xueke.qs"), gbkLines({QStringLiteral("语文"), QStringLiteral("数学")}));
    folder.writeDataFile(QStringLiteral("Moren.qs"),
        gbkLines({QStringLiteral("很好"), QStringLiteral("5"), QStringLiteral("好"), QStringLiteral("4"), QStringLiteral("一般"),
            QStringLiteral("3"), QStringLiteral("加油"), QStringLiteral("1")}));
}

void LoginFixture::prepareClass(const QString &className, const QString &subject)
{
    const TableNames names{className, subject, QString()};
    for (const Statement &statement :
        {Sql::createClassTable(className), Sql::createQuestioningTable(names.questioningTable(), className),
            Sql::addQuestioningColumns(names.questioningTable()), Sql::resetEvaluations(names.questioningTable()),
            Sql::createGradeBookTable(names.gradeBookTable(), className), Sql::addGradeBookColumns(names.gradeBookTable())}) {
        if (const Result result = database.execute(statement); !result)
            QTest::qFail(qPrintable(result.error), __FILE__, __LINE__);
    }
}
