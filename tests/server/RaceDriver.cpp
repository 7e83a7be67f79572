// One of two programs working on one class at once, the way the program does it:
//   qs_race_driver TARGET login            the first login to 一班 语文 (password 123)
//   qs_race_driver TARGET race SECONDS N   for SECONDS: grades random students of
//       一班语文课堂提问 through the grading command, and types scores into column 第N次
//       of 一班语文记分册 through the grid's dataset
// TARGET is a program folder (Record.mdb) or a postgresql:// URL. Prints every grade
// recorded ("grade NUMBER LETTER") and every score stored ("score NUMBER VALUE").
#include "DriverProgram.h"
#include "IdleMainView.h"
#include "login/LoginController.h"
#include "questioning/Grading.h"
#include "questioning/GradingSettings.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <cstdio>

namespace {

class QuestioningOnly final : public IdleMainView {
public:
    explicit QuestioningOnly(Driver &program)
        : m_program(program)
    {
    }
    Result openQuestioningView() override
    {
        m_program.query.setQuery(Sql::showAllOrderedByNumber(m_program.login.tables().questioningTable()));
        return m_program.query.open();
    }
    Result openGradeBookView() override { return Result::failure(QStringLiteral("not used")); }

private:
    Driver &m_program;
};

// History keeps 60 letters: no student gets more from both programs together.
constexpr int kMostGradesEach = 29;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString target = args.at(1);
    const bool server = target.startsWith(QLatin1String("postgresql://"));
    QTemporaryDir scratch; // a server's program still has a folder of its own
    Driver program(server ? scratch.path() : target);
    QuestioningOnly view(program);
    const Result opened = server ? program.database.openServer(*DatabaseUrl::parse(target)) : program.database.open(target);
    if (!opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error));
        return 1;
    }
    if (server)
        (void)program.dataFiles.table().prepare(program.paths.dataFolder());
    if (args.at(2) == QLatin1String("login")) {
        const bool done = LoginController(program.context, view)
                              .login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeQuestioning});
        return done ? 0 : 1;
    }
    if (args.at(2) != QLatin1String("race") || args.size() != 5)
        return 2;
    const qint64 seconds = args.at(3).toLongLong();
    const QString column = QStringLiteral("第%1次").arg(args.at(4));
    program.login.className = QStringLiteral("一班");
    program.login.subject = QStringLiteral("语文");
    program.login.mode = kModeQuestioning;
    if (!view.openQuestioningView())
        return 1;
    Dataset scores(program.database);
    scores.setQuery(Sql::showAllOrderedByNumber(program.login.tables().gradeBookTable()));
    if (!scores.open())
        return 1;

    FixedSettings settings;
    Grading grading(program.query, program.login, settings, program.prompter, {});
    QRandomGenerator random(quint32(args.at(4).toUInt() * 7919));
    QHash<int, int> given;
    int refused = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        const int number = 1 + int(random.bounded(program.query.rowCount()));
        if (given.value(number) < kMostGradesEach && program.query.locate(Column::kNumber, number)) {
            const int letter = int(random.bounded(4));
            const int before = program.prompter.shown;
            grading.grade(letter);
            if (program.prompter.shown == before) {
                given[number] += 1;
                std::printf("grade %d %s\n", number, qPrintable(Grading::letter(letter)));
            }
        }
        // A score typed into the grid, posted as moving off the row posts it.
        const int row = int(random.bounded(scores.rowCount()));
        const int value = int(random.bounded(100));
        if (scores.moveTo(row) && scores.setValue(column, value) && scores.post())
            std::printf("score %d %d\n", scores.value(Column::kNumber).toInt(), value);
        else
            ++refused, scores.cancel();
        QThread::msleep(5);
    }
    std::fflush(stdout);
    std::fprintf(stderr, "refused edits: %d\n", refused);
    return 0;
}
