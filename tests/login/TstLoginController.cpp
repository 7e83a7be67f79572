#include "LoginFixture.h"
#include "login/LoginController.h"
#include "login/NameRules.h"
#include "store/Gbk.h"
#include "store/PasswordFile.h"
#include "store/SettingsFile.h"
#include "store/TableNames.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Answer = Prompter::Answer;
using Buttons = Prompter::Buttons;
using Icon = Prompter::Icon;

namespace {
const QString kClass = QStringLiteral("一班");
const QString kSubject = QStringLiteral("语文");
const QString kPasswordFile = QStringLiteral("一班语文denglu.qs");
const QString kWrongPassword = QStringLiteral("密码错误，请重新登录或查看帮助或与系统管理员联系！");

QString adminWarning(const QString &classAndSubject)
{
    return QStringLiteral("您将以系统管理员身份登录“") + classAndSubject
        + QStringLiteral("”！此操作将删除原设密码,重新登录时请重设密码。继续吗？");
}

bool login(LoginFixture &target, const QString &password, const QString &mode = kModeQuestioning,
    const QString &className = kClass, const QString &subject = kSubject)
{
    return LoginController(target.context, target.view, target.settingsHandler()).login({className, subject, password, mode});
}
} // namespace

/// The login: entries, password file, table preparation, grade settings and lists.
class TstLoginController final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstLoginPreparesEverything_data();
    void firstLoginPreparesEverything();
    void refusedEntriesTouchNothing_data();
    void refusedEntriesTouchNothing();
    void storedPassword_data();
    void storedPassword();
    void administratorPassword_data();
    void administratorPassword();
    void declinedQuestionsStop();
    void halfMadeTablesAreFinished_data();
    void halfMadeTablesAreFinished();
    void failedLoginLeavesNoPasswordFile_data();
    void failedLoginLeavesNoPasswordFile();
    void undecodableListLineIsKept();
    void fileNameLengthLimit_data();
    void fileNameLengthLimit();
    void listsPutLatestFirst();
    void gradeSettingsOfTheClassAreRead();
    void missingDefaultGradeSettingsStopBeforeTheLists();
};

void TstLoginController::firstLoginPreparesEverything_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("questioning") << kModeQuestioning;
    QTest::newRow("grade book") << kModeGradeBook;
}

void TstLoginController::firstLoginPreparesEverything()
{
    QFETCH(QString, mode);
    LoginFixture target;
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectAnswer(Answer::Yes);

    QVERIFY(login(target, QStringLiteral("123"), mode));

    const QList<FakePrompter::Call> &calls = target.prompter.calls();
    QCOMPARE(target.prompter.messages(),
        QStringList({QStringLiteral("保存密码为“123”吗?"), QStringLiteral("一班母版不存在,现在建立吗?")}));
    for (const FakePrompter::Call &call : calls) {
        QCOMPARE(call.caption, QStringLiteral("提示"));
        QCOMPARE(call.buttons, Buttons::YesNo);
        QCOMPARE(call.icon, Icon::Question);
    }
    QCOMPARE(target.folder.readDataFile(kPasswordFile), QByteArray("123"));

    const int students = target.rowCount(kMasterRosterTable);
    QVERIFY(students > 0);
    QCOMPARE(target.rowCount(kClass), students);
    QCOMPARE(target.database.columns(QStringLiteral("一班语文课堂提问")),
        QStringList({QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("评价"), QStringLiteral("历史"),
            QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")}));
    QCOMPARE(
        target.rowCount(QStringLiteral("一班语文课堂提问"), QStringLiteral("次数 = 0 AND 总分 = 0 AND 评价 IS NULL")), students);
    QCOMPARE(target.database.columns(QStringLiteral("一班语文记分册")),
        QStringList({QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组"), QStringLiteral("合计"),
            QStringLiteral("平均"), QStringLiteral("名次")}));
    QCOMPARE(target.rowCount(QStringLiteral("一班语文记分册")), students);

    QCOMPARE(
        target.folder.readDataFile(QStringLiteral("一班语文Moren.qs")), target.folder.readDataFile(QStringLiteral("Moren.qs")));
    QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), gbkLines({kClass}));
    QCOMPARE(target.folder.readDataFile(QStringLiteral("一班xueke.qs")), gbkLines({kSubject}));

    const LoginState &state = target.login;
    QCOMPARE(state.className, kClass);
    QCOMPARE(state.subject, kSubject);
    QCOMPARE(state.mode, mode);
    QCOMPARE(target.view.modesShown, QStringList{mode});
    QCOMPARE(target.view.unbindings, 1);
    QCOMPARE(state.grades.comments,
        (std::array<QString, 4>{QStringLiteral("很好"), QStringLiteral("好"), QStringLiteral("一般"), QStringLiteral("加油")}));
    QCOMPARE(state.grades.scores,
        (std::array<QString, 4>{QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("1")}));
    QCOMPARE(target.settingsChanges, 1);
}

void TstLoginController::refusedEntriesTouchNothing_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");

    const QString badClass = QStringLiteral("班级名称不能包含空格或下列字符：\\ / : * ? \" < > | [ ]");
    const QString badSubject = QStringLiteral("科目名称不能包含空格或下列字符：\\ / : * ? \" < > | [ ]");
    const QString emoji = QStringLiteral("一班") + QString::fromUcs4(U"\U0001F600");
    const QString longPassword = QStringLiteral("一二三四五六七八");
    QTest::newRow("all empty") << QString() << QString() << QString() << QStringLiteral("请输入班级!");
    QTest::newRow("no subject") << kClass << QString() << QString() << QStringLiteral("请输入学科!");
    QTest::newRow("no password") << kClass << kSubject << QString() << QStringLiteral("密码不能为空!");
    QTest::newRow("empty before unsafe") << QStringLiteral("a/b") << QString() << QStringLiteral("1")
                                         << QStringLiteral("请输入学科!");
    QTest::newRow("slash in class") << QStringLiteral("a/b") << kSubject << QStringLiteral("123") << badClass;
    QTest::newRow("blank in class") << QStringLiteral("a b") << kSubject << QStringLiteral("123") << badClass;
    QTest::newRow("bracket in subject") << kClass << QStringLiteral("a]b") << QStringLiteral("123") << badSubject;
    QTest::newRow("climbing out of Data") << QStringLiteral("..") << kSubject << QStringLiteral("123") << badClass;
    QTest::newRow("class not GBK") << emoji << kSubject << QStringLiteral("123") << Gbk::unencodableMessage(emoji);
    QTest::newRow("zero-width space in class")
        << QStringLiteral("一班\u200B") << kSubject << QStringLiteral("123")
        << QStringLiteral("班级名称中含有看不见的字符（如制表符、零宽空格），请删去后再输入。");
    QTest::newRow("byte-order mark in subject")
        << kClass << QStringLiteral("\uFEFF语文") << QStringLiteral("123")
        << QStringLiteral("科目名称中含有看不见的字符（如制表符、零宽空格），请删去后再输入。");
    QTest::newRow("password with blank") << kClass << kSubject << QStringLiteral("12 34")
                                         << PasswordFile::refusalReason(QStringLiteral("12 34"));
    QTest::newRow("password over 14 bytes") << kClass << kSubject << longPassword << PasswordFile::refusalReason(longPassword);
}

void TstLoginController::refusedEntriesTouchNothing()
{
    QFETCH(QString, className);
    QFETCH(QString, subject);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QVERIFY(!message.isEmpty());
    LoginFixture target;
    const auto files = target.dataFiles();
    const QStringList tables = target.tables();
    target.prompter.expectAnswer(Answer::Ok);

    QVERIFY(!login(target, password, kModeQuestioning, className, subject));

    QCOMPARE(target.prompter.calls().size(), 1);
    const FakePrompter::Call &call = target.prompter.lastCall();
    QCOMPARE(call.caption, QStringLiteral("错误"));
    QCOMPARE(call.text, message);
    QCOMPARE(call.buttons, Buttons::Ok);
    QCOMPARE(call.icon, Icon::Information);
    QCOMPARE(target.dataFiles(), files);
    QCOMPARE(target.tables(), tables);
    QVERIFY(!target.login.isLoggedIn());
    QCOMPARE(target.view.unbindings, 0);
}

void TstLoginController::storedPassword_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("same") << QByteArray("abc") << QStringLiteral("abc") << true;
    QTest::newRow("case differs") << QByteArray("abc") << QStringLiteral("ABC") << false;
    QTest::newRow("other") << QByteArray("abc") << QStringLiteral("abcd") << false;
    QTest::newRow("Chinese") << gbk(QStringLiteral("一班")) << QStringLiteral("一班") << true;
    QTest::newRow("first word only") << QByteArray("  pw\r\nrest") << QStringLiteral("pw") << true;
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("583920") << true;
    QTest::newRow("white space only") << QByteArray(" \r\n\t ") << QStringLiteral("583920") << true;
    QTest::newRow("empty file is no open door") << QByteArray() << QStringLiteral("x") << false;
}

void TstLoginController::storedPassword()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(kPasswordFile, stored);
    if (!accepted)
        target.prompter.expectAnswer(Answer::Ok);

    QCOMPARE(login(target, typed), accepted);

    QCOMPARE(target.login.isLoggedIn(), accepted);
    QCOMPARE(target.folder.readDataFile(kPasswordFile), stored);
    if (!accepted) {
        const FakePrompter::Call &call = target.prompter.lastCall();
        QCOMPARE(call.caption, QStringLiteral("警告"));
        QCOMPARE(call.text, kWrongPassword);
        QCOMPARE(call.buttons, Buttons::Ok);
        QCOMPARE(call.icon, Icon::Warning);
        QCOMPARE(target.view.unbindings, 0);
        QVERIFY(!target.folder.hasDataFile(QStringLiteral("一班语文Moren.qs")));
    } else {
        QVERIFY(target.prompter.calls().isEmpty());
    }
}

void TstLoginController::administratorPassword_data()
{
    QTest::addColumn<bool>("hasPasswordFile");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("password file, go on") << true << Answer::Yes;
    QTest::newRow("password file, stop") << true << Answer::No;
    QTest::newRow("no password file") << false << Answer::Yes;
}

void TstLoginController::administratorPassword()
{
    QFETCH(bool, hasPasswordFile);
    QFETCH(Answer, answer);
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    QStringList expected;
    if (hasPasswordFile) {
        target.folder.writeDataFile(kPasswordFile, "secret");
    } else {
        target.prompter.expectAnswer(Answer::Yes);
        expected << QStringLiteral("保存密码为“kesmora”吗?");
    }
    target.prompter.expectAnswer(answer);
    expected << adminWarning(QStringLiteral("一班语文"));

    QCOMPARE(login(target, kAdministratorPassword), answer == Answer::Yes);

    QCOMPARE(target.prompter.messages(), expected);
    const FakePrompter::Call &warning = target.prompter.lastCall();
    QCOMPARE(warning.caption, QStringLiteral("警告"));
    QCOMPARE(warning.buttons, Buttons::YesNo);
    QCOMPARE(warning.icon, Icon::Information);
    if (answer == Answer::No) {
        QCOMPARE(target.folder.readDataFile(kPasswordFile), QByteArray("secret"));
        QVERIFY(!target.login.isLoggedIn());
        return;
    }
    QVERIFY(!target.folder.hasDataFile(kPasswordFile));
    QCOMPARE(target.login.className, kClass);

    // The next login sets a new password.
    target.prompter.clear();
    target.prompter.expectAnswer(Answer::Yes);
    QVERIFY(login(target, QStringLiteral("new")));
    QCOMPARE(target.prompter.messages(), QStringList{QStringLiteral("保存密码为“new”吗?")});
    QCOMPARE(target.folder.readDataFile(kPasswordFile), QByteArray("new"));
}

void TstLoginController::declinedQuestionsStop()
{
    LoginFixture target;
    const auto files = target.dataFiles();
    target.prompter.expectAnswer(Answer::No);
    QVERIFY(!login(target, QStringLiteral("123")));
    QCOMPARE(target.dataFiles(), files);

    // Saving the password, then declining the new class table: no table, no login, and
    // the main window still shows what it showed.
    target.query.setQuery(Sql::showAll(kMasterRosterTable));
    QVERIFY(target.query.open());
    const QStringList tables = target.tables();
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectAnswer(Answer::No);
    QVERIFY(!login(target, QStringLiteral("123")));
    QCOMPARE(target.prompter.messages().constLast(), QStringLiteral("一班母版不存在,现在建立吗?"));
    QCOMPARE(target.tables(), tables);
    QVERIFY(!target.login.isLoggedIn());
    QCOMPARE(target.view.unbindings, 0);
    QVERIFY(target.query.isOpen());
}

void TstLoginController::halfMadeTablesAreFinished_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("left"); // statements run on a finished class, as a crash left it
    const QString q = QStringLiteral("[一班语文课堂提问]");
    const QString g = QStringLiteral("[一班语文记分册]");
    QTest::newRow("no grade-book table, grade-book mode") << kModeGradeBook << QStringList{QStringLiteral("DROP TABLE ") + g};
    QTest::newRow("no grade-book table, questioning mode") << kModeQuestioning << QStringList{QStringLiteral("DROP TABLE ") + g};
    QTest::newRow("no questioning table") << kModeQuestioning << QStringList{QStringLiteral("DROP TABLE ") + q};
    QTest::newRow("questioning table with 编号 and 姓名 only")
        << kModeQuestioning
        << QStringList{QStringLiteral("ALTER TABLE %1 DROP COLUMN [平均]").arg(q),
               QStringLiteral("ALTER TABLE %1 DROP COLUMN [总分]").arg(q),
               QStringLiteral("ALTER TABLE %1 DROP COLUMN [次数]").arg(q),
               QStringLiteral("ALTER TABLE %1 DROP COLUMN [历史]").arg(q),
               QStringLiteral("ALTER TABLE %1 DROP COLUMN [评价]").arg(q), QStringLiteral("DROP TABLE ") + g};
    QTest::newRow("grade-book table with 3 of its 6 columns")
        << kModeGradeBook
        << QStringList{QStringLiteral("ALTER TABLE %1 DROP COLUMN [名次]").arg(g),
               QStringLiteral("ALTER TABLE %1 DROP COLUMN [平均]").arg(g),
               QStringLiteral("ALTER TABLE %1 DROP COLUMN [合计]").arg(g)};
}

void TstLoginController::halfMadeTablesAreFinished()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, left);
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    for (const QString &sql : left) {
        Statement statement;
        statement.text = sql;
        QVERIFY2(target.database.execute(statement), qPrintable(sql));
    }
    target.folder.writeDataFile(kPasswordFile, "123");

    // One attempt finishes the tables, whatever was left.
    QVERIFY(login(target, QStringLiteral("123"), mode));

    QVERIFY(target.prompter.calls().isEmpty());
    QCOMPARE(target.database.columns(QStringLiteral("一班语文课堂提问")),
        (QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("评价"), QStringLiteral("历史"),
            QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")}));
    QCOMPARE(target.database.columns(QStringLiteral("一班语文记分册")),
        (QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组"), QStringLiteral("合计"),
            QStringLiteral("平均"), QStringLiteral("名次")}));
    const int students = target.rowCount(QStringLiteral("一班"));
    QVERIFY(students > 0);
    QCOMPARE(target.rowCount(
                 QStringLiteral("一班语文课堂提问"), QStringLiteral("[次数]=0 AND [总分]=0 AND [平均]=0 AND [历史] IS NULL")),
        students);
    QCOMPARE(target.rowCount(QStringLiteral("一班语文记分册")), students);
    QCOMPARE(target.login.mode, mode);
}

void TstLoginController::failedLoginLeavesNoPasswordFile_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("message"); // a part of the message that names the cause
    const QString longClass(80, u'班');
    QTest::newRow("missing 母版") << QStringLiteral("no master roster") << kClass << QStringLiteral("母版");
    QTest::newRow("name too long for a file name") << QString() << longClass << QStringLiteral("名称太长");
    QTest::newRow("Data folder unusable") << QStringLiteral("no Data folder") << kClass << QStringLiteral("数据文件夹");
    QTest::newRow("default grade settings missing") << QStringLiteral("no Moren.qs") << kClass << QStringLiteral("Moren.qs");
}

void TstLoginController::failedLoginLeavesNoPasswordFile()
{
    QFETCH(QString, cause);
    QFETCH(QString, className);
    QFETCH(QString, message);
    LoginFixture target;
    const QString dataFolder = target.paths.dataFolder();
    if (cause == QStringLiteral("no master roster"))
        QVERIFY(target.database.execute(Sql::dropTable(kMasterRosterTable)));
    if (cause == QStringLiteral("no Moren.qs"))
        QVERIFY(QFile::remove(target.folder.dataFile(QStringLiteral("Moren.qs"))));
    if (cause == QStringLiteral("no Data folder")) {
        QVERIFY(QDir(dataFolder).removeRecursively());
        QFile file(dataFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // Save the password, create the class table; then an OK for whatever is reported.
    for (int i = 0; i < 3; ++i)
        target.prompter.expectAnswer(Answer::Yes);

    QVERIFY(!login(target, QStringLiteral("123"), kModeQuestioning, className));

    const QString shown = target.prompter.messages().constLast();
    QVERIFY2(shown.contains(message), qPrintable(shown));
    QVERIFY(!shown.contains(QStringLiteral("密码错误")));
    QVERIFY(!QFile::exists(target.paths.passwordFile(className, kSubject)));
    QVERIFY(!target.login.isLoggedIn() || cause == QStringLiteral("no Moren.qs"));
}

void TstLoginController::undecodableListLineIsKept()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(kPasswordFile, "123");
    // "一班" saved as UTF-8: its last byte starts a GBK character that never ends.
    const QByteArray foreign = QStringLiteral("一班").toUtf8();
    target.folder.writeDataFile(QStringLiteral("banji.qs"), foreign + "\r\n" + gbk(kClass) + "\r\n");
    target.prompter.expectAnswer(Answer::Ok);

    QVERIFY(login(target, QStringLiteral("123")));

    QCOMPARE(target.prompter.calls().size(), 1);
    QVERIFY2(target.prompter.lastCall().text.contains(QStringLiteral("banji.qs")), qPrintable(target.prompter.lastCall().text));
    QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), gbk(kClass) + "\r\n" + foreign + "\r\n");
}

void TstLoginController::listsPutLatestFirst()
{
    LoginFixture target;
    const QString second = QStringLiteral("二班");
    target.prepareClass(second, kSubject);
    target.folder.writeDataFile(QStringLiteral("二班语文denglu.qs"), "123");
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({kClass, second, second}));
    target.folder.writeDataFile(QStringLiteral("二班xueke.qs"), gbkLines({QStringLiteral("数学"), kSubject}));

    QVERIFY(login(target, QStringLiteral("123"), kModeQuestioning, second));

    QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), gbkLines({second, kClass}));
    QCOMPARE(target.folder.readDataFile(QStringLiteral("二班xueke.qs")), gbkLines({kSubject, QStringLiteral("数学")}));
}

void TstLoginController::gradeSettingsOfTheClassAreRead()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(kPasswordFile, "123");
    const QByteArray own = gbkLines({QStringLiteral("棒"), QStringLiteral("10"), QStringLiteral("行"), QStringLiteral("8")});
    target.folder.writeDataFile(QStringLiteral("一班语文Moren.qs"), own);
    target.login.grades.comments[3] = QStringLiteral("from the last login");

    QVERIFY(login(target, QStringLiteral("123")));

    QCOMPARE(
        target.login.grades.comments, (std::array<QString, 4>{QStringLiteral("棒"), QStringLiteral("行"), QString(), QString()}));
    QCOMPARE(target.login.grades.scores[0], QStringLiteral("10"));
    QCOMPARE(target.folder.readDataFile(QStringLiteral("一班语文Moren.qs")), own);
}

void TstLoginController::missingDefaultGradeSettingsStopBeforeTheLists()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(kPasswordFile, "123");
    QVERIFY(QFile::remove(target.folder.dataFile(QStringLiteral("Moren.qs"))));
    target.prompter.expectAnswer(Answer::Ok);

    QVERIFY(!login(target, QStringLiteral("123")));

    const FakePrompter::Call &call = target.prompter.lastCall();
    QCOMPARE(call.icon, Icon::Critical);
    QVERIFY2(call.text.contains(QStringLiteral("Moren.qs")), qPrintable(call.text));
    QCOMPARE(target.login.className, kClass);
    QCOMPARE(target.settingsChanges, 0);
    QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), QByteArray());
    QVERIFY(!target.folder.hasDataFile(QStringLiteral("一班xueke.qs")));
    QVERIFY(!target.folder.hasDataFile(QStringLiteral("一班语文Moren.qs")));
}

void TstLoginController::fileNameLengthLimit_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("refused");
    // The longest name is class + subject + "名单默认模板.qs" (21 bytes in UTF-8).
    QTest::newRow("255 bytes") << QString(233, u'a') << QStringLiteral("b") << false;
    QTest::newRow("256 bytes") << QString(234, u'a') << QStringLiteral("b") << true;
    QTest::newRow("Chinese, 255 bytes") << QString(76, u'班') << QStringLiteral("语文") << false;
    QTest::newRow("Chinese, 258 bytes") << QString(77, u'班') << QStringLiteral("语文") << true;
}

void TstLoginController::fileNameLengthLimit()
{
    QFETCH(QString, className);
    QFETCH(QString, subject);
    QFETCH(bool, refused);
    QCOMPARE(!NameRules::fileNameRefusal(className, subject).isEmpty(), refused);
}

QTEST_MAIN(TstLoginController)
#include "TstLoginController.moc"
