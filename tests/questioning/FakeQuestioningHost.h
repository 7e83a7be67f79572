#pragma once

#include "FakePrompter.h"
#include "QuestioningFixture.h"
#include "questioning/QuestioningHost.h"

/// The main window as random questioning sees it: plain state for the toolbar's
/// controls, the fixture's login state and main query, and a count of each action.
class FakeQuestioningHost final : public QuestioningHost {
public:
    explicit FakeQuestioningHost(QuestioningFixture &fixture) : m_fixture(fixture) {}

    LoginState &loginState() override { return m_fixture.login; }
    Dataset &mainQuery() override { return m_fixture.query; }
    Prompter &prompter() override { return prompts; }
    const DataPaths &paths() const override { return m_fixture.paths; }

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
    void startTimer() override { ++timerStarts; timerOn = true; }
    void stopTimer() override { timerOn = false; }
    bool selectionRunning() const override { return running; }
    void setSelectionRunning(bool value) override { running = value; }
    void useBrowsePresentation() override { ++browsePresentations; }
    void toggleDirectModification() override { ++directModificationToggles; }
    void formatGrid() override { ++gridFormattings; }

    FakePrompter prompts;
    QString count = QStringLiteral("0");
    QString numberBox;
    QString nameBox;
    bool countEnabled = true;
    bool gradeBoxEnabled = true;
    bool animating = false;
    bool timerOn = false;
    bool running = false;
    int timerStarts = 0;
    int browsePresentations = 0;
    int directModificationToggles = 0;
    int gridFormattings = 0;

private:
    QuestioningFixture &m_fixture;
};
