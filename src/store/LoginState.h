#pragma once

#include "store/SettingsFile.h"
#include "store/TableNames.h"

#include <QString>

/// Who is logged in: class, subject and mode, and the confirmed grade settings.
/// Held by the main window; every command reads it to know its tables and files.
struct LoginState final {
    QString programFolder; ///< where Record.mdb and Data/ are: DataPaths::dataRoot(), the program folder unless elsewhere
    QString className;
    QString subject;
    QString mode; ///< kModeQuestioning, kModeGradeBook, or empty before the first login
    GradeSettings grades;

    bool isLoggedIn() const { return !className.isEmpty() || !subject.isEmpty(); }
    TableNames tables() const { return TableNames{className, subject, mode}; }
};
