#pragma once

#include "ui/MainView.h"

/// A main view without a window: every operation does nothing and succeeds. Window-less
/// runs (probes, benchmarks, fixtures) override the few operations they need.
class IdleMainView : public MainView {
public:
    void formatGrid() override { }
    Result openGradeBookView() override { return Result::success(); }
    QString gradeBookColumnList() const override { return {}; }
    Result openQuestioningView() override { return Result::success(); }
    void showView(View) override { }
    void bindFields() override { }
    void unbindFields() override { }
    Result savePendingEdits() override { return Result::success(); }
    void useBrowsePresentation() override { }
    void toggleDirectModification() override { }
    void hideEntryPanel() override { }
    void showStatus(int, const QString &) override { }
};
