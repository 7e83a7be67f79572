#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// GBK bytes of text.
QByteArray gbk(const QString &text);
/// GBK bytes of a line file: each line ended by CR LF.
QByteArray gbkLines(const QStringList &lines);
