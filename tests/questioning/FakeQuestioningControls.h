#pragma once

#include "QuestioningFixture.h"
#include "ScriptedMainView.h"
#include "questioning/QuestioningControls.h"

/// The questioning toolbar as plain state, with the scripted main view and the fixture's
/// prompter beside it, and a count of each action.
class FakeQuestioningControls final : public QuestioningControls {
public:
    explicit FakeQuestioningControls(QuestioningFixture &fixture)
        : view(fixture)
        , prompts(fixture.prompter)
        , m_fixture(fixture)
    {
    }

    QString countText() const override { return count; }
    void setCountText(const QString &text) override { count = text; }
    void setCountEnabled(bool enabled) override { countEnabled = enabled; }
    void setGradeBoxEnabled(bool enabled) override { gradeBoxEnabled = enabled; }
    QString numberBoxText() const override { return numberBox; }
    void setNumberBoxText(const QString &text) override { numberBox = text; }
    QString nameBoxText() const override { return nameBox; }
    /// The bound number field shows the current row's 编号.
    QString numberFieldText() const override { return m_fixture.query.value(QStringLiteral("编号")).toString(); }
    void playAnimation() override { animating = true; }
    void stopAnimation() override { animating = false; }
    void startTimer() override
    {
        ++timerStarts;
        timerOn = true;
    }
    void stopTimer() override { timerOn = false; }

    ScriptedMainView view;
    FakePrompter &prompts;
    QString count = QStringLiteral("0");
    QString numberBox;
    QString nameBox;
    bool countEnabled = true;
    bool gradeBoxEnabled = true;
    bool animating = false;
    bool timerOn = false;
    int timerStarts = 0;

private:
    QuestioningFixture &m_fixture;
};
