#pragma once

#include <QString>

/// The working grade settings that grading reads at the moment of grading: the score
/// box of each grade and the two switches of the comment settings dialog.
class GradingSettings {
public:
    virtual ~GradingSettings() = default;

    /// The score box text of grade 0 ("A") to 3 ("D"), as shown; not checked.
    virtual QString scoreText(int grade) const = 0;
    /// "打分": record the grade and count its score.
    virtual bool scoringOn() const = 0;
    /// "显示评语": show the grade's comment in the pop-up.
    virtual bool commentsOn() const = 0;
};
