// Runs one store operation of the program on a program folder, the way the program does
// it, so that the crash test can kill it at each write to Record.mdb:
//   qs_crash_driver FOLDER login   first start, then the first login to 一班 语文 (password 123)
//   qs_crash_driver FOLDER grade   grades student 1 of 一班语文 B, A, D
// Exits 0 when the operation finished, 1 when it reported a failure.
#include "login/LoginController.h"
#include "login/LoginTarget.h"
#include "questioning/Grading.h"
#include "questioning/GradingSettings.h"
#include "shell/Prompter.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/TableNames.h"

#include <QCoreApplication>
#include <array>
#include <cstdio>

namespace {

/// Says yes to every question and prints every message.
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

class DriverTarget final : public LoginTarget {
public:
    explicit DriverTarget(const QString &folder)
        : m_paths(folder)
    {
        m_state.programFolder = folder;
    }
    Database &database() override { return m_database; }
    Dataset &mainQuery() override { return m_query; }
    Prompter &prompter() override { return m_prompter; }
    const DataPaths &paths() const override { return m_paths; }
    LoginState &loginState() override { return m_state; }
    void unbindFields() override {}
    SqlResult showQuestioningViewAfterLogin() override
    {
        m_query.setQuery(Sql::showAllOrderedByNumber(m_state.tables().questioningTable()));
        return m_query.open();
    }
    SqlResult showGradeBookViewAfterLogin() override
    {
        m_query.setQuery(Sql::showAll(m_state.tables().gradeBookTable()));
        return m_query.open();
    }
    void gradeSettingsChanged() override {}

    Database m_database;
    Dataset m_query{m_database};
    YesPrompter m_prompter;
    DataPaths m_paths;
    LoginState m_state;
};

class FixedSettings final : public GradingSettings {
public:
    QString scoreText(int grade) const override { return QString::number(std::array{10, 8, 5, 0}.at(size_t(grade))); }
    bool scoringOn() const override { return true; }
    bool commentsOn() const override { return false; }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString folder = args.at(1);
    DriverTarget target(folder);
    if (const SqlResult opened = target.m_database.open(folder); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error));
        return 1;
    }
    if (args.at(2) == QLatin1String("login")) {
        const bool done = LoginController(target).login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeQuestioning});
        return done ? 0 : 1;
    }
    if (args.at(2) == QLatin1String("grade")) {
        target.m_state.className = QStringLiteral("一班");
        target.m_state.subject = QStringLiteral("语文");
        target.m_state.mode = kModeQuestioning;
        if (!target.showQuestioningViewAfterLogin() || !target.m_query.locate(QStringLiteral("编号"), 1))
            return 1;
        FixedSettings settings;
        Grading grading(target.m_query, target.m_state, settings, target.m_prompter, {});
        for (const int grade : {1, 0, 3})
            grading.grade(grade);
        return target.m_prompter.shown == 0 ? 0 : 1;
    }
    return 2;
}
