#include "EngineMessages.h"

#include "Statements.h"
#include "TableNames.h"

#include <QList>
#include <QRegularExpression>

namespace {

struct Explanation {
    const char *pattern; // matched against the engine's text, case-insensitively
    const char16_t *chinese;
};

const Explanation kExplanations[] = {
    {R"(^table .* already exists)", u"数据表已经存在。"},
    {R"(^no such table)", u"数据表不存在。"},
    {R"(^duplicate column name)", u"数据列已经存在。"},
    {R"(^no such column)", u"数据列不存在。"},
    {R"(database (table )?is locked|database is busy)", u"数据库正被另一个程序使用，请稍后再试。"},
    {R"(file is not a database|file is encrypted or is not a database)", u"该文件不是有效的数据库。"},
    {R"(object name reserved for internal use)", u"以“sqlite_”开头的名称由数据库自己使用，请换一个名称。"},
    {R"(attempt to write a readonly database)", u"数据库文件是只读的，不能保存。"},
    {R"(database or disk is full)", u"磁盘已满，不能保存。"},
    {R"(disk I/O error)", u"读写数据库文件时出错。"},
    {R"(string or blob too big)", u"内容太大，数据库不能保存。"},
    {R"(^(CHECK|NOT NULL|UNIQUE) constraint failed)", u"数据表的约束条件不接受这个值。"},
};

struct SchemaRefusal {
    QString engineText; // after "CHECK constraint failed: " or "NOT NULL constraint failed: "
    QString chinese;
};

// The refusals the system's own tables can give, one sentence each, as the schema declares
// them: the length checks of its text columns, and the columns that must hold a value.
const QList<SchemaRefusal> &schemaRefusals()
{
    static const QList<SchemaRefusal> refusals = [] {
        const QList<std::pair<QString, QList<ColumnDefinition>>> tables{{QString(), Schema::roster()},
            {kPortraitTable, Schema::portraits()}, {QString(), Schema::questioning()}, {kRoundTable, Schema::rounds()},
            {kAskedTable, Schema::asked()}, {kAbsenceTable, Schema::absences()}};
        QList<SchemaRefusal> found;
        const auto add = [&found](const QString &engineText, const QString &chinese) {
            if (std::none_of(
                    found.cbegin(), found.cend(), [&](const SchemaRefusal &known) { return known.engineText == engineText; }))
                found << SchemaRefusal{engineText, chinese};
        };
        for (const auto &[table, columns] : tables) {
            for (const ColumnDefinition &column : columns) {
                if (const std::optional<int> limit = Sql::lengthLimit(column))
                    add(Sql::lengthCheck(column), QStringLiteral("%1最多%2个字。").arg(column.name).arg(*limit));
                if (!table.isEmpty() && column.type.contains(QLatin1String("NOT NULL"), Qt::CaseInsensitive))
                    add(table + QLatin1Char('.') + column.name, QStringLiteral("%1不能为空。").arg(column.name));
            }
        }
        return found;
    }();
    return refusals;
}

} // namespace

namespace EngineMessages {

QString inChinese(const QString &engineText)
{
    for (const QString &failed : {QStringLiteral("CHECK constraint failed: "), QStringLiteral("NOT NULL constraint failed: ")}) {
        if (!engineText.startsWith(failed))
            continue;
        const QStringView what = QStringView(engineText).sliced(failed.size()).trimmed();
        for (const SchemaRefusal &refusal : schemaRefusals()) {
            if (what == refusal.engineText)
                return refusal.chinese + QLatin1Char('\n') + engineText;
        }
    }
    for (const Explanation &explanation : kExplanations) {
        const QRegularExpression pattern(QLatin1String(explanation.pattern), QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(engineText).hasMatch())
            return QString::fromUtf16(explanation.chinese) + QLatin1Char('\n') + engineText;
    }
    return engineText;
}

} // namespace EngineMessages
