// 成绩分析 through the real main window: the grade-book menu item and toolbar button open
// one window, and what the grid and the grade-book commands do shows up in it.
#include "FakePrompter.h"
#include "ServerScratch.h"
#include "TempProgramFolder.h"
#include "analysis/AnalysisCommands.h"
#include "analysis/AnalysisWindow.h"
#include "entry/EntryCommands.h"
#include "entry/EntryGrid.h"
#include "entry/EntryPanel.h"
#include "entry/Unit6.h"
#include "gradebook/GradeBookCommands.h"
#include "gradebook/GradeBookToolbar.h"
#include "gradebook/Unit5.h"
#include "gradebook/Unit8.h"
#include "login/LoginController.h"
#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/DataFiles.h"
#include "store/Statements.h"
#include "ui/DataGrid.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

using Answer = Prompter::Answer;

namespace {

/// The main window with the login dialog replaced by a login to 一班 语文 in the grade book.
class TestWindow final : public TForm1 {
public:
    TestWindow(const QString &folder, FakePrompter &prompter)
        : TForm1(folder, prompter)
        , m_script(prompter)
    {
    }

protected:
    void runLoginDialog() override
    {
        m_script.expectAnswer(Answer::Yes); // keep the password
        m_script.expectAnswer(Answer::Yes); // make the class from 母版
        QVERIFY(LoginController(context(), *this, [this] {
            questioning().takeGradeSettings();
        }).login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeGradeBook}));
    }

private:
    FakePrompter &m_script;
};

/// Drives one of our dialogs as the teacher does who takes what it offers: its OK button.
template<typename Dialog> int pressOk(QDialog &shown)
{
    auto *dialog = qobject_cast<Dialog *>(&shown);
    if (!dialog)
        return int(QDialog::Rejected);
    dialog->okButton()->click();
    return dialog->result();
}

QString classFigure(const AnalysisWindow *window, int column)
{
    const QTableWidgetItem *item = window->statisticsTable()->item(0, column);
    return item ? item->text() : QString();
}

} // namespace

class TstAnalysisInMainWindow final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openedFromMenuAndToolbar();
    void followsWhatTheWindowDoes();
    void onTheSchoolServer();
};

void TstAnalysisInMainWindow::openedFromMenuAndToolbar()
{
    TempProgramFolder folder;
    FakePrompter prompter;
    TestWindow window(folder.path(), prompter);
    window.FormCreate();
    QCOMPARE(prompter.pendingReplies(), 0);

    QAction *item = window.menus().gradeBookAnalysis;
    QCOMPARE(item->text(), QStringLiteral("成绩分析"));
    QVERIFY(window.menus().gradeBookMenu->actions().contains(item));
    QVERIFY(!window.menus().questioningMenu->actions().contains(item));
    QVERIFY(!item->icon().isNull());
    auto *button = window.gradeBookToolbar()->findChild<QToolButton *>(QStringLiteral("analysisToolButton"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("成绩分析"));
    QCOMPARE(button->accessibleName(), QStringLiteral("成绩分析"));
    QCOMPARE(button->toolTip(), QStringLiteral("成绩统计、分数段、走势和名次进退"));
    QVERIFY(!button->icon().isNull());

    window.show();
    item->trigger();
    QTRY_VERIFY(window.analysis().analysisWindow() && window.analysis().analysisWindow()->isVisible());
    auto *analysis = static_cast<AnalysisWindow *>(window.analysis().analysisWindow());
    QCOMPARE(analysis->windowTitle(), QStringLiteral("成绩分析-一班语文"));
    QVERIFY(!analysis->isModal());
    QVERIFY(analysis->isWindow());
    QCOMPARE(analysis->parentWidget(), &window);
    // The grid stays usable: no modal window is up.
    QVERIFY(!QApplication::activeModalWidget());
    analysis->close();
    button->click();
    QTRY_VERIFY(analysis->isVisible());
    QCOMPARE(window.analysis().analysisWindow(), analysis);
    QCOMPARE(prompter.calls().size(), 2);
}

void TstAnalysisInMainWindow::followsWhatTheWindowDoes()
{
    TempProgramFolder folder;
    FakePrompter prompter;
    TestWindow window(folder.path(), prompter);
    window.FormCreate();
    prompter.clear();
    QSqlQuery sql(window.context().database.connection());
    for (const char *statement : {"ALTER TABLE [一班语文记分册] ADD COLUMN [第1次] INT NULL",
             "UPDATE [一班语文记分册] SET [第1次] = 70", "UPDATE [一班语文记分册] SET [第1次] = NULL WHERE [编号] = 2"})
        QVERIFY2(sql.exec(QString::fromUtf8(statement)), qPrintable(sql.lastError().text()));
    QVERIFY(window.openGradeBookView());
    const int students = window.context().mainQuery.rowCount();
    QVERIFY(students > 2);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.analysis().showAnalysis();
    auto *analysis = static_cast<AnalysisWindow *>(window.analysis().analysisWindow());
    QCOMPARE(classFigure(analysis, 2), QStringLiteral("1"));
    QCOMPARE(classFigure(analysis, 3), QStringLiteral("70.00"));

    // A score typed into the grid with direct modification, then Enter.
    window.toggleDirectModification();
    DataGrid *grid = window.mainGrid();
    const QModelIndex score = grid->model()->index(0, 3);
    grid->setCurrentIndex(score);
    grid->edit(score);
    auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(score));
    QVERIFY(editor);
    editor->setText(QString::number(70 + (students - 1)));
    QTest::keyClick(editor, Qt::Key_Return);
    // One student 70 + (n − 1) higher: the class average (over n − 1 scores) rises by one.
    QTRY_COMPARE(classFigure(analysis, 3), QStringLiteral("71.00"));
    window.toggleDirectModification();

    // A batch of scores from the entry panel: a second column, one score for the first student.
    prompter.expectDialog([](QDialog &dialog) {
        auto *chooser = qobject_cast<TForm6 *>(&dialog);
        if (chooser)
            chooser->scoreChoice()->setChecked(true);
        return int(chooser ? QDialog::Accepted : QDialog::Rejected);
    });
    window.entry().SpeedButton2Click();
    window.panel1()->grid()->setCellText(1, QStringLiteral("95"));
    prompter.expectDialog(pressOk<TForm8>);
    window.entry().BitBtn3Click();
    QTRY_COMPARE(analysis->columnBox()->currentText(), QStringLiteral("第2次"));
    QCOMPARE(classFigure(analysis, 2), QString::number(students - 1));
    QCOMPARE(classFigure(analysis, 3), QStringLiteral("95.00"));
    QCOMPARE(analysis->beforeBox()->currentText(), QStringLiteral("第1次"));
    // The trend, looked at for the first time now, shows both columns.
    analysis->showPage(AnalysisWindow::TrendPage);
    QCOMPARE(analysis->shownChart(), analysis->trendChart());
    QVERIFY(analysis->trendChart()->isVisible());
    const auto *trend = qobject_cast<QLineSeries *>(analysis->trendChart()->chart()->series().value(0));
    QVERIFY(trend);
    QCOMPARE(trend->points(), (QList<QPointF>{{0, 71}, {1, 95}}));
    window.hideEntryPanel();

    // A sort with ranks: the sorted view shows the same class; its first row is the student shown.
    prompter.expectDialog(pressOk<TForm5>);
    window.gradeBook().N26Click();
    QVERIFY(window.context().mainQuery.fieldNames().endsWith(QStringLiteral("名次")));
    QTRY_COMPARE(analysis->studentChart()->chart()->title(),
        window.context().mainQuery.value(QStringLiteral("姓名")).toString() + QStringLiteral("的成绩"));
    QCOMPARE(classFigure(analysis, 3), QStringLiteral("95.00"));

    // Clearing the scores leaves nothing to analyse.
    prompter.expectAnswer(Answer::Yes);
    prompter.expectText(QStringLiteral("123"));
    window.gradeBook().N27Click();
    QTRY_COMPARE(analysis->statisticsTable()->rowCount(), 0);
    QCOMPARE(analysis->columnBox()->count(), 0);
    QCOMPARE(prompter.pendingReplies(), 0);
}

void TstAnalysisInMainWindow::onTheSchoolServer()
{
    ServerScratch scratch;
    if (!scratch.isValid())
        QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
    const DatabaseUrl &url = scratch.url();
    TempProgramFolder folder;
    FakePrompter prompter;
    TestWindow window(folder.path(), prompter);
    window.useServer(
        QStringLiteral("postgresql://%1:%2@%3:%4/%5").arg(url.user, url.password, url.host).arg(url.port).arg(url.name));
    window.FormCreate();
    QVERIFY(window.context().login.isLoggedIn());
    prompter.clear();
    Database &database = window.context().database;
    const QString table = window.context().login.tables().gradeBookTable();
    QVERIFY(database.execute(Sql::addScoreColumn(table, QStringLiteral("第1次"))));
    QVERIFY(window.openGradeBookView());
    // Two scores, the other students without one (缺考): 平均分 70.
    Dataset &main = window.context().mainQuery;
    for (const auto &[row, score] : {std::pair{0, 50}, std::pair{1, 90}}) {
        QVERIFY(main.moveTo(row));
        QVERIFY(main.setValue(QStringLiteral("第1次"), score));
        QVERIFY(main.post());
    }
    window.show();
    window.analysis().showAnalysis();
    auto *analysis = static_cast<AnalysisWindow *>(window.analysis().analysisWindow());
    QCOMPARE(classFigure(analysis, 2), QString::number(main.rowCount() - 2));
    QCOMPARE(classFigure(analysis, 3), QStringLiteral("70.00"));

    // 优秀 changed in the window: kept in the server's Data table, not in the PC's Data folder.
    analysis->excellentBox()->setValue(90);
    QCOMPARE(*window.context().dataFiles.read(QStringLiteral("一班语文fenxi.qs")), QByteArray("100\r\n60\r\n90\r\n"));
    QVERIFY(!folder.hasDataFile(QStringLiteral("一班语文fenxi.qs")));
    QCOMPARE(prompter.calls().size(), 0);
}

QTEST_MAIN(TstAnalysisInMainWindow)
#include "TstAnalysisInMainWindow.moc"
