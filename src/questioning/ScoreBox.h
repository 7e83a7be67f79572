#pragma once

#include <QAbstractSpinBox>

/// The score box of a grade: spin buttons step by 5 between 0 and 100, the teacher types
/// whole numbers only, but a text set by the program (a line read from a comment file)
/// is shown exactly as it is and only fails when that grade is scored.
class ScoreBox final : public QAbstractSpinBox {
    Q_OBJECT
    // Read by assistive technology, as for any spin box.
    Q_PROPERTY(int value READ value WRITE setValue USER true)
    Q_PROPERTY(int minimum READ minimum CONSTANT)
    Q_PROPERTY(int maximum READ maximum CONSTANT)
    Q_PROPERTY(int singleStep READ singleStep CONSTANT)

public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;
    static constexpr int kStep = 5;

    explicit ScoreBox(QWidget *parent = nullptr);

    /// The text as shown, unchecked.
    QString scoreText() const;
    void setScoreText(const QString &text);
    /// The score as a whole number (0 when the text is not one); setting it writes its digits.
    int value() const;
    void setValue(int value);
    int minimum() const { return kMinimum; }
    int maximum() const { return kMaximum; }
    int singleStep() const { return kStep; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

protected:
    StepEnabled stepEnabled() const override;
};
