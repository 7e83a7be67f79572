#pragma once

#include "store/GradeRecord.h"

#include <QString>
#include <functional>

class Dataset;
class GradingSettings;
class Prompter;
struct LoginState;

/// Grading the current student (ComboBox1Change): records the grade in 评价 and 历史,
/// counts the score into 次数, 总分 and 平均, and shows the grade's comment.
class Grading final {
public:
    /// The most recent grades 历史 keeps; older ones are dropped from its front.
    static constexpr int kHistoryLength = 60;

    using CommentDisplay = std::function<void(const QString &comment)>;
    using Recorded = std::function<void(const GradeRecord::Step &step)>;

    /// recorded receives what each grade wrote, so that it can be taken back.
    Grading(Dataset &query, const LoginState &login, const GradingSettings &settings, Prompter &prompter,
        CommentDisplay showComment, Recorded recorded = {});

    /// Grades the current row with grade 0 ("A") to 3 ("D") in one statement, computed from
    /// the row in the file, then re-reads the row. A score that is not a whole number within
    /// -1000…1000 or a database another program holds longer than 5 s is reported and
    /// nothing is written; no student shows "数据为空!请输入学生名单或重新登录。".
    void grade(int index);

    /// The letter of grade 0 to 3.
    static QString letter(int index);

private:
    /// Empty when done, otherwise the message to show.
    QString run(int index);

    Dataset &m_query;
    const LoginState &m_login;
    const GradingSettings &m_settings;
    Prompter &m_prompter;
    CommentDisplay m_showComment;
    Recorded m_recorded;
};
