#pragma once

#include <QWidget>

class AnimationControl;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

/// The questioning toolbar: find-by-number and find-by-name boxes, the selection
/// animation, the count box and the grade box, and behind them the hidden number,
/// name and grade fields.
class QuestioningToolbar final : public QWidget {
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

private:
    QLineEdit *m_edit1;
    QLineEdit *m_edit2;
    AnimationControl *m_animate1;
    QSpinBox *m_spinEdit1;
    QComboBox *m_comboBox1;
    QLineEdit *m_dbEdit1;
    QLineEdit *m_dbEdit2;
    QLineEdit *m_dbEdit3;
};
