#include "EntryBatch.h"

#include "EntryMessages.h"
#include "gradebook/GradeBookMessages.h"
#include "gradebook/RowTotals.h"
#include "questioning/Grading.h"
#include "store/BulkRows.h"
#include "store/Dataset.h"
#include "ui/Prompter.h"

#include <QFile>

#include <limits>
#include <optional>

using namespace EntryMessages;

namespace {

const QString kNumber = QStringLiteral("编号");
const QString kName = QStringLiteral("姓名");

bool isLoggedIn(const TableNames &tables)
{
    return (!tables.className.isEmpty() || !tables.subject.isEmpty())
        && (tables.mode == kModeQuestioning || tables.mode == kModeGradeBook);
}

/// A score as a whole number of the INT column; nullopt for anything else.
std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

} // namespace

EntryBatch::EntryBatch(Database &database, Dataset &view, Prompter &prompter, MainView &mainView)
    : m_database(database)
    , m_view(view)
    , m_prompter(prompter)
    , m_mainView(mainView)
{
}

void EntryBatch::add(EntryKind kind, const EntryInput &input, const Context &context)
{
    switch (kind) {
    case EntryKind::Roster:
        if (input.rosterHasInput() && !addRoster(input.rows(), context))
            return;
        break;
    case EntryKind::Score:
        if (input.resultsHaveInput() && !addScores(input.rows(), context))
            return;
        break;
    case EntryKind::Evaluation:
        if (input.resultsHaveInput())
            addEvaluations(input.rows(), context);
        break;
    case EntryKind::None: break;
    }
    m_view.first();
    m_mainView.formatGrid();
}

bool EntryBatch::addRoster(const QStringList &rows, const Context &context)
{
    const Prompter::Answer answer
        = m_prompter.message(kNotice, kRosterQuestion, Prompter::Buttons::YesNoCancel, Prompter::Icon::Question);
    if (answer != Prompter::Answer::Yes && answer != Prompter::Answer::No)
        return false;
    if (!isLoggedIn(context.tables)) {
        m_prompter.notice(kNotice, kRosterFailed);
        return true;
    }
    const bool replace = answer == Prompter::Answer::Yes;
    if (replace && context.tables.mode == kModeGradeBook) {
        DataFolder folder(context.paths.dataFolder());
        DataFiles &files = context.dataFiles ? *context.dataFiles : folder;
        (void)files.remove(context.tables.currentTable() + QStringLiteral("biaoti.qs"));
    }

    QStringList names;
    for (const QString &row : rows)
        if (!row.isEmpty())
            names << row;
    const Result written = writeRoster(names, context.tables, replace);
    const Result reopened = reopenCurrentTable(context.tables);
    if (!written || !reopened)
        m_prompter.notice(kNotice, kRosterFailed);
    return true;
}

Result EntryBatch::writeRoster(const QStringList &names, const TableNames &tables, bool replace)
{
    const QString table = tables.currentTable();
    const bool questioning = tables.mode == kModeQuestioning;
    if (const Result closed = m_view.close(); !closed)
        return closed;
    // Replacing or appending runs as one transaction: the table is either as it was or
    // holds the whole new roster.
    return m_database.transaction([&] {
        qint64 base = 0;
        if (replace) {
            const Statement create
                = questioning ? Sql::createQuestioningTableFresh(table) : Sql::createGradeBookTableFresh(table);
            if (Result rebuilt = m_database.runInTransaction({Sql::dropTable(table), create}); !rebuilt)
                return rebuilt;
        } else if (Result found = BulkRows::highestNumber(m_database, table, base); !found) {
            return found;
        }
        QStringList columns{kNumber, kName};
        if (questioning)
            columns << QStringLiteral("次数") << QStringLiteral("总分") << QStringLiteral("平均");
        QList<QVariantList> rows;
        rows.reserve(names.size());
        for (const QString &name : names) {
            QVariantList row{++base, name};
            if (questioning)
                row << 0 << 0 << 0;
            rows << row;
        }
        return BulkRows::insert(m_database, table, columns, rows);
    });
}

Result EntryBatch::reopenCurrentTable(const TableNames &tables)
{
    if (tables.mode == kModeGradeBook)
        return m_mainView.openGradeBookView();
    (void)m_view.close();
    m_view.setQuery(Sql::showAllOrderedByNumber(tables.currentTable()));
    return m_view.open();
}

Result EntryBatch::moveOn(bool &more)
{
    more = m_view.currentRow() + 1 < m_view.rowCount();
    if (more)
        return m_view.next() ? Result::success() : Result::failure(m_view.lastError());
    return m_view.post();
}

bool EntryBatch::addScores(const QStringList &rows, const Context &context)
{
    if (context.tables.mode != kModeGradeBook || !isLoggedIn(context.tables)) {
        m_prompter.notice(kNotice, kScoresFailed);
        return true;
    }
    const QString table = context.tables.currentTable();
    if (context.columnList == GradeBookMessages::kNoScoreColumns) {
        // The column-name dialog counts the view's fields to offer 第1次.
        (void)m_view.close();
        m_view.setQuery(
            Sql::showColumns(table, {kNumber, kName, QStringLiteral("小组"), QStringLiteral("合计"), QStringLiteral("平均")}));
        if (!m_view.open()) {
            m_prompter.notice(kNotice, kScoresFailed);
            return true;
        }
        m_mainView.formatGrid();
    }
    const QString column = context.askColumnName ? context.askColumnName() : QString();
    if (column.isEmpty())
        return false;

    if (!m_view.isWritable()) {
        m_prompter.notice(kNotice, kScoresFailed);
        return true;
    }
    const bool applied = walkStudents(rows, [&](const QString &row) {
        const std::optional<int> score = wholeNumber(row);
        Result result = score ? m_view.setValue(column, *score) : Result::failure(kScoresFailed);
        return result ? RowTotals::recompute(m_view) : result;
    });
    if (!applied)
        m_prompter.notice(kNotice, kScoresFailed);
    return true;
}

void EntryBatch::addEvaluations(const QStringList &rows, const Context &context)
{
    if (context.tables.mode != kModeQuestioning || !m_view.isWritable() || m_view.isEmpty()) {
        m_prompter.notice(kNotice, kEvaluationsFailed);
        return;
    }
    static const QStringList grades{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    const bool applied = walkStudents(rows, [&](const QString &grade) {
        qint64 count = m_view.value(QStringLiteral("次数")).toLongLong();
        qint64 total = m_view.value(QStringLiteral("总分")).toLongLong();
        const QString history = count != 0 ? m_view.value(QStringLiteral("历史")).toString() + grade : grade;
        // As in grading one student: a full history keeps its most recent grades.
        Result result = m_view.setValue(QStringLiteral("评价"), grade);
        if (result)
            result = m_view.setValue(QStringLiteral("历史"), history.right(Grading::kHistoryLength));
        if (const qsizetype index = grades.indexOf(grade); result && index >= 0) {
            total += context.gradeScores.at(index);
            ++count;
            result = m_view.setValue(QStringLiteral("总分"), total);
            if (result)
                result = m_view.setValue(QStringLiteral("次数"), count);
        }
        if (result && count != 0)
            result = m_view.setValue(QStringLiteral("平均"), double(total / count));
        return result;
    });
    if (!applied)
        m_prompter.notice(kNotice, kEvaluationsFailed);
}

bool EntryBatch::walkStudents(const QStringList &rows, const std::function<Result(const QString &)> &apply)
{
    m_view.first();
    bool more = m_view.rowCount() > 0;
    int withoutStudent = 0;
    for (const QString &row : rows) {
        if (row.isEmpty())
            continue;
        // A row beyond the last student is not applied to anybody.
        if (!more) {
            ++withoutStudent;
            continue;
        }
        Result result = apply(row);
        if (result)
            result = moveOn(more);
        if (!result) {
            m_view.cancel();
            return false;
        }
    }
    if (withoutStudent > 0)
        m_prompter.notice(kNotice, rowsWithoutStudent(withoutStudent));
    return true;
}

void EntryBatch::deleteCurrent()
{
    if (!m_view.isOpen() || m_view.currentRow() < 0) {
        m_prompter.notice(kNotice, kNoStudentToDelete);
        return;
    }
    if (!m_prompter.confirm(kNotice, kConfirmDelete))
        return;
    if (const Result deleted = m_view.deleteCurrent(); !deleted)
        m_prompter.error(deleted.error);
}
