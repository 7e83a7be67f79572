#include "LoginController.h"

#include "LoginTarget.h"
#include "NameRules.h"
#include "StoredSpelling.h"
#include "shell/Prompter.h"
#include "store/DataPaths.h"
#include "store/Dataset.h"
#include "store/StoredNames.h"
#include "store/TableNames.h"
#include "store/TextFiles.h"

#include <QFile>
#include <QSaveFile>

namespace {
const QString kNotice = QStringLiteral("提示");
const QString kError = QStringLiteral("错误");
const QString kWarning = QStringLiteral("警告");
} // namespace

LoginController::LoginController(LoginTarget &target)
    : m_target(target)
{
}

bool LoginController::login(const Entries &typed)
{
    if (!checkEntries(typed))
        return false;
    // A name that differs from a stored one only in letter case reaches the same tables:
    // it must meet the same password file and the same list lines.
    Entries entries = typed;
    const StoredSpelling::Names stored = StoredSpelling(m_target).names(typed.className, typed.subject);
    entries.className = stored.className;
    entries.subject = stored.subject;
    if (!checkPassword(entries) || !prepareTables(entries))
        return false;

    LoginState &state = m_target.loginState();
    state.className = entries.className;
    state.subject = entries.subject;
    state.mode = entries.mode;
    const SqlResult shown = entries.mode == kModeQuestioning ? m_target.showQuestioningViewAfterLogin()
                                                              : m_target.showGradeBookViewAfterLogin();
    if (!shown) {
        m_target.prompter().error(shown.error);
        return false;
    }

    if (!loadGradeSettings(entries))
        return false;
    const DataPaths &paths = m_target.paths();
    return putFirstInList(paths.classListFile(), entries.className)
        && putFirstInList(paths.subjectListFile(entries.className), entries.subject);
}

bool LoginController::checkEntries(const Entries &entries)
{
    Prompter &prompter = m_target.prompter();
    const std::pair<bool, QString> emptyChecks[] = {
        {entries.className.isEmpty(), QStringLiteral("请输入班级!")},
        {entries.subject.isEmpty(), QStringLiteral("请输入学科!")},
        {entries.password.isEmpty(), QStringLiteral("密码不能为空!")},
    };
    for (const auto &[failed, message] : emptyChecks) {
        if (failed) {
            prompter.notice(kError, message);
            return false;
        }
    }
    // Names become table and file names: refuse them before anything is touched.
    for (const QString &refusal : {NameRules::classRefusal(entries.className), NameRules::subjectRefusal(entries.subject)}) {
        if (!refusal.isEmpty()) {
            prompter.notice(kError, refusal);
            return false;
        }
    }
    return true;
}

bool LoginController::checkPassword(const Entries &entries)
{
    Prompter &prompter = m_target.prompter();
    const QString passwordFile = m_target.paths().passwordFile(entries.className, entries.subject);
    if (!QFile::exists(passwordFile)) {
        // A password that would be read back cut short would lock the teacher out.
        if (const QString refusal = PasswordFile::refusalReason(entries.password); !refusal.isEmpty()) {
            prompter.notice(kError, refusal);
            return false;
        }
        if (!prompter.confirm(kNotice, QStringLiteral("保存密码为“") + entries.password + QStringLiteral("”吗?")))
            return false;
        PasswordFile::write(passwordFile, entries.password); // a file that cannot be made is not reported
    }
    const QString stored = PasswordFile::readToken(passwordFile).value_or(fallbackPassword());

    if (entries.password == kAdministratorPassword) {
        const QString warning = QStringLiteral("您将以系统管理员身份登录“") + entries.className + entries.subject
            + QStringLiteral("”！此操作将删除原设密码,重新登录时请重设密码。继续吗？");
        if (prompter.message(kWarning, warning, Prompter::Buttons::YesNo, Prompter::Icon::Information) != Prompter::Answer::Yes)
            return false;
        QFile::remove(passwordFile);
        return true;
    }
    if (entries.password != stored) {
        prompter.message(kWarning, QStringLiteral("密码错误，请重新登录或查看帮助或与系统管理员联系！"), Prompter::Buttons::Ok,
                         Prompter::Icon::Warning);
        return false;
    }
    return true;
}

bool LoginController::prepareTables(const Entries &entries)
{
    Prompter &prompter = m_target.prompter();
    const TableNames names{entries.className, entries.subject, entries.mode};

    // The class table is tested and made outside the main query, so that a login that
    // stops here leaves the main window as it was.
    Database &database = m_target.database();
    if (!database.execute(Sql::selectAllFrom(names.classTable()))) {
        if (!prompter.confirm(kNotice, names.classTable() + QStringLiteral("母版不存在,现在建立吗?")))
            return false;
        if (const SqlResult created = database.execute(Sql::createClassTable(names.classTable())); !created) {
            prompter.error(created.error);
            return false;
        }
    }

    m_target.unbindFields();
    Dataset &query = m_target.mainQuery();
    query.close();
    if (query.execute(Sql::selectAllOrderedByNumber(names.currentTable())))
        return true;
    // Statement by statement, so that a second attempt can finish what a failure left.
    const Statement creation[] = {
        Sql::createQuestioningTable(names.questioningTable(), names.classTable()),
        Sql::addQuestioningColumns(names.questioningTable()),
        Sql::resetEvaluations(names.questioningTable()),
        Sql::createGradeBookTable(names.gradeBookTable(), names.classTable()),
        Sql::addGradeBookColumns(names.gradeBookTable()),
    };
    for (const Statement &statement : creation) {
        if (const SqlResult result = query.execute(statement); !result) {
            prompter.error(result.error);
            return false;
        }
    }
    return true;
}

bool LoginController::loadGradeSettings(const Entries &entries)
{
    Prompter &prompter = m_target.prompter();
    const DataPaths &paths = m_target.paths();
    const QString own = paths.gradeSettingsFile(entries.className, entries.subject);
    const bool hasOwn = QFile::exists(own);
    const QString source = hasOwn ? own : paths.defaultGradeSettingsFile();

    QString error;
    const std::optional<QStringList> lines = SettingsFile::readLines(source, &error);
    if (!lines) {
        prompter.error(error.isEmpty() ? QStringLiteral("无法打开文件“%1”。").arg(source) : error);
        return false;
    }
    if (!hasOwn) {
        // The class and subject get the default file as it is, byte for byte.
        QFile original(source);
        QSaveFile copy(own);
        if (!original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly) || copy.write(original.readAll()) < 0
            || !copy.commit()) {
            prompter.error(QStringLiteral("无法写入文件“%1”。").arg(own));
            return false;
        }
    }

    GradeSettings settings;
    SettingsFile::apply(*lines, settings);
    m_target.loginState().grades = settings;
    m_target.gradeSettingsChanged();
    return true;
}

bool LoginController::putFirstInList(const QString &path, const QString &name)
{
    QStringList lines;
    if (QFile::exists(path)) {
        QString error;
        const std::optional<QStringList> read = TextFiles::readLines(path, &error);
        if (!read) {
            m_target.prompter().error(error.isEmpty() ? QStringLiteral("无法打开文件“%1”。").arg(path) : error);
            return false;
        }
        lines = *read;
    }
    // Lines that differ from name only in letter case name the same class or subject.
    if (const FileResult written = TextFiles::writeLines(path, TextFiles::moveToFront(StoredNames::withoutCaseVariants(lines, name), name));
        !written) {
        m_target.prompter().error(written.error);
        return false;
    }
    return true;
}
