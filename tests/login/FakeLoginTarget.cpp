#include "FakeLoginTarget.h"

#include "store/Gbk.h"

#include <QDir>
#include <QSqlQuery>
#include <QTest>

QByteArray gbk(const QString &text)
{
    return Gbk::encode(text).value_or(QByteArray());
}

QByteArray listFile(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += gbk(line) + "\r\n";
    return bytes;
}

FakeLoginTarget::FakeLoginTarget()
    : m_paths(m_folder.path())
{
    m_state.programFolder = m_folder.path();
    m_folder.writeDataFile(QStringLiteral("banji.qs"), QByteArray());
    m_folder.writeDataFile(QStringLiteral("xueke.qs"), listFile({QStringLiteral("语文"), QStringLiteral("数学")}));
    m_folder.writeDataFile(QStringLiteral("Moren.qs"),
                           listFile({QStringLiteral("很好"), QStringLiteral("5"), QStringLiteral("好"), QStringLiteral("4"),
                                     QStringLiteral("一般"), QStringLiteral("3"), QStringLiteral("加油"), QStringLiteral("1")}));
    const SqlResult opened = m_database.open(m_folder.path());
    if (!opened)
        QTest::qFail(qPrintable(opened.error), __FILE__, __LINE__);
}

SqlResult FakeLoginTarget::showQuestioningViewAfterLogin()
{
    m_viewsShown << m_state.mode;
    m_query.setQuery(Sql::showAllOrderedByNumber(m_state.tables().questioningTable()));
    return m_query.open();
}

SqlResult FakeLoginTarget::showGradeBookViewAfterLogin()
{
    m_viewsShown << m_state.mode;
    m_query.setQuery(Sql::showAll(m_state.tables().gradeBookTable()));
    return m_query.open();
}

void FakeLoginTarget::prepareClass(const QString &className, const QString &subject)
{
    const TableNames names{className, subject, QString()};
    for (const Statement &statement : {Sql::createClassTable(className),
                                       Sql::createQuestioningTable(names.questioningTable(), className),
                                       Sql::addQuestioningColumns(names.questioningTable()),
                                       Sql::resetEvaluations(names.questioningTable()),
                                       Sql::createGradeBookTable(names.gradeBookTable(), className),
                                       Sql::addGradeBookColumns(names.gradeBookTable())}) {
        const SqlResult result = m_database.execute(statement);
        if (!result)
            QTest::qFail(qPrintable(result.error), __FILE__, __LINE__);
    }
}

QStringList FakeLoginTarget::tables() const
{
    QStringList names = m_database.connection().tables();
    names.sort();
    return names;
}

int FakeLoginTarget::rowCount(const QString &table, const QString &where) const
{
    QSqlQuery query(m_database.connection());
    QString sql = QStringLiteral("SELECT count(*) FROM ") + Sql::quoted(table);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toInt();
}

QMap<QString, QByteArray> FakeLoginTarget::dataFiles() const
{
    QMap<QString, QByteArray> files;
    const QDir data(m_paths.dataFolder());
    for (const QString &name : data.entryList(QDir::Files))
        files.insert(name, m_folder.readDataFile(name));
    return files;
}
