#include "LoginController.h"

#include "NameRules.h"
#include "StoredSpelling.h"
#include "store/DataFileNames.h"
#include "store/DataFiles.h"
#include "store/Dataset.h"
#include "store/ListFile.h"
#include "store/LoginState.h"
#include "store/PasswordFile.h"
#include "store/SettingsFile.h"
#include "store/StoredNames.h"
#include "store/SubjectTables.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

namespace {
using Caption::kError;
using Caption::kNotice;
using Caption::kWarning;
} // namespace

LoginController::LoginController(AppContext &context, MainView &view, std::function<void()> gradeSettingsChanged)
    : m_context(context)
    , m_view(view)
    , m_gradeSettingsChanged(std::move(gradeSettingsChanged))
{
}

bool LoginController::login(const Entries &typed)
{
    if (!checkEntries(typed))
        return false;
    // A name that differs from a stored one only in letter case reaches the same tables:
    // it must meet the same password file and the same list lines.
    Entries entries = typed;
    const StoredSpelling::Names stored = StoredSpelling(m_context).names(typed.className, typed.subject);
    entries.className = stored.className;
    entries.subject = stored.subject;
    PasswordFileChange change = PasswordFileChange::None;
    if (!checkPassword(entries, change) || !prepareTables(entries) || !changePasswordFile(entries, change))
        return false;
    // A login that fails from here on leaves no password file of its own behind, so the
    // next attempt asks for the password again instead of saying it is wrong.
    const QString passwordFile = DataFileNames::password(entries.className, entries.subject);
    const auto fail = [&] {
        if (change == PasswordFileChange::Save)
            (void)m_context.dataFiles.remove(passwordFile);
        return false;
    };

    LoginState &state = m_context.login;
    state.className = entries.className;
    state.subject = entries.subject;
    state.mode = entries.mode;
    const Result shown = showChosenView(entries.mode);
    if (!shown) {
        m_context.prompter.error(shown.error);
        return fail();
    }

    if (!loadGradeSettings(entries))
        return fail();
    if (!putFirstInList(DataFileNames::classList(), entries.className)
        || !putFirstInList(DataFileNames::subjectList(entries.className), entries.subject))
        return fail();
    return true;
}

Result LoginController::showChosenView(const QString &mode)
{
    if (mode == kModeQuestioning) {
        if (const Result opened = m_view.openQuestioningView(); !opened)
            return opened;
        m_view.showView(View::Questioning);
        return Result::success();
    }
    m_context.login.mode = kModeGradeBook;
    m_view.showView(View::GradeBook);
    return m_view.openGradeBookView();
}

bool LoginController::checkEntries(const Entries &entries)
{
    Prompter &prompter = m_context.prompter;
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
    for (const QString &refusal : {NameRules::classRefusal(entries.className), NameRules::subjectRefusal(entries.subject),
             NameRules::fileNameRefusal(entries.className, entries.subject)}) {
        if (!refusal.isEmpty()) {
            prompter.notice(kError, refusal);
            return false;
        }
    }
    // The login writes the password, settings and list files there: say so now, rather
    // than fail half-way.
    if (const QString unwritable = m_context.dataFiles.unwritableReason(); !unwritable.isEmpty()) {
        prompter.notice(kError, unwritable);
        return false;
    }
    return true;
}

bool LoginController::checkPassword(const Entries &entries, PasswordFileChange &change)
{
    Prompter &prompter = m_context.prompter;
    const QString passwordFile = DataFileNames::password(entries.className, entries.subject);
    std::optional<QString> stored;
    if (!m_context.dataFiles.exists(passwordFile)) {
        // A password that would be read back cut short would lock the teacher out.
        if (const QString refusal = PasswordFile::refusalReason(entries.password); !refusal.isEmpty()) {
            prompter.notice(kError, refusal);
            return false;
        }
        if (!prompter.confirm(kNotice, QStringLiteral("保存密码为“") + entries.password + QStringLiteral("”吗?")))
            return false;
        // Saved once the tables exist, so that a login that stops before leaves no file.
        change = PasswordFileChange::Save;
        stored = entries.password;
    } else {
        stored = PasswordFile::readToken(m_context.dataFiles, passwordFile).value_or(fallbackPassword());
    }

    if (entries.password == kAdministratorPassword) {
        const QString warning = QStringLiteral("您将以系统管理员身份登录“") + entries.className + entries.subject
            + QStringLiteral("”！此操作将删除原设密码,重新登录时请重设密码。继续吗？");
        if (prompter.message(kWarning, warning, Prompter::Buttons::YesNo, Prompter::Icon::Information) != Prompter::Answer::Yes)
            return false;
        change = PasswordFileChange::Remove;
        return true;
    }
    if (entries.password != *stored) {
        prompter.message(kWarning, QStringLiteral("密码错误，请重新登录或查看帮助或与系统管理员联系！"), Prompter::Buttons::Ok,
            Prompter::Icon::Warning);
        return false;
    }
    return true;
}

bool LoginController::prepareTables(const Entries &entries)
{
    Prompter &prompter = m_context.prompter;
    const TableNames names{entries.className, entries.subject, entries.mode};

    // The class table is tested and made outside the main query, so that a login that
    // stops here leaves the main window as it was.
    Database &database = m_context.database;
    if (!database.execute(Sql::selectAllFrom(names.classTable()))) {
        if (!prompter.confirm(kNotice, names.classTable() + QStringLiteral("母版不存在,现在建立吗?")))
            return false;
        if (const Result created = database.execute(Sql::createClassTable(names.classTable())); !created) {
            prompter.error(database.tableExists(kMasterRosterTable)
                    ? created.error
                    : QStringLiteral("数据库中没有母版，无法建立班级“%1”：%2").arg(names.classTable(), created.error));
            return false;
        }
    }

    m_view.unbindFields();
    Dataset &query = m_context.mainQuery;
    (void)query.close();
    // Both tables, whichever mode is chosen, each made whole in one transaction; a table
    // an earlier crash left half-made is finished here.
    for (const Result &made : {SubjectTables::ensureQuestioningTable(database, names.questioningTable(), names.classTable()),
             SubjectTables::ensureGradeBookTable(database, names.gradeBookTable(), names.classTable())}) {
        if (!made) {
            prompter.error(made.error);
            return false;
        }
    }
    if (const Result shown = query.execute(Sql::selectAllOrderedByNumber(names.currentTable())); !shown) {
        prompter.error(shown.error);
        return false;
    }
    return true;
}

bool LoginController::changePasswordFile(const Entries &entries, PasswordFileChange change)
{
    const QString passwordFile = DataFileNames::password(entries.className, entries.subject);
    switch (change) {
    case PasswordFileChange::None: return true;
    case PasswordFileChange::Remove: (void)m_context.dataFiles.remove(passwordFile); return true;
    case PasswordFileChange::Save: break;
    }
    if (const Result written = PasswordFile::write(m_context.dataFiles, passwordFile, entries.password); !written) {
        m_context.prompter.error(written.error);
        return false;
    }
    return true;
}

bool LoginController::loadGradeSettings(const Entries &entries)
{
    Prompter &prompter = m_context.prompter;
    DataFiles &files = m_context.dataFiles;
    const QString own = DataFileNames::gradeSettings(entries.className, entries.subject);
    const bool hasOwn = files.exists(own);
    const QString source = hasOwn ? own : DataFileNames::defaultGradeSettings();

    const ReadResult<QStringList> lines = SettingsFile::readLines(files, source);
    if (!lines) {
        prompter.error(lines.error);
        return false;
    }
    if (!hasOwn) {
        // The class and subject get the default file as it is, byte for byte.
        const ReadResult<QByteArray> original = files.read(source);
        if (!original || !files.write(own, *original)) {
            prompter.error(QStringLiteral("无法写入文件“%1”。").arg(files.shown(own)));
            return false;
        }
    }

    GradeSettings settings;
    SettingsFile::apply(*lines, settings);
    m_context.login.grades = settings;
    if (m_gradeSettingsChanged)
        m_gradeSettingsChanged();
    return true;
}

bool LoginController::putFirstInList(const QString &list, const QString &name)
{
    // Byte for byte, so a line GBK cannot read stays as it is and blocks nothing.
    const ListFile::Rewrite rewrite = ListFile::putFirst(m_context.dataFiles, list, name);
    if (!rewrite.result) {
        m_context.prompter.error(rewrite.result.error);
        return false;
    }
    if (rewrite.keptUndecodable)
        m_context.prompter.notice(kNotice,
            QStringLiteral("文件“%1”中有不是GBK编码、无法识别的行，这些行已原样保留。").arg(m_context.dataFiles.shown(list)));
    return true;
}
