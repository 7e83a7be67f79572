#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "questioning/Dangci.h"
#include "questioning/ScoreBox.h"
#include "store/Gbk.h"
#include "store/LoginState.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kInvalidFile = QStringLiteral("该文件不是有效的评语文件！");

QByteArray gbkLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += *Gbk::encode(line) + "\r\n";
    return bytes;
}

GradeSettings sample()
{
    GradeSettings settings;
    settings.comments = {
        QStringLiteral("回答得很好， 继续！"), QStringLiteral("不错"), QStringLiteral("还要努力"), QStringLiteral("请认真听讲")};
    settings.scores = {QStringLiteral("10"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("0")};
    return settings;
}

/// The dialog of class 初一(1)班, subject 语文, filled from the login state.
struct DialogBench {
    DialogBench()
    {
        login.programFolder = folder.path();
        login.className = QStringLiteral("初一(1)班");
        login.subject = QStringLiteral("语文");
        login.mode = kModeQuestioning;
        login.grades = sample();
    }
    QLineEdit *comment(int i) const { return dialog->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(i + 1)); }
    ScoreBox *score(int i) const { return dialog->findChild<ScoreBox *>(QStringLiteral("SpinEdit%1").arg(i + 1)); }
    QCheckBox *commentSwitch() const { return dialog->findChild<QCheckBox *>(QStringLiteral("CheckBox1")); }
    QCheckBox *scoringSwitch() const { return dialog->findChild<QCheckBox *>(QStringLiteral("CheckBox2")); }
    QPushButton *button(const QString &name) const { return dialog->findChild<QPushButton *>(name); }

    TempProgramFolder folder;
    LoginState login;
    FakePrompter prompts;
    std::unique_ptr<TForm2> dialog{};
    void create() { dialog = std::make_unique<TForm2>(login, prompts); }
};
} // namespace

class TstDangci final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowAsDesigned();
    void switchesKeepOneOn_data();
    void switchesKeepOneOn();
    void scoresCountAtOnceCommentsOnConfirm();
    void openCommentFile_data();
    void openCommentFile();
    void openCancelledOrUnreadable();
    void saveThenOpenGivesTheSameValues();
    void saveFailure();
    void confirmWritesTheClassSettingsFile();
    void confirmBeforeLoginIsRefused();
    void confirmWriteFailureKeepsTheDialogOpen();
};

void TstDangci::windowAsDesigned()
{
    DialogBench bench;
    bench.create();
    TForm2 &dialog = *bench.dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("评语设定"));
    QCOMPARE(dialog.size(), QSize(339, 235));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!dialog.isModal());
    QCOMPARE(bench.button(QStringLiteral("BitBtn1"))->text(), QStringLiteral("确定"));
    QCOMPARE(bench.button(QStringLiteral("BitBtn1"))->toolTip(), QStringLiteral("保存评语并退出"));
    QVERIFY(bench.button(QStringLiteral("BitBtn1"))->isDefault());
    QCOMPARE(bench.button(QStringLiteral("BitBtn2"))->text(), QStringLiteral("打开"));
    QCOMPARE(bench.button(QStringLiteral("BitBtn2"))->toolTip(), QStringLiteral("打开评语"));
    QCOMPARE(bench.button(QStringLiteral("BitBtn3"))->text(), QStringLiteral("保存"));
    QCOMPARE(bench.button(QStringLiteral("BitBtn3"))->toolTip(), QStringLiteral("保存评语"));
    QCOMPARE(bench.commentSwitch()->text(), QStringLiteral("显示评语"));
    QCOMPARE(bench.scoringSwitch()->text(), QStringLiteral("打分"));
    QVERIFY(dialog.commentsOn() && dialog.scoringOn());
    QCOMPARE(dialog.settings().toLines(), sample().toLines());

    dialog.showOrRaise();
    QVERIFY(dialog.isVisible());
    QCOMPARE(bench.prompts.calls().size(), 0); // not shown through the modal path
}

void TstDangci::switchesKeepOneOn_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("comments");
    QTest::addColumn<bool>("scoring");
    const QString comment = QStringLiteral("显示评语");
    const QString scoring = QStringLiteral("打分");
    QTest::newRow("comments off") << QStringList{comment} << false << true;
    QTest::newRow("scoring off") << QStringList{scoring} << true << false;
    QTest::newRow("scoring off with comments off") << QStringList{comment, scoring} << true << false;
    QTest::newRow("comments off with scoring off") << QStringList{scoring, comment} << false << true;
    QTest::newRow("both on again") << QStringList{comment, comment} << true << true;
}

void TstDangci::switchesKeepOneOn()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, comments);
    QFETCH(bool, scoring);
    DialogBench bench;
    bench.create();
    for (const QString &caption : clicks)
        (caption == bench.commentSwitch()->text() ? bench.commentSwitch() : bench.scoringSwitch())->click();
    QCOMPARE(bench.dialog->commentsOn(), comments);
    QCOMPARE(bench.dialog->scoringOn(), scoring);
}

void TstDangci::scoresCountAtOnceCommentsOnConfirm()
{
    DialogBench bench;
    bench.create();
    bench.dialog->show();
    bench.score(1)->setFocus();
    QTest::keyClick(bench.score(1), Qt::Key_Up);
    QCOMPARE(bench.dialog->scoreText(1), QStringLiteral("13"));
    bench.score(3)->setScoreText(QStringLiteral("100"));
    QTest::keyClick(bench.score(3), Qt::Key_Up);
    QCOMPARE(bench.dialog->scoreText(3), QStringLiteral("100"));
    bench.comment(0)->setText(QStringLiteral("太棒了"));
    QCOMPARE(bench.login.grades.comments[0], sample().comments[0]);

    QTest::mouseClick(bench.button(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QCOMPARE(bench.login.grades.comments[0], QStringLiteral("太棒了"));
    QCOMPARE(bench.login.grades.scores[1], QStringLiteral("13"));
}

void TstDangci::openCommentFile_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("invalid");
    const QStringList ten{QStringLiteral("甲"), QStringLiteral("20"), QStringLiteral("乙"), QStringLiteral("15"),
        QStringLiteral("丙"), QStringLiteral("十"), QStringLiteral("丁"), QStringLiteral("5"), QStringLiteral("多余"),
        QStringLiteral("99")};
    QTest::newRow("ten lines: the first eight") << ten << ten.mid(0, 8) << false;
    QStringList partly = ten.mid(0, 5) + sample().toLines().mid(5);
    QTest::newRow("five lines: filled up to comment C") << ten.mid(0, 5) << partly << true;
    QTest::newRow("empty file") << QStringList{} << sample().toLines() << true;
}

void TstDangci::openCommentFile()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QFETCH(bool, invalid);
    DialogBench bench;
    bench.create();
    bench.folder.writeDataFile(QStringLiteral("x.qsy"), gbkLines(lines));
    bench.prompts.expectText(bench.folder.dataFile(QStringLiteral("x.qsy")));
    if (invalid)
        bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.dialog->BitBtn2Click();

    const FakePrompter::Call &open = bench.prompts.calls().first();
    QCOMPARE(open.kind, FakePrompter::Call::Kind::OpenFile);
    QCOMPARE(open.caption, QStringLiteral("打开"));
    QCOMPARE(open.text, QStringLiteral("评语文件(*.qsy)|*.qsy"));
    QCOMPARE(open.defaultText, QStringLiteral("*.qsy"));
    QCOMPARE(bench.dialog->settings().toLines(), expected);
    // A score line that is no number shows as it is.
    QCOMPARE(bench.score(2)->scoreText(), expected.at(5));
    QCOMPARE(bench.prompts.messages(), invalid ? QStringList{kInvalidFile} : QStringList{});
    if (invalid) {
        QCOMPARE(bench.prompts.lastCall().caption, QStringLiteral("错误"));
        QCOMPARE(bench.prompts.lastCall().icon, Prompter::Icon::Information);
    }
    // Opening changes neither the login state nor the class's settings file.
    QCOMPARE(bench.login.grades.toLines(), sample().toLines());
    QVERIFY(!bench.folder.hasDataFile(QStringLiteral("初一(1)班语文Moren.qs")));
}

void TstDangci::openCancelledOrUnreadable()
{
    DialogBench bench;
    bench.create();
    bench.prompts.expectText(std::nullopt);
    bench.dialog->BitBtn2Click();
    QCOMPARE(bench.prompts.calls().size(), 1);

    bench.prompts.expectText(bench.folder.dataFile(QStringLiteral("missing.qsy")));
    bench.prompts.expectAnswer(Prompter::Answer::Ok);
    bench.dialog->BitBtn2Click();
    QCOMPARE(bench.prompts.messages(), QStringList{kInvalidFile});
    QCOMPARE(bench.dialog->settings().toLines(), sample().toLines());
}

void TstDangci::saveThenOpenGivesTheSameValues()
{
    DialogBench bench;
    bench.create();
    const QString path = bench.folder.dataFile(QStringLiteral("课堂.qsy"));
    bench.prompts.expectText(path);
    bench.dialog->BitBtn3Click();
    const FakePrompter::Call &save = bench.prompts.lastCall();
    QCOMPARE(save.kind, FakePrompter::Call::Kind::SaveFile);
    QCOMPARE(save.caption, QStringLiteral("保存"));
    QCOMPARE(save.text, QStringLiteral("评语文件(*.qsy)|*.qsy"));
    QCOMPARE(save.defaultText, QStringLiteral("*.qsy"));
    QCOMPARE(bench.folder.readDataFile(QStringLiteral("课堂.qsy")), gbkLines(sample().toLines()));

    GradeSettings other;
    other.comments = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    other.scores = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    bench.dialog->takeSettings(other);
    bench.prompts.expectText(path);
    bench.dialog->BitBtn2Click();

    QCOMPARE(bench.dialog->settings().toLines(), sample().toLines());
    QVERIFY(bench.prompts.messages().isEmpty());
}

void TstDangci::saveFailure()
{
    DialogBench bench;
    bench.create();
    bench.prompts.expectText(bench.folder.path() + QStringLiteral("/没有这个文件夹/a.qsy"));
    bench.prompts.expectAnswer(Prompter::Answer::Ok);
    bench.dialog->BitBtn3Click();
    QCOMPARE(bench.prompts.messages(), QStringList{QStringLiteral("文件存般错误！")});
    QCOMPARE(bench.prompts.lastCall().caption, QStringLiteral("错误"));
    QCOMPARE(bench.prompts.lastCall().icon, Prompter::Icon::Information);
}

void TstDangci::confirmWritesTheClassSettingsFile()
{
    DialogBench bench;
    bench.create();
    bench.dialog->showOrRaise();
    const QByteArray shippedDefault = bench.folder.readDataFile(QStringLiteral("Moren.qs"));
    bench.comment(3)->setText(QStringLiteral("下次加油"));
    bench.score(2)->setScoreText(QStringLiteral("6"));

    bench.dialog->BitBtn1Click();

    GradeSettings expected = sample();
    expected.comments[3] = QStringLiteral("下次加油");
    expected.scores[2] = QStringLiteral("6");
    QCOMPARE(bench.folder.readDataFile(QStringLiteral("初一(1)班语文Moren.qs")), gbkLines(expected.toLines()));
    QCOMPARE(bench.login.grades.toLines(), expected.toLines());
    QCOMPARE(bench.folder.readDataFile(QStringLiteral("Moren.qs")), shippedDefault);
    QVERIFY(!bench.dialog->isVisible());
    QVERIFY(bench.prompts.calls().isEmpty());
}

void TstDangci::confirmBeforeLoginIsRefused()
{
    DialogBench bench;
    bench.login = LoginState{bench.folder.path(), {}, {}, {}, sample()};
    bench.create();
    bench.dialog->showOrRaise();
    bench.folder.writeDataFile(QStringLiteral("Moren.qs"), gbkLines(sample().toLines()));
    bench.comment(0)->setText(QStringLiteral("改了"));
    bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.dialog->BitBtn1Click();

    QCOMPARE(bench.prompts.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(bench.prompts.lastCall().text, QStringLiteral("请先登录系统！"));
    QCOMPARE(bench.folder.readDataFile(QStringLiteral("Moren.qs")), gbkLines(sample().toLines()));
    QCOMPARE(bench.login.grades.comments[0], sample().comments[0]);
    QVERIFY(bench.dialog->isVisible());
}

void TstDangci::confirmWriteFailureKeepsTheDialogOpen()
{
    DialogBench bench;
    bench.create();
    bench.dialog->showOrRaise();
    // A folder where the file should go: the file cannot be written.
    QVERIFY(QDir(bench.folder.path()).mkpath(QStringLiteral("Data/初一(1)班语文Moren.qs")));
    bench.comment(1)->setText(QStringLiteral("新的"));
    bench.prompts.expectAnswer(Prompter::Answer::Ok);

    bench.dialog->BitBtn1Click();

    QCOMPARE(bench.prompts.calls().size(), 1);
    QCOMPARE(bench.prompts.lastCall().caption, Prompter::applicationTitle());
    QCOMPARE(bench.prompts.lastCall().icon, Prompter::Icon::Critical);
    QVERIFY(bench.prompts.lastCall().text.contains(QStringLiteral("初一(1)班语文Moren.qs")));
    QVERIFY(bench.dialog->isVisible());
    QCOMPARE(bench.login.grades.comments[1], QStringLiteral("新的"));
}

QTEST_MAIN(TstDangci)
#include "TstDangci.moc"
