#include "EntryBatch.h"

#include "EntryMessages.h"
#include "gradebook/GradeBookMessages.h"
#include "gradebook/ScoreColumns.h"
#include "store/BulkRows.h"
#include "store/Dataset.h"
#include "store/GradeBookTable.h"
#include "store/GradeRecord.h"
#include "store/NumberText.h"
#include "store/NameCharacters.h"
#include "ui/Prompter.h"

#include <QFile>

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
    for (qsizetype line = 0; line < rows.size(); ++line) {
        if (const QString refusal = NameCharacters::studentNameRefusal(rows.at(line)); !refusal.isEmpty()) {
            m_prompter.notice(kNotice, hiddenCharacterInRoster(int(line) + 1, refusal));
            return true;
        }
    }
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
    // holds the whole new roster. The highest number is read under the write lock, so a
    // second program appending at the same time cannot take the same numbers.
    return m_database.writeTransaction([&] {
        qint64 base = 0;
        if (replace) {
            const Statement create
                = questioning ? Sql::createQuestioningTableFresh(table) : Sql::createGradeBookTableFresh(table);
            // Inside this transaction already: the two run all or nothing with the rows.
            for (const Statement &statement : {Sql::dropTable(table), create}) {
                if (Result rebuilt = m_database.execute(statement); !rebuilt)
                    return rebuilt;
            }
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

    // The column and its scores are one transaction: a crash leaves the grade book as it
    // was, never a column filled half-way.
    std::optional<Applied> filled;
    const auto addAndFill = [&](const QString &name) -> Result {
        Applied applied;
        const Result written = m_database.writeTransaction([&]() -> Result {
            if (Result added = ScoreColumns::add(m_database, m_view, table, name); !added)
                return added;
            // The rows go to the students in the order of the grade-book view with the new column.
            if (Result shown = m_mainView.openGradeBookView(); !shown)
                return shown;
            applied = fillScores(table, name, rows);
            return Result::success();
        });
        if (written)
            filled = applied;
        return written;
    };
    const QString column = context.askColumnName ? context.askColumnName(addAndFill) : QString();
    if (column.isEmpty())
        return false;

    if (!filled) {
        // Closed without adding a column: the rows go to the column it named, if there is one.
        Applied applied;
        if (!m_database.writeTransaction([&] {
                applied = fillScores(table, column, rows);
                return Result::success();
            }))
            applied.failed = true;
        (void)m_view.open();
        filled = applied;
    }
    report(*filled, kScoresFailed);
    return true;
}

EntryBatch::Applied EntryBatch::fillScores(const QString &table, const QString &column, const QStringList &rows)
{
    // Read under the write lock: every score column of the file counts in the totals.
    const QStringList scores = GradeBookTable::scoreColumns(m_database.columnDefinitions(table));
    return applyRows(rows, [&](const QString &row, qint64 rowId) {
        const std::optional<int> score = NumberText::toInt32(row);
        if (!score)
            return Result::failure(kScoresFailed);
        return m_database.execute(Sql::updateRowWithTotals(table, {column}, {*score}, scores, rowId));
    });
}

void EntryBatch::addEvaluations(const QStringList &rows, const Context &context)
{
    if (context.tables.mode != kModeQuestioning || !m_view.isWritable() || m_view.isEmpty()) {
        m_prompter.notice(kNotice, kEvaluationsFailed);
        return;
    }
    static const QStringList grades{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
    const QString table = m_view.query().writeTable;
    // One transaction, each grade computed from the row in the file as grading one
    // student does: a crash grades nobody, and a second program's grades stay.
    Applied applied;
    const Result written = m_database.writeTransaction([&] {
        applied = applyRows(rows, [&](const QString &grade, qint64 rowId) {
            const qsizetype index = grades.indexOf(grade);
            if (index < 0)
                return m_database.execute(Sql::recordUncountedGrade(table, grade, GradeRecord::kHistoryLength, rowId));
            const GradeRecord::Result recorded
                = GradeRecord::record(m_database, table, rowId, grade, context.gradeScores.at(index));
            return recorded.outcome == GradeRecord::Outcome::Recorded ? Result::success() : Result::failure(recorded.error);
        });
        return Result::success();
    });
    if (!written)
        applied.failed = true;
    (void)m_view.open();
    report(applied, kEvaluationsFailed);
}

EntryBatch::Applied EntryBatch::applyRows(
    const QStringList &rows, const std::function<Result(const QString &row, qint64 rowId)> &apply)
{
    Applied applied;
    int student = 0;
    for (const QString &row : rows) {
        if (row.isEmpty())
            continue;
        // A row beyond the last student is not applied to anybody.
        if (student >= m_view.rowCount()) {
            ++applied.withoutStudent;
            continue;
        }
        const qint64 rowId = m_view.rowId(student);
        if (rowId < 0 || !apply(row, rowId)) {
            applied.failed = true;
            return applied;
        }
        ++student;
    }
    return applied;
}

void EntryBatch::report(const Applied &applied, const QString &failedMessage)
{
    if (applied.failed)
        m_prompter.notice(kNotice, failedMessage);
    else if (applied.withoutStudent > 0)
        m_prompter.notice(kNotice, rowsWithoutStudent(applied.withoutStudent));
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
