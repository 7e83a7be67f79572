#pragma once

#include <QApplication>
#include <QString>
#include <QTest>

/// Keys as the teacher types them (Latin-1 only): each goes to whatever has the focus at
/// that moment, so a cell editor opened by the first key takes the rest.
inline void typeKeys(const QString &keys)
{
    for (const QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
}
