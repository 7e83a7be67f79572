#pragma once

#include "shell/LoginState.h"
#include "store/Database.h"

class Dataset;
class DataPaths;
class Prompter;

/// What the login dialog needs of the main window: the store, the login state, and the
/// two view changes a successful login ends with.
class LoginTarget {
public:
    virtual ~LoginTarget() = default;

    virtual Database &database() = 0;
    virtual Dataset &mainQuery() = 0;
    virtual Prompter &prompter() = 0;
    virtual const DataPaths &paths() const = 0;
    virtual LoginState &loginState() = 0;

    /// Unbinds the number, name and grade fields (before the main query is closed).
    virtual void unbindFields() = 0;
    /// Shows the questioning table of the login state's class and subject: mode, query,
    /// grid formatting, bound fields and find boxes, menus, toolbars, hint, stopped selection.
    virtual SqlResult showQuestioningViewAfterLogin() = 0;
    /// Shows the grade book: mode, hint, menus, toolbars, then open grade-book view.
    virtual SqlResult showGradeBookViewAfterLogin() = 0;
    /// The login state's grade settings were replaced: the comment settings take them.
    virtual void gradeSettingsChanged() = 0;
};
