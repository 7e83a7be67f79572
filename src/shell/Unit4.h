#pragma once

#include <QDialog>

class QLabel;

/// About box (module Unit4): the program's picture and title; a click anywhere closes it.
class TForm4 final : public QDialog {
    Q_OBJECT

public:
    explicit TForm4(QWidget *parent = nullptr);

    QLabel *picture() const { return m_picture; }
    QLabel *title() const { return m_title; }
    /// Beside the picture: where the data lives (caption, then the folder).
    void showDataFolder(const QString &caption, const QString &folder);
    /// In the same place: the school's server the program works on instead.
    void showDatabase(const QString &server);
    QLabel *dataPlace() const { return m_dataPlace; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_picture;
    QLabel *m_title;
    QLabel *m_dataPlace;
};
