// The yardstick of the start-up benchmark: a bare Qt program that shows a dialog with the
// login dialog's controls and Chinese captions, and nothing else (no database, files,
// translations, font mapping or main window).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("系统登录"));
    dialog.setFixedSize(254, 191);
    auto *panel = new QFrame(&dialog);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 238, 140);
    const QString captions[] = {QStringLiteral("班级"), QStringLiteral("科目"), QStringLiteral("密码")};
    for (int row = 0; row < 3; ++row) {
        const int top = 10 + row * 30;
        (new QLabel(captions[row], panel))->setGeometry(10, top, 32, 23);
        if (row == 2) {
            auto *password = new QLineEdit(panel);
            password->setEchoMode(QLineEdit::Password);
            password->setGeometry(44, top, 158, 23);
            password->setFocus();
            continue;
        }
        auto *box = new QComboBox(panel);
        box->setEditable(true);
        box->setGeometry(44, top, 158, 23);
        auto *remove = new QToolButton(panel);
        remove->setAutoRaise(true);
        remove->setIcon(remove->style()->standardIcon(QStyle::SP_TrashIcon));
        remove->setGeometry(205, top, 23, 23);
    }
    auto *modes = new QGroupBox(panel);
    modes->setGeometry(10, 99, 218, 34);
    auto *questioning = new QRadioButton(QStringLiteral("课堂提问"), modes);
    questioning->setGeometry(12, 7, 100, 21);
    questioning->setChecked(true);
    (new QRadioButton(QStringLiteral("记分册"), modes))->setGeometry(120, 7, 90, 21);
    (new QPushButton(QStringLiteral("确定"), &dialog))->setGeometry(89, 156, 75, 27);
    return dialog.exec();
}
