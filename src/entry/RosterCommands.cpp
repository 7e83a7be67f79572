#include "RosterCommands.h"

#include "RosterMessages.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "store/NameCharacters.h"
#include "store/Statements.h"
#include "ui/AppContext.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

using namespace RosterMessages;

namespace {
bool safeTables(const TableNames &tables)
{
    return isSafeName(tables.className) && isSafeName(tables.subject)
        && (tables.mode == kModeQuestioning || tables.mode == kModeGradeBook);
}
} // namespace

RosterCommands::RosterCommands(AppContext &context, MainView &view)
    : m_context(context)
    , m_view(view)
{
}

void RosterCommands::N2Click()
{
    const TableNames tables = m_context.login.tables();
    if (tables.className.isEmpty() || tables.subject.isEmpty()) {
        m_context.prompter.notice(kNotice, kLoginFirst);
        return;
    }
    const std::optional<QString> password = m_context.prompter.input(kPasswordCaption, kPasswordPrompt, QString());
    if (password.value_or(QString()) != kAdministratorPassword) {
        m_context.prompter.notice(kNotice, kNoPermission);
        return;
    }
    if (!safeTables(tables)) {
        m_context.prompter.notice(kNotice, kLoginFirst);
        return;
    }
    // What the teacher is typing in the grid belongs to the roster being saved.
    if (const Result pending = m_view.savePendingEdits(); !pending) {
        m_context.prompter.error(pending.error);
        return;
    }
    if (const std::optional<QString> hidden = NameCharacters::firstHiddenStudentName(m_context.database, tables.currentTable())) {
        m_context.prompter.notice(kNotice, notSaved(*hidden));
        return;
    }
    const bool gradeBook = tables.mode == kModeGradeBook;
    // The class table keeps its old roster unless the whole new one is in.
    const Result copied = m_context.database.runInTransaction({Sql::deleteClassRoster(tables.classTable()),
        Sql::copyRosterToClass(tables.classTable(), tables.currentTable(), gradeBook)});
    const Result shown = showCurrentTable(true);
    if (!copied) {
        m_context.prompter.error(copied.error);
        return;
    }
    if (!shown) {
        m_context.prompter.error(shown.error);
        return;
    }
    m_context.prompter.notice(kNotice, saved(tables.className));
}

void RosterCommands::SpeedButton1Click()
{
    if (!m_context.prompter.confirm(kNotice, kConfirmImport))
        return;
    const TableNames tables = m_context.login.tables();
    if (!safeTables(tables)) {
        m_context.prompter.notice(kNotice, kImportNeedsLogin);
        return;
    }
    if (const std::optional<QString> hidden = NameCharacters::firstHiddenStudentName(m_context.database, tables.classTable())) {
        m_context.prompter.notice(kNotice, notImported(*hidden));
        return;
    }
    const QString table = tables.currentTable();
    const bool gradeBook = tables.mode == kModeGradeBook;
    // The table is rebuilt under the main query: let go of it first (a pending edit is posted).
    if (const Result closed = m_context.mainQuery.close(); !closed) {
        m_context.prompter.error(closed.error);
        return;
    }
    // The current table keeps its old roster (and the grade book its score columns)
    // unless the class table's roster is wholly in.
    const QList<Statement> statements = gradeBook
        ? QList<Statement>{Sql::dropTable(table), Sql::createGradeBookFromClass(table, tables.classTable())}
        : QList<Statement>{
            Sql::deleteRosterRows(table), Sql::copyRosterFromClass(table, tables.classTable()), Sql::resetEvaluations(table)};
    const Result copied = m_context.database.runInTransaction(statements);
    const Result shown = showCurrentTable(false);
    if (!copied) {
        m_context.prompter.error(copied.error);
        return;
    }
    if (!shown)
        m_context.prompter.error(shown.error);
}

Result RosterCommands::showCurrentTable(bool ordered)
{
    const TableNames tables = m_context.login.tables();
    Result shown = Result::success();
    if (tables.mode == kModeGradeBook) {
        shown = m_view.openGradeBookView();
    } else {
        Dataset &query = m_context.mainQuery;
        (void)query.close(); // pending edits were posted or given up above
        query.setQuery(ordered ? Sql::showAllOrderedByNumber(tables.currentTable()) : Sql::showAll(tables.currentTable()));
        shown = query.open();
    }
    m_view.formatGrid();
    return shown;
}
