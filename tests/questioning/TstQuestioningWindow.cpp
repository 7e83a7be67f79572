#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "login/LoginController.h"
#include "questioning/Dangci.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "questioning/Unit7.h"
#include "shell/Unit2.h"
#include "store/Gbk.h"
#include "ui/AnimationControl.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {
const QString kClass = QStringLiteral("一班");
const QString kSubject = QStringLiteral("语文");

/// The main window with its login dialog replaced by a login to 一班 语文.
class LessonWindow final : public TForm1 {
public:
    using TForm1::TForm1;
    std::function<void()> loginDialog;

protected:
    void runLoginDialog() override
    {
        if (loginDialog)
            loginDialog();
    }
};

struct Lesson {
    /// Start-up in the questioning view, then the two windows of start-up.
    Lesson()
    {
        folder.writeDataFile(QStringLiteral("一班语文Moren.qs"),
            settingsFile({QStringLiteral("真棒"), QStringLiteral("10"), QStringLiteral("不错"), QStringLiteral("8"),
                QStringLiteral("一般"), QStringLiteral("5"), QStringLiteral("加油"), QStringLiteral("0")}));
        window.loginDialog = [this] {
            prompter.expectAnswer(Prompter::Answer::Yes);
            prompter.expectAnswer(Prompter::Answer::Yes);
            QVERIFY(LoginController(window.context(), window, [&] {
                window.questioning().takeGradeSettings();
            }).login({kClass, kSubject, QStringLiteral("123"), kModeQuestioning}));
        };
        window.FormCreate();
        window.questioning().createWindows();
        prompter.clear();
    }
    static QByteArray settingsFile(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += *Gbk::encode(line) + "\r\n";
        return bytes;
    }
    QVariant stored(const QString &column, int number)
    {
        QSqlQuery query(window.context().database.connection());
        query.exec(QStringLiteral("SELECT [%1] FROM [一班语文课堂提问] WHERE [编号]=%2").arg(column).arg(number));
        return query.next() ? query.value(0) : QVariant(QStringLiteral("no row"));
    }
    int currentNumber() { return window.context().mainQuery.value(QStringLiteral("编号")).toInt(); }

    TempProgramFolder folder;
    FakePrompter prompter;
    LessonWindow window{folder.path(), prompter};
};
} // namespace

/// Random questioning, grading and the comment windows as the main window runs them.
class TstQuestioningWindow final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpCreatesTheCommentWindowsWithTheLoginSettings();
    void pickAStudentAndGrade();
    void movingShowsTheGradeWithoutGrading();
    void everyLoginRefreshesTheCommentSettings();
};

void TstQuestioningWindow::startUpCreatesTheCommentWindowsWithTheLoginSettings()
{
    Lesson lesson;
    const QList<TForm2 *> dialogs = lesson.window.findChildren<TForm2 *>();
    QCOMPARE(dialogs.size(), 1);
    QVERIFY(!dialogs.first()->isVisible());
    QCOMPARE(dialogs.first()->settings().comments[0], QStringLiteral("真棒"));
    QCOMPARE(lesson.window.findChildren<TForm7 *>().size(), 1);
    QVERIFY(!lesson.window.findChildren<TForm7 *>().first()->isVisible());

    lesson.window.questioning().N5Click();
    lesson.window.questioning().N5Click();
    QVERIFY(dialogs.first()->isVisible());
    QCOMPARE(lesson.window.findChildren<TForm2 *>().size(), 1);
}

void TstQuestioningWindow::pickAStudentAndGrade()
{
    Lesson lesson;
    TForm1 &window = lesson.window;
    QVERIFY(window.context().mainQuery.rowCount() > 1);

    QSignalSpy ticks(&window.questioningToolbar()->selectionTimer(), &QTimer::timeout);
    window.menus().randomQuestion->trigger(); // F5
    QVERIFY(window.questioning().selectionRunning());
    QVERIFY(window.questioningToolbar()->selectionTimer().isActive());
    QVERIFY(window.questioningToolbar()->selectionClip()->isPlaying());
    QVERIFY(!window.questioningToolbar()->gradeBox()->isEnabled() && !window.questioningToolbar()->countBox()->isEnabled());
    QTRY_VERIFY(ticks.count() >= 5);
    QCOMPARE(window.questioningToolbar()->numberBox()->text(),
        window.questioningToolbar()->hiddenNumber()->text()); // every number of this class exists

    window.menus().randomQuestion->trigger();
    QVERIFY(!window.questioning().selectionRunning());
    QVERIFY(!window.questioningToolbar()->selectionTimer().isActive());
    QVERIFY(!window.questioningToolbar()->selectionClip()->isPlaying());
    QVERIFY(window.questioningToolbar()->gradeBox()->isEnabled() && window.questioningToolbar()->countBox()->isEnabled());
    const int chosen = lesson.currentNumber();
    QCOMPARE(window.questioningToolbar()->numberBox()->text(), QString::number(chosen));
    QCOMPARE(window.questioningToolbar()->nameBox()->text(), window.context().mainQuery.value(QStringLiteral("姓名")).toString());

    // The teacher picks A, then B, with the keyboard.
    QComboBox *gradeBox = window.questioningToolbar()->gradeBox();
    QCOMPARE(gradeBox->currentIndex(), -1);
    QTest::keyClick(gradeBox, Qt::Key_Down);
    QCOMPARE(gradeBox->currentText(), QStringLiteral("A"));
    auto *popup = window.findChild<TForm7 *>();
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->text(), QStringLiteral("真棒"));
    QTest::keyClick(gradeBox, Qt::Key_Down);
    QCOMPARE(popup->text(), QStringLiteral("不错"));

    QCOMPARE(lesson.stored(QStringLiteral("评价"), chosen).toString(), QStringLiteral("B"));
    QCOMPARE(lesson.stored(QStringLiteral("历史"), chosen).toString(), QStringLiteral("AB"));
    QCOMPARE(lesson.stored(QStringLiteral("次数"), chosen).toInt(), 2);
    QCOMPARE(lesson.stored(QStringLiteral("总分"), chosen).toInt(), 18);
    QCOMPARE(lesson.stored(QStringLiteral("平均"), chosen).toInt(), 9);
    QCOMPARE(gradeBox->currentText(), QStringLiteral("B"));
    QVERIFY2(lesson.prompter.messages().isEmpty(), qPrintable(lesson.prompter.messages().join(u'|')));
}

void TstQuestioningWindow::movingShowsTheGradeWithoutGrading()
{
    Lesson lesson;
    TForm1 &window = lesson.window;
    QSqlQuery(window.context().database.connection())
        .exec(QStringLiteral("UPDATE [一班语文课堂提问] SET [评价]='C',[次数]=1,[总分]=5 WHERE [编号]=2"));
    (void)window.context().mainQuery.close();
    QVERIFY(window.context().mainQuery.open());
    QComboBox *gradeBox = window.questioningToolbar()->gradeBox();

    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 2));
    QCOMPARE(gradeBox->currentText(), QStringLiteral("C"));
    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 1));
    QCOMPARE(gradeBox->currentIndex(), -1);

    window.questioningToolbar()->numberBox()->setText(QStringLiteral("2"));
    QTest::keyClick(window.questioningToolbar()->numberBox(), Qt::Key_Return); // find by number
    QCOMPARE(lesson.currentNumber(), 2);
    QCOMPARE(gradeBox->currentText(), QStringLiteral("C"));

    QCOMPARE(lesson.stored(QStringLiteral("次数"), 2).toInt(), 1);
    QVERIFY(lesson.stored(QStringLiteral("评价"), 1).isNull());
    QVERIFY(!window.findChild<TForm7 *>()->isVisible());
}

void TstQuestioningWindow::everyLoginRefreshesTheCommentSettings()
{
    Lesson lesson;
    TForm2 &dialog = lesson.window.questioning().form2();
    dialog.takeSettings(GradeSettings{});
    lesson.folder.writeDataFile(QStringLiteral("一班语文Moren.qs"),
        Lesson::settingsFile({QStringLiteral("优"), QStringLiteral("20"), QStringLiteral("良"), QStringLiteral("15"),
            QStringLiteral("中"), QStringLiteral("10"), QStringLiteral("差"), QStringLiteral("0")}));
    lesson.window.loginDialog = [&lesson] {
        QVERIFY(LoginController(lesson.window.context(), lesson.window, [&] {
            lesson.window.questioning().takeGradeSettings();
        }).login({kClass, kSubject, QStringLiteral("123"), kModeQuestioning}));
    };

    lesson.window.N3Click();

    QCOMPARE(dialog.settings().comments[3], QStringLiteral("差"));
    QCOMPARE(dialog.scoreText(0), QStringLiteral("20"));
}

QTEST_MAIN(TstQuestioningWindow)
#include "TstQuestioningWindow.moc"
