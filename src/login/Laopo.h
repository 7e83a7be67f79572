#pragma once

#include <QDialog>

struct AppContext;
class MainView;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

/// Login dialog (module Laopo): class, subject, password and mode; "确定" logs in.
/// Created for one showing and destroyed after it.
class TForm3 final : public QDialog {
    Q_OBJECT

public:
    TForm3(AppContext &context, MainView &view, QWidget *parent = nullptr);
    ~TForm3() override;
    Q_DISABLE_COPY_MOVE(TForm3)

    /// "确定": log in and close, or stay open with the entries kept.
    void Button1Click();
    /// A key pressed in a box or on a mode button: Enter does what "确定" does and is
    /// consumed (true); other keys are left alone (false).
    bool Edit1KeyPress(int key);
    /// The mode buttons: choosing one clears the other.
    void RadioButton1Click();
    void RadioButton2Click();
    /// Fills the class and subject boxes as the dialog opens.
    void FormCreate();
    /// The class box's text changed: refill the subject box.
    void ComboBox2Change();
    /// "删除该班级"
    void SpeedButton1Click();
    /// "删除该科目"
    void SpeedButton2Click();

Q_SIGNALS:
    /// "确定" was pressed (or Enter): the login runs next, on the main view.
    void loginRequested();
    /// The login replaced the login state's grade settings.
    void gradeSettingsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void setClassBox(const QStringList &items, const QString &text);
    void setSubjectBox(const QStringList &items, const QString &text);

    AppContext &m_context;
    MainView &m_view;
    QComboBox *m_classBox = nullptr;              // ComboBox2
    QComboBox *m_subjectBox = nullptr;            // ComboBox1
    QLineEdit *m_passwordBox = nullptr;           // Edit1
    QToolButton *m_deleteClassButton = nullptr;   // SpeedButton1
    QToolButton *m_deleteSubjectButton = nullptr; // SpeedButton2
    QRadioButton *m_questioningButton = nullptr;  // RadioButton1
    QRadioButton *m_gradeBookButton = nullptr;    // RadioButton2
    QPushButton *m_okButton = nullptr;            // Button1
};
