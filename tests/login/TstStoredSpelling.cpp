#include "LoginFixture.h"
#include "login/ClassLists.h"
#include "login/LoginController.h"
#include "store/TableNames.h"

#include <QTest>

using Answer = Prompter::Answer;

namespace {
const QString kWrongPassword = QStringLiteral("密码错误，请重新登录或查看帮助或与系统管理员联系！");
} // namespace

/// The engine takes table names without regard to letter case, the Data folder's file
/// names with it: a class or subject typed in another case must meet the stored
/// password, not get a password file and list line of its own.
class TstStoredSpelling final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void otherCaseMeetsTheStoredPassword_data();
    void otherCaseMeetsTheStoredPassword();
};

void TstStoredSpelling::otherCaseMeetsTheStoredPassword_data()
{
    QTest::addColumn<QString>("storedClass");
    QTest::addColumn<QString>("storedSubject");
    QTest::addColumn<QString>("typedClass");
    QTest::addColumn<QString>("typedSubject");
    QTest::addColumn<bool>("classTableKept"); // false: the class was deleted, its subject tables stay

    QTest::newRow("class in small letters") << QStringLiteral("ClassA") << QStringLiteral("语文") << QStringLiteral("classa")
                                            << QStringLiteral("语文") << true;
    QTest::newRow("class and subject in capitals")
        << QStringLiteral("ClassA") << QStringLiteral("English") << QStringLiteral("CLASSA") << QStringLiteral("ENGLISH") << true;
    QTest::newRow("subject only") << QStringLiteral("一班") << QStringLiteral("Music") << QStringLiteral("一班")
                                  << QStringLiteral("music") << true;
    QTest::newRow("class table deleted") << QStringLiteral("ClassA") << QStringLiteral("语文") << QStringLiteral("cLASSa")
                                         << QStringLiteral("语文") << false;
}

void TstStoredSpelling::otherCaseMeetsTheStoredPassword()
{
    QFETCH(QString, storedClass);
    QFETCH(QString, storedSubject);
    QFETCH(QString, typedClass);
    QFETCH(QString, typedSubject);
    QFETCH(bool, classTableKept);

    // ClassA/语文 was logged in to with the password secretA.
    LoginFixture target;
    target.prepareClass(storedClass, storedSubject);
    const QString passwordFile = storedClass + storedSubject + QStringLiteral("denglu.qs");
    target.folder.writeDataFile(passwordFile, "secretA");
    target.folder.writeDataFile(QStringLiteral("banji.qs"), gbkLines({storedClass, QStringLiteral("二班")}));
    target.folder.writeDataFile(storedClass + QStringLiteral("xueke.qs"), gbkLines({storedSubject, QStringLiteral("数学")}));
    if (!classTableKept)
        QVERIFY(target.database.execute(Sql::dropTable(storedClass)));
    const auto filesBefore = target.dataFiles();

    // A new password in the other spelling is a wrong password: nothing is saved.
    target.prompter.expectAnswer(Answer::Ok);
    QVERIFY(!LoginController(target.context, target.view, target.settingsHandler())
                 .login({typedClass, typedSubject, QStringLiteral("new"), kModeQuestioning}));
    QCOMPARE(target.prompter.messages(), QStringList{kWrongPassword});
    QCOMPARE(target.dataFiles(), filesBefore);

    // The stored password logs in to the stored names, with no second file or list line.
    target.prompter.clear();
    if (!classTableKept)
        target.prompter.expectAnswer(Answer::Yes); // the class table is made again
    QVERIFY(LoginController(target.context, target.view, target.settingsHandler())
                .login({typedClass, typedSubject, QStringLiteral("secretA"), kModeQuestioning}));
    QCOMPARE(target.login.className, storedClass);
    QCOMPARE(target.login.subject, storedSubject);
    QCOMPARE(target.folder.readDataFile(passwordFile), QByteArray("secretA"));
    QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), gbkLines({storedClass, QStringLiteral("二班")}));
    QCOMPARE(
        target.folder.readDataFile(storedClass + QStringLiteral("xueke.qs")), gbkLines({storedSubject, QStringLiteral("数学")}));
    QStringList added = target.dataFiles().keys();
    for (const QString &name : filesBefore.keys())
        added.removeOne(name);
    QCOMPARE(added, QStringList{storedClass + storedSubject + QStringLiteral("Moren.qs")});

    // Deleting in the other spelling deletes the stored subject and class.
    target.prompter.clear();
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectText(kAdministratorPassword);
    const std::optional<ClassLists::BoxContents> subjects = ClassLists(target.context).deleteSubject(typedClass, typedSubject);
    QVERIFY(subjects);
    QCOMPARE(target.prompter.calls().first().text,
        QStringLiteral("此操作将永久删除") + storedClass + storedSubject + QStringLiteral("记录,继续吗?"));
    QCOMPARE(subjects->items, QStringList{QStringLiteral("数学")});
    QVERIFY(!target.folder.hasDataFile(passwordFile));
    QVERIFY(!target.database.tableExists(storedClass + storedSubject + kModeQuestioning));

    target.prompter.clear();
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectText(kAdministratorPassword);
    const std::optional<ClassLists::BoxContents> classes = ClassLists(target.context).deleteClass(typedClass);
    QVERIFY(classes);
    QCOMPARE(
        target.prompter.messages().first(), QStringLiteral("此操作将永久删除") + storedClass + QStringLiteral("母版,继续吗?"));
    QCOMPARE(classes->items, QStringList{QStringLiteral("二班")});
    QVERIFY(!target.database.tableExists(storedClass));
}

QTEST_MAIN(TstStoredSpelling)
#include "TstStoredSpelling.moc"
