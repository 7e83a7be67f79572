#include "NameRules.h"

#include "store/Gbk.h"
#include "store/NameCharacters.h"
#include "store/TableNames.h"

#include <QFile>
#include <QStringList>

namespace {
QString refusal(const QString &name, const QString &what)
{
    // A name that looks like another one names other tables and files.
    if (NameCharacters::hasHidden(name))
        return what + QStringLiteral("名称中含有看不见的字符（如制表符、零宽空格），请删去后再输入。");
    if (!isSafeName(name))
        return what + QStringLiteral("名称不能包含空格或下列字符：\\ / : * ? \" < > | [ ]");
    if (!Gbk::encode(name))
        return Gbk::unencodableMessage(name);
    return {};
}
} // namespace

QString NameRules::classRefusal(const QString &className)
{
    return refusal(className, QStringLiteral("班级"));
}

QString NameRules::subjectRefusal(const QString &subject)
{
    return refusal(subject, QStringLiteral("科目"));
}

QString NameRules::fileNameRefusal(const QString &className, const QString &subject)
{
    // Every data file named from class and subject, and the class's subject list.
    const QStringList suffixes{QStringLiteral("denglu.qs"), QStringLiteral("Moren.qs"), QStringLiteral("名单默认模板.qs"),
        QStringLiteral("成绩默认模板.qs"), QStringLiteral("评价默认模板.qs"), QStringLiteral("记分册biaoti.qs")};
    qsizetype longest = QFile::encodeName(className + QStringLiteral("xueke.qs")).size();
    for (const QString &suffix : suffixes)
        longest = std::max(longest, QFile::encodeName(className + subject + suffix).size());
    if (longest <= kMaxFileNameBytes)
        return {};
    return QStringLiteral("班级和科目的名称太长：由它们组成的文件名有%1个字节，超过了%2个字节的限度。请换用较短的名称。")
        .arg(longest)
        .arg(kMaxFileNameBytes);
}
