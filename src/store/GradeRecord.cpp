#include "GradeRecord.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace GradeRecord {

namespace {
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
        return {Outcome::Failed, QStringLiteral("数据库没有打开")};
    // SET expressions read the row as it was, so every column follows from the old values.
    const QString sql
        = QStringLiteral("UPDATE %1 SET [评价]=?,"
                         "[历史]=substr(CASE WHEN ifnull([次数],0)<>0 THEN ifnull([历史],'') ELSE '' END || ?, -%2),"
                         "[次数]=ifnull([次数],0)+1,"
                         "[总分]=ifnull([总分],0)+?,"
                         "[平均]=(ifnull([总分],0)+?)/(ifnull([次数],0)+1) "
                         "WHERE rowid=?")
              .arg(Sql::quoted(table))
              .arg(kHistoryLength);
    QSqlQuery query(database.connection());
    if (!query.prepare(sql)) {
        const QSqlError error = query.lastError();
        return {isBusy(error) ? Outcome::Busy : Outcome::Failed, error.databaseText()};
    }
    query.addBindValue(letter);
    query.addBindValue(letter);
    query.addBindValue(qlonglong(score));
    query.addBindValue(qlonglong(score));
    query.addBindValue(rowId);
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        return {isBusy(error) ? Outcome::Busy : Outcome::Failed, error.databaseText()};
    }
    if (query.numRowsAffected() != 1)
        return {Outcome::NoRow, {}};
    return {};
}

} // namespace GradeRecord
