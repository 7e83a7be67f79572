#include "ContextFixture.h"
#include "ScriptedMainView.h"
#include "entry/RosterCommands.h"
#include "store/Statements.h"
#include "store/SubjectTables.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Call = FakePrompter::Call;

/// Stored values as text, NULL for a null value.
QStringList shown(const QVariantList &values)
{
    QStringList texts;
    for (const QVariant &value : values)
        texts << (value.isNull() ? u"NULL"_s : value.toString());
    return texts;
}

/// Class 一班 made from 母版, subject 语文 with both tables; the class table then holds
/// 赵, 钱 (groups 1, 2) and the current table of the mode 甲, 乙, 丙 (groups 3 where it has them).
struct Setup {
    ContextFixture fixture;
    ScriptedMainView view{fixture};
    RosterCommands commands{fixture.context, view};
    QVariantList masterNames;

    explicit Setup(const QString &mode)
    {
        fixture.login.className = u"一班"_s;
        fixture.login.subject = u"语文"_s;
        fixture.login.mode = mode;
        masterNames = fixture.column(u"母版"_s, u"姓名"_s);
        QVERIFY(fixture.database.execute(Sql::createClassTable(u"一班"_s)));
        QVERIFY(SubjectTables::ensureQuestioningTable(fixture.database, u"一班语文课堂提问"_s, u"一班"_s));
        QVERIFY(SubjectTables::ensureGradeBookTable(fixture.database, u"一班语文记分册"_s, u"一班"_s));
        fixture.run(u"DELETE FROM [一班]"_s);
        fixture.run(
            u"INSERT INTO [一班] ([编号],[姓名],[小组],[合计],[平均],[名次]) VALUES (1,'赵',1,90,45,2),(2,'钱',2,100,50,1)"_s);
        fixture.run(u"DELETE FROM [一班语文课堂提问]"_s);
        fixture.run(u"INSERT INTO [一班语文课堂提问] ([编号],[姓名],[评价],[历史],[次数],[总分],[平均]) VALUES "
                    "(3,'丙','A','AB',2,17,8),(1,'甲','B','B',1,8,8),(2,'乙',NULL,NULL,0,0,0)"_s);
        fixture.run(u"DELETE FROM [一班语文记分册]"_s);
        fixture.run(u"ALTER TABLE [一班语文记分册] ADD [第1次] INT NULL"_s);
        fixture.run(u"INSERT INTO [一班语文记分册] ([编号],[姓名],[小组],[合计],[平均],[名次],[第1次]) VALUES "
                    "(1,'甲',3,80,80,1,80),(2,'乙',3,70,70,2,70),(3,'丙',NULL,60,60,3,60)"_s);
    }
    QString current() const { return fixture.login.tables().currentTable(); }
    /// 保存为母版 with a typed password; the box that follows is acknowledged.
    void save(const std::optional<QString> &password)
    {
        fixture.prompter.expectText(password);
        fixture.prompter.expectAnswer(Prompter::Answer::Ok);
        commands.N2Click();
        QCOMPARE(fixture.prompter.pendingReplies(), 0);
    }
    /// 从母版中导入 with the answer to its question, and an acknowledgement for the box
    /// expected after it.
    void import(Prompter::Answer answer = Prompter::Answer::Yes, bool boxFollows = false)
    {
        fixture.prompter.expectAnswer(answer);
        if (boxFollows)
            fixture.prompter.expectAnswer(Prompter::Answer::Ok);
        commands.SpeedButton1Click();
        QCOMPARE(fixture.prompter.pendingReplies(), 0);
    }
};
} // namespace

class TstRosterCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveNeedsALogin_data();
    void saveNeedsALogin();
    void saveNeedsTheAdministratorPassword_data();
    void saveNeedsTheAdministratorPassword();
    void saveReplacesTheClassRoster_data();
    void saveReplacesTheClassRoster();
    void saveIsAllOrNothing();
    void importIntoQuestioningResetsEvaluations();
    void importIntoGradeBookTakesTheClassTable();
    void importAsksFirst();
    void importIsAllOrNothing_data();
    void importIsAllOrNothing();
    void importEnabledOnlyForRosters();
    void namesWithHiddenCharactersAreNotCopied_data();
    void namesWithHiddenCharactersAreNotCopied();
};

void TstRosterCommands::saveNeedsALogin_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("subject");
    QTest::newRow("nobody") << QString() << QString();
    QTest::newRow("no subject") << u"一班"_s << QString();
    QTest::newRow("no class") << QString() << u"语文"_s;
}

void TstRosterCommands::saveNeedsALogin()
{
    QFETCH(QString, className);
    QFETCH(QString, subject);
    Setup s(u"课堂提问"_s);
    s.fixture.login.className = className;
    s.fixture.login.subject = subject;
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.N2Click();
    const Call &box = s.fixture.prompter.lastCall();
    QCOMPARE(s.fixture.prompter.calls().size(), 1);
    QCOMPARE(box.caption, u"提示"_s);
    QCOMPARE(box.text, u"保存母版之前，请先登录！"_s);
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(s.fixture.column(u"一班"_s, u"姓名"_s), (QVariantList{u"赵"_s, u"钱"_s}));
}

void TstRosterCommands::saveNeedsTheAdministratorPassword_data()
{
    QTest::addColumn<std::optional<QString>>("password");
    QTest::newRow("class password") << std::optional<QString>(u"123"_s);
    QTest::newRow("empty") << std::optional<QString>(QString());
    QTest::newRow("cancelled") << std::optional<QString>();
    QTest::newRow("with blanks") << std::optional<QString>(u" kesmora"_s);
    QTest::newRow("other case") << std::optional<QString>(u"KESMORA"_s);
}

void TstRosterCommands::saveNeedsTheAdministratorPassword()
{
    QFETCH(std::optional<QString>, password);
    Setup s(u"课堂提问"_s);
    s.fixture.folder.writeDataFile(u"一班语文denglu.qs"_s, "123");
    s.save(password);
    const QList<Call> &calls = s.fixture.prompter.calls();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).kind, Call::Kind::Input);
    QCOMPARE(calls.at(0).caption, u"密码"_s);
    QCOMPARE(calls.at(0).text, u"请输入密码"_s);
    QCOMPARE(calls.at(0).defaultText, QString());
    QCOMPARE(calls.at(1).caption, u"提示"_s);
    QCOMPARE(calls.at(1).text, u"您没有此权限,请察看帮助文件或联系系统管理员!"_s);
    QCOMPARE(s.fixture.column(u"一班"_s, u"姓名"_s), (QVariantList{u"赵"_s, u"钱"_s}));
}

void TstRosterCommands::saveReplacesTheClassRoster_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("groups");
    QTest::newRow("questioning: groups left empty") << u"课堂提问"_s << QStringList{u"NULL"_s, u"NULL"_s, u"NULL"_s};
    QTest::newRow("grade book: groups kept") << u"记分册"_s << QStringList{u"3"_s, u"3"_s, u"NULL"_s};
}

void TstRosterCommands::saveReplacesTheClassRoster()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, groups);
    Setup s(mode);
    s.save(u"kesmora"_s);
    QCOMPARE(s.fixture.prompter.messages(), QStringList{u"名单已经保存在一班母版中！"_s});
    QCOMPARE(s.fixture.prompter.lastCall().caption, u"提示"_s);
    QCOMPARE(s.fixture.column(u"一班"_s, u"编号"_s), (QVariantList{1, 2, 3}));
    QCOMPARE(s.fixture.column(u"一班"_s, u"姓名"_s), (QVariantList{u"甲"_s, u"乙"_s, u"丙"_s}));
    QCOMPARE(shown(s.fixture.column(u"一班"_s, u"小组"_s)), groups);
    // The old rows went whole: their other columns too.
    QCOMPARE(shown(s.fixture.column(u"一班"_s, u"合计"_s)), QStringList(3, u"NULL"_s));
    QCOMPARE(s.fixture.column(u"母版"_s, u"姓名"_s), s.masterNames);

    // The current table is shown again, formatted.
    QVERIFY(s.fixture.query.isOpen());
    QCOMPARE(s.fixture.query.rowCount(), 3);
    QCOMPARE(s.view.gridFormattings, 1);
    QCOMPARE(s.view.modesShown, mode == u"记分册"_s ? QStringList{u"记分册"_s} : QStringList());
    if (mode == u"课堂提问"_s)
        QCOMPARE(s.fixture.query.value(u"姓名"_s).toString(), u"甲"_s); // ordered by 编号
}

void TstRosterCommands::saveIsAllOrNothing()
{
    Setup s(u"课堂提问"_s);
    // The copy fails after the class table was emptied: the emptying is undone.
    s.fixture.run(u"DROP TABLE [一班语文课堂提问]"_s);
    s.save(u"kesmora"_s);
    QCOMPARE(s.fixture.prompter.lastCall().icon, Prompter::Icon::Critical);
    QVERIFY(!s.fixture.prompter.messages().contains(u"名单已经保存在一班母版中！"_s));
    QCOMPARE(s.fixture.column(u"一班"_s, u"姓名"_s), (QVariantList{u"赵"_s, u"钱"_s}));
    QCOMPARE(s.fixture.column(u"一班"_s, u"小组"_s), (QVariantList{1, 2}));
}

void TstRosterCommands::importIntoQuestioningResetsEvaluations()
{
    Setup s(u"课堂提问"_s);
    s.import();
    const Call &ask = s.fixture.prompter.calls().constFirst();
    QCOMPARE(ask.caption, u"提示"_s);
    QCOMPARE(ask.text, u"该操作将清除当前所有记录,确定从母版导入吗?"_s);
    QCOMPARE(ask.buttons, Prompter::Buttons::YesNo);
    QCOMPARE(ask.icon, Prompter::Icon::Question);
    QCOMPARE(s.fixture.prompter.calls().size(), 1);

    const QString table = s.current();
    QCOMPARE(s.fixture.column(table, u"编号"_s), (QVariantList{1, 2}));
    QCOMPARE(s.fixture.column(table, u"姓名"_s), (QVariantList{u"赵"_s, u"钱"_s}));
    QCOMPARE(shown(s.fixture.column(table, u"评价"_s)), QStringList(2, u"NULL"_s));
    QCOMPARE(shown(s.fixture.column(table, u"历史"_s)), QStringList(2, u"NULL"_s));
    for (const QString &counted : {u"次数"_s, u"总分"_s, u"平均"_s})
        QCOMPARE(s.fixture.column(table, counted), (QVariantList{0, 0}));
    QCOMPARE(s.fixture.column(u"一班"_s, u"姓名"_s), (QVariantList{u"赵"_s, u"钱"_s}));
    QCOMPARE(s.fixture.column(u"母版"_s, u"姓名"_s), s.masterNames);
    QVERIFY(s.fixture.query.isOpen());
    QCOMPARE(s.fixture.query.rowCount(), 2);
    QCOMPARE(s.view.gridFormattings, 1);
}

void TstRosterCommands::importIntoGradeBookTakesTheClassTable()
{
    Setup s(u"记分册"_s);
    s.import();
    QCOMPARE(s.fixture.prompter.calls().size(), 1);
    const QString table = s.current();
    QCOMPARE(s.fixture.database.columns(table), (QStringList{u"编号"_s, u"姓名"_s, u"小组"_s, u"合计"_s, u"平均"_s, u"名次"_s}));
    QCOMPARE(s.fixture.column(table, u"姓名"_s), (QVariantList{u"赵"_s, u"钱"_s}));
    QCOMPARE(s.fixture.column(table, u"小组"_s), (QVariantList{1, 2}));
    QCOMPARE(s.fixture.column(table, u"合计"_s), (QVariantList{90, 100}));
    QCOMPARE(s.fixture.column(table, u"名次"_s), (QVariantList{2, 1}));
    QCOMPARE(s.view.modesShown, QStringList{u"记分册"_s});
    QCOMPARE(s.view.gridFormattings, 1);
    // The questioning table of the subject is not touched.
    QCOMPARE(s.fixture.rowCount(u"一班语文课堂提问"_s), 3);
}

void TstRosterCommands::importAsksFirst()
{
    Setup s(u"课堂提问"_s);
    s.import(Prompter::Answer::No);
    QCOMPARE(s.fixture.column(s.current(), u"姓名"_s), (QVariantList{u"甲"_s, u"乙"_s, u"丙"_s}));
    QCOMPARE(s.view.gridFormattings, 0);

    // Nobody logged in: no table to fill, and a plain answer instead of an engine error.
    s.fixture.login = LoginState{};
    s.import(Prompter::Answer::Yes, true);
    QCOMPARE(s.fixture.prompter.lastCall().text, u"请先登录系统！"_s);
}

void TstRosterCommands::importIsAllOrNothing_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("questioning") << u"课堂提问"_s;
    QTest::newRow("grade book") << u"记分册"_s;
}

void TstRosterCommands::importIsAllOrNothing()
{
    QFETCH(QString, mode);
    Setup s(mode);
    // The copy fails once the current table was emptied or dropped: that is undone.
    s.fixture.run(u"DROP TABLE [一班]"_s);
    const QStringList columnsBefore = s.fixture.database.columns(s.current());
    s.import(Prompter::Answer::Yes, true);
    QCOMPARE(s.fixture.prompter.lastCall().icon, Prompter::Icon::Critical);
    QCOMPARE(s.fixture.column(s.current(), u"姓名"_s), (QVariantList{u"甲"_s, u"乙"_s, u"丙"_s}));
    QCOMPARE(s.fixture.database.columns(s.current()), columnsBefore);
    if (mode == u"课堂提问"_s)
        QCOMPARE(s.fixture.column(s.current(), u"总分"_s), (QVariantList{8, 0, 17}));
    else
        QCOMPARE(s.fixture.column(s.current(), u"第1次"_s), (QVariantList{80, 70, 60}));
    // The table is shown again as it is.
    QVERIFY(s.fixture.query.isOpen());
    QCOMPARE(s.fixture.query.rowCount(), 3);
}

void TstRosterCommands::namesWithHiddenCharactersAreNotCopied_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("import");
    QTest::newRow("import into questioning") << u"课堂提问"_s << true;
    QTest::newRow("import into grade book") << u"记分册"_s << true;
    QTest::newRow("save from questioning") << u"课堂提问"_s << false;
    QTest::newRow("save from grade book") << u"记分册"_s << false;
}

void TstRosterCommands::namesWithHiddenCharactersAreNotCopied()
{
    QFETCH(QString, mode);
    QFETCH(bool, import);
    Setup s(mode);
    // Written there by an older version that read such names from a file.
    const QString source = import ? u"一班"_s : s.current();
    s.fixture.run(u"UPDATE [%1] SET [姓名]=[姓名]||char(9)||'男' WHERE [编号]=2"_s.arg(source));
    const QVariantList classNames = s.fixture.column(u"一班"_s, u"姓名"_s);
    const QVariantList currentNames = s.fixture.column(s.current(), u"姓名"_s);

    if (import)
        s.import(Prompter::Answer::Yes, true);
    else
        s.save(u"kesmora"_s);

    const Call &told = s.fixture.prompter.lastCall();
    QCOMPARE(told.caption, u"提示"_s);
    QCOMPARE(told.icon, Prompter::Icon::Information);
    QVERIFY2(
        told.text.contains(u"编号为2的学生姓名“%1男”含有看不见的字符"_s.arg(import ? u"钱"_s : u"乙"_s)), qPrintable(told.text));
    QCOMPARE(s.fixture.column(u"一班"_s, u"姓名"_s), classNames);
    QCOMPARE(s.fixture.column(s.current(), u"姓名"_s), currentNames);
}

void TstRosterCommands::importEnabledOnlyForRosters()
{
    QVERIFY(RosterCommands::importEnabled(EntryKind::Roster, false));
    QVERIFY(!RosterCommands::importEnabled(EntryKind::Roster, true));
    for (EntryKind kind : {EntryKind::None, EntryKind::Score, EntryKind::Evaluation})
        QVERIFY(!RosterCommands::importEnabled(kind, false));
}

QTEST_GUILESS_MAIN(TstRosterCommands)
#include "TstRosterCommands.moc"
