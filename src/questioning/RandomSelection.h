#pragma once

#include "RandomGenerator.h"

#include <functional>

struct AppContext;
class MainView;
class QuestioningControls;

/// The 随机提问 command and the selection tick: races the main query's current row
/// through students 1 to N at random until the command is given again.
class RandomSelection final {
public:
    /// seedSource gives the seed of each start; the current time in seconds by default.
    RandomSelection(AppContext &context, MainView &view, QuestioningControls &controls, std::function<quint32()> seedSource = {});

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

private:
    void start();

    AppContext &m_context;
    MainView &m_view;
    QuestioningControls &m_controls;
    std::function<quint32()> m_seedSource;
    RandomGenerator m_generator;
    int m_range = 0;
    bool m_running = false;
};
