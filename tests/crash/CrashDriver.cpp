// Runs one store operation of the program on a program folder, the way the program does
// it, so that the crash test can kill it at each write to Record.mdb:
//   qs_crash_driver FOLDER login   first start, then the first login to 一班 语文 (password 123)
//   qs_crash_driver FOLDER grade   grades student 1 of 一班语文 B, A, D
//   qs_crash_driver FOLDER undo    grades student 1 B, A, D, then takes the three back
//   qs_crash_driver FOLDER fair    the fair lesson of 一班语文: 不重复 on, absences, asked, rounds
// Exits 0 when the operation finished, 1 when it reported a failure.
#include "DriverProgram.h"
#include "IdleMainView.h"
#include "login/LoginController.h"
#include "questioning/GradeUndo.h"
#include "questioning/Grading.h"
#include "questioning/GradingSettings.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/FairLessonRecord.h"
#include "store/LoginState.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cstdio>

namespace {

/// The main window's table views as a login uses them; nothing else is shown.
class DriverView final : public IdleMainView {
public:
    explicit DriverView(Driver &driver)
        : m_driver(driver)
    {
    }
    Result openGradeBookView() override
    {
        m_driver.login.mode = kModeGradeBook;
        m_driver.query.setQuery(Sql::showAll(m_driver.login.tables().gradeBookTable()));
        return m_driver.query.open();
    }
    Result openQuestioningView() override
    {
        m_driver.query.setQuery(Sql::showAllOrderedByNumber(m_driver.login.tables().questioningTable()));
        return m_driver.query.open();
    }

private:
    Driver &m_driver;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString folder = args.at(1);
    Driver target(folder);
    DriverView view(target);
    if (const Result opened = target.database.open(folder); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error));
        return 1;
    }
    if (args.at(2) == QLatin1String("login")) {
        const bool done = LoginController(target.context, view)
                              .login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeQuestioning});
        return done ? 0 : 1;
    }
    const QString operation = args.at(2);
    if (operation == QLatin1String("grade") || operation == QLatin1String("undo")) {
        target.login.className = QStringLiteral("一班");
        target.login.subject = QStringLiteral("语文");
        target.login.mode = kModeQuestioning;
        if (!view.openQuestioningView() || !target.query.locate(QStringLiteral("编号"), 1))
            return 1;
        FixedSettings settings;
        GradeUndo undo;
        Grading grading(target.query, target.login, settings, target.prompter, {},
            [&](const GradeRecord::Step &step) { undo.recorded(step); });
        for (const int grade : {1, 0, 3})
            grading.grade(grade);
        if (operation == QLatin1String("undo")) {
            for (int i = 0; i < 3; ++i) {
                if (undo.undoLast(target.database).outcome != GradeUndo::Outcome::Undone)
                    return 1;
            }
        }
        return target.prompter.shown == 0 ? 0 : 1;
    }
    if (operation == QLatin1String("fair")) {
        FairLessonRecord record(target.database, QStringLiteral("一班"), QStringLiteral("语文"));
        const QDate day(2024, 9, 2);
        const auto student = [](int number) { return StudentKey{number, QStringLiteral("学生%1").arg(number)}; };
        const Result steps[] = {record.setNoRepeat(true), record.setAbsent(student(1), day, true), record.recordAsked(student(2)),
            record.recordAsked(student(3)), record.beginRoundAfter(1), record.recordAsked(student(4)),
            record.setAbsent(student(1), day, false)};
        return std::all_of(std::begin(steps), std::end(steps), [](const Result &step) { return step.ok; }) ? 0 : 1;
    }
    return 2;
}
