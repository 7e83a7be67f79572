#include "GradeRecord.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace GradeRecord {

namespace {
// How often a grade is tried again when another program changes the row between the
// read and the write.
constexpr int kAttempts = 20;

// The engine's codes for a database another connection holds (SQLITE_BUSY, SQLITE_LOCKED).
bool isBusy(const QSqlError &error)
{
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    if (isNumber && (code == 5 || code == 6))
        return true;
    const QString text = error.databaseText();
    return text.contains(QLatin1String("database is locked")) || text.contains(QLatin1String("database table is locked"))
        || text.contains(QLatin1String("database is busy"));
}

/// A statement run on the connection, its error kept for the outcome.
class Run final {
public:
    explicit Run(Database &database)
        : m_database(database)
        , m_query(database.connection())
    {
    }
    bool exec(const Statement &statement)
    {
        if (!m_database.prepare(m_query, statement.text))
            return false;
        for (const QVariant &value : statement.values)
            m_query.addBindValue(value);
        return bool(m_database.exec(m_query));
    }
    QSqlQuery &query() { return m_query; }
    bool busy() const { return isBusy(m_query.lastError()); }
    QString error() const { return m_query.lastError().databaseText(); }

private:
    Database &m_database;
    QSqlQuery m_query;
};

// The row's 编号 and 姓名, then its grade columns; false with no such row or on an error.
bool readRow(Run &run, const QString &table, qint64 rowId, QVariantList &student, QVariantList &grade)
{
    if (!run.exec(Sql::gradeOf(table, rowId)) || !run.query().next())
        return false;
    student = {run.query().value(0), run.query().value(1)};
    grade.clear();
    for (int i = 2; i < 7; ++i)
        grade << run.query().value(i);
    return true;
}
} // namespace

std::optional<int> parseScore(const QString &text)
{
    bool isNumber = false;
    const qlonglong score = text.trimmed().toLongLong(&isNumber);
    if (!isNumber || score < kLowestScore || score > kHighestScore)
        return std::nullopt;
    return int(score);
}

Result record(Database &database, const QString &table, qint64 rowId, const QString &letter, int score)
{
    if (!database.isOpen())
        return {Outcome::Failed, QStringLiteral("数据库没有打开"), {}};
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        Step step{table, rowId, {}, {}, {}};
        Run read(database);
        if (!readRow(read, table, rowId, step.student, step.before)) {
            if (read.query().lastError().isValid())
                return {read.busy() ? Outcome::Busy : Outcome::Failed, read.error(), {}};
            return {Outcome::NoRow, {}, {}};
        }
        read.query().finish();

        Outcome failure = Outcome::Failed;
        QString error;
        bool changedMeanwhile = false;
        const ::Result written = database.transaction([&] {
            Run write(database);
            // Only while the row still holds what was read: so `before` is exactly what
            // the grade replaced.
            if (!write.exec(Sql::recordGrade(table, rowId, letter, score, kHistoryLength, step.before))) {
                failure = write.busy() ? Outcome::Busy : Outcome::Failed;
                error = write.error();
                return ::Result::failure(error);
            }
            if (write.query().numRowsAffected() != 1) {
                changedMeanwhile = true;
                return ::Result::failure(QString());
            }
            Run after(database);
            QVariantList student;
            if (!readRow(after, table, rowId, student, step.after)) {
                failure = after.busy() ? Outcome::Busy : Outcome::Failed;
                error = after.error();
                return ::Result::failure(error);
            }
            return ::Result::success();
        });
        if (written)
            return {Outcome::Recorded, {}, step};
        if (!changedMeanwhile)
            return {failure, error.isEmpty() ? written.error : error, {}};
    }
    return {Outcome::Busy, {}, {}};
}

UndoResult undo(Database &database, const Step &step)
{
    if (!database.isOpen())
        return {UndoOutcome::Failed, QStringLiteral("数据库没有打开")};
    UndoOutcome failure = UndoOutcome::Failed;
    QString error;
    const ::Result restored = database.transaction([&] {
        Run write(database);
        if (!write.exec(Sql::restoreGrade(step.table, step.rowId, step.student, step.before, step.after))) {
            failure = write.busy() ? UndoOutcome::Busy : UndoOutcome::Failed;
            error = write.error();
            return ::Result::failure(error);
        }
        if (write.query().numRowsAffected() != 1) {
            failure = UndoOutcome::Changed;
            return ::Result::failure(QString());
        }
        return ::Result::success();
    });
    if (restored)
        return {};
    return {failure, error.isEmpty() && failure != UndoOutcome::Changed ? restored.error : error};
}

} // namespace GradeRecord
