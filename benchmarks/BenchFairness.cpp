// Simulates a term through the real selection logic (RandomSelection and the fair lesson
// on a real Record.mdb): 40 students, 90 lessons of 8 picks, 2 random students absent in
// each lesson, the race held for a random number of ticks each time. Prints, with 不重复 on
// and then off, the spread of picks and the longest wait; exits 1 when 不重复 misses its
// target (spread <= 1 among the students present throughout a round, nobody picked twice
// in a round).
#include "IdleMainView.h"
#include "questioning/FairLesson.h"
#include "questioning/QuestioningControls.h"
#include "questioning/RandomSelection.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>

namespace {

constexpr int kStudents = 40;
constexpr int kLessons = 90;
constexpr int kPicks = 8;
constexpr int kAbsentEachLesson = 2;
constexpr int kShortestRace = 30; // ticks: about a third of a second
constexpr int kLongestRace = 300; // three seconds
constexpr unsigned kTermSeed = 2024;

/// Every box is a failure of the simulation: counted and answered OK.
class CountingPrompter final : public Prompter {
public:
    Answer message(const QString &, const QString &text, Buttons, Icon) override
    {
        boxes << text;
        return Answer::Ok;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> openFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &) override { return std::nullopt; }
    int execDialog(QDialog &) override { return 0; }
    QStringList boxes;
};

/// The toolbar as the race uses it; the number field follows the current row.
class Controls final : public QuestioningControls {
public:
    explicit Controls(const Dataset &query)
        : m_query(query)
    {
    }
    QString countText() const override { return QStringLiteral("0"); }
    void setCountText(const QString &) override { }
    void setCountEnabled(bool) override { }
    void setGradeBoxEnabled(bool) override { }
    QString numberBoxText() const override { return m_numberBox; }
    void setNumberBoxText(const QString &text) override { m_numberBox = text; }
    QString nameBoxText() const override { return {}; }
    QString numberFieldText() const override { return m_query.value(QStringLiteral("编号")).toString(); }
    void playAnimation() override { }
    void stopAnimation() override { }
    void startTimer() override { }
    void stopTimer() override { }

private:
    const Dataset &m_query;
    QString m_numberBox;
};

struct Figures {
    int spreadAll = 0;         ///< most picks minus fewest, all students, worst lesson end
    int spreadPresent = 0;     ///< the same in the round, among those present throughout it
    int mostInRound = 0;       ///< most picks of one student within one round
    int longestWait = 0;       ///< lessons between two picks of a student (or to the term's ends)
    int rounds = 0;            ///< rounds completed
    int roundsDisagreeing = 0; ///< rounds the program began where the simulation did not
    QStringList boxes;
};

Figures term(bool noRepeat, QTextStream &out)
{
    Figures figures;
    QTemporaryDir folder;
    Database database(QStringLiteral("fairness-term"));
    if (!database.open(folder.path())) {
        figures.boxes << QStringLiteral("no database");
        return figures;
    }
    LoginState login;
    login.programFolder = folder.path();
    login.className = QStringLiteral("测试班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeQuestioning;
    const QString table = login.tables().questioningTable();
    (void)database.execute(Sql::createQuestioningTableFresh(table));
    QList<Statement> inserts;
    for (int number = 1; number <= kStudents; ++number) {
        Statement insert;
        insert.text = QStringLiteral("INSERT INTO [%1] ([编号],[姓名],[次数],[总分],[平均]) VALUES (?,?,0,0,0)").arg(table);
        insert.values = {number, QStringLiteral("学生%1").arg(number)};
        inserts << insert;
    }
    (void)database.runInTransaction(inserts);

    DataPaths paths(folder.path());
    Dataset query(database);
    Dataset portraits(database);
    CountingPrompter prompter;
    ProgramDataFiles dataFiles{database, paths.dataFolder()};
    AppContext context{login, database, query, portraits, prompter, paths, dataFiles};
    query.setQuery(Sql::showAllOrderedByNumber(table));
    (void)query.open();

    const QDateTime termStart(QDate(2024, 9, 2), QTime(8, 0));
    QDate today = termStart.date();
    quint32 seed = 0;
    FairLesson fair(context, [&today] { return today; });
    IdleMainView view;
    Controls controls(query);
    RandomSelection selection(
        context, view, controls, [&seed] { return seed; }, &fair);
    if (noRepeat)
        (void)fair.setNoRepeat(true);

    std::mt19937 random(kTermSeed);
    std::uniform_int_distribution<int> raceTicks(kShortestRace, kLongestRace);
    QVector<int> picks(kStudents + 1, 0);
    QVector<int> inRound(kStudents + 1, 0);
    QVector<int> lastLesson(kStudents + 1, -1);
    QSet<int> absentInRound;
    QSet<int> askedInRound;

    for (int lesson = 0; lesson < kLessons; ++lesson) {
        today = termStart.date().addDays(lesson);
        QVector<int> everyone(kStudents);
        std::iota(everyone.begin(), everyone.end(), 1);
        std::shuffle(everyone.begin(), everyone.end(), random);
        const QSet<int> absent{everyone.cbegin(), everyone.cbegin() + kAbsentEachLesson};
        for (const int number : absent)
            (void)fair.setAbsent(StudentKey{number, QStringLiteral("学生%1").arg(number)}, true);
        absentInRound.unite(absent);

        for (int pick = 0; pick < kPicks; ++pick) {
            // The round's rule, followed here for both settings: it ends once everybody
            // present now was picked in it.
            bool roundOver = true;
            for (int number = 1; number <= kStudents; ++number)
                roundOver = roundOver && (absent.contains(number) || askedInRound.contains(number));
            if (roundOver) {
                ++figures.rounds;
                askedInRound.clear();
                inRound.fill(0);
                absentInRound = absent;
            }

            seed = quint32(termStart.addDays(lesson).addSecs(pick * 300).toSecsSinceEpoch());
            selection.command();
            if (noRepeat && selection.plan().newRound != roundOver)
                ++figures.roundsDisagreeing;
            const int ticks = raceTicks(random);
            for (int i = 0; i < ticks; ++i)
                selection.tick();
            selection.command();

            const int chosen = query.value(QStringLiteral("编号")).toInt();
            ++picks[chosen];
            ++inRound[chosen];
            askedInRound.insert(chosen);
            figures.mostInRound = std::max(figures.mostInRound, inRound.at(chosen));
            figures.longestWait = std::max(figures.longestWait, lesson - lastLesson.at(chosen));
            lastLesson[chosen] = lesson;
        }

        const auto [fewest, most] = std::minmax_element(picks.cbegin() + 1, picks.cend());
        figures.spreadAll = std::max(figures.spreadAll, *most - *fewest);
        int fewestPresent = std::numeric_limits<int>::max();
        int mostPresent = 0;
        for (int number = 1; number <= kStudents; ++number) {
            if (absentInRound.contains(number))
                continue;
            fewestPresent = std::min(fewestPresent, inRound.at(number));
            mostPresent = std::max(mostPresent, inRound.at(number));
        }
        if (mostPresent >= fewestPresent)
            figures.spreadPresent = std::max(figures.spreadPresent, mostPresent - fewestPresent);
    }
    for (int number = 1; number <= kStudents; ++number)
        figures.longestWait = std::max(figures.longestWait, kLessons - 1 - lastLesson.at(number));
    figures.boxes = prompter.boxes;

    out << (noRepeat ? "不重复 on " : "不重复 off") << ": largest spread at a lesson's end " << figures.spreadAll
        << " (all students), " << figures.spreadPresent << " (in the round, among those present throughout it); "
        << "most picks of one student in a round " << figures.mostInRound << "; longest wait " << figures.longestWait
        << " lessons; " << figures.rounds << " rounds";
    if (figures.roundsDisagreeing > 0)
        out << "; the program's rounds differ " << figures.roundsDisagreeing << " times";
    if (!figures.boxes.isEmpty())
        out << "; message boxes: " << figures.boxes.join(QStringLiteral(" / "));
    out << '\n';
    out.flush();
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << kStudents << " students, " << kLessons << " lessons of " << kPicks << " picks, " << kAbsentEachLesson
        << " absent in each lesson\n";
    const Figures on = term(true, out);
    term(false, out);
    const bool met = on.spreadPresent <= 1 && on.mostInRound <= 1 && on.roundsDisagreeing == 0 && on.boxes.isEmpty();
    out << "target with 不重复 on (spread <= 1 among those present throughout a round, nobody twice in a round): "
        << (met ? "met" : "MISSED") << '\n';
    return met ? 0 : 1;
}
