#include "ui/ChineseTranslations.h"
#include "ui/QtPrompter.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs `look` on the modal box the prompter opens, then closes the box.
void whenTheBoxIsOpen(const std::function<void(QWidget *)> &look)
{
    QTimer::singleShot(0, [look] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        look(box);
        if (auto *dialog = qobject_cast<QDialog *>(box))
            dialog->reject();
    });
}

// Every word a teacher reads in a file dialog: captions, labels, buttons, hints, column
// titles, and the size, type and date of each entry (not the names of files and folders).
QStringList readableTexts(QFileDialog *dialog)
{
    QStringList texts{dialog->windowTitle()};
    for (QWidget *widget : dialog->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(dialog))
            continue;
        texts << widget->toolTip();
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts << button->text();
        if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && !qobject_cast<QHeaderView *>(widget)) {
            const QAbstractItemModel *model = view->model();
            const QModelIndex root = view->rootIndex();
            for (int column = 1; column < model->columnCount(root); ++column) {
                texts << model->headerData(column, Qt::Horizontal).toString();
                for (int row = 0; row < model->rowCount(root); ++row)
                    texts << model->index(row, column, root).data().toString();
            }
        }
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

/// The boxes of the running program: over the window that asked, above it, in Chinese.
class TstQtPrompter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void boxesOpenOverTheLoginDialogAtFirstStart_data();
    void boxesOpenOverTheLoginDialogAtFirstStart();
    void boxesOpenOverTheShownMainWindow();
    void fileDialogsSpeakChineseInTheDataFolder_data();
    void fileDialogsSpeakChineseInTheDataFolder();
    void openGivesBackANameThatIsNotThere();
    void messagesShowNamesAsTyped();
};

void TstQtPrompter::initTestCase()
{
    ChineseTranslations::install();
}

void TstQtPrompter::boxesOpenOverTheLoginDialogAtFirstStart_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("message box") << QStringLiteral("message");
    QTest::newRow("input box 密码") << QStringLiteral("input");
    QTest::newRow("file-open dialog") << QStringLiteral("open");
}

void TstQtPrompter::boxesOpenOverTheLoginDialogAtFirstStart()
{
    QFETCH(QString, kind);
    // The main window is still hidden while the first login runs.
    QMainWindow main;
    main.setGeometry(0, 0, 200, 150);
    QtPrompter prompter(&main);
    QDialog login(&main, Qt::Dialog | Qt::WindowStaysOnTopHint);
    login.setFixedSize(254, 191);
    login.move(300, 200);
    login.setWindowModality(Qt::ApplicationModal);
    login.show();
    QVERIFY(QTest::qWaitForWindowExposed(&login));

    QWidget *parent = nullptr;
    Qt::WindowFlags flags;
    QPoint centre;
    whenTheBoxIsOpen([&](QWidget *box) {
        parent = box->parentWidget();
        flags = box->windowFlags();
        centre = box->frameGeometry().center();
    });
    if (kind == QStringLiteral("message"))
        prompter.notice(QStringLiteral("提示"), QStringLiteral("保存密码为“123”吗?"));
    else if (kind == QStringLiteral("input"))
        QCOMPARE(prompter.input(QStringLiteral("密码"), QStringLiteral("请输入密码"), QString()), std::nullopt);
    else
        QCOMPARE(prompter.openFile(QStringLiteral("打开"), QStringLiteral("评语文件(*.qsy)|*.qsy"), QStringLiteral("*.qsy")),
            std::nullopt);

    QCOMPARE(parent, &login);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    if (kind != QStringLiteral("open")) {
        const QPoint offset = centre - login.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }
}

void TstQtPrompter::boxesOpenOverTheShownMainWindow()
{
    QMainWindow main;
    main.setGeometry(50, 40, 700, 500);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QtPrompter prompter(&main);

    QWidget *parent = nullptr;
    whenTheBoxIsOpen([&](QWidget *box) { parent = box->parentWidget(); });
    prompter.notice(QStringLiteral("提示"), QStringLiteral("请先登录系统！"));

    QCOMPARE(parent, &main);
}

void TstQtPrompter::fileDialogsSpeakChineseInTheDataFolder_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("打开") << false;
    QTest::newRow("保存") << true;
}

void TstQtPrompter::fileDialogsSpeakChineseInTheDataFolder()
{
    QFETCH(bool, save);
    QTemporaryDir program;
    const QString data = QDir(program.path()).filePath(QStringLiteral("Data"));
    QVERIFY(QDir().mkpath(data + QStringLiteral("/班级")));
    QFile comment(data + QStringLiteral("/好评.qsy"));
    QVERIFY(comment.open(QIODevice::WriteOnly));
    comment.write(QByteArray(3000, 'x'));
    comment.close();

    QtPrompter prompter;
    prompter.setStartFolder(data);
    QString folder;
    QStringList english;
    bool native = true;
    whenTheBoxIsOpen([&](QWidget *box) {
        auto *dialog = qobject_cast<QFileDialog *>(box);
        QVERIFY(dialog);
        native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        folder = dialog->directory().absolutePath();
        dialog->setViewMode(QFileDialog::Detail);
        // The folder is read in the background.
        for (int i = 0; i < 100 && !readableTexts(dialog).join(QString()).contains(QStringLiteral("文件夹")); ++i)
            QTest::qWait(20);
        const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
        for (const QString &text : readableTexts(dialog)) {
            if (word.match(text).hasMatch())
                english << text;
        }
    });
    const QString filter = QStringLiteral("评语文件(*.qsy)|*.qsy");
    if (save)
        prompter.saveFile(QStringLiteral("保存"), filter, QStringLiteral("*.qsy"));
    else
        prompter.openFile(QStringLiteral("打开"), filter, QStringLiteral("*.qsy"));

    QVERIFY(!native);
    QCOMPARE(folder, QDir(data).absolutePath());
    QCOMPARE(english, QStringList());
}

void TstQtPrompter::openGivesBackANameThatIsNotThere()
{
    QTemporaryDir folder;
    QtPrompter prompter;
    prompter.setStartFolder(folder.path());
    QStringList dialogsOwnBoxes;
    QTimer::singleShot(0, [&] {
        QPointer<QFileDialog> dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // Should the dialog answer with a box of its own, it is noted and everything closed.
        QTimer::singleShot(500, [&, dialog] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                dialogsOwnBoxes << box->text();
                box->reject();
            }
            if (dialog)
                dialog->reject();
        });
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(QStringLiteral("没有"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> path
        = prompter.openFile(QStringLiteral("打开"), QStringLiteral("名单文件(*.qsm)|*.qsm"), QStringLiteral("qsm"));
    QCOMPARE(dialogsOwnBoxes, QStringList());
    QCOMPARE(path.value_or(QString()), QDir(folder.path()).filePath(QStringLiteral("没有.qsm")));
}

void TstQtPrompter::messagesShowNamesAsTyped()
{
    QtPrompter prompter;
    const QString text = QStringLiteral("“<s>张三</s>.bmp”不是位图文件，相片没有改变。");
    QString read;
    whenTheBoxIsOpen([&](QWidget *box) {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        // What a screen reader reads is what the teacher sees.
        read = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    });
    prompter.notice(QStringLiteral("提示"), text);
    QCOMPARE(read, text);
}

QTEST_MAIN(TstQtPrompter)
#include "TstQtPrompter.moc"
