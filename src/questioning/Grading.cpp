#include "Grading.h"

#include "GradingSettings.h"
#include "QuestioningMessages.h"
#include "store/Dataset.h"
#include "store/GradeRecord.h"
#include "store/LoginState.h"
#include "ui/Prompter.h"

Grading::Grading(Dataset &query, const LoginState &login, const GradingSettings &settings, Prompter &prompter,
    CommentDisplay showComment, Recorded recorded)
    : m_query(query)
    , m_login(login)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_showComment(std::move(showComment))
    , m_recorded(std::move(recorded))
{
}

QString Grading::letter(int index)
{
    return QString(QChar(u'A' + index));
}

void Grading::grade(int index)
{
    const QString refusal = run(index);
    if (!refusal.isEmpty())
        m_prompter.message(QuestioningMessages::kError, refusal, Prompter::Buttons::Ok, Prompter::Icon::Information);
}

QString Grading::run(int index)
{
    if (index < 0 || index > 3)
        return QuestioningMessages::kNoData;
    // Without a student there is nothing to grade.
    if (!m_query.isOpen() || m_query.isEmpty() || m_query.currentRow() < 0)
        return QuestioningMessages::kNoData;

    const QString g = letter(index);
    const auto showComment = [&] {
        if (m_settings.commentsOn() && m_showComment)
            m_showComment(m_login.grades.comments[size_t(index)]);
    };
    if (!m_settings.scoringOn()) {
        showComment();
        return {};
    }

    // The score is checked before anything is written, so a bad one leaves no half grade.
    const QString scoreText = m_settings.scoreText(index);
    const std::optional<int> score = GradeRecord::parseScore(scoreText);
    if (!score)
        return QStringLiteral("档次“%1”的分数“%2”不是%3到%4之间的整数，本次评价没有保存。请在“评语设定”中改正这个分数。")
            .arg(g, scoreText.trimmed())
            .arg(GradeRecord::kLowestScore)
            .arg(GradeRecord::kHighestScore);

    // A row being edited is saved first, so the grade lands on what the file holds.
    if (m_query.state() != Dataset::State::Browse && !m_query.post()) {
        m_query.cancel();
        return QuestioningMessages::kNoData;
    }
    const qint64 rowId = m_query.currentRowId();
    if (rowId < 0 || !m_query.isWritable())
        return QuestioningMessages::kNoData;

    // One statement computed from the row in the file: the grade is whole or absent, and a
    // second program grading the same student adds to it instead of overwriting it.
    const GradeRecord::Result recorded = GradeRecord::record(m_query.database(), m_query.query().writeTable, rowId, g, *score);
    switch (recorded.outcome) {
    case GradeRecord::Outcome::Recorded:
        if (m_recorded)
            m_recorded(recorded.step);
        break;
    case GradeRecord::Outcome::Busy:
        return QStringLiteral("数据库正被另一个程序使用，等了5秒仍无法保存，本次评价没有保存。请稍后再评价一次。");
    case GradeRecord::Outcome::NoRow:
    case GradeRecord::Outcome::Failed: return QuestioningMessages::kNoData;
    }
    // The screen follows the file, including what another program added meanwhile.
    m_query.refreshCurrent();
    showComment();
    return {};
}
