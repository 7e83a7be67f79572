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

    QLineEdit *edit1() const { return m_edit1; }             ///< find by number
    QLineEdit *edit2() const { return m_edit2; }             ///< find by name
    AnimationControl *animate1() const { return m_animate1; } ///< selection animation
    QSpinBox *spinEdit1() const { return m_spinEdit1; }       ///< count box "范围"
    QComboBox *comboBox1() const { return m_comboBox1; }      ///< grade box "评价"
    QLineEdit *dbEdit1() const { return m_dbEdit1; }         ///< hidden number field
    QLineEdit *dbEdit2() const { return m_dbEdit2; }         ///< hidden name field
    QLineEdit *dbEdit3() const { return m_dbEdit3; }         ///< hidden grade field
    QTimer &timer1() { return m_timer1; }                      ///< random-selection tick

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
    void startTimer() override { m_timer1.start(); }
    void stopTimer() override { m_timer1.stop(); }

private:
    QLineEdit *m_edit1;
    QLineEdit *m_edit2;
    AnimationControl *m_animate1;
    QSpinBox *m_spinEdit1;
    QComboBox *m_comboBox1;
    QLineEdit *m_dbEdit1;
    QLineEdit *m_dbEdit2;
    QLineEdit *m_dbEdit3;
    QTimer m_timer1;
};
