#include "EvaluationClearing.h"

#include "QuestioningHost.h"
#include "QuestioningMessages.h"
#include "shell/LoginState.h"
#include "shell/Prompter.h"
#include "store/DataPaths.h"
#include "store/Dataset.h"

using namespace QuestioningMessages;

void EvaluationClearing::run()
{
    Prompter &prompter = m_host.prompter();
    const LoginState &login = m_host.loginState();
    // Before a login there is no table to clear and no password to ask for.
    if (!login.isLoggedIn()) {
        prompter.notice(kNotice, kLogInFirst);
        return;
    }
    if (!prompter.confirm(kNotice, QStringLiteral("确定清除评价记录吗?")))
        return;

    const QString stored = PasswordFile::readToken(m_host.paths().passwordFile(login.className, login.subject))
                               .value_or(kAdministratorPassword);
    const QString answer = prompter.input(QStringLiteral("密码"),
                                          QStringLiteral("请输入") + login.className + login.subject + QStringLiteral("登录密码"),
                                          QString())
                               .value_or(QString());
    if (answer != stored) {
        prompter.notice(kNotice, QStringLiteral("密码错误,您不是合法使用者,不能随意删除评价记录!"));
        return;
    }

    const QString table = login.tables().currentTable();
    Dataset &query = m_host.mainQuery();
    if (const SqlResult cleared = query.execute(Sql::resetEvaluations(table)); !cleared) {
        prompter.error(cleared.error);
        return;
    }
    query.close();
    query.setQuery(Sql::showAllOrderedByNumber(table));
    if (const SqlResult opened = query.open(); !opened) {
        prompter.error(opened.error);
        return;
    }
    m_host.formatGrid();
}
