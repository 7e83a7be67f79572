#include "FakePrompter.h"
#include "ServerScratch.h"
#include "TempProgramFolder.h"
#include "login/Laopo.h"
#include "login/LoginController.h"
#include "questioning/QuestioningCommands.h"
#include "questioning/QuestioningToolbar.h"
#include "shell/Unit2.h"
#include "shell/Unit4.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/DatasetModel.h"
#include "store/TableNames.h"
#include "ui/AnimationControl.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using Answer = Prompter::Answer;

namespace {

/// The main window whose login dialog logs in to 一班 语文 at once, answering the first
/// login's two questions when told to.
class LoggingInWindow final : public TForm1 {
public:
    LoggingInWindow(DataPaths paths, FakePrompter &prompter, bool firstLogin)
        : TForm1(std::move(paths), prompter)
        , m_prompter(prompter)
        , m_firstLogin(firstLogin)
    {
    }

protected:
    void runLoginDialog() override
    {
        if (m_firstLogin) {
            m_prompter.expectAnswer(Answer::Yes);
            m_prompter.expectAnswer(Answer::Yes);
        }
        QVERIFY(LoginController(context(), *this, [this] {
            questioning().takeGradeSettings();
        }).login({QStringLiteral("一班"), QStringLiteral("语文"), QStringLiteral("123"), kModeQuestioning}));
    }

private:
    FakePrompter &m_prompter;
    bool m_firstLogin;
};

/// Every file under a folder with its size and time, to see that nothing changed there.
QStringList snapshot(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        files << QStringLiteral("%1 %2 %3").arg(file.filePath()).arg(file.size()).arg(file.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

/// An installed program: the shipped files in one folder, the user's data folder in a
/// scratch home, and what the shipped folder held before.
struct InstalledLayout {
    const TempProgramFolder shipped;
    const QStringList before = snapshot(shipped.path());
    const QTemporaryDir home;
    const QString user = home.filePath(QStringLiteral(".local/share/qingsui"));
    const DataPaths paths{user, shipped.path(), DataPaths::Location::UserFolder};
};

} // namespace

/// The main window on a data folder apart from the program: a per-user folder seeded from
/// the shipped files, the About box naming it; and the start-up that shows the login dialog
/// before the window builds its widgets.
class TstDataFolders final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowIsBuiltWhenTheFirstLoginNeedsIt_data();
    void windowIsBuiltWhenTheFirstLoginNeedsIt();
    void lessonInUserFolderLeavesShippedFilesAlone();
    void serverKeepsNoRecordInUserFolder();
    void aboutBoxNamesTheFolderInUse_data();
    void aboutBoxNamesTheFolderInUse();
};

void TstDataFolders::lessonInUserFolderLeavesShippedFilesAlone()
{
    const InstalledLayout installed;
    const QString &user = installed.user;
    const DataPaths &paths = installed.paths;
    {
        FakePrompter prompter;
        LoggingInWindow window(paths, prompter, true);
        window.FormCreate();
        QCOMPARE(prompter.pendingReplies(), 0);
        QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));
        QVERIFY(window.context().database.tableExists(QStringLiteral("一班语文课堂提问")));
    }
    QVERIFY(QFileInfo::exists(user + QStringLiteral("/Record.mdb")));
    QVERIFY(QFileInfo::exists(user + QStringLiteral("/Data/一班语文denglu.qs")));
    QVERIFY(QFileInfo::exists(user + QStringLiteral("/Data/一班语文Moren.qs")));
    QCOMPARE(snapshot(installed.shipped.path()), installed.before);

    // The next start finds the class and its password: no question is asked.
    FakePrompter prompter;
    LoggingInWindow again(paths, prompter, false);
    again.FormCreate();
    QCOMPARE(prompter.pendingReplies(), 0);
    QCOMPARE(again.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));
    QVERIFY(again.context().mainQuery.rowCount() > 0);
}

void TstDataFolders::serverKeepsNoRecordInUserFolder()
{
    ServerScratch scratch;
    if (!scratch.isValid())
        QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
    const DatabaseUrl &url = scratch.url();
    const InstalledLayout installed;
    const QString &user = installed.user;
    const DataPaths &paths = installed.paths;

    FakePrompter prompter;
    LoggingInWindow window(paths, prompter, true);
    window.useServer(
        QStringLiteral("postgresql://%1:%2@%3:%4/%5").arg(url.user, url.password, url.host).arg(url.port).arg(url.name));
    window.FormCreate();
    QCOMPARE(prompter.pendingReplies(), 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));

    // The shipped lists are the server's first Data files; the password went there too.
    const DataFolder shippedData(paths.shippedDataFolder());
    QCOMPARE(*window.context().dataFiles.read(QStringLiteral("xueke.qs")), *shippedData.read(QStringLiteral("xueke.qs")));
    QVERIFY(window.context().dataFiles.exists(QStringLiteral("一班语文denglu.qs")));
    // Nothing of the class on this PC: no Record.mdb, an empty Data folder for the dialogs.
    QVERIFY(!QFileInfo::exists(user + QStringLiteral("/Record.mdb")));
    QVERIFY(QFileInfo(paths.dataFolder()).isDir());
    QCOMPARE(QDir(paths.dataFolder()).entryList(QDir::Files), QStringList());
    QCOMPARE(snapshot(installed.shipped.path()), installed.before);

    QString shown;
    prompter.expectDialog([&shown](QDialog &dialog) {
        if (auto *about = qobject_cast<TForm4 *>(&dialog))
            shown = about->dataPlace()->text();
        return int(QDialog::Accepted);
    });
    window.N7Click();
    QCOMPARE(shown, QStringLiteral("数据库：服务器 %1").arg(url.shown()));
}

void TstDataFolders::aboutBoxNamesTheFolderInUse_data()
{
    QTest::addColumn<int>("location");
    QTest::addColumn<QString>("caption");
    QTest::newRow("program folder") << int(DataPaths::Location::ProgramFolder) << QStringLiteral("数据保存在程序文件夹：");
    QTest::newRow("per-user folder") << int(DataPaths::Location::UserFolder) << QStringLiteral("数据保存在个人数据文件夹：");
    QTest::newRow("chosen folder") << int(DataPaths::Location::ChosenFolder) << QStringLiteral("数据保存在指定的数据文件夹：");
}

void TstDataFolders::aboutBoxNamesTheFolderInUse()
{
    QFETCH(int, location);
    QFETCH(QString, caption);
    const TempProgramFolder shipped;
    // Long enough that it must be cut to fit the box.
    const QString root
        = QStringLiteral("/home/teacher/一个很长的文件夹名字/又一个很长的文件夹名字/还有一层文件夹/青穗多媒体教学助手的数据");
    const DataPaths paths = location == int(DataPaths::Location::ProgramFolder)
        ? DataPaths(shipped.path())
        : DataPaths(root, shipped.path(), DataPaths::Location(location));
    FakePrompter prompter;
    TForm1 window(paths, prompter);
    bool checked = false;
    prompter.expectDialog([&](QDialog &dialog) {
        auto *about = qobject_cast<TForm4 *>(&dialog);
        if (!about)
            return int(QDialog::Rejected);
        about->show();
        const QLabel *label = about->dataPlace();
        const QString shown = QDir::toNativeSeparators(paths.dataRoot());
        checked = about->size() == QSize(271, 141) && label->isVisible() && label->text().startsWith(caption)
            && label->toolTip() == shown && label->accessibleName() == caption + shown
            && about->rect().contains(label->geometry()) && label->heightForWidth(label->width()) <= label->height()
            && !label->geometry().intersects(about->picture()->geometry());
        return int(QDialog::Accepted);
    });
    window.N7Click();
    QVERIFY(checked);
}

void TstDataFolders::windowIsBuiltWhenTheFirstLoginNeedsIt_data()
{
    QTest::addColumn<bool>("logIn");
    QTest::newRow("确定") << true;
    QTest::newRow("closed without logging in") << false;
}

void TstDataFolders::windowIsBuiltWhenTheFirstLoginNeedsIt()
{
    QFETCH(bool, logIn);
    const TempProgramFolder folder;
    FakePrompter prompter;
    TForm1 window(DataPaths(folder.path()), prompter, nullptr, TForm1::Build::WhenLoginNeedsIt);
    QVERIFY(!window.isBuilt());

    bool exposed = false;
    bool builtWhileShown = true;
    prompter.expectDialog([&](QDialog &dialog) {
        auto *login = qobject_cast<TForm3 *>(&dialog);
        if (!login)
            return int(QDialog::Rejected);
        dialog.show();
        exposed = QTest::qWaitForWindowExposed(&dialog);
        builtWhileShown = window.isBuilt();
        if (!logIn)
            return int(QDialog::Rejected);
        dialog.findChild<QComboBox *>(QStringLiteral("ComboBox2"))->setEditText(QStringLiteral("一班"));
        dialog.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setEditText(QStringLiteral("语文"));
        dialog.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("123"));
        prompter.expectAnswer(Answer::Yes);
        prompter.expectAnswer(Answer::Yes);
        login->Button1Click();
        return dialog.result();
    });
    window.FormCreate();

    QCOMPARE(prompter.pendingReplies(), 0);
    QVERIFY(exposed);
    QVERIFY(!builtWhileShown);
    QVERIFY(window.isBuilt());
    QCOMPARE(window.questioningToolbar()->selectionClip()->fileName(), folder.path() + QStringLiteral("/xuan.avi"));
    if (logIn) {
        QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手-一班语文课堂提问"));
        QVERIFY(window.gridModel()->rowCount() > 0);
    } else {
        QCOMPARE(window.windowTitle(), QStringLiteral("青穗多媒体教学助手"));
    }
}

QTEST_MAIN(TstDataFolders)
#include "TstDataFolders.moc"
