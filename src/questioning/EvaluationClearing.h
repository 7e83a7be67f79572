#pragma once

struct AppContext;
class MainView;

/// 清除 (N11Click): after a confirmation and the class's password, wipes every student's
/// grade, history, count, total and average and shows the table again ordered by 编号.
class EvaluationClearing final {
public:
    EvaluationClearing(AppContext &context, MainView &view)
        : m_context(context)
        , m_view(view)
    {
    }

    void run();

private:
    AppContext &m_context;
    MainView &m_view;
};
