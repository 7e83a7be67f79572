#pragma once

#include "store/Database.h"

#include <functional>

/// The main-window operations the grade-book and entry commands call after they change
/// what the main query shows. The main window fills them in; tests record the calls.
struct ViewHooks final {
    /// Open grade-book view: mode 记分册, the column list rebuilt, the table shown,
    /// formatted, first row. Returns the engine's failure.
    std::function<Result()> openGradeBookView;
    /// Grid formatting for the main query's fields.
    std::function<void()> formatGrid;
    /// The entry panel's 隐藏: hides the panel and parks the portrait query.
    std::function<void()> hideEntryPanel;

    Result reopenGradeBook() const { return openGradeBookView ? openGradeBookView() : Result::success(); }
    void format() const
    {
        if (formatGrid)
            formatGrid();
    }
    void hidePanel() const
    {
        if (hideEntryPanel)
            hideEntryPanel();
    }
};
