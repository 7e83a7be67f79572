#pragma once

#include "DatabaseUrl.h"
#include "Result.h"

#include <QString>
#include <QStringList>

/// Moves a school's existing program folder onto its server: every table of Record.mdb
/// with its rows, in order, and every file of Data/ byte for byte, in one transaction.
/// A class already on the server is never overwritten: when any table or class file of
/// the folder is there already, nothing is copied. 母版 replaces the server's only while
/// that is still the sample class; 范例班 gains the portraits of students it lacks; the
/// class list gains the classes it lacks.
namespace ServerCopy {
struct Report final {
    Result result;
    /// What was copied, a line each, for the one who runs the command.
    QStringList lines;
};
Report copy(const QString &programFolder, const DatabaseUrl &server);
} // namespace ServerCopy
