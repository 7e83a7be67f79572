#include "NameCharacters.h"

#include "Database.h"
#include "Statements.h"

#include <QList>
#include <QSqlQuery>
#include <QVariant>

namespace NameCharacters {

bool isHidden(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: break;
    }
    // Default-ignorable characters Unicode files under letters and marks: the combining
    // grapheme joiner, the Hangul fillers, the Khmer inherent vowels, the Mongolian
    // variation selectors and the variation selectors.
    return c == 0x034F || c == 0x115F || c == 0x1160 || c == 0x17B4 || c == 0x17B5 || (c >= 0x180B && c <= 0x180F) || c == 0x3164
        || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFFA0 || (c >= 0xE0100 && c <= 0xE01EF);
}

bool hasHidden(QStringView text)
{
    const QList<uint> characters = text.toUcs4();
    return std::any_of(characters.cbegin(), characters.cend(), [](uint c) { return isHidden(c); });
}

QString visible(QStringView text)
{
    QList<uint> characters = text.toUcs4();
    characters.removeIf([](uint c) { return isHidden(c); });
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), characters.size());
}

QString studentNameRefusal(const QString &name)
{
    if (!hasHidden(name))
        return {};
    return QStringLiteral("姓名“%1”含有看不见的字符（如制表符、零宽空格）").arg(visible(name));
}

std::optional<QString> firstHiddenStudentName(const Database &database, const QString &table)
{
    if (!database.isOpen())
        return std::nullopt;
    QSqlQuery query(database.connection());
    if (!query.exec(Sql::numbersAndNames(table).sql))
        return std::nullopt;
    while (query.next()) {
        const QString name = query.value(1).toString();
        if (hasHidden(name))
            return QStringLiteral("编号为%1的学生").arg(query.value(0).toString()) + studentNameRefusal(name);
    }
    return std::nullopt;
}

} // namespace NameCharacters
