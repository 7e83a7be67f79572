// 导出至Excel on a real database: every view as the grid shows it, read back from the
// workbook, with a stand-in for the desktop's opener.
#include "ContextFixture.h"
#include "ScriptedMainView.h"
#include "XlsxReader.h"
#include "export/ExportCommands.h"
#include "store/Statements.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Rows = QList<QVariantList>;

/// The desktop's opener, recording what it was asked to open.
struct RecordingOpener {
    QStringList opened;
    bool starts = true;
    ExportCommands::Opener opener()
    {
        return [this](const QString &path, const std::function<void(bool)> &done) {
            opened << path;
            done(starts);
        };
    }
};

QString cellName(int row, int column)
{
    return QString(QChar(u'A' + column)) + QString::number(row);
}

} // namespace

class TstExportCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void exportsTheViewAsShown_data();
    void exportsTheViewAsShown();
    void emptyViewGivesTitleAndColumnNames();
    void noSpreadsheetApplicationKeepsTheWorkbook();
    void workbookNamesDoNotCollide();
    void longTableNamesFitAFileName_data();
    void longTableNamesFitAFileName();
    void refusalsAreChineseAndWriteNothing_data();
    void refusalsAreChineseAndWriteNothing();
    void statusBarLetsTheWorkbookNameGo();

private:
    void fillGradeBook();

    std::unique_ptr<ContextFixture> m_fixture;
    std::unique_ptr<ScriptedMainView> m_view;
    std::unique_ptr<QTemporaryDir> m_documents;
};

void TstExportCommands::init()
{
    // One connection name: the previous fixture goes first.
    m_view.reset();
    m_fixture.reset();
    m_fixture = std::make_unique<ContextFixture>();
    m_view = std::make_unique<ScriptedMainView>(*m_fixture);
    m_documents = std::make_unique<QTemporaryDir>();
    m_fixture->login.className = QStringLiteral("一班");
    m_fixture->login.subject = QStringLiteral("语文");
}

void TstExportCommands::fillGradeBook()
{
    m_fixture->run(QStringLiteral("CREATE TABLE [一班语文记分册] ([编号] INT, [姓名] VARCHAR(8), [小组] INT, [期中] FLOAT, "
                                  "[总分] FLOAT, [平均] FLOAT, [名次] INT)"));
    m_fixture->run(QStringLiteral(
        "INSERT INTO [一班语文记分册] VALUES (1,'张三',1,80,80,80,2), (2,'李四',2,NULL,0,0,3), (3,'欧阳晓明',1,95.5,95.5,95,1)"));
    m_fixture->run(Sql::createQuestioningTableFresh(QStringLiteral("一班语文课堂提问")).text);
    m_fixture->run(
        QStringLiteral("INSERT INTO [一班语文课堂提问] VALUES (2,'李四',NULL,'AB',2,9,4.0), (1,'张三','A','A',1,5,5.0)"));
}

void TstExportCommands::exportsTheViewAsShown_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<Rows>("rows");
    const QVariant null;
    QTest::newRow("questioning") << QStringLiteral("课堂提问") << 0
                                 << QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("评价"),
                                        QStringLiteral("历史"), QStringLiteral("次数"), QStringLiteral("总分"),
                                        QStringLiteral("平均")}
                                 << Rows{{1.0, QStringLiteral("张三"), QStringLiteral("A"), QStringLiteral("A"), 1.0, 5.0, 5.0},
                                        {2.0, QStringLiteral("李四"), null, QStringLiteral("AB"), 2.0, 9.0, 4.0}};
    QTest::newRow("sorted grade book, 名次 last")
        << QStringLiteral("记分册") << 1
        << QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("期中"), QStringLiteral("名次")}
        << Rows{{3.0, QStringLiteral("欧阳晓明"), 95.5, 1.0}, {1.0, QStringLiteral("张三"), 80.0, 2.0},
               {2.0, QStringLiteral("李四"), null, 3.0}};
    QTest::newRow("group totals") << QStringLiteral("记分册") << 2 << QStringList{QStringLiteral("小组"), QStringLiteral("总分")}
                                  << Rows{{1.0, 175.5}, {2.0, 0.0}};
}

void TstExportCommands::exportsTheViewAsShown()
{
    QFETCH(QString, mode);
    QFETCH(int, view);
    QFETCH(QStringList, columns);
    QFETCH(Rows, rows);
    fillGradeBook();
    m_fixture->login.mode = mode;
    const QString table = m_fixture->login.tables().currentTable();
    Dataset &query = m_fixture->query;
    if (view == 0)
        query.setQuery(Sql::showAllOrderedByNumber(table));
    else if (view == 1)
        query.setQuery(Sql::showInRankOrder(table, columns));
    else
        query.setQuery(Sql::groupTotals(table, QStringLiteral("总分"), true));
    QVERIFY(query.open().ok);
    QVERIFY(query.first());

    RecordingOpener opener;
    ExportCommands commands(m_fixture->context, *m_view, opener.opener(), m_documents->path());
    commands.N29Click();

    QCOMPARE(m_fixture->prompter.calls().size(), 0);
    QCOMPARE(opener.opened, QStringList{commands.lastWorkbook()});
    QCOMPARE(QFileInfo(commands.lastWorkbook()).absolutePath(), QDir(m_documents->path()).absolutePath());
    QVERIFY(QFileInfo(commands.lastWorkbook()).fileName().startsWith(table + QLatin1Char(' ')));
    QVERIFY(m_view->status[1].contains(QDir::toNativeSeparators(commands.lastWorkbook())));
    QCOMPARE(query.currentRow(), query.rowCount() - 1);

    QMap<QString, QVariant> expected{{QStringLiteral("A1"), table}};
    for (int c = 0; c < columns.size(); ++c)
        expected[cellName(2, c)] = columns.at(c);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c) {
            if (!rows.at(r).at(c).isNull())
                expected[cellName(r + 3, c)] = rows.at(r).at(c);
        }
    }
    const XlsxSheet sheet = readXlsxSheet(commands.lastWorkbook());
    QVERIFY(sheet.ok);
    QCOMPARE(sheet.cells, expected);
}

void TstExportCommands::emptyViewGivesTitleAndColumnNames()
{
    m_fixture->login.mode = QStringLiteral("课堂提问");
    m_fixture->run(Sql::createQuestioningTableFresh(QStringLiteral("一班语文课堂提问")).text);
    // Closed: the export opens it.
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(QStringLiteral("一班语文课堂提问")));

    RecordingOpener opener;
    ExportCommands commands(m_fixture->context, *m_view, opener.opener(), m_documents->path());
    commands.N29Click();

    const XlsxSheet sheet = readXlsxSheet(commands.lastWorkbook());
    QVERIFY(sheet.ok);
    QCOMPARE(sheet.lastRow(), 2);
    QCOMPARE(sheet.cell(QStringLiteral("A1")), QVariant(QStringLiteral("一班语文课堂提问")));
    QCOMPARE(sheet.cell(QStringLiteral("G2")), QVariant(QStringLiteral("平均")));
}

void TstExportCommands::noSpreadsheetApplicationKeepsTheWorkbook()
{
    fillGradeBook();
    m_fixture->login.mode = QStringLiteral("课堂提问");
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(QStringLiteral("一班语文课堂提问")));
    QVERIFY(m_fixture->query.open().ok);
    RecordingOpener opener;
    opener.starts = false;
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    ExportCommands commands(m_fixture->context, *m_view, opener.opener(), m_documents->path());
    commands.N29Click();

    const FakePrompter::Call &box = m_fixture->prompter.lastCall();
    QCOMPARE(box.caption, Prompter::applicationTitle());
    QCOMPARE(
        box.text, QStringLiteral("无法启动Excel\n工作簿已保存在：%1").arg(QDir::toNativeSeparators(commands.lastWorkbook())));
    QCOMPARE(box.buttons, Prompter::Buttons::Ok);
    QCOMPARE(readXlsxSheet(commands.lastWorkbook()).lastRow(), 4);
}

void TstExportCommands::workbookNamesDoNotCollide()
{
    const QDateTime when(QDate(2026, 3, 9), QTime(8, 5, 7));
    const QString first = ExportCommands::workbookPath(m_documents->path(), QStringLiteral("一班语文记分册"), when);
    QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("一班语文记分册 2026-03-09 08.05.07.xlsx"));
    QFile taken(first);
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    const QString second = ExportCommands::workbookPath(m_documents->path(), QStringLiteral("一班语文记分册"), when);
    QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("一班语文记分册 2026-03-09 08.05.07 (2).xlsx"));
}

void TstExportCommands::longTableNamesFitAFileName_data()
{
    QTest::addColumn<QString>("className");
    QTest::newRow("75 Chinese characters") << QStringLiteral("长").repeated(75);
    QTest::newRow("a character outside the basic plane at the cut")
        << QStringLiteral("长").repeated(70) + QStringLiteral("𠀀").repeated(5);
    QTest::newRow("short names stay whole") << QStringLiteral("一班");
}

void TstExportCommands::longTableNamesFitAFileName()
{
    QFETCH(QString, className);
    m_fixture->login.className = className;
    m_fixture->login.mode = QStringLiteral("课堂提问");
    const QString table = m_fixture->login.tables().currentTable();
    m_fixture->run(Sql::createQuestioningTableFresh(table).text);
    m_fixture->run(QStringLiteral("INSERT INTO [%1] ([编号],[姓名]) VALUES (1,'张三')").arg(table));
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(table));
    QVERIFY(m_fixture->query.open().ok);
    RecordingOpener opener;
    ExportCommands commands(m_fixture->context, *m_view, opener.opener(), m_documents->path());

    // Twice in the same second: the second name takes a number and still fits.
    for (int round = 0; round < 2; ++round)
        commands.N29Click();

    QCOMPARE(m_fixture->prompter.calls().size(), 0);
    QCOMPARE(opener.opened.size(), 2);
    for (const QString &path : std::as_const(opener.opened)) {
        const QString name = QFileInfo(path).fileName();
        QVERIFY2(QFile::encodeName(name).size() <= 255, qPrintable(name));
        QVERIFY2(name.endsWith(QStringLiteral(".xlsx")), qPrintable(name));
        QVERIFY(name.isValidUtf16());
        const bool whole = name.startsWith(table + QLatin1Char(' '));
        QCOMPARE(whole, className.size() < 10);
        if (!whole)
            QVERIFY2(name.startsWith(className.left(60)) && name.contains(QStringLiteral("… ")), qPrintable(name));
        QCOMPARE(readXlsxSheet(path).cell(QStringLiteral("A1")), QVariant(table));
    }
    QVERIFY(opener.opened.at(0) != opener.opened.at(1));
}

void TstExportCommands::refusalsAreChineseAndWriteNothing_data()
{
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text"); // %1: the folder
    QTest::newRow("before any login") << false << QStringLiteral("提示") << QStringLiteral("请先登录系统！");
    QTest::newRow("the folder cannot be made")
        << true << Prompter::applicationTitle() << QStringLiteral("无法创建文件夹“%1”，没有导出。");
}

void TstExportCommands::refusalsAreChineseAndWriteNothing()
{
    QFETCH(bool, loggedIn);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    fillGradeBook();
    m_fixture->login.mode = QStringLiteral("课堂提问");
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(QStringLiteral("一班语文课堂提问")));
    QVERIFY(m_fixture->query.open().ok);
    if (!loggedIn) {
        m_fixture->login.className.clear();
        m_fixture->login.subject.clear();
    }
    // A file where the folder should be: no folder can be made under it.
    QFile blocker(m_documents->filePath(QStringLiteral("文件")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = m_documents->filePath(QStringLiteral("文件/导出"));
    RecordingOpener opener;
    ExportCommands commands(m_fixture->context, *m_view, opener.opener(), loggedIn ? folder : m_documents->path());
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    commands.N29Click();

    const FakePrompter::Call &box = m_fixture->prompter.lastCall();
    QCOMPARE(box.caption, caption);
    QCOMPARE(box.text, text.contains(QStringLiteral("%1")) ? text.arg(QDir::toNativeSeparators(folder)) : text);
    QCOMPARE(box.buttons, Prompter::Buttons::Ok);
    QVERIFY(opener.opened.isEmpty());
    QVERIFY(commands.lastWorkbook().isEmpty());
    QCOMPARE(QDir(m_documents->path()).entryList(QDir::Files), QStringList{QStringLiteral("文件")});
}

void TstExportCommands::statusBarLetsTheWorkbookNameGo()
{
    fillGradeBook();
    m_fixture->login.mode = QStringLiteral("课堂提问");
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(QStringLiteral("一班语文课堂提问")));
    QVERIFY(m_fixture->query.open().ok);
    RecordingOpener opener;
    ExportCommands commands(m_fixture->context, *m_view, opener.opener(), m_documents->path());
    commands.setStatusDuration(200);
    commands.N29Click();
    QCOMPARE(m_view->status[1], QStringLiteral("已导出至 %1").arg(QDir::toNativeSeparators(commands.lastWorkbook())));
    QTRY_VERIFY(m_view->status[1].isEmpty());
    QVERIFY(m_view->status[0].isEmpty() && m_view->status[2].isEmpty());
}

QTEST_GUILESS_MAIN(TstExportCommands)
#include "TstExportCommands.moc"
