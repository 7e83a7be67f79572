#pragma once

class QuestioningHost;

/// Finding a student from the find boxes of the questioning toolbar (Enter in either box).
class StudentFinder final {
public:
    explicit StudentFinder(QuestioningHost &host) : m_host(host) {}

    /// Edit1KeyPress on Enter: moves to the first row whose 编号 is the number box's number.
    void findByNumber();
    /// Edit2KeyPress on Enter: moves to the first row whose 姓名 begins with the name box's text.
    void findByName();

private:
    void finish(bool usable);

    QuestioningHost &m_host;
};
