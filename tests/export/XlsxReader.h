#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

/// Reads the first worksheet of an .xlsx back, as a spreadsheet would show it: cell
/// reference ("A1") to value, a double for a number cell, a QString for a text cell.
/// Empty cells are absent. ok is false when the file is not a readable workbook.
struct XlsxSheet {
    bool ok = false;
    QMap<QString, QVariant> cells;
    QVariant cell(const QString &reference) const { return cells.value(reference); }
    /// How many rows hold a value (the highest row number).
    int lastRow() const;
};

XlsxSheet readXlsxSheet(const QString &path);
/// One member of a zip archive, uncompressed; empty when missing or unreadable.
QByteArray readZipMember(const QString &archive, const QString &member);
