#pragma once

#include <QAbstractSpinBox>

/// The score box of a grade: spin buttons step by 5 between 0 and 100, the teacher types
/// whole numbers only, but a text set by the program (a line read from a comment file)
/// is shown exactly as it is and only fails when that grade is scored.
class ScoreBox final : public QAbstractSpinBox {
    Q_OBJECT

public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;
    static constexpr int kStep = 5;

    explicit ScoreBox(QWidget *parent = nullptr);

    /// The text as shown, unchecked.
    QString scoreText() const;
    void setScoreText(const QString &text);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

protected:
    StepEnabled stepEnabled() const override;
};
