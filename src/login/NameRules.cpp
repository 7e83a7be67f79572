#include "NameRules.h"

#include "store/Gbk.h"
#include "store/TableNames.h"

namespace {
QString refusal(const QString &name, const QString &what)
{
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
