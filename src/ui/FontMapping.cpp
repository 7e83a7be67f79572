#include "FontMapping.h"

#include <QFont>

std::vector<std::pair<QString, QStringList>> FontMapping::substitutions()
{
    const QString serif = QStringLiteral("Noto Serif CJK SC");
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const QString brush = QStringLiteral("AR PL UKai CN");
    return {
        {QStringLiteral("宋体"), {QStringLiteral("AR PL UMing CN"), serif}},
        {QStringLiteral("华文新魏"), {brush, serif}},
        {QStringLiteral("华文行楷"), {brush, serif}},
        {QStringLiteral("华文细黑"), {sans}},
        {QStringLiteral("幼圆"), {sans}},
        {QStringLiteral("MS Sans Serif"), {sans, QStringLiteral("DejaVu Sans")}},
    };
}

void FontMapping::install()
{
    for (const auto &[family, substitutes] : substitutions())
        QFont::insertSubstitutions(family, substitutes);
}
