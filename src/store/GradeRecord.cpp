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
    const QString history = Sql::lastCharacters(database.engine(),
        QStringLiteral("CASE WHEN coalesce([次数],0)<>0 THEN coalesce([历史],'') ELSE '' END || ?"), kHistoryLength);
    const QString sql = QStringLiteral("UPDATE %1 SET [评价]=?,"
                                       "[历史]=%2,"
                                       "[次数]=coalesce([次数],0)+1,"
                                       "[总分]=coalesce([总分],0)+?,"
                                       "[平均]=(coalesce([总分],0)+?)/(coalesce([次数],0)+1) "
                                       "WHERE rowid=?")
                            .arg(Sql::quoted(table), history);
    QSqlQuery query(database.connection());
    if (!query.prepare(Sql::rendered(database.engine(), sql))) {
        const QSqlError error = query.lastError();
        return {isBusy(error) ? Outcome::Busy : Outcome::Failed, error.databaseText()};
    }
    query.addBindValue(letter);
    query.addBindValue(letter);
    query.addBindValue(qlonglong(score));
    query.addBindValue(qlonglong(score));
    query.addBindValue(rowId);
    if (const ::Result ran = database.exec(query); !ran) {
        const QSqlError error = query.lastError();
        return {isBusy(error) ? Outcome::Busy : Outcome::Failed, error.databaseText()};
    }
    if (query.numRowsAffected() != 1)
        return {Outcome::NoRow, {}};
    return {};
}

} // namespace GradeRecord
