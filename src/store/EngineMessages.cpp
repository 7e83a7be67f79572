#include "EngineMessages.h"

#include "Statements.h"

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
    {R"(^CHECK constraint failed)", u"数据表的约束条件不接受这个值。"},
};

struct LengthLimit {
    QString check;
    QString chinese;
};

// The refusals the system's own tables can give are their length checks: one sentence for
// each, as the schema declares it.
const QList<LengthLimit> &lengthLimits()
{
    static const QList<LengthLimit> limits = [] {
        QList<LengthLimit> found;
        for (const QList<ColumnDefinition> &table : {Schema::roster(), Schema::portraits(), Schema::questioning()}) {
            for (const ColumnDefinition &column : table) {
                const std::optional<int> limit = Sql::lengthLimit(column);
                const QString check = Sql::lengthCheck(column);
                if (!limit || std::any_of(found.cbegin(), found.cend(), [&](const LengthLimit &l) { return l.check == check; }))
                    continue;
                found << LengthLimit{check, QStringLiteral("%1最多%2个字。").arg(column.name).arg(*limit)};
            }
        }
        return found;
    }();
    return limits;
}

} // namespace

namespace EngineMessages {

QString inChinese(const QString &engineText)
{
    static const QString checkFailed = QStringLiteral("CHECK constraint failed: ");
    if (engineText.startsWith(checkFailed)) {
        const QStringView check = QStringView(engineText).sliced(checkFailed.size()).trimmed();
        for (const LengthLimit &limit : lengthLimits()) {
            if (check == limit.check)
                return limit.chinese + QLatin1Char('\n') + engineText;
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
