#pragma once

#include "ui/MainView.h"

#include <QDialog>
#include <functional>

class Dataset;
class Prompter;
class QLineEdit;
class QPushButton;

/// Column-name dialog (module Unit8, "字段名"): adds one score column to the grade-book
/// table and hands its name to the score batch as the pending column name.
class TForm8 final : public QDialog {
    Q_OBJECT

public:
    /// table is the grade-book table; the name box offers 第k次 from the view's field count.
    TForm8(Database &database, Dataset &view, const QString &table, Prompter &prompter, MainView &mainView,
        QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TForm8)

    /// The name box's text as last changed; empty after No.
    QString pendingColumnName() const { return m_pendingColumnName; }
    /// What OK does with the name: by default adds the column (ScoreColumns::add). The
    /// score batch adds it and fills it in one transaction.
    void setColumnAdder(std::function<Result(const QString &name)> adder) { m_adder = std::move(adder); }
    QLineEdit *nameBox() const { return m_nameBox; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *noButton() const { return m_no; }

    /// OK: adds the column and reopens the grade-book view; a name that cannot be added is
    /// answered with "表头字段名重复！" and the dialog stays open.
    void BitBtn1Click();
    /// No (Esc): empties the name box, and with it the pending column name, and closes.
    void BitBtn2Click();

Q_SIGNALS:
    void pendingColumnNameChanged(const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Database &m_database;
    Dataset &m_view;
    QString m_table;
    Prompter &m_prompter;
    MainView &m_mainView;
    std::function<Result(const QString &name)> m_adder;
    QString m_pendingColumnName;
    QLineEdit *m_nameBox;
    QPushButton *m_ok;
    QPushButton *m_no;
};
