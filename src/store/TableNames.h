#pragma once

#include <QString>

/// Names of the two modes, as the login dialog and the window title show them.
inline const QString kModeQuestioning = QStringLiteral("课堂提问");
inline const QString kModeGradeBook = QStringLiteral("记分册");
/// The master roster every new class table is copied from.
inline const QString kMasterRosterTable = QStringLiteral("母版");
/// Portrait and motto of every student of every class.
inline const QString kPortraitTable = QStringLiteral("范例班");
/// Administrator password: logs in to any class and subject.
inline const QString kAdministratorPassword = QStringLiteral("kesmora");

/// Table names formed from class C, subject S and mode M by plain concatenation.
struct TableNames final {
    QString className;
    QString subject;
    QString mode;

    QString classTable() const { return className; }
    QString questioningTable() const { return className + subject + kModeQuestioning; }
    QString gradeBookTable() const { return className + subject + kModeGradeBook; }
    QString currentTable() const { return className + subject + mode; }
    QString scratchTable() const { return QStringLiteral("备份") + currentTable(); }
};

/// True when a class, subject or column name can safely be part of a table or file name:
/// not empty, no white space or control characters, none of \ / : * ? " < > | [ ],
/// not "." or "..". Callers refuse an unsafe name before touching any table or file.
bool isSafeName(const QString &name);
