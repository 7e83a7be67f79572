#include "Grading.h"

#include "GradingSettings.h"
#include "QuestioningMessages.h"
#include "store/LoginState.h"
#include "ui/Prompter.h"
#include "store/Dataset.h"

namespace {
const QString kGrade = QStringLiteral("评价");
const QString kHistory = QStringLiteral("历史");
const QString kCount = QStringLiteral("次数");
const QString kTotal = QStringLiteral("总分");
const QString kAverage = QStringLiteral("平均");
} // namespace

Grading::Grading(Dataset &query, const LoginState &login, const GradingSettings &settings,
                 Prompter &prompter, CommentDisplay showComment)
    : m_query(query)
    , m_login(login)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_showComment(std::move(showComment))
{
}

QString Grading::letter(int index)
{
    return QString(QChar(u'A' + index));
}

void Grading::grade(int index)
{
    if (!run(index))
        m_prompter.message(QuestioningMessages::kError, QuestioningMessages::kNoData,
                           Prompter::Buttons::Ok, Prompter::Icon::Information);
}

bool Grading::run(int index)
{
    if (index < 0 || index > 3)
        return false;
    // Without a student there is nothing to grade; editing would create an empty row.
    if (!m_query.isOpen() || m_query.isEmpty() || m_query.currentRow() < 0)
        return false;
    // A half-written row is dropped so that no later move posts it.
    const auto abandon = [this] {
        m_query.cancel();
        return false;
    };

    const QString g = letter(index);
    const bool scoring = m_settings.scoringOn();
    if (scoring) {
        if (!m_query.edit())
            return abandon();
        const int count = m_query.value(kCount).toInt();
        const QString history = count != 0 ? m_query.value(kHistory).toString() + g : g;
        // A full history keeps its most recent letters rather than refusing the grade.
        if (!m_query.setValue(kHistory, history.right(kHistoryLength))
            || !m_query.setValue(kGrade, g) || !m_query.post())
            return abandon();
    }

    if (!m_query.edit())
        return abandon();
    if (m_settings.commentsOn() && m_showComment)
        m_showComment(m_login.grades.comments[size_t(index)]);
    if (scoring) {
        bool isNumber = false;
        const int score = m_settings.scoreText(index).trimmed().toInt(&isNumber);
        if (!isNumber)
            return abandon();
        const int total = m_query.value(kTotal).toInt() + score;
        const int count = m_query.value(kCount).toInt() + 1;
        if (!m_query.setValue(kTotal, total) || !m_query.setValue(kCount, count))
            return abandon();
        if (count != 0 && !m_query.setValue(kAverage, total / count))
            return abandon();
    }
    if (!m_query.post())
        return abandon();
    return true;
}
