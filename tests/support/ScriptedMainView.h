#pragma once

#include "ContextFixture.h"
#include "store/Statements.h"
#include "ui/MainView.h"

#include <QList>

/// The main window as a feature sees it, without widgets: the two table views run their
/// queries on the fixture's main query; every other operation is counted.
class ScriptedMainView final : public MainView {
public:
    explicit ScriptedMainView(ContextFixture &fixture)
        : m_fixture(fixture)
    {
    }

    void formatGrid() override { ++gridFormattings; }
    Result openGradeBookView() override
    {
        m_fixture.login.mode = kModeGradeBook;
        modesShown << m_fixture.login.mode;
        m_fixture.query.setQuery(Sql::showAll(m_fixture.login.tables().gradeBookTable()));
        return m_fixture.query.open();
    }
    QString gradeBookColumnList() const override { return columnList; }
    Result openQuestioningView() override
    {
        modesShown << m_fixture.login.mode;
        m_fixture.query.setQuery(Sql::showAllOrderedByNumber(m_fixture.login.tables().questioningTable()));
        const Result opened = m_fixture.query.open();
        if (opened)
            m_fixture.login.mode = kModeQuestioning;
        return opened;
    }
    void showView(View view) override { views << view; }
    void bindFields() override { ++bindings; }
    void unbindFields() override { ++unbindings; }
    Result savePendingEdits() override { return Result::success(); }
    void useBrowsePresentation() override { ++browsePresentations; }
    void toggleDirectModification() override { ++directModificationToggles; }
    void hideEntryPanel() override { ++entryPanelHidings; }
    void showStatus(int panel, const QString &text) override { status[panel] = text; }

    /// The mode of the login state as each table view was opened.
    QStringList modesShown;
    QList<View> views;
    int gridFormattings = 0;
    int bindings = 0;
    int unbindings = 0;
    int browsePresentations = 0;
    int directModificationToggles = 0;
    int entryPanelHidings = 0;
    QString status[3];
    /// What gradeBookColumnList() answers.
    QString columnList;

private:
    ContextFixture &m_fixture;
};
