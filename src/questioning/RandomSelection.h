#pragma once

#include "FairRace.h"
#include "RandomGenerator.h"

#include <functional>

struct AppContext;
class FairLesson;
class MainView;
class QuestioningControls;

/// The 随机提问 command and the selection tick: races the main query's current row
/// through students 1 to N at random until the command is given again. With a fair
/// lesson whose 不重复 is on or with somebody absent, it lands on eligible students only
/// and the student it stops on counts as asked in the round.
class RandomSelection final {
public:
    /// seedSource gives the seed of each start; the current time in seconds by default.
    /// Without a fair lesson every race is the plain one.
    RandomSelection(AppContext &context, MainView &view, QuestioningControls &controls, std::function<quint32()> seedSource = {},
        FairLesson *fair = nullptr);

    /// 随机提问 (BitBtn2Click): starts or stops a selection in the questioning view,
    /// toggles direct modification in the grade book, does nothing before a login.
    void command();
    /// One selection tick (Timer1Timer): draws a number and moves to that student.
    void tick();
    /// The stop steps: timer off, number box shows the current row's number, boxes enabled.
    void stop();

    /// The selection range N fixed at the last start.
    int range() const { return m_range; }
    /// The selection-running flag: set by a start, cleared by the stop steps.
    bool isRunning() const { return m_running; }
    /// The plan of the last start.
    const FairRace::Plan &plan() const { return m_plan; }

private:
    void start();
    /// Asks the fair lesson for the race's plan; false when the race must not start.
    bool planFairRace(int range);
    /// The command's stop: a fair race ends on an eligible student, who counts as asked.
    void finish();
    /// Moves to one of the eligible students, drawn with equal chances.
    void moveToEligible();
    bool onEligible() const;

    AppContext &m_context;
    MainView &m_view;
    QuestioningControls &m_controls;
    std::function<quint32()> m_seedSource;
    FairLesson *m_fair;
    RandomGenerator m_generator;
    FairRace::Plan m_plan;
    int m_range = 0;
    bool m_running = false;
    bool m_roundNoticeShown = false;
};
