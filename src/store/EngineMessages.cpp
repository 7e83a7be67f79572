#include "EngineMessages.h"

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
};

} // namespace

namespace EngineMessages {

QString inChinese(const QString &engineText)
{
    for (const Explanation &explanation : kExplanations) {
        const QRegularExpression pattern(QLatin1String(explanation.pattern), QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(engineText).hasMatch())
            return QString::fromUtf16(explanation.chinese) + QLatin1Char('\n') + engineText;
    }
    return engineText;
}

} // namespace EngineMessages
