// 成绩分析 on a real database: the window's figures for a class worked out by hand, the
// window following the grade book through the main query's signals, 满分/及格/优秀 kept
// per class and subject, 保存图片 and 导出 read back.
#include "ContextFixture.h"
#include "RecordingOpener.h"
#include "ScriptedMainView.h"
#include "XlsxReader.h"
#include "analysis/AnalysisCommands.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/AnalysisWindow.h"
#include "store/BulkRows.h"
#include "store/Statements.h"

#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTable = QStringLiteral("一班语文记分册");

/// 编号, 姓名, 小组, 第1次, 第2次. 第2次: 90 65 70 88 55, 368 / 5 = 73.6; 4 of 5 reach 60,
/// 2 reach 85; squares 27994 / 5 − 73.6² = 181.84. 第1次: 赵六 missing, 308 / 4 = 77.
const QList<QVariantList> kClass{
    {1, QStringLiteral("张三"), 1, 85, 90},
    {2, QStringLiteral("李四"), 1, 72, 65},
    {3, QStringLiteral("王五"), 2, 58, 70},
    {4, QStringLiteral("赵六"), 2, QVariant(), 88},
    {5, QStringLiteral("钱七"), 3, 93, 55},
};

QStringList rowOf(const QTableWidget *table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return cells;
}

QStringList columnOf(const QTableWidget *table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells << table->item(row, column)->text();
    return cells;
}

} // namespace

class TstAnalysisCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void beforeLoginANotice();
    void figuresOfTheClassAndItsGroups();
    void followsTheGradeBook_data();
    void followsTheGradeBook();
    void studentOfTheGridsRow();
    void linesKeptPerClassAndSubject();
    void otherColumnsAndTheirFullMarks();
    void saveImage();
    void exportWritesFiguresAndCharts();
    void exportRefusalsAndNoSpreadsheet();

private:
    void createGradeBook(const QString &table, const QStringList &scoreColumns, const QList<QVariantList> &rows);
    AnalysisWindow *open();

    std::unique_ptr<ContextFixture> m_fixture;
    std::unique_ptr<ScriptedMainView> m_view;
    std::unique_ptr<QTemporaryDir> m_documents;
    RecordingOpener m_opener;
    std::unique_ptr<AnalysisCommands> m_commands;
};

void TstAnalysisCommands::init()
{
    m_fixture = std::make_unique<ContextFixture>();
    m_view = std::make_unique<ScriptedMainView>(*m_fixture);
    m_documents = std::make_unique<QTemporaryDir>();
    m_opener = RecordingOpener();
    m_commands = std::make_unique<AnalysisCommands>(m_fixture->context, *m_view, nullptr, m_opener.opener(), m_documents->path());
    m_fixture->login.className = QStringLiteral("一班");
    m_fixture->login.subject = QStringLiteral("语文");
    createGradeBook(kTable, {QStringLiteral("第1次"), QStringLiteral("第2次")}, kClass);
    QVERIFY(m_view->openGradeBookView().ok);
}

void TstAnalysisCommands::cleanup()
{
    // One connection name: the commands and the fixture go before the next test's.
    m_commands.reset();
    m_view.reset();
    m_fixture.reset();
}

void TstAnalysisCommands::createGradeBook(const QString &table, const QStringList &scoreColumns, const QList<QVariantList> &rows)
{
    Database &database = m_fixture->database;
    (void)m_fixture->query.close();
    (void)database.execute(Sql::dropTable(table));
    QVERIFY(database.execute(Sql::createGradeBookTableFresh(table)).ok);
    for (const QString &column : scoreColumns)
        QVERIFY(database.execute(Sql::addScoreColumn(table, column)).ok);
    const QStringList columns
        = QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组")} + scoreColumns;
    QVERIFY(BulkRows::insert(database, table, columns, rows).ok);
}

AnalysisWindow *TstAnalysisCommands::open()
{
    m_commands->showAnalysis();
    auto *window = static_cast<AnalysisWindow *>(m_commands->analysisWindow());
    return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

void TstAnalysisCommands::beforeLoginANotice()
{
    m_fixture->login.className.clear();
    m_fixture->login.subject.clear();
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    m_commands->showAnalysis();
    QCOMPARE(m_fixture->prompter.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(m_fixture->prompter.lastCall().text, QStringLiteral("请先登录，再分析成绩。"));
    QVERIFY(!m_commands->analysisWindow());
}

void TstAnalysisCommands::figuresOfTheClassAndItsGroups()
{
    AnalysisWindow *window = open();
    QVERIFY(window);
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("成绩分析-一班语文"));
    QCOMPARE(window->columnBox()->currentText(), QStringLiteral("第2次"));
    QCOMPARE(window->fullMarksBox()->value(), 100);
    QCOMPARE(window->passBox()->value(), 60);
    QCOMPARE(window->excellentBox()->value(), 85);

    const QTableWidget *statistics = window->statisticsTable();
    QCOMPARE(statistics->rowCount(), 4);
    QCOMPARE(rowOf(statistics, 0),
        (QStringList{QStringLiteral("全班"), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("73.60"),
            QStringLiteral("90"), QStringLiteral("55"), QStringLiteral("70"), QStringLiteral("13.48"), QStringLiteral("80.00%"),
            QStringLiteral("40.00%")}));
    // 第1组: 90 and 65; 第2组: 70 and 88; 第3组: 55 alone.
    QCOMPARE(rowOf(statistics, 1),
        (QStringList{QStringLiteral("第1组"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("77.50"),
            QStringLiteral("90"), QStringLiteral("65"), QStringLiteral("77.5"), QStringLiteral("12.50"),
            QStringLiteral("100.00%"), QStringLiteral("50.00%")}));
    QCOMPARE(rowOf(statistics, 3).mid(0, 4),
        (QStringList{QStringLiteral("第3组"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("55.00")}));
    QCOMPARE(columnOf(window->bandTable(), 1),
        (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(columnOf(window->bandTable(), 2).constFirst(), QStringLiteral("20.00%"));
    // The tables keep their laid-out texts, and look exactly as the style draws them.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (QTableWidget *table : {window->statisticsTable(), window->bandTable()}) {
        QAbstractItemDelegate *own = table->itemDelegate();
        const QImage drawn = table->viewport()->grab().toImage();
        QStyledItemDelegate style;
        table->setItemDelegate(&style);
        const bool same = drawn == table->viewport()->grab().toImage();
        table->setItemDelegate(own);
        QVERIFY2(same, qPrintable(table->accessibleName()));
    }

    // 第1次 ranks 钱七 1, 张三 2, 李四 3, 王五 4; 第2次 张三 1, 赵六 2, 王五 3, 李四 4, 钱七 5.
    QCOMPARE(window->beforeBox()->currentText(), QStringLiteral("第1次"));
    QCOMPARE(window->afterBox()->currentText(), QStringLiteral("第2次"));
    // The 名次进退 page is laid out when it is shown.
    QVERIFY(!window->leadersLabel()->isVisible());
    window->showPage(AnalysisWindow::RanksPage);
    QVERIFY(window->leadersLabel()->isVisible());
    QVERIFY(window->rankTable()->isVisible());
    QCOMPARE(
        window->leadersLabel()->text(), QStringLiteral("进步最大：张三（+1）、王五（+1）；退步最大：钱七（-4）、李四（-1）"));
    const QAbstractItemModel *ranks = window->rankTable()->model();
    QCOMPARE(ranks->rowCount(), 5);
    QCOMPARE(ranks->headerData(3, Qt::Horizontal).toString(), QStringLiteral("第1次名次"));
    const auto rankRow = [ranks](int row) {
        QStringList cells;
        for (int column = 0; column < ranks->columnCount(); ++column)
            cells << ranks->index(row, column).data().toString();
        return cells;
    };
    QCOMPARE(rankRow(0),
        (QStringList{QStringLiteral("1"), QStringLiteral("张三"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"),
            QStringLiteral("+1")}));
    QCOMPARE(rankRow(4),
        (QStringList{QStringLiteral("4"), QStringLiteral("赵六"), QStringLiteral("2"), QStringLiteral("—"), QStringLiteral("2"),
            QStringLiteral("缺考")}));
    QVERIFY(m_fixture->prompter.calls().isEmpty());

    // A second 成绩分析 brings the same window forward.
    m_commands->showAnalysis();
    QCOMPARE(m_commands->analysisWindow(), window);
}

void TstAnalysisCommands::followsTheGradeBook_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QStringList>("classRow");
    // 钱七's 55 typed over with 95: 408 / 5.
    QTest::newRow("a score typed") << 0
                                   << QStringList{QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("81.60"),
                                          QStringLiteral("95")};
    // A sixth student with 第2次 empty: one more missing, the figures unchanged.
    QTest::newRow("a batch added") << 1
                                   << QStringList{QStringLiteral("6"), QStringLiteral("1"), QStringLiteral("73.60"),
                                          QStringLiteral("90")};
    // The sorted view shows the same class.
    QTest::newRow("a sort") << 2
                            << QStringList{
                                   QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("73.60"), QStringLiteral("90")};
    QTest::newRow("a clear") << 3 << QStringList();
}

void TstAnalysisCommands::followsTheGradeBook()
{
    QFETCH(int, change);
    AnalysisWindow *window = open();
    QVERIFY(window);
    Dataset &main = m_fixture->query;
    switch (change) {
    case 0:
        QVERIFY(main.moveTo(4));
        QVERIFY(main.setValue(QStringLiteral("第2次"), QStringLiteral("95")).ok);
        break;
    case 1:
        QVERIFY(BulkRows::insert(m_fixture->database, kTable,
            {QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("第1次")}, {{6, QStringLiteral("孙八"), 60}})
                    .ok);
        QVERIFY(m_view->openGradeBookView().ok);
        break;
    case 2:
        main.setQuery(Sql::showOrderedBy(kTable, QStringLiteral("第2次"), false));
        QVERIFY(main.open().ok);
        break;
    default:
        createGradeBook(kTable, {}, kClass.mid(0, 3));
        QVERIFY(m_view->openGradeBookView().ok);
        break;
    }
    QFETCH(QStringList, classRow);
    const QTableWidget *statistics = window->statisticsTable();
    if (classRow.isEmpty()) {
        QTRY_COMPARE(statistics->rowCount(), 0);
        QCOMPARE(window->columnBox()->count(), 0);
        QCOMPARE(window->statusLabel()->text(), QStringLiteral("还没有成绩列：请先用“录入”添加一次成绩。"));
    } else {
        QTRY_COMPARE(rowOf(statistics, 0).mid(1, 4), classRow);
    }
}

void TstAnalysisCommands::studentOfTheGridsRow()
{
    AnalysisWindow *window = open();
    QVERIFY(window);
    QCOMPARE(window->studentChart()->chart()->title(), QStringLiteral("张三的成绩"));
    QVERIFY(m_fixture->query.moveTo(2));
    QCOMPARE(window->studentChart()->chart()->title(), QStringLiteral("王五的成绩"));
    // After a sort the same student is found by number and name, not by row.
    Dataset &main = m_fixture->query;
    main.setQuery(Sql::showOrderedBy(kTable, QStringLiteral("第2次"), true));
    QVERIFY(main.open().ok);
    QTRY_COMPARE(window->studentChart()->chart()->title(), QStringLiteral("张三的成绩"));
    QVERIFY(main.moveTo(1));
    QCOMPARE(window->report().scores.students().at(window->report().student).name, QStringLiteral("赵六"));
    QCOMPARE(window->studentChart()->chart()->title(), QStringLiteral("赵六的成绩"));
}

void TstAnalysisCommands::linesKeptPerClassAndSubject()
{
    createGradeBook(QStringLiteral("二班语文记分册"), {QStringLiteral("第1次")}, {{1, QStringLiteral("周九"), 1, 100}});
    QVERIFY(m_view->openGradeBookView().ok);
    AnalysisWindow *window = open();
    QVERIFY(window);
    window->fullMarksBox()->setValue(150);
    window->passBox()->setValue(50);
    QCOMPARE(m_fixture->folder.readDataFile(QStringLiteral("一班语文fenxi.qs")), QByteArray("150\r\n50\r\n85\r\n"));
    // 第2次 out of 150, passing at 75: 90 and 88 of five.
    QCOMPARE(rowOf(window->statisticsTable(), 0).at(8), QStringLiteral("40.00%"));

    m_fixture->login.className = QStringLiteral("二班");
    QVERIFY(m_view->openGradeBookView().ok);
    QTRY_COMPARE(window->windowTitle(), QStringLiteral("成绩分析-二班语文"));
    QCOMPARE(window->lines(), ScoreLines());
    window->excellentBox()->setValue(90);
    QCOMPARE(m_fixture->folder.readDataFile(QStringLiteral("二班语文fenxi.qs")), QByteArray("100\r\n60\r\n90\r\n"));

    m_fixture->login.className = QStringLiteral("一班");
    QVERIFY(m_view->openGradeBookView().ok);
    QTRY_COMPARE(window->lines(), (ScoreLines{150, 50, 85}));
    QCOMPARE(m_fixture->folder.readDataFile(QStringLiteral("一班语文fenxi.qs")), QByteArray("150\r\n50\r\n85\r\n"));

    // A file written by hand: what cannot be read takes the default.
    m_fixture->folder.writeDataFile(QStringLiteral("一班语文fenxi.qs"), QByteArray("120\r\nabc\r\n101\r\n"));
    QCOMPARE(AnalysisSettingsFile::read(m_fixture->files, QStringLiteral("一班语文fenxi.qs")), (ScoreLines{120, 60, 85}));
    QCOMPARE(AnalysisSettingsFile::read(m_fixture->files, QStringLiteral("没有这个文件.qs")), ScoreLines());
    QVERIFY(m_fixture->prompter.calls().isEmpty());
}

void TstAnalysisCommands::otherColumnsAndTheirFullMarks()
{
    m_fixture->run(QStringLiteral(
        "UPDATE [一班语文记分册] SET [合计]=[第1次]+[第2次], [平均]=([第1次]+[第2次])/2 WHERE [第1次] IS NOT NULL"));
    QVERIFY(m_view->openGradeBookView().ok);
    AnalysisWindow *window = open();
    QVERIFY(window);
    QCOMPARE(window->columnBox()->count(), 4);
    // 合计 175, 137, 128, —, 148 out of 200: passing at 120, excellent at 170.
    window->columnBox()->setCurrentText(QStringLiteral("合计"));
    Q_EMIT window->columnBox()->activated(window->columnBox()->currentIndex());
    QCOMPARE(rowOf(window->statisticsTable(), 0).mid(1, 3),
        (QStringList{QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("147.00")}));
    QCOMPARE(rowOf(window->statisticsTable(), 0).mid(8), (QStringList{QStringLiteral("100.00%"), QStringLiteral("25.00%")}));
    QCOMPARE(window->bandTable()->item(4, 0)->text(), QStringLiteral("180–200"));
    // The teacher's choice stays while the grade book changes.
    QVERIFY(m_view->openGradeBookView().ok);
    QTRY_COMPARE(window->report().analysis.column, QStringLiteral("合计"));
}

void TstAnalysisCommands::saveImage()
{
    AnalysisWindow *window = open();
    QVERIFY(window);
    const QString path = m_documents->filePath(QStringLiteral("分数段.png"));
    m_fixture->prompter.expectText(path);
    window->saveImageButton()->click();
    const FakePrompter::Call &asked = m_fixture->prompter.lastCall();
    QCOMPARE(asked.kind, FakePrompter::Call::Kind::SaveFile);
    QCOMPARE(asked.caption, QStringLiteral("保存"));
    QCOMPARE(asked.text, QStringLiteral("PNG图片(*.png)|*.png"));
    QCOMPARE(asked.defaultText, QStringLiteral("png"));
    const QImage saved(path, "PNG");
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.size(), window->bandChart()->size() * window->bandChart()->devicePixelRatio());
    QVERIFY(window->statusLabel()->text().contains(QDir::toNativeSeparators(path)));

    // No chart on 名次进退: nothing to save.
    window->showPage(AnalysisWindow::RanksPage);
    QVERIFY(!window->saveImageButton()->isEnabled());
    window->showPage(AnalysisWindow::TrendPage);
    QVERIFY(window->saveImageButton()->isEnabled());

    const QString nowhere = m_documents->filePath(QStringLiteral("没有的文件夹/走势.png"));
    m_fixture->prompter.expectText(nowhere);
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    window->saveImageButton()->click();
    QCOMPARE(m_fixture->prompter.lastCall().text, QStringLiteral("无法保存图片“%1”。").arg(QDir::toNativeSeparators(nowhere)));
    QCOMPARE(m_fixture->prompter.lastCall().icon, Prompter::Icon::Critical);
    m_fixture->prompter.expectText(std::nullopt);
    window->saveImageButton()->click();
    QCOMPARE(m_fixture->prompter.pendingReplies(), 0);
}

void TstAnalysisCommands::exportWritesFiguresAndCharts()
{
    AnalysisWindow *window = open();
    QVERIFY(window);
    QVERIFY(m_fixture->query.moveTo(2)); // 王五's line goes into the workbook too
    window->exportButton()->click();
    QVERIFY(m_fixture->prompter.calls().isEmpty());
    const QString path = m_commands->lastWorkbook();
    QCOMPARE(m_opener.opened, QStringList{path});
    QCOMPARE(QFileInfo(path).absolutePath(), QDir(m_documents->path()).absolutePath());
    QVERIFY(QFileInfo(path).fileName().startsWith(QStringLiteral("一班语文成绩分析 ")));
    QVERIFY(window->statusLabel()->text().contains(QDir::toNativeSeparators(path)));

    const XlsxSheet sheet = readXlsxSheet(path);
    QVERIFY(sheet.ok);
    QCOMPARE(sheet.cell(QStringLiteral("A1")).toString(), QStringLiteral("一班语文成绩分析：第2次"));
    QCOMPARE(sheet.cell(QStringLiteral("B2")).toDouble(), 100.0);
    QCOMPARE(sheet.cell(QStringLiteral("D2")).toDouble(), 60.0);
    QCOMPARE(sheet.cell(QStringLiteral("F2")).toDouble(), 85.0);
    QCOMPARE(sheet.cell(QStringLiteral("A4")).toString(), QStringLiteral("组别"));
    QCOMPARE(sheet.cell(QStringLiteral("J4")).toString(), QStringLiteral("优秀率"));
    QCOMPARE(sheet.cell(QStringLiteral("A5")).toString(), QStringLiteral("全班"));
    const QList<double> classFigures{5, 0, 73.6, 90, 55, 70, std::sqrt(181.84), 0.8, 0.4};
    for (int i = 0; i < classFigures.size(); ++i) {
        const QString cell = QString(QChar(u'B' + i)) + QStringLiteral("5");
        QVERIFY2(qAbs(sheet.cell(cell).toDouble() - classFigures.at(i)) < 1e-9, qPrintable(cell));
    }
    QCOMPARE(sheet.cell(QStringLiteral("A8")).toString(), QStringLiteral("第3组"));
    // The bands under the groups, then the trend with the student's scores beside it.
    QCOMPARE(sheet.cell(QStringLiteral("A10")).toString(), QStringLiteral("分数段"));
    for (int band = 0; band < 5; ++band)
        QCOMPARE(sheet.cell(QStringLiteral("B%1").arg(11 + band)).toDouble(), 1.0);
    QCOMPARE(sheet.cell(QStringLiteral("A11")).toString(), QStringLiteral("不及格(<60)"));
    QCOMPARE(sheet.cell(QStringLiteral("C17")).toString(), QStringLiteral("王五"));
    QCOMPARE(sheet.cell(QStringLiteral("A18")).toString(), QStringLiteral("第1次"));
    QCOMPARE(sheet.cell(QStringLiteral("B18")).toDouble(), 77.0);
    QCOMPARE(sheet.cell(QStringLiteral("C18")).toDouble(), 58.0);
    QCOMPARE(sheet.cell(QStringLiteral("B19")).toDouble(), 73.6);

    for (const QString &chart :
        {QStringLiteral("xl/charts/chart1.xml"), QStringLiteral("xl/charts/chart2.xml"), QStringLiteral("xl/charts/chart3.xml")})
        QVERIFY2(readZipMember(path, chart).contains("<c:chart>"), qPrintable(chart));
    QVERIFY(readZipMember(path, QStringLiteral("xl/charts/chart1.xml")).contains("<c:barChart>"));
    QVERIFY(readZipMember(path, QStringLiteral("xl/charts/chart2.xml")).contains("<c:lineChart>"));
    const QString ranks = QString::fromUtf8(readZipMember(path, QStringLiteral("xl/workbook.xml")));
    QVERIFY(ranks.contains(QStringLiteral("name=\"名次进退\"")));
}

void TstAnalysisCommands::exportRefusalsAndNoSpreadsheet()
{
    AnalysisWindow *window = open();
    QVERIFY(window);
    m_opener.starts = false;
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    window->exportButton()->click();
    const QString shown = QDir::toNativeSeparators(m_commands->lastWorkbook());
    QVERIFY(QFileInfo::exists(m_commands->lastWorkbook()));
    QCOMPARE(m_fixture->prompter.lastCall().caption, Prompter::applicationTitle());
    QCOMPARE(m_fixture->prompter.lastCall().text, QStringLiteral("无法启动Excel\n工作簿已保存在：%1").arg(shown));

    createGradeBook(kTable, {}, kClass);
    QVERIFY(m_view->openGradeBookView().ok);
    QTRY_COMPARE(window->columnBox()->count(), 0);
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    window->exportButton()->click();
    QCOMPARE(m_fixture->prompter.lastCall().text, QStringLiteral("还没有成绩列，没有可以导出的分析。"));
    QCOMPARE(m_opener.opened.size(), 1);
}

QTEST_MAIN(TstAnalysisCommands)
#include "TstAnalysisCommands.moc"
