#pragma once

#include <QString>

class Dataset;
class DataPaths;
class Prompter;
struct LoginState;

/// What random questioning, finding and clearing need of the main window: the login
/// state, the main query, the prompter and the controls of the questioning toolbar.
class QuestioningHost {
public:
    virtual ~QuestioningHost() = default;

    virtual LoginState &loginState() = 0;
    virtual Dataset &mainQuery() = 0;
    virtual Prompter &prompter() = 0;
    virtual const DataPaths &paths() const = 0;

    /// Text of the count box ("范围"), read once at each start.
    virtual QString countText() const = 0;
    virtual void setCountText(const QString &text) = 0;
    virtual void setCountEnabled(bool enabled) = 0;
    /// The grade box ("评价").
    virtual void setGradeBoxEnabled(bool enabled) = 0;

    /// The find-by-number box.
    virtual QString numberBoxText() const = 0;
    virtual void setNumberBoxText(const QString &text) = 0;
    /// The find-by-name box.
    virtual QString nameBoxText() const = 0;
    /// The hidden number field: the current row's 编号 in the questioning view.
    virtual QString numberFieldText() const = 0;

    /// The selection animation.
    virtual void playAnimation() = 0;
    virtual void stopAnimation() = 0;
    /// The 10 ms random-selection timer.
    virtual void startTimer() = 0;
    virtual void stopTimer() = 0;

    /// The selection-running flag.
    virtual bool selectionRunning() const = 0;
    virtual void setSelectionRunning(bool running) = 0;

    /// Gives the main grid the browse presentation and unchecks the questioning menu's 直接修改.
    virtual void useBrowsePresentation() = 0;
    /// Switches direct modification on or off (the 直接修改 command).
    virtual void toggleDirectModification() = 0;
    /// Grid formatting: column widths, alignment and colours of the main grid.
    virtual void formatGrid() = 0;
};
