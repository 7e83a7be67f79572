#pragma once

#include <QWidget>

class QTextEdit;

/// Comment pop-up: a borderless always-on-top window that shows a grade's comment in
/// large type over the main window; a click or a typed character hides it.
class TForm7 final : public QWidget {
    Q_OBJECT

public:
    /// centreOn is the window the pop-up is centred on (the main window).
    explicit TForm7(QWidget *centreOn = nullptr);

    /// Shows text centred on the main window and takes the keyboard focus; a pop-up that
    /// is still visible takes the new text and comes to the front.
    void showComment(const QString &text);
    QString text() const;
    /// Hides it; its focus holder is the active control again for the next showing.
    void hidePopup();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_centreOn;
    QTextEdit *m_memo;
    QWidget *m_focusHolder;
};
