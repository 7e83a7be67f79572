#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "login/LoginController.h"
#include "questioning/QuestioningToolbar.h"
#include "questioning/Unit7.h"
#include "shell/Unit2.h"
#include "store/TableNames.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTest>
#include <QTextEdit>

namespace {
/// The main window without its login dialog.
class QuietWindow final : public TForm1 {
public:
    using TForm1::TForm1;

protected:
    void runLoginDialog() override { }
};
} // namespace

/// What is projected in front of the class shows its beginning: a long comment in the
/// pop-up and a long name in the find-by-name box.
class TstProjectedText final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void longCommentShowsItsBeginning();
    void longNameShowsItsFirstCharacter_data();
    void longNameShowsItsFirstCharacter();
};

void TstProjectedText::longCommentShowsItsBeginning()
{
    QWidget main;
    main.setGeometry(100, 80, 800, 600);
    main.show();
    TForm7 popup(&main);
    const QString comment = QStringLiteral("回答得好，思路清晰，表达准确，请继续保持这种认真钻研的学习态度，争取更大进步！");
    QCOMPARE(comment.size(), 39);

    popup.showComment(comment);
    QVERIFY(QTest::qWaitForWindowExposed(&popup));

    auto *memo = popup.findChild<QTextEdit *>();
    QVERIFY2(memo->verticalScrollBar()->maximum() > 0, "the comment should be longer than the pop-up");
    QCOMPARE(memo->verticalScrollBar()->value(), 0);
    QCOMPARE(memo->textCursor().position(), 0);

    // A second, long comment while the first is on screen starts at its beginning as well.
    popup.showComment(comment + comment);
    QCOMPARE(memo->verticalScrollBar()->value(), 0);
}

void TstProjectedText::longNameShowsItsFirstCharacter_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("four characters") << QStringLiteral("欧阳晓明");
    QTest::newRow("five characters") << QStringLiteral("爱新觉罗明");
}

void TstProjectedText::longNameShowsItsFirstCharacter()
{
    QFETCH(QString, name);
    TempProgramFolder folder;
    FakePrompter prompter;
    QuietWindow window(folder.path(), prompter);
    window.FormCreate();
    prompter.expectAnswer(Prompter::Answer::Yes); // save the password
    prompter.expectAnswer(Prompter::Answer::Yes); // make the class table
    QVERIFY(LoginController(window.context(), window)
                .login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeQuestioning}));
    {
        QSqlQuery rename(window.context().database.connection());
        QVERIFY(rename.exec(QStringLiteral("UPDATE [一班语文课堂提问] SET [姓名] = '%1' WHERE [编号] = 2").arg(name)));
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.openQuestioningView());

    QVERIFY(window.context().mainQuery.locate(QStringLiteral("编号"), 2));

    QLineEdit *nameBox = window.questioningToolbar()->nameBox();
    QCOMPARE(nameBox->text(), name);
    QVERIFY2(QFontMetrics(nameBox->font()).horizontalAdvance(name) > nameBox->width(), "the name should be wider than the box");
    QCOMPARE(nameBox->cursorPosition(), 0);
}

QTEST_MAIN(TstProjectedText)
#include "TstProjectedText.moc"
