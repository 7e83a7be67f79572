#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "questioning/Dangci.h"
#include "store/LoginState.h"
#include "store/SettingsFile.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {
GradeSettings sample()
{
    GradeSettings settings;
    settings.comments = {QStringLiteral("很好"), QStringLiteral("好"), QStringLiteral("一般"), QStringLiteral("加油")};
    settings.scores = {QStringLiteral("10"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("0")};
    return settings;
}
} // namespace

/// A comment is one line of the settings file: a line break typed or pasted into a
/// comment field must not shift the lines after it.
class TstCommentFields final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lineBreaksAreDropped_data();
    void lineBreaksAreDropped();
};

void TstCommentFields::lineBreaksAreDropped_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::newRow("pasted with a line break after it")
        << QStringLiteral("paste") << QStringLiteral("非常好\r\n") << QStringLiteral("非常好");
    QTest::newRow("pasted over two lines") << QStringLiteral("paste") << QStringLiteral("非常\n好") << QStringLiteral("非常好");
    QTest::newRow("typed in") << QStringLiteral("insert") << QStringLiteral("非常好\r") << QStringLiteral("非常好");
    QTest::newRow("set by the program") << QStringLiteral("set") << QStringLiteral("非常") + QChar(0x2029) + QStringLiteral("好")
                                        << QStringLiteral("非常好");
}

void TstCommentFields::lineBreaksAreDropped()
{
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    TempProgramFolder folder;
    LoginState login;
    login.programFolder = folder.path();
    login.className = QStringLiteral("一班");
    login.subject = QStringLiteral("语文");
    login.mode = kModeQuestioning;
    login.grades = sample();
    FakePrompter prompts;
    TForm2 dialog(login, prompts);
    dialog.showOrRaise();
    auto *commentA = dialog.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    QVERIFY(commentA);

    commentA->clear();
    if (how == QStringLiteral("paste")) {
        QApplication::clipboard()->setText(text);
        commentA->paste();
    } else if (how == QStringLiteral("insert")) {
        commentA->insert(text);
    } else {
        commentA->setText(text);
    }
    QCOMPARE(commentA->text(), kept);

    GradeSettings expected = sample();
    expected.comments[0] = kept;
    dialog.BitBtn1Click(); // 确定
    const QString settingsFile = folder.dataFile(QStringLiteral("一班语文Moren.qs"));
    QCOMPARE(folder.readDataFile(QStringLiteral("一班语文Moren.qs")).count("\r\n"), 8);
    QCOMPARE(SettingsFile::readLines(settingsFile).value, std::optional<QStringList>(expected.toLines()));
    QCOMPARE(login.grades.toLines(), expected.toLines());

    // 保存 and 打开 of a comment file give the same eight values.
    const QString commentFile = folder.dataFile(QStringLiteral("评语.qsy"));
    prompts.expectText(commentFile);
    dialog.BitBtn3Click();
    dialog.takeSettings(GradeSettings{});
    prompts.expectText(commentFile);
    dialog.BitBtn2Click();
    QCOMPARE(dialog.settings().toLines(), expected.toLines());
    QCOMPARE(prompts.messages(), QStringList{});
}

QTEST_MAIN(TstCommentFields)
#include "TstCommentFields.moc"
