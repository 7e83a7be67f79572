#pragma once

#include "store/Database.h"

#include <QString>
#include <functional>

struct AppContext;
class MainView;

/// The login of the login dialog, without widgets: checks the entries and the password,
/// prepares the class's tables, shows the chosen view, loads the grade settings
/// and puts class and subject first in their lists.
class LoginController final {
public:
    /// What the teacher entered: class, subject, password and the mode chosen
    /// (kModeQuestioning or kModeGradeBook).
    struct Entries {
        QString className;
        QString subject;
        QString password;
        QString mode;
    };

    /// gradeSettingsChanged is called once the login state holds the new grade settings.
    LoginController(AppContext &context, MainView &view, std::function<void()> gradeSettingsChanged = {});

    /// Runs the login. True when it is done and the dialog should close; false when it
    /// stopped (a message or an error was shown) and the dialog stays open.
    bool login(const Entries &entries);

    /// The stored password when the password file cannot be read or holds no word.
    static QString fallbackPassword() { return QStringLiteral("583920"); }

private:
    /// What the login does to the password file once the tables exist.
    enum class PasswordFileChange {
        None,
        Save,
        Remove
    };

    bool checkEntries(const Entries &entries);
    bool checkPassword(const Entries &entries, PasswordFileChange &change);
    bool prepareTables(const Entries &entries);
    Result showChosenView(const QString &mode);
    bool changePasswordFile(const Entries &entries, PasswordFileChange change);
    bool loadGradeSettings(const Entries &entries);
    bool putFirstInList(const QString &list, const QString &name);

    AppContext &m_context;
    MainView &m_view;
    std::function<void()> m_gradeSettingsChanged;
};
