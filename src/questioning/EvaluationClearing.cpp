#include "EvaluationClearing.h"

#include "QuestioningMessages.h"
#include "store/DataFileNames.h"
#include "store/DataFiles.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "store/PasswordFile.h"
#include "ui/AppContext.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

using namespace QuestioningMessages;

void EvaluationClearing::run()
{
    Prompter &prompter = m_context.prompter;
    const LoginState &login = m_context.login;
    // Before a login there is no table to clear and no password to ask for.
    if (!login.isLoggedIn()) {
        prompter.notice(kNotice, kLogInFirst);
        return;
    }
    if (!prompter.confirm(kNotice, QStringLiteral("确定清除评价记录吗?")))
        return;

    const QString stored = PasswordFile::readToken(m_context.dataFiles, DataFileNames::password(login.className, login.subject))
                               .value_or(kAdministratorPassword);
    const QString answer
        = prompter
              .input(QStringLiteral("密码"),
                  QStringLiteral("请输入") + login.className + login.subject + QStringLiteral("登录密码"), QString())
              .value_or(QString());
    if (answer != stored) {
        prompter.notice(kNotice, QStringLiteral("密码错误,您不是合法使用者,不能随意删除评价记录!"));
        return;
    }

    const QString table = login.tables().currentTable();
    Dataset &query = m_context.mainQuery;
    if (const Result cleared = query.execute(Sql::resetEvaluations(table)); !cleared) {
        prompter.error(cleared.error);
        return;
    }
    (void)query.close();
    query.setQuery(Sql::showAllOrderedByNumber(table));
    if (const Result opened = query.open(); !opened) {
        prompter.error(opened.error);
        return;
    }
    m_view.formatGrid();
}
