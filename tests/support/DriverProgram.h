#pragma once

#include "questioning/GradingSettings.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <array>
#include <cstdio>

/// Says yes to every question, prints every message and counts the OK boxes: the
/// prompter of a driver program that runs the program's commands without windows.
class YesPrompter final : public Prompter {
public:
    Answer message(const QString &caption, const QString &text, Buttons buttons, Icon) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        if (buttons == Buttons::Ok)
            ++shown;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
    int shown = 0;
};

/// What the program holds for a login: the store, the login state and the context.
struct Driver {
    explicit Driver(const QString &folder)
        : paths(folder)
    {
        login.programFolder = folder;
    }
    Database database;
    Dataset query{database};
    Dataset portraitQuery{database};
    YesPrompter prompter;
    DataPaths paths;
    LoginState login;
    ProgramDataFiles dataFiles{database, paths.dataFolder()};
    AppContext context{login, database, query, portraitQuery, prompter, paths, dataFiles};
};

/// Scores 10, 8, 5 and 0 for A to D, scoring on, no comments.
class FixedSettings final : public GradingSettings {
public:
    QString scoreText(int grade) const override { return QString::number(std::array{10, 8, 5, 0}.at(size_t(grade))); }
    bool scoringOn() const override { return true; }
    bool commentsOn() const override { return false; }
};
