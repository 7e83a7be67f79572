#pragma once

#include "ContextFixture.h"
#include "GbkLines.h"
#include "ScriptedMainView.h"

/// The login's world: a real Record.mdb in a throw-away program folder with known list and
/// settings files, a scripted prompter and main view, and a count of the grade settings
/// the login handed on.
class LoginFixture final : public ContextFixture {
public:
    LoginFixture();

    /// Makes the class table and both tables of class and subject, as a finished login does.
    void prepareClass(const QString &className, const QString &subject);
    /// What the login calls when it has replaced the grade settings.
    std::function<void()> settingsHandler()
    {
        return [this] { ++settingsChanges; };
    }

    ScriptedMainView view{*this};
    int settingsChanges = 0;
};
