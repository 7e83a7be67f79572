#include "ContextFixture.h"
#include "GbkLines.h"
#include "entry/EntryGrid.h"
#include "entry/EntryPanel.h"
#include "entry/TemplateCommands.h"
#include "entry/TemplateFile.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using Call = FakePrompter::Call;

/// The template commands on a panel of their own, in a throw-away program folder.
struct Setup {
    ContextFixture fixture;
    EntryPanel panel;
    EntryKind kind = EntryKind::Roster;
    TemplateCommands commands{fixture.context, panel, [this] { return kind; }};

    Setup()
    {
        fixture.login.className = u"一班"_s;
        fixture.login.subject = u"语文"_s;
        fixture.login.mode = u"课堂提问"_s;
    }
    void useMemo()
    {
        panel.SpeedButton3Click();
        QVERIFY(!panel.gridInUse());
    }
    void fillGrid(const QStringList &cells)
    {
        for (int row = 1; row <= cells.size(); ++row)
            panel.grid()->setCellText(row, cells.at(row - 1));
    }
    QString file(const QString &name) const { return fixture.folder.path() + u"/"_s + name; }
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray readFile(const QString &path) const
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("missing");
    }
};

QStringList numbered(int count, const QString &prefix)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return lines;
}
} // namespace

class TstTemplateCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dialogsFollowTheEntryKind_data();
    void dialogsFollowTheEntryKind();
    void withoutKindTheDialogsKeepTheirLast();
    void openIntoTheGridFillsOnlyItsLines();
    void openIntoTheMemoKeepsEveryLine();
    void openIntoTheGridTakesAFileOfAnySize_data();
    void openIntoTheGridTakesAFileOfAnySize();
    void openFailuresLeaveTheInput_data();
    void openFailuresLeaveTheInput();
    void cancelledDialogsDoNothing();
    void saveWritesTheInputInUse();
    void saveFailureNamesTheFileAndKeepsTheOldOne();
    void defaultTemplateRoundTrip();
    void defaultTemplateBelongsToClassSubjectAndKind();
    void saveAsDefaultAsksFirst();
    void missingDefaultTemplate();
};

void TstTemplateCommands::dialogsFollowTheEntryKind_data()
{
    QTest::addColumn<EntryKind>("kind");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("extension");
    QTest::newRow("roster") << EntryKind::Roster << u"名单文件(*.qsm)|*.qsm"_s << u"qsm"_s;
    QTest::newRow("score") << EntryKind::Score << u"成绩文件(*.qsc)|*.qsc"_s << u"qsc"_s;
    QTest::newRow("evaluation") << EntryKind::Evaluation << u"评价文件(*.qsp)|*.qsp"_s << u"qsp"_s;
}

void TstTemplateCommands::dialogsFollowTheEntryKind()
{
    QFETCH(EntryKind, kind);
    QFETCH(QString, filter);
    QFETCH(QString, extension);
    Setup s;
    s.kind = kind;
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton7Click();
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton9Click();
    const QList<Call> &calls = s.fixture.prompter.calls();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).kind, Call::Kind::OpenFile);
    QCOMPARE(calls.at(0).caption, u"打开"_s);
    QCOMPARE(calls.at(1).kind, Call::Kind::SaveFile);
    QCOMPARE(calls.at(1).caption, u"保存"_s);
    for (const Call &call : calls) {
        QCOMPARE(call.text, filter);
        QCOMPARE(call.defaultText, extension);
    }
}

void TstTemplateCommands::withoutKindTheDialogsKeepTheirLast()
{
    Setup s;
    s.kind = EntryKind::None;
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton7Click();
    QCOMPARE(s.fixture.prompter.lastCall().text, u"模板文件(*.qsm)|*.qsm|文本文件(*.txt)|*.txt"_s);

    s.kind = EntryKind::Score;
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton7Click();
    s.kind = EntryKind::None;
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton7Click();
    QCOMPARE(s.fixture.prompter.lastCall().text, u"成绩文件(*.qsc)|*.qsc"_s);
    QCOMPARE(s.fixture.prompter.lastCall().defaultText, u"qsc"_s);
    // The save dialog is a dialog of its own: it still has the filter it started with.
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton9Click();
    QCOMPARE(s.fixture.prompter.lastCall().text, u"模板文件(*.qsm)|*.qsm|文本文件(*.txt)|*.txt"_s);
}

void TstTemplateCommands::openIntoTheGridFillsOnlyItsLines()
{
    Setup s;
    s.fillGrid(numbered(10, u"旧"_s));
    s.writeFile(u"三人.qsm"_s, gbk(u"甲\r\n乙\r\n丙\r\n"_s));
    s.fixture.prompter.expectText(s.file(u"三人.qsm"_s));
    s.commands.SpeedButton7Click();
    QCOMPARE(s.panel.grid()->cellTexts().mid(0, 11),
        (QStringList{u"甲"_s, u"乙"_s, u"丙"_s} + numbered(10, u"旧"_s).mid(3) + QStringList{QString()}));

    // 250 lines fill rows 1 to 199.
    s.writeFile(u"长.qsm"_s, gbk(numbered(250, u"生"_s).join(u"\n"_s)));
    s.fixture.prompter.expectText(s.file(u"长.qsm"_s));
    s.commands.SpeedButton7Click();
    QCOMPARE(s.panel.grid()->cellTexts(), numbered(199, u"生"_s));
    QCOMPARE(s.fixture.prompter.messages(), QStringList());
}

void TstTemplateCommands::openIntoTheMemoKeepsEveryLine()
{
    Setup s;
    s.useMemo();
    s.writeFile(u"长.qsm"_s, gbk(numbered(250, u"生"_s).join(u"\r"_s)));
    s.fixture.prompter.expectText(s.file(u"长.qsm"_s));
    s.commands.SpeedButton7Click();
    QCOMPARE(s.panel.memo()->toPlainText(), numbered(250, u"生"_s).join(u"\n"_s));

    // A UTF-8 roster from another program opens with the right names.
    s.writeFile(u"utf8.qsm"_s, QByteArray("\xEF\xBB\xBF") + u"张三\r\n李四"_s.toUtf8());
    s.fixture.prompter.expectText(s.file(u"utf8.qsm"_s));
    s.commands.SpeedButton7Click();
    QCOMPARE(s.panel.memo()->toPlainText(), u"张三\n李四"_s);
}

void TstTemplateCommands::openIntoTheGridTakesAFileOfAnySize_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("rows");
    const QStringList names = numbered(250, u"生"_s);
    const QByteArray padding = QByteArray("\r\n").repeated(600 * 1024);
    QTest::newRow("GBK, 2 MB") << gbk(names.join(u"\r\n"_s)) + padding << names.mid(0, 199);
    QTest::newRow("UTF-8 with its mark, 2 MB")
        << QByteArray("\xEF\xBB\xBF") + names.join(u"\n"_s).toUtf8() + padding << names.mid(0, 199);
    // Lines of a few hundred characters: the first 199 lie well past the first reads.
    QStringList wide;
    for (const QString &name : names)
        wide << name + QString(400, u'长');
    QTest::newRow("long lines, CR only") << gbk(wide.join(u"\r"_s)) + padding << wide.mid(0, 199);
    QTest::newRow("one line of 1 MB") << QByteArray(TemplateFile::kMaxBytes + 1, 'A')
                                      << QStringList{QString(TemplateFile::kMaxBytes + 1, u'A')};
}

void TstTemplateCommands::openIntoTheGridTakesAFileOfAnySize()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, rows);
    Setup s;
    s.fillGrid(numbered(199, u"旧"_s));
    s.writeFile(u"大.qsm"_s, bytes);
    s.fixture.prompter.expectText(s.file(u"大.qsm"_s));
    s.commands.SpeedButton7Click();
    QCOMPARE(s.fixture.prompter.messages(), QStringList());
    QCOMPARE(s.panel.grid()->cellTexts().mid(0, rows.size()), rows);
}

void TstTemplateCommands::openFailuresLeaveTheInput_data()
{
    QTest::addColumn<bool>("grid");
    QTest::addColumn<QString>("name");
    QTest::newRow("grid, missing") << true << u"没有.qsm"_s;
    QTest::newRow("memo, missing") << false << u"没有.qsm"_s;
    QTest::newRow("memo, too large") << false << u"clip.avi"_s;
}

void TstTemplateCommands::openFailuresLeaveTheInput()
{
    QFETCH(bool, grid);
    QFETCH(QString, name);
    Setup s;
    if (!grid) {
        s.useMemo();
        s.panel.memo()->setPlainText(u"原来"_s);
    }
    s.fillGrid({u"原来"_s});
    s.writeFile(u"clip.avi"_s, QByteArray(TemplateFile::kMaxBytes + 1, 'A'));
    s.fixture.prompter.expectText(s.file(name));
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.SpeedButton7Click();
    const Call &box = s.fixture.prompter.lastCall();
    QCOMPARE(box.kind, Call::Kind::Message);
    QCOMPARE(box.caption, u"错误"_s);
    QCOMPARE(box.text, u"该文件不存在！"_s);
    QCOMPARE(box.buttons, Prompter::Buttons::Ok);
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(s.panel.grid()->cellText(1), u"原来"_s);
    QCOMPARE(s.panel.grid()->cellText(2), QString());
    if (!grid)
        QCOMPARE(s.panel.memo()->toPlainText(), u"原来"_s);
}

void TstTemplateCommands::cancelledDialogsDoNothing()
{
    Setup s;
    s.fillGrid({u"甲"_s});
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton7Click();
    s.fixture.prompter.expectText(std::nullopt);
    s.commands.SpeedButton9Click();
    QCOMPARE(s.fixture.prompter.calls().size(), 2);
    QCOMPARE(s.panel.grid()->cellText(1), u"甲"_s);
    QCOMPARE(QDir(s.fixture.folder.path()).entryList({u"*.qs*"_s}, QDir::Files), QStringList());
}

void TstTemplateCommands::saveWritesTheInputInUse()
{
    Setup s;
    s.fillGrid({u"甲"_s, u"乙"_s, u"丙"_s});
    s.fixture.prompter.expectText(s.file(u"网格.qsm"_s));
    s.commands.SpeedButton9Click();
    QCOMPARE(s.readFile(s.file(u"网格.qsm"_s)), gbk(u"甲\r\n乙\r\n丙\r\n"_s) + QByteArray("\r\n").repeated(197));

    // The grid's file loaded into the memo and saved again is the same file.
    s.useMemo();
    s.fixture.prompter.expectText(s.file(u"网格.qsm"_s));
    s.commands.SpeedButton7Click();
    s.fixture.prompter.expectText(s.file(u"文本.qsm"_s));
    s.commands.SpeedButton9Click();
    QCOMPARE(s.readFile(s.file(u"文本.qsm"_s)), s.readFile(s.file(u"网格.qsm"_s)));

    s.panel.memo()->setPlainText(u"甲\n乙\n丙"_s);
    s.fixture.prompter.expectText(s.file(u"文本.qsm"_s));
    s.commands.SpeedButton9Click();
    QCOMPARE(s.readFile(s.file(u"文本.qsm"_s)), gbk(u"甲\r\n乙\r\n丙"_s));
    QCOMPARE(s.fixture.prompter.messages(), QStringList());
}

void TstTemplateCommands::saveFailureNamesTheFileAndKeepsTheOldOne()
{
    Setup s;
    s.useMemo();
    s.writeFile(u"名单.qsm"_s, gbk(u"旧"_s));

    // A character GBK cannot store: nothing is written.
    s.panel.memo()->setPlainText(u"甲😀"_s);
    s.fixture.prompter.expectText(s.file(u"名单.qsm"_s));
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.SpeedButton9Click();
    QCOMPARE(s.fixture.prompter.lastCall().caption, u"错误"_s);
    QCOMPARE(s.readFile(s.file(u"名单.qsm"_s)), gbk(u"旧"_s));

    // A folder that is not there.
    s.panel.memo()->setPlainText(u"甲"_s);
    const QString bad = s.file(u"没有的文件夹/名单.qsm"_s);
    s.fixture.prompter.expectText(bad);
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.SpeedButton9Click();
    QCOMPARE(s.fixture.prompter.lastCall().caption, u"错误"_s);
    QVERIFY(s.fixture.prompter.lastCall().text.contains(QDir::toNativeSeparators(bad)));

    // The default template's name taken by a folder: refused, and the folder stays.
    const QString taken = s.fixture.paths.dataFile(s.commands.defaultTemplateName(EntryKind::Roster));
    QVERIFY(QDir().mkpath(taken));
    s.fixture.prompter.expectAnswer(Prompter::Answer::Yes);
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.SpeedButton8Click();
    QCOMPARE(s.fixture.prompter.lastCall().caption, u"错误"_s);
    QVERIFY(s.fixture.prompter.lastCall().text.contains(QDir::toNativeSeparators(taken)));
    QVERIFY(QFileInfo(taken).isDir());
}

void TstTemplateCommands::defaultTemplateRoundTrip()
{
    Setup s;
    s.useMemo();
    s.panel.memo()->setPlainText(u"甲\n乙\n丙"_s);
    s.fixture.prompter.expectAnswer(Prompter::Answer::Yes);
    s.commands.SpeedButton8Click();
    const Call &ask = s.fixture.prompter.lastCall();
    QCOMPARE(ask.caption, u"错误"_s);
    QCOMPARE(ask.text, u"保存为默认模板吗？"_s);
    QCOMPARE(ask.buttons, Prompter::Buttons::YesNo);
    QCOMPARE(ask.icon, Prompter::Icon::Information);
    QCOMPARE(s.fixture.folder.readDataFile(u"一班语文名单默认模板.qs"_s), gbk(u"甲\r\n乙\r\n丙"_s));

    // Into the grid: rows 1 to 3.
    s.panel.SpeedButton3Click();
    QVERIFY(s.panel.gridInUse());
    s.commands.SpeedButton10Click();
    QCOMPARE(s.panel.grid()->cellTexts().mid(0, 4), (QStringList{u"甲"_s, u"乙"_s, u"丙"_s, QString()}));

    // An empty grid saved as default clears every row when imported.
    EntryPanel empty;
    TemplateCommands emptyCommands(s.fixture.context, empty, [] { return EntryKind::Roster; });
    s.fixture.prompter.expectAnswer(Prompter::Answer::Yes);
    emptyCommands.SpeedButton8Click();
    QCOMPARE(s.fixture.folder.readDataFile(u"一班语文名单默认模板.qs"_s), QByteArray("\r\n").repeated(200));
    s.commands.SpeedButton10Click();
    QCOMPARE(s.panel.grid()->cellTexts(), QStringList(199, QString()));
    QCOMPARE(s.fixture.prompter.messages(), QStringList(2, u"保存为默认模板吗？"_s));
}

void TstTemplateCommands::defaultTemplateBelongsToClassSubjectAndKind()
{
    Setup s;
    const QString data = s.fixture.paths.dataFolder() + u"/"_s;
    QCOMPARE(s.fixture.paths.dataFile(s.commands.defaultTemplateName(EntryKind::Roster)), data + u"一班语文名单默认模板.qs"_s);
    QCOMPARE(s.fixture.paths.dataFile(s.commands.defaultTemplateName(EntryKind::Score)), data + u"一班语文成绩默认模板.qs"_s);
    QCOMPARE(
        s.fixture.paths.dataFile(s.commands.defaultTemplateName(EntryKind::Evaluation)), data + u"一班语文评价默认模板.qs"_s);
    QCOMPARE(s.commands.defaultTemplateName(EntryKind::None), QString());

    s.fillGrid({u"甲"_s});
    s.fixture.prompter.expectAnswer(Prompter::Answer::Yes);
    s.commands.SpeedButton8Click();
    // Another subject of the same class does not see it.
    s.fixture.login.subject = u"数学"_s;
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.SpeedButton10Click();
    QCOMPARE(s.fixture.prompter.lastCall().text, u"默认模板不存在！"_s);

    s.fixture.login.className.clear();
    s.fixture.login.subject.clear();
    QCOMPARE(s.fixture.paths.dataFile(s.commands.defaultTemplateName(EntryKind::Score)), data + u"成绩默认模板.qs"_s);
}

void TstTemplateCommands::saveAsDefaultAsksFirst()
{
    Setup s;
    s.fillGrid({u"甲"_s});
    s.fixture.prompter.expectAnswer(Prompter::Answer::No);
    s.commands.SpeedButton8Click();
    QVERIFY(!s.fixture.folder.hasDataFile(u"一班语文名单默认模板.qs"_s));

    // No entry kind: asked, then nothing is written.
    s.kind = EntryKind::None;
    const QMap<QString, QByteArray> before = s.fixture.dataFiles();
    s.fixture.prompter.expectAnswer(Prompter::Answer::Yes);
    s.commands.SpeedButton8Click();
    QCOMPARE(s.fixture.dataFiles(), before);
    s.commands.SpeedButton10Click();
    QCOMPARE(s.fixture.prompter.calls().size(), 2);
}

void TstTemplateCommands::missingDefaultTemplate()
{
    Setup s;
    s.fillGrid({u"甲"_s});
    s.kind = EntryKind::Evaluation;
    s.fixture.prompter.expectAnswer(Prompter::Answer::Ok);
    s.commands.SpeedButton10Click();
    const Call &box = s.fixture.prompter.lastCall();
    QCOMPARE(box.caption, u"错误"_s);
    QCOMPARE(box.text, u"默认模板不存在！"_s);
    QCOMPARE(box.buttons, Prompter::Buttons::Ok);
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(s.panel.grid()->cellText(1), u"甲"_s);
}

QTEST_MAIN(TstTemplateCommands)
#include "TstTemplateCommands.moc"
