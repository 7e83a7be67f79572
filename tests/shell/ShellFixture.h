#pragma once

#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "login/LoginController.h"
#include "questioning/QuestioningCommands.h"
#include "ui/MainMenus.h"
#include "shell/Unit2.h"

#include <QAction>
#include <QMenu>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <functional>

/// The main window with the login dialog replaced by a script of what the teacher does
/// in it (nothing: the dialog is closed without logging in).
class TestWindow final : public TForm1 {
public:
    using TForm1::TForm1;
    std::function<void()> loginDialog;
    int loginDialogsShown = 0;

protected:
    void runLoginDialog() override
    {
        ++loginDialogsShown;
        if (loginDialog)
            loginDialog();
    }
};

/// A throw-away program folder, a scripted prompter and the window on them.
struct Shell {
    TempProgramFolder folder;
    FakePrompter prompter;
    TestWindow window{folder.path(), prompter};

    /// The login dialog logs in to 一班 语文 in a mode; the first time the password and
    /// the class table are confirmed.
    std::function<void()> login(const QString &mode, bool firstTime = true)
    {
        return [this, mode, firstTime] {
            if (firstTime) {
                prompter.expectAnswer(Prompter::Answer::Yes);
                prompter.expectAnswer(Prompter::Answer::Yes);
            }
            QVERIFY(LoginController(window.context(), window, [&] {
                window.questioning().takeGradeSettings();
            }).login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), mode}));
        };
    }
    /// Start-up with a login in the given mode.
    void startIn(const QString &mode)
    {
        window.loginDialog = login(mode);
        window.FormCreate();
        window.loginDialog = nullptr;
        QCOMPARE(prompter.pendingReplies(), 0);
    }
    void execute(const QString &sql)
    {
        QSqlQuery query(window.context().database.connection());
        QVERIFY2(query.exec(sql), qPrintable(query.lastError().text()));
    }
    QVariant scalar(const QString &sql)
    {
        QSqlQuery query(window.context().database.connection());
        if (!query.exec(sql) || !query.next())
            return QStringLiteral("failed: ") + query.lastError().text();
        return query.value(0);
    }
    bool questioningMenuShown() const { return window.menus().questioningMenu->menuAction()->isVisible(); }
    bool gradeBookMenuShown() const { return window.menus().gradeBookMenu->menuAction()->isVisible(); }
};
