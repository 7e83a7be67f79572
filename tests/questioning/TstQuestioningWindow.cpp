#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "login/LoginController.h"
#include "questioning/Dangci.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "questioning/Unit7.h"
#include "shell/Unit2.h"
#include "store/FairLessonRecord.h"
#include "store/Gbk.h"
#include "store/GradeRecord.h"
#include "ui/AnimationControl.h"
#include "ui/DataGrid.h"
#include "ui/FormattedGridModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
    /// Every stored value of student `number`'s row with its storage class.
    QString storedRow(int number)
    {
        QSqlQuery query(window.context().database.connection());
        query.exec(
            QStringLiteral("SELECT quote([编号])||quote([姓名])||quote([评价])||quote([历史])||typeof([次数])||quote([次数])"
                           "||typeof([总分])||quote([总分])||typeof([平均])||printf('%!.17g',[平均]) "
                           "FROM [一班语文课堂提问] WHERE [编号]=%1")
                .arg(number));
        return query.next() ? query.value(0).toString() : QStringLiteral("no row");
    }
    FairLessonRecord::State fairState()
    {
        const auto read = FairLessonRecord(window.context().database, kClass, kSubject).read(QDate::currentDate());
        return read ? *read : FairLessonRecord::State{};
    }
    /// The teacher right-clicks student `number`'s row: the context menu it opens.
    QMenu *rightClick(int number)
    {
        DataGrid *grid = window.mainGrid();
        int row = 0;
        while (row < window.context().mainQuery.rowCount() && window.context().mainQuery.value(row, 0).toInt() != number)
            ++row;
        const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
        return grid->findChild<QMenu *>(QStringLiteral("absenceMenu"));
    }
    /// Whether student `number`'s row is drawn greyed.
    bool greyed(int number)
    {
        const QAbstractItemModel *model = window.mainGrid()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 0).data().toInt() == number)
                return model->index(row, 1).data(Qt::BackgroundRole).value<QBrush>().color()
                    == FormattedGridModel::kGreyedBackground;
        }
        return false;
    }
    /// One race through the menu item: F5, `ticks` ticks, F5; the student it stopped on.
    int race(int ticks)
    {
        window.menus().randomQuestion->trigger();
        window.questioningToolbar()->stopTimer(); // the ticks are given here, not by the clock
        for (int i = 0; i < ticks; ++i)
            window.questioning().Timer1Timer();
        window.menus().randomQuestion->trigger();
        return currentNumber();
    }
    QString status() { return window.findChild<QLabel *>(QStringLiteral("StatusPanel2"))->text(); }

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
    void absentStudentsFromTheContextMenuAndTheShortcut();
    void noRepeatRoundsThroughTheMenu();
    void undoTheLastGrades();
    void undoRefusedWhenAnotherProgramGraded();
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

void TstQuestioningWindow::absentStudentsFromTheContextMenuAndTheShortcut()
{
    Lesson lesson;
    TForm1 &window = lesson.window;
    QMenu *menu = lesson.rightClick(3);
    QVERIFY(menu && menu->isVisible());
    QCOMPARE(lesson.currentNumber(), 3);
    const QList<QAction *> items = menu->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->text(), QStringLiteral("缺席"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("到场"));
    QVERIFY(items.at(0)->isEnabled() && !items.at(1)->isEnabled());
    items.at(0)->trigger();
    menu->close();
    QVERIFY(lesson.greyed(3));
    QCOMPARE(window.mainGrid()->model()->index(2, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("今天缺席"));

    // The shortcut's item marks the current student.
    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 5));
    QCOMPARE(window.menus().toggleAbsent->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    window.menus().toggleAbsent->trigger();
    QTRY_VERIFY(lesson.greyed(5));
    QCOMPARE(lesson.fairState().absent.size(), 2);
    QVERIFY(!lesson.greyed(4));

    QSet<int> chosen;
    window.menus().randomQuestion->trigger();
    window.questioningToolbar()->stopTimer();
    for (int i = 0; i < 2000; ++i) {
        window.questioning().Timer1Timer();
        chosen << lesson.currentNumber();
        QCOMPARE(window.questioningToolbar()->numberBox()->text(), QString::number(lesson.currentNumber()));
    }
    window.menus().randomQuestion->trigger();
    QCOMPARE(chosen.size(), window.context().mainQuery.rowCount() - 2);
    QVERIFY(!chosen.contains(3) && !chosen.contains(5));

    // 到场 takes one back at once.
    menu = lesson.rightClick(3);
    QVERIFY(!menu->actions().at(0)->isEnabled() && menu->actions().at(1)->isEnabled());
    menu->actions().at(1)->trigger();
    menu->close();
    QVERIFY(!lesson.greyed(3));
    QVERIFY(lesson.greyed(5));
    QVERIFY2(lesson.prompter.messages().isEmpty(), qPrintable(lesson.prompter.messages().join(u'|')));
}

void TstQuestioningWindow::noRepeatRoundsThroughTheMenu()
{
    Lesson lesson;
    TForm1 &window = lesson.window;
    QAction *noRepeat = window.menus().noRepeat;
    QVERIFY(!noRepeat->isChecked());
    noRepeat->trigger();
    QVERIFY(noRepeat->isChecked());
    QVERIFY(lesson.fairState().noRepeat);

    window.questioningToolbar()->countBox()->setValue(3);
    QSet<int> asked;
    for (int i = 0; i < 3; ++i)
        asked << lesson.race(7 * i + 3);
    QCOMPARE(asked, (QSet<int>{1, 2, 3}));
    QCOMPARE(lesson.status(), QString());
    QTest::keyClick(window.questioningToolbar()->gradeBox(), Qt::Key_Down); // graded in the first round
    lesson.race(5);
    QCOMPARE(lesson.status(), QStringLiteral("本轮已全部提问，开始新一轮"));
    const FairLessonRecord::State secondRound = lesson.fairState();
    QCOMPARE(secondRound.asked.size(), 1);

    // Taking back the grade of the first round leaves the second alone.
    window.menus().undoGrade->trigger();
    QTRY_VERIFY(!window.menus().undoGrade->isEnabled());
    QCOMPARE(lesson.fairState(), secondRound);

    window.menus().restartRound->trigger();
    QTRY_COMPARE(lesson.status(), QStringLiteral("已重新开始一轮"));
    QVERIFY(lesson.fairState().asked.isEmpty());

    // A new login to the same class and subject finds 不重复 as it was left.
    noRepeat->setChecked(false);
    lesson.window.loginDialog = [&lesson] {
        QVERIFY(LoginController(lesson.window.context(), lesson.window, [&] {
            lesson.window.questioning().takeGradeSettings();
        }).login({kClass, kSubject, QStringLiteral("123"), kModeQuestioning}));
    };
    window.N3Click();
    QVERIFY(noRepeat->isChecked());
    noRepeat->trigger();
    QVERIFY(!noRepeat->isChecked());
    QVERIFY(!lesson.fairState().noRepeat);
    QVERIFY2(lesson.prompter.messages().isEmpty(), qPrintable(lesson.prompter.messages().join(u'|')));
}

void TstQuestioningWindow::undoTheLastGrades()
{
    Lesson lesson;
    TForm1 &window = lesson.window;
    QAction *undo = window.menus().undoGrade;
    QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(!undo->isEnabled());
    const QString before = lesson.storedRow(4);
    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 4));
    QComboBox *gradeBox = window.questioningToolbar()->gradeBox();
    QTest::keyClick(gradeBox, Qt::Key_Down); // A
    const QString afterA = lesson.storedRow(4);
    QTest::keyClick(gradeBox, Qt::Key_Down); // B
    QCOMPARE(lesson.stored(QStringLiteral("历史"), 4).toString(), QStringLiteral("AB"));
    QVERIFY(undo->isEnabled());
    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 9));

    // Ctrl+Z typed while the comment pop-up has the focus, as it has after a grade.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *popup = window.findChild<TForm7 *>();
    QVERIFY(popup->isVisible());
    QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(lesson.storedRow(4), afterA);
    QCOMPARE(lesson.currentNumber(), 4);
    QCOMPARE(gradeBox->currentText(), QStringLiteral("A"));
    QVERIFY(!window.findChild<TForm7 *>()->isVisible());
    const QString name = window.context().mainQuery.value(QStringLiteral("姓名")).toString();
    QCOMPARE(lesson.status(), QStringLiteral("已撤销4号%1的评价“B”").arg(name));

    undo->trigger();
    QTRY_COMPARE(lesson.storedRow(4), before);
    QCOMPARE(gradeBox->currentIndex(), -1);
    QVERIFY(!undo->isEnabled());
    QVERIFY2(lesson.prompter.messages().isEmpty(), qPrintable(lesson.prompter.messages().join(u'|')));
}

void TstQuestioningWindow::undoRefusedWhenAnotherProgramGraded()
{
    Lesson lesson;
    TForm1 &window = lesson.window;
    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 2));
    QTest::keyClick(window.questioningToolbar()->gradeBox(), Qt::Key_Down);
    Database second(QStringLiteral("second-program"));
    QVERIFY(second.open(lesson.folder.path()));
    QVERIFY(GradeRecord::record(
                second, QStringLiteral("一班语文课堂提问"), window.context().mainQuery.currentRowId(), QStringLiteral("D"), 0)
                .outcome
        == GradeRecord::Outcome::Recorded);
    const QString changed = lesson.storedRow(2);
    const QString name = window.context().mainQuery.value(QStringLiteral("姓名")).toString();
    lesson.prompter.expectAnswer(Prompter::Answer::Ok);

    window.menus().undoGrade->trigger();
    QTRY_COMPARE(lesson.prompter.calls().size(), 1);

    QCOMPARE(lesson.prompter.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(lesson.prompter.lastCall().text,
        QStringLiteral("2号%1的评价在这之后又被改动过（可能是另一个程序给他评了分），无法撤销这次评价，没有改动任何数据。")
            .arg(name));
    QCOMPARE(lesson.storedRow(2), changed);
    QCOMPARE(window.context().mainQuery.value(QStringLiteral("历史")).toString(), QStringLiteral("AD")); // shown as stored
    QVERIFY(!window.menus().undoGrade->isEnabled());
}

QTEST_MAIN(TstQuestioningWindow)
#include "TstQuestioningWindow.moc"
