#pragma once

#include "QuestioningControls.h"

#include <QTimer>
#include <QWidget>

class AnimationControl;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

/// The questioning toolbar: find-by-number and find-by-name boxes, the selection
/// animation, the count box and the grade box, and behind them the hidden number,
/// name and grade fields and the 10 ms random-selection timer.
class QuestioningToolbar final : public QWidget, public QuestioningControls {
    Q_OBJECT

public:
    explicit QuestioningToolbar(QWidget *parent = nullptr);

    QLineEdit *numberBox() const { return m_numberBox; }                ///< Edit1: find by number
    QLineEdit *nameBox() const { return m_nameBox; }                    ///< Edit2: find by name
    AnimationControl *selectionClip() const { return m_selectionClip; } ///< Animate1: selection animation
    QSpinBox *countBox() const { return m_countBox; }                   ///< SpinEdit1: count box "范围"
    QComboBox *gradeBox() const { return m_gradeBox; }                  ///< ComboBox1: grade box "评价"
    QLineEdit *hiddenNumber() const { return m_hiddenNumber; }          ///< DBEdit1: hidden number field
    QLineEdit *hiddenName() const { return m_hiddenName; }              ///< DBEdit2: hidden name field
    QLineEdit *hiddenGrade() const { return m_hiddenGrade; }            ///< DBEdit3: hidden grade field
    QTimer &selectionTimer() { return m_selectionTimer; }               ///< Timer1: the 10 ms selection tick

    /// The find boxes show the current student's number and name (the hidden fields),
    /// each from its first character. Runs whenever a hidden field changes.
    void mirrorCurrentRow();

    QString countText() const override;
    void setCountText(const QString &text) override;
    void setCountEnabled(bool enabled) override;
    void setGradeBoxEnabled(bool enabled) override;
    QString numberBoxText() const override;
    void setNumberBoxText(const QString &text) override;
    QString nameBoxText() const override;
    QString numberFieldText() const override;
    void playAnimation() override;
    void stopAnimation() override;
    void startTimer() override { m_selectionTimer.start(); }
    void stopTimer() override { m_selectionTimer.stop(); }

private:
    QLineEdit *m_numberBox;
    QLineEdit *m_nameBox;
    AnimationControl *m_selectionClip;
    QSpinBox *m_countBox;
    QComboBox *m_gradeBox;
    QLineEdit *m_hiddenNumber;
    QLineEdit *m_hiddenName;
    QLineEdit *m_hiddenGrade;
    QTimer m_selectionTimer;
};
