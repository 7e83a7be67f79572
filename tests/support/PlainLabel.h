#pragma once

#include <QLabel>

/// The size label would take with its text set as plain text: a label that read markup
/// from its text (<s>, <b> in a name) takes another.
inline QSize plainTextSize(const QLabel &label)
{
    QLabel plain;
    plain.setFont(label.font());
    plain.setTextFormat(Qt::PlainText);
    plain.setText(label.text());
    return plain.sizeHint();
}
