#include "LoginFixture.h"
#include "login/ClassLists.h"
#include "store/TableNames.h"

#include <QFile>
#include <QTest>

using Answer = Prompter::Answer;
using Buttons = Prompter::Buttons;
using Icon = Prompter::Icon;
using Files = QMap<QString, QByteArray>; // Data/ file name -> bytes; empty bytes with a null array = removed

namespace {
const QString kClass = QStringLiteral("一班");
const QString kSecond = QStringLiteral("二班");
const QString kSubject = QStringLiteral("语文");
const QString kMath = QStringLiteral("数学");
const QString kNoPermission = QStringLiteral("您没有此权限,请察看帮助文件或联系系统管理员!");

void writeFiles(LoginFixture &target, const Files &files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (it.value().isNull())
            QFile::remove(target.folder.dataFile(it.key()));
        else
            target.folder.writeDataFile(it.key(), it.value());
    }
}
} // namespace

/// The class and subject boxes and the two delete commands.
class TstClassLists final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opening_data();
    void opening();
    void subjectsOfTypedClass_data();
    void subjectsOfTypedClass();
    void deleteClass_data();
    void deleteClass();
    void deleteSubject_data();
    void deleteSubject();
    void deleteRefusesUnsafeNames_data();
    void deleteRefusesUnsafeNames();
    void deleteSubjectWithoutSubjectList();
};

void TstClassLists::opening_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("classes");
    QTest::addColumn<QStringList>("subjects");
    QTest::addColumn<QString>("missingFile"); // named by the file error, if any

    const QByteArray removed;
    QTest::newRow("own subjects of the first class")
        << Files{{QStringLiteral("banji.qs"), gbkLines({kClass, kSecond})}, {QStringLiteral("一班xueke.qs"), gbkLines({kMath})}}
        << QStringList{kClass, kSecond} << QStringList{kMath} << QString();
    QTest::newRow("default subjects") << Files{{QStringLiteral("banji.qs"), gbkLines({kClass, kSecond})}}
                                      << QStringList{kClass, kSecond} << QStringList{kSubject, kMath} << QString();
    QTest::newRow("empty class list") << Files{} << QStringList{} << QStringList{kSubject, kMath} << QString();
    QTest::newRow("empty subject list") << Files{{QStringLiteral("banji.qs"), gbkLines({kClass})},
        {QStringLiteral("一班xueke.qs"), QByteArray("")}}
                                        << QStringList{kClass} << QStringList{} << QString();
    QTest::newRow("no class list") << Files{{QStringLiteral("banji.qs"), removed}} << QStringList{} << QStringList{}
                                   << QStringLiteral("banji.qs");
    QTest::newRow("no subject list at all") << Files{{QStringLiteral("banji.qs"), gbkLines({kClass})},
        {QStringLiteral("xueke.qs"), removed}}
                                            << QStringList{kClass} << QStringList{} << QStringLiteral("xueke.qs");
}

void TstClassLists::opening()
{
    QFETCH(Files, files);
    QFETCH(QStringList, classes);
    QFETCH(QStringList, subjects);
    QFETCH(QString, missingFile);
    LoginFixture target;
    writeFiles(target, files);
    if (!missingFile.isEmpty())
        target.prompter.expectAnswer(Answer::Ok);

    const ClassLists::Opening opening = ClassLists(target.context).opening();

    QCOMPARE(opening.classes.items, classes);
    QCOMPARE(opening.classes.text, classes.value(0));
    QCOMPARE(opening.subjects.items, subjects);
    QCOMPARE(opening.subjects.text, subjects.value(0));
    if (!missingFile.isEmpty()) {
        const FakePrompter::Call &call = target.prompter.lastCall();
        QCOMPARE(call.icon, Icon::Critical);
        QVERIFY2(call.text.contains(missingFile), qPrintable(call.text));
    }
    QCOMPARE(target.prompter.pendingReplies(), 0);
}

void TstClassLists::subjectsOfTypedClass_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("subjects");
    QTest::newRow("class with subject list") << kClass << QStringList{kMath, kSubject};
    QTest::newRow("half typed") << QStringLiteral("一") << QStringList{};
    QTest::newRow("class without subject list") << kSecond << QStringList{};
    QTest::newRow("unsafe name") << QStringLiteral("../一班") << QStringList{};
}

void TstClassLists::subjectsOfTypedClass()
{
    QFETCH(QString, className);
    QFETCH(QStringList, subjects);
    LoginFixture target;
    target.folder.writeDataFile(QStringLiteral("一班xueke.qs"), gbkLines({kMath, kSubject}));

    const ClassLists::BoxContents box = ClassLists(target.context).subjectsOf(className);

    QCOMPARE(box.items, subjects);
    QCOMPARE(box.text, subjects.value(0));
    QVERIFY(target.prompter.calls().isEmpty());
}

void TstClassLists::deleteClass_data()
{
    QTest::addColumn<Answer>("confirm");
    QTest::addColumn<std::optional<QString>>("password");
    QTest::addColumn<bool>("tableExists");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("deleted");

    const QString question = QStringLiteral("此操作将永久删除一班母版,继续吗?");
    QTest::newRow("administrator") << Answer::Yes << std::optional<QString>(kAdministratorPassword) << true
                                   << QStringList{question} << true;
    QTest::newRow("class table already gone") << Answer::Yes << std::optional<QString>(kAdministratorPassword) << false
                                              << QStringList{question, QStringLiteral("一班母版不存在!")} << true;
    QTest::newRow("own password") << Answer::Yes << std::optional<QString>(QStringLiteral("123")) << true
                                  << QStringList{question, kNoPermission} << false;
    QTest::newRow("cancelled input") << Answer::Yes << std::optional<QString>() << true << QStringList{question, kNoPermission}
                                     << false;
    QTest::newRow("declined") << Answer::No << std::optional<QString>() << true << QStringList{question} << false;
}

void TstClassLists::deleteClass()
{
    QFETCH(Answer, confirm);
    QFETCH(std::optional<QString>, password);
    QFETCH(bool, tableExists);
    QFETCH(QStringList, messages);
    QFETCH(bool, deleted);
    LoginFixture target;
    if (tableExists)
        target.prepareClass(kClass, kSubject);
    target.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), "123");
    const QByteArray classList = gbkLines({kClass, kSecond, kClass});
    target.folder.writeDataFile(QStringLiteral("banji.qs"), classList);
    target.prompter.expectAnswer(confirm);
    if (confirm == Answer::Yes)
        target.prompter.expectText(password);
    for (qsizetype i = 1; i < messages.size(); ++i)
        target.prompter.expectAnswer(Answer::Ok);

    const std::optional<ClassLists::BoxContents> box = ClassLists(target.context).deleteClass(kClass);

    QCOMPARE(target.prompter.messages(), messages);
    const QList<FakePrompter::Call> &calls = target.prompter.calls();
    QCOMPARE(calls.first().caption, QStringLiteral("提示"));
    QCOMPARE(calls.first().buttons, Buttons::YesNo);
    QCOMPARE(calls.first().icon, Icon::Question);
    if (confirm == Answer::Yes) {
        QCOMPARE(calls.at(1).kind, FakePrompter::Call::Kind::Input);
        QCOMPARE(calls.at(1).caption, QStringLiteral("密码"));
        QCOMPARE(calls.at(1).text, QStringLiteral("请输入密码"));
        QCOMPARE(calls.at(1).defaultText, QString());
    }
    for (qsizetype i = 2; i < calls.size(); ++i) {
        QCOMPARE(calls.at(i).caption, QStringLiteral("提示"));
        QCOMPARE(calls.at(i).buttons, Buttons::Ok);
        QCOMPARE(calls.at(i).icon, Icon::Information);
    }
    QCOMPARE(box.has_value(), deleted);
    if (deleted) {
        QCOMPARE(box->items, QStringList{kSecond});
        QCOMPARE(box->text, kSecond);
        QVERIFY(!target.database.tableExists(kClass));
        QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), gbkLines({kSecond}));
        // Only the class table and its line go.
        QCOMPARE(target.database.tableExists(QStringLiteral("一班语文课堂提问")), tableExists);
        QVERIFY(target.folder.hasDataFile(QStringLiteral("一班语文denglu.qs")));
    } else {
        QCOMPARE(target.database.tableExists(kClass), tableExists);
        QCOMPARE(target.folder.readDataFile(QStringLiteral("banji.qs")), classList);
    }
}

void TstClassLists::deleteSubject_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("missingTable");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("deleted");

    const QString question = QStringLiteral("此操作将永久删除一班语文记录,继续吗?");
    QTest::newRow("administrator") << kAdministratorPassword << QString() << QStringList{question} << true;
    QTest::newRow("questioning table gone") << kAdministratorPassword << QStringLiteral("一班语文课堂提问")
                                            << QStringList{question, QStringLiteral("一班语文记录不存在!")} << true;
    QTest::newRow("own password") << QStringLiteral("123") << QString() << QStringList{question, kNoPermission} << false;
    QTest::newRow("administrator in capitals")
        << QStringLiteral("KESMORA") << QString() << QStringList{question, kNoPermission} << false;
}

void TstClassLists::deleteSubject()
{
    QFETCH(QString, password);
    QFETCH(QString, missingTable);
    QFETCH(QStringList, messages);
    QFETCH(bool, deleted);
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    if (!missingTable.isEmpty())
        QVERIFY(target.database.execute(Sql::dropTable(missingTable)));
    target.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), "123");
    target.folder.writeDataFile(QStringLiteral("一班语文Moren.qs"), gbkLines({QStringLiteral("好")}));
    const QByteArray subjectList = gbkLines({kSubject, kMath});
    target.folder.writeDataFile(QStringLiteral("一班xueke.qs"), subjectList);
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectText(password);
    for (qsizetype i = 1; i < messages.size(); ++i)
        target.prompter.expectAnswer(Answer::Ok);

    const std::optional<ClassLists::BoxContents> box = ClassLists(target.context).deleteSubject(kClass, kSubject);

    QCOMPARE(target.prompter.messages(), messages);
    QCOMPARE(box.has_value(), deleted);
    QVERIFY(target.database.tableExists(kClass));
    QVERIFY(target.folder.hasDataFile(QStringLiteral("一班语文Moren.qs")));
    if (!deleted) {
        QVERIFY(target.database.tableExists(QStringLiteral("一班语文课堂提问")));
        QVERIFY(target.database.tableExists(QStringLiteral("一班语文记分册")));
        QCOMPARE(target.folder.readDataFile(QStringLiteral("一班xueke.qs")), subjectList);
        return;
    }
    QCOMPARE(box->items, QStringList{kMath});
    QCOMPARE(box->text, kMath);
    QCOMPARE(target.folder.readDataFile(QStringLiteral("一班xueke.qs")), gbkLines({kMath}));
    QVERIFY(!target.database.tableExists(QStringLiteral("一班语文课堂提问")));
    // A failed drop keeps the grade book and the password file.
    QCOMPARE(target.database.tableExists(QStringLiteral("一班语文记分册")), !missingTable.isEmpty());
    QCOMPARE(target.folder.hasDataFile(QStringLiteral("一班语文denglu.qs")), !missingTable.isEmpty());
}

void TstClassLists::deleteRefusesUnsafeNames_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("ofSubject");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("message");
    const QString badClass = QStringLiteral("班级名称不能包含空格或下列字符：\\ / : * ? \" < > | [ ]");
    QTest::newRow("class a/b") << QStringLiteral("a/b") << false << QString() << badClass;
    QTest::newRow("no class") << QString() << false << QString() << QStringLiteral("请输入班级!");
    QTest::newRow("subject of class a b") << QStringLiteral("a b") << true << kSubject << badClass;
    QTest::newRow("subject a]b") << kClass << true << QStringLiteral("a]b")
                                 << QStringLiteral("科目名称不能包含空格或下列字符：\\ / : * ? \" < > | [ ]");
    QTest::newRow("no subject") << kClass << true << QString() << QStringLiteral("请输入学科!");
}

void TstClassLists::deleteRefusesUnsafeNames()
{
    QFETCH(QString, className);
    QFETCH(bool, ofSubject);
    QFETCH(QString, subject);
    QFETCH(QString, message);
    LoginFixture target;
    const auto files = target.dataFiles();
    target.prompter.expectAnswer(Answer::Ok);

    ClassLists lists(target.context);
    const bool changed
        = !ofSubject ? lists.deleteClass(className).has_value() : lists.deleteSubject(className, subject).has_value();

    QVERIFY(!changed);
    QCOMPARE(target.prompter.calls().size(), 1);
    QCOMPARE(target.prompter.lastCall().caption, QStringLiteral("错误"));
    QCOMPARE(target.prompter.lastCall().text, message);
    QCOMPARE(target.dataFiles(), files);
}

void TstClassLists::deleteSubjectWithoutSubjectList()
{
    LoginFixture target;
    target.prepareClass(kClass, kSubject);
    target.prompter.expectAnswer(Answer::Yes);
    target.prompter.expectText(kAdministratorPassword);
    target.prompter.expectAnswer(Answer::Ok);

    QVERIFY(!ClassLists(target.context).deleteSubject(kClass, kSubject));

    QCOMPARE(target.prompter.lastCall().icon, Icon::Critical);
    QVERIFY2(
        target.prompter.lastCall().text.contains(QStringLiteral("一班xueke.qs")), qPrintable(target.prompter.lastCall().text));
    QVERIFY(!target.database.tableExists(QStringLiteral("一班语文课堂提问")));
    QVERIFY(!target.folder.hasDataFile(QStringLiteral("一班xueke.qs")));
}

QTEST_MAIN(TstClassLists)
#include "TstClassLists.moc"
