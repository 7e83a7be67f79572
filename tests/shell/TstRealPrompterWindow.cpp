#include "TempProgramFolder.h"
#include "entry/EntryCommands.h"
#include "entry/EntryPanel.h"
#include "entry/Unit6.h"
#include "gradebook/Unit8.h"
#include "login/LoginController.h"
#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/Gbk.h"
#include "ui/ChineseTranslations.h"
#include "ui/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

/// Answers the real modal windows the program opens, one after the other, as a teacher
/// would: each step gets the window and presses something in it.
class Teacher final : public QObject {
public:
    using Step = std::function<void(QWidget *)>;
    Teacher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last)
                return;
            m_last = modal;
            if (!m_steps.isEmpty()) {
                // Later, so that a box the step opens finds this timer free to answer it.
                QTimer::singleShot(0, modal, [step = m_steps.takeFirst(), modal] { step(modal); });
                return;
            }
            // A window nobody expected fails the test instead of waiting for ever.
            auto *box = qobject_cast<QMessageBox *>(modal);
            unexpected << (box ? box->text() : QString::fromLatin1(modal->metaObject()->className()));
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
        });
        m_timer.start(10);
    }
    void then(Step step) { m_steps << std::move(step); }
    int stepsLeft() const { return int(m_steps.size()); }
    QStringList unexpected;
    /// A step that presses the message box's button reading `text` (是, 否, 取消, 确定).
    Step press(const QString &text, QStringList *asked = nullptr)
    {
        return [text, asked](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY2(box, modal->metaObject()->className());
            if (asked)
                *asked << box->text();
            for (QAbstractButton *button : box->buttons()) {
                if (button->text().startsWith(text)) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
            }
            QFAIL(qPrintable(QStringLiteral("no button %1 in “%2”").arg(text, box->text())));
        };
    }

private:
    QTimer m_timer;
    QPointer<QWidget> m_last;
    QList<Step> m_steps;
};

/// The main window whose login dialog is a login the teacher made in it.
class LoggedInWindow final : public TForm1 {
public:
    using TForm1::TForm1;
    QString mode = kModeQuestioning;

protected:
    void runLoginDialog() override
    {
        QVERIFY(LoginController(context(), *this, [this] {
            questioning().takeGradeSettings();
        }).login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), mode}));
    }
};

/// The program in a throw-away folder with the real prompter, after the first login.
struct Program {
    TempProgramFolder folder;
    QtPrompter prompter;
    LoggedInWindow window{folder.path(), prompter};
    Teacher teacher;

    explicit Program(const QString &mode = kModeQuestioning)
    {
        prompter.setParent(&window);
        window.mode = mode;
        // The first login: keep the password, make the class from the master roster.
        teacher.then(teacher.press(QStringLiteral("是")));
        teacher.then(teacher.press(QStringLiteral("是")));
        window.FormCreate();
        window.show();
    }
    /// 录入, and the kind chosen in the real chooser; the memo takes the input.
    void openEntryPanel(bool roster)
    {
        teacher.then([roster](QWidget *modal) {
            auto *chooser = qobject_cast<TForm6 *>(modal);
            QVERIFY(chooser);
            (roster ? chooser->rosterChoice() : chooser->scoreChoice())->setChecked(true);
            QTest::mouseClick(chooser->okButton(), Qt::LeftButton);
        });
        window.entry().SpeedButton2Click();
        QTRY_COMPARE(teacher.stepsLeft(), 0);
        QTest::mouseClick(window.panel1()->gridToggleButton(), Qt::LeftButton);
    }
    /// A step that picks `path` in the real file dialog.
    static Teacher::Step choose(const QString &path)
    {
        return [path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            // Typed into the file name box, as a teacher does.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        };
    }
};

QStringList names(TForm1 &window)
{
    QStringList result;
    QSqlQuery query(window.context().database.connection());
    if (!query.exec(QStringLiteral("SELECT [编号],[姓名] FROM [一班语文课堂提问] ORDER BY [编号]")))
        return {QStringLiteral("failed")};
    while (query.next())
        result << query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString();
    return result;
}

} // namespace

/// The running program's own boxes in the main window: what the teacher presses in a real
/// message box is what the command does.
class TstRealPrompterWindow final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ChineseTranslations::install(); }
    void rosterAppendedWhenTheTeacherAnswersNo();
    void shortGbkNamesComeBackFromTheDefaultTemplate();
    void openReadsUnicodeAndRefusesWhatIsNotText();
    void scoreColumnNamedRowidIsRefused();
};

void TstRealPrompterWindow::rosterAppendedWhenTheTeacherAnswersNo()
{
    Program program;
    Teacher &teacher = program.teacher;
    QCOMPARE(teacher.unexpected, QStringList());
    const QStringList before = names(program.window);
    QVERIFY(!before.isEmpty());
    const int highest = before.constLast().section(QLatin1Char(' '), 0, 0).toInt();
    program.openEntryPanel(true);
    EntryPanel *panel = program.window.panel1();
    panel->memo()->setPlainText(QStringLiteral("新生甲\n新生乙"));

    // 添加, and 否 in the roster question: the two are added after the class.
    QStringList asked;
    teacher.then(teacher.press(QStringLiteral("否"), &asked));
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);
    QTRY_COMPARE(teacher.stepsLeft(), 0);

    QCOMPARE(teacher.unexpected, QStringList());
    QCOMPARE(asked.size(), 1);
    QVERIFY2(asked.constFirst().startsWith(QStringLiteral("是否清除原有记录？")), qPrintable(asked.constFirst()));
    const QStringList added{QStringLiteral("%1 新生甲").arg(highest + 1), QStringLiteral("%1 新生乙").arg(highest + 2)};
    QCOMPARE(names(program.window), before + added);
}

void TstRealPrompterWindow::shortGbkNamesComeBackFromTheDefaultTemplate()
{
    Program program;
    Teacher &teacher = program.teacher;
    program.openEntryPanel(true);
    EntryPanel *panel = program.window.panel1();
    panel->memo()->setPlainText(QStringLiteral("郑梅\n毛卢"));

    teacher.then(teacher.press(QStringLiteral("是")));
    QTest::mouseClick(panel->saveDefaultButton(), Qt::LeftButton);
    QTRY_COMPARE(teacher.stepsLeft(), 0);
    QCOMPARE(
        program.folder.readDataFile(QStringLiteral("一班语文名单默认模板.qs")), *Gbk::encode(QStringLiteral("郑梅\r\n毛卢")));
    panel->memo()->clear();
    QTest::mouseClick(panel->loadDefaultButton(), Qt::LeftButton);

    QTRY_COMPARE(panel->memo()->toPlainText(), QStringLiteral("郑梅\n毛卢"));
    QCOMPARE(teacher.unexpected, QStringList());
}

void TstRealPrompterWindow::openReadsUnicodeAndRefusesWhatIsNotText()
{
    Program program;
    Teacher &teacher = program.teacher;
    program.openEntryPanel(true);
    EntryPanel *panel = program.window.panel1();
    // Notepad's "Unicode": UTF-16 with its mark.
    const QString unicode = program.folder.dataFile(QStringLiteral("名单.qsm"));
    program.folder.writeDataFile(
        QStringLiteral("名单.qsm"), QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(u"张三\r\n李四"), 12));
    teacher.then(Program::choose(unicode));
    QTest::mouseClick(panel->openButton(), Qt::LeftButton);
    QTRY_COMPARE(teacher.stepsLeft(), 0);
    QCOMPARE(panel->memo()->toPlainText(), QStringLiteral("张三\n李四"));

    // A file with NUL bytes is not a roster: the memo keeps what it holds.
    program.folder.writeDataFile(QStringLiteral("照片.qsm"), QByteArray("BM\x36\x00\x00\x00张三", 12));
    QStringList asked;
    teacher.then(Program::choose(program.folder.dataFile(QStringLiteral("照片.qsm"))));
    teacher.then(teacher.press(QStringLiteral("确定"), &asked));
    QTest::mouseClick(panel->openButton(), Qt::LeftButton);
    QTRY_COMPARE(teacher.stepsLeft(), 0);
    QCOMPARE(asked, QStringList{QStringLiteral("该文件不存在！")});
    QCOMPARE(panel->memo()->toPlainText(), QStringLiteral("张三\n李四"));
    QCOMPARE(teacher.unexpected, QStringList());
}

void TstRealPrompterWindow::scoreColumnNamedRowidIsRefused()
{
    Program program(kModeGradeBook);
    Teacher &teacher = program.teacher;
    program.openEntryPanel(false);
    EntryPanel *panel = program.window.panel1();
    panel->memo()->setPlainText(QStringLiteral("81\n82"));
    QStringList asked;
    QPointer<TForm8> columnDialog;
    teacher.then([&](QWidget *modal) {
        columnDialog = qobject_cast<TForm8 *>(modal);
        QVERIFY(columnDialog);
        columnDialog->nameBox()->setText(QStringLiteral("ROWID"));
        QTest::mouseClick(columnDialog->okButton(), Qt::LeftButton);
    });
    teacher.then(teacher.press(QStringLiteral("确定"), &asked));
    // The column dialog stays open for another name: the box above it has gone.
    teacher.then([&](QWidget *modal) {
        QCOMPARE(modal, columnDialog.data());
        columnDialog->nameBox()->setText(QStringLiteral("期中"));
        QTest::mouseClick(columnDialog->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(panel->addButton(), Qt::LeftButton);
    QTRY_COMPARE(teacher.stepsLeft(), 0);

    QCOMPARE(asked, QStringList{QStringLiteral("表头字段名重复！")});
    QCOMPARE(teacher.unexpected, QStringList());
    QSqlQuery query(program.window.context().database.connection());
    QVERIFY(query.exec(QStringLiteral("SELECT [期中],[合计] FROM [一班语文记分册] ORDER BY [编号] LIMIT 2")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 81);
    QCOMPARE(query.value(1).toInt(), 81);
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toInt(), 82);
}

QTEST_MAIN(TstRealPrompterWindow)
#include "TstRealPrompterWindow.moc"
