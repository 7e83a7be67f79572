#include "LoginFixture.h"
#include "login/Laopo.h"
#include "store/TableNames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using Answer = Prompter::Answer;

namespace {
const QString kClass = QStringLiteral("一班");
const QString kSubject = QStringLiteral("语文");

template<typename T> T *child(QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        QTest::qFail(name, __FILE__, __LINE__);
    return widget;
}

/// Types text character by character, as an input method delivers Chinese.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}
} // namespace

/// The login dialog as the teacher sees it.
class TstLaopo final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void controlsAndHints_data();
    void controlsAndHints();
    void dialogOpensReady();
    void classChangeRefillsSubjects();
    void enterLogsIn_data();
    void enterLogsIn();
    void wrongPasswordKeepsDialogOpen();
    void closeBoxNeverLogsIn();
    void deleteClassButtonRefillsClassBox();
};

void TstLaopo::controlsAndHints_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("hint");
    QTest::newRow("class box") << QStringLiteral("ComboBox2") << QStringLiteral("请输入或选择班级");
    QTest::newRow("subject box") << QStringLiteral("ComboBox1") << QStringLiteral("请输入或选择科目");
    QTest::newRow("password box") << QStringLiteral("Edit1") << QStringLiteral("请输入您设定的密码");
    QTest::newRow("delete class") << QStringLiteral("SpeedButton1") << QStringLiteral("删除该班级");
    QTest::newRow("delete subject") << QStringLiteral("SpeedButton2") << QStringLiteral("删除该科目");
}

void TstLaopo::controlsAndHints()
{
    QFETCH(QString, objectName);
    QFETCH(QString, hint);
    LoginFixture target;
    TForm3 dialog(target.context, target.view);
    QWidget *widget = dialog.findChild<QWidget *>(objectName);
    QVERIFY(widget);
    QCOMPARE(widget->toolTip(), hint);
    QVERIFY(!widget->accessibleName().isEmpty());
    if (auto *button = qobject_cast<QToolButton *>(widget))
        QCOMPARE(button->accessibleName(), hint);
}

void TstLaopo::dialogOpensReady()
{
    LoginFixture target;
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({kClass, QStringLiteral("二班")}));
    TForm3 dialog(target.context, target.view);

    QCOMPARE(dialog.windowTitle(), QStringLiteral("系统登录"));
    QCOMPARE(dialog.size(), QSize(254, 191));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.font().pixelSize(), 15);
    QCOMPARE(dialog.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(child<QLineEdit>(dialog, "Edit1")->echoMode(), QLineEdit::Password);
    QVERIFY(child<QRadioButton>(dialog, "RadioButton1")->isChecked());
    QCOMPARE(child<QRadioButton>(dialog, "RadioButton1")->text(), QStringLiteral("课堂提问"));
    QCOMPARE(child<QRadioButton>(dialog, "RadioButton2")->text(), QStringLiteral("记分册"));
    QCOMPARE(child<QPushButton>(dialog, "Button1")->text(), QStringLiteral("确定"));

    auto *classBox = child<QComboBox>(dialog, "ComboBox2");
    auto *subjectBox = child<QComboBox>(dialog, "ComboBox1");
    QVERIFY(classBox->isEditable() && subjectBox->isEditable());
    QCOMPARE(items(classBox), QStringList({kClass, QStringLiteral("二班")}));
    QCOMPARE(classBox->currentText(), kClass);
    QCOMPARE(items(subjectBox), QStringList({kSubject, QStringLiteral("数学")}));
    QCOMPARE(subjectBox->currentText(), kSubject);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.focusWidget(), child<QLineEdit>(dialog, "Edit1"));
    // Tab order: class, subject, password, mode buttons, 确定.
    QWidget *expected[] = {child<QRadioButton>(dialog, "RadioButton1"), child<QPushButton>(dialog, "Button1"), classBox,
        subjectBox, child<QLineEdit>(dialog, "Edit1")};
    for (QWidget *next : expected) {
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog.focusWidget(), next);
    }
}

void TstLaopo::classChangeRefillsSubjects()
{
    LoginFixture target;
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({QStringLiteral("二班"), kClass}));
    target.folder.writeDataFile(QStringLiteral("一班xueke.qs"), gbkLines({QStringLiteral("英语")}));
    TForm3 dialog(target.context, target.view);
    auto *classBox = child<QComboBox>(dialog, "ComboBox2");
    auto *subjectBox = child<QComboBox>(dialog, "ComboBox1");
    QCOMPARE(subjectBox->currentText(), kSubject); // 二班 has no list: the default subjects

    classBox->lineEdit()->clear();
    typeText(classBox->lineEdit(), QStringLiteral("一"));
    QCOMPARE(subjectBox->count(), 0);
    QCOMPARE(subjectBox->currentText(), QString());
    typeText(classBox->lineEdit(), QStringLiteral("班"));
    QCOMPARE(items(subjectBox), QStringList{QStringLiteral("英语")});
    QCOMPARE(subjectBox->currentText(), QStringLiteral("英语"));

    classBox->setCurrentIndex(0); // choosing 二班 from the list
    QCOMPARE(subjectBox->count(), 0);
    QVERIFY(target.prompter.calls().isEmpty());
}

void TstLaopo::enterLogsIn_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<bool>("gradeBook");
    QTest::newRow("password box") << QStringLiteral("Edit1") << false;
    QTest::newRow("class box") << QStringLiteral("ComboBox2") << false;
    QTest::newRow("subject box") << QStringLiteral("ComboBox1") << true;
    QTest::newRow("questioning button") << QStringLiteral("RadioButton1") << false;
    QTest::newRow("grade-book button") << QStringLiteral("RadioButton2") << true;
}

void TstLaopo::enterLogsIn()
{
    QFETCH(QString, objectName);
    QFETCH(bool, gradeBook);
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), "123");
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({kClass}));
    TForm3 dialog(target.context, target.view);
    QTest::keyClicks(child<QLineEdit>(dialog, "Edit1"), QStringLiteral("123"));
    if (gradeBook)
        QTest::mouseClick(child<QRadioButton>(dialog, "RadioButton2"), Qt::LeftButton);
    QCOMPARE(child<QRadioButton>(dialog, "RadioButton1")->isChecked(), !gradeBook);

    QWidget *widget = dialog.findChild<QWidget *>(objectName);
    QVERIFY(widget);
    QTest::keyClick(widget, Qt::Key_Return);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(target.login.className, kClass);
    QCOMPARE(target.login.mode, gradeBook ? kModeGradeBook : kModeQuestioning);
    QVERIFY(target.prompter.calls().isEmpty());
}

void TstLaopo::wrongPasswordKeepsDialogOpen()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), "123");
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({kClass}));
    TForm3 dialog(target.context, target.view);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *password = child<QLineEdit>(dialog, "Edit1");
    QTest::keyClicks(password, QStringLiteral("124"));
    target.prompter.expectAnswer(Answer::Ok);

    QTest::mouseClick(child<QPushButton>(dialog, "Button1"), Qt::LeftButton);

    QVERIFY(dialog.isVisible());
    QCOMPARE(target.prompter.messages(), QStringList{QStringLiteral("密码错误，请重新登录或查看帮助或与系统管理员联系！")});
    QCOMPARE(password->text(), QStringLiteral("124"));
    QCOMPARE(child<QComboBox>(dialog, "ComboBox2")->currentText(), kClass);
    QVERIFY(!target.login.isLoggedIn());
}

void TstLaopo::closeBoxNeverLogsIn()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), "123");
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({kClass}));
    const auto files = target.dataFiles();
    TForm3 dialog(target.context, target.view);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(child<QLineEdit>(dialog, "Edit1"), QStringLiteral("123"));

    QVERIFY(dialog.close());

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!target.login.isLoggedIn());
    QCOMPARE(target.dataFiles(), files);
}

void TstLaopo::deleteClassButtonRefillsClassBox()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({kClass, QStringLiteral("二班")}));
    TForm3 dialog(target.context, target.view);
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectText(kAdministratorPassword);

    QTest::mouseClick(child<QToolButton>(dialog, "SpeedButton1"), Qt::LeftButton);
    QCoreApplication::processEvents(); // the command runs from the event loop

    auto *classBox = child<QComboBox>(dialog, "ComboBox2");
    QCOMPARE(items(classBox), QStringList{QStringLiteral("二班")});
    QCOMPARE(classBox->currentText(), QStringLiteral("二班"));
    QVERIFY(!target.database.tableExists(kClass));
}

QTEST_MAIN(TstLaopo)
#include "TstLaopo.moc"
