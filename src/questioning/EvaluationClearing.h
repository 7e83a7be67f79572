#pragma once

class QuestioningHost;

/// 清除 (N11Click): after a confirmation and the class's password, wipes every student's
/// grade, history, count, total and average and shows the table again ordered by 编号.
class EvaluationClearing final {
public:
    explicit EvaluationClearing(QuestioningHost &host) : m_host(host) {}

    void run();

private:
    QuestioningHost &m_host;
};
