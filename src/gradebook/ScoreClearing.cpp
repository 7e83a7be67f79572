#include "ScoreClearing.h"

#include "GradeBookMessages.h"
#include "store/DataFileNames.h"
#include "store/Dataset.h"
#include "store/PasswordFile.h"
#include "ui/Prompter.h"

using namespace GradeBookMessages;

ScoreClearing::ScoreClearing(Database &database, Dataset &view, Prompter &prompter, MainView &mainView)
    : m_database(database)
    , m_view(view)
    , m_prompter(prompter)
    , m_mainView(mainView)
{
}

QString ScoreClearing::expectedPassword(const TableNames &tables, const DataFiles &files)
{
    return PasswordFile::readToken(files, DataFileNames::password(tables.className, tables.subject))
        .value_or(kAdministratorPassword);
}

void ScoreClearing::run(const TableNames &tables, const DataFiles &files)
{
    const QString classAndSubject = tables.className + tables.subject;
    if (!m_prompter.confirm(kNotice, QStringLiteral("确定删除") + classAndSubject + QStringLiteral("的全部成绩吗？")))
        return;
    const QString expected = expectedPassword(tables, files);
    const QString answer
        = m_prompter
              .input(QStringLiteral("密码"), QStringLiteral("请输入") + classAndSubject + QStringLiteral("登录密码"), QString())
              .value_or(QString());
    if (answer != expected) {
        m_prompter.notice(kNotice, kWrongPassword);
        return;
    }

    const QString table = tables.currentTable();
    const QString scratch = QStringLiteral("备份") + table;
    if (const Result closed = m_view.close(); !closed) {
        m_prompter.error(closed.error);
        return;
    }
    const Result rebuilt = m_database.transaction([&] {
        // A scratch table left by an interrupted clear holds nothing the table lacks.
        if (m_database.tableExists(scratch)) {
            if (Result dropped = m_database.execute(Sql::dropTable(scratch)); !dropped)
                return dropped;
        }
        return m_database.runInTransaction({Sql::copyBaseColumnsToScratch(table), Sql::dropTable(table),
            Sql::restoreFromScratch(table), Sql::dropTable(scratch)});
    });
    if (!rebuilt) {
        m_prompter.error(rebuilt.error);
        return;
    }
    if (const Result reopened = m_mainView.openGradeBookView(); !reopened)
        m_prompter.error(reopened.error);
}
