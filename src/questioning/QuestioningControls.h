#pragma once

#include <QString>

/// The questioning toolbar's controls as random selection and the finds use them: the
/// count and grade boxes, the find boxes, the hidden number field, the selection
/// animation and the 10 ms selection timer.
class QuestioningControls {
public:
    virtual ~QuestioningControls() = default;

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
};
