#pragma once

struct AppContext;
class QuestioningControls;

/// Finding a student from the find boxes of the questioning toolbar (Enter in either box).
class StudentFinder final {
public:
    StudentFinder(AppContext &context, QuestioningControls &controls)
        : m_context(context)
        , m_controls(controls)
    {
    }

    /// Edit1KeyPress on Enter: moves to the first row whose 编号 is the number box's number.
    void findByNumber();
    /// Edit2KeyPress on Enter: moves to the first row whose 姓名 begins with the name box's text.
    void findByName();

private:
    void finish(bool usable);

    AppContext &m_context;
    QuestioningControls &m_controls;
};
