#include "GbkLines.h"

#include "store/Gbk.h"

QByteArray gbk(const QString &text)
{
    return Gbk::encode(text).value_or(QByteArray());
}

QByteArray gbkLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += gbk(line) + "\r\n";
    return bytes;
}
