#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

/// Entry-kind chooser (module Unit6, "录入"): scores (or evaluations) or a roster.
class TForm6 final : public QDialog {
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TForm6)

    /// True when "名单录入" is chosen.
    bool rosterChosen() const;

    QRadioButton *scoreChoice() const { return m_scores; }
    QRadioButton *rosterChoice() const { return m_roster; }
    QPushButton *okButton() const { return m_ok; }

private:
    QRadioButton *m_scores;
    QRadioButton *m_roster;
    QPushButton *m_ok;
};
