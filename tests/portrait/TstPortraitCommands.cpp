// The portrait panel on the portrait query, which follows the main query's student:
// pictures and mottos stored under the student's name, refused files, pending changes
// saved before the query moves or closes.
#include "ContextFixture.h"
#include "ScriptedMainView.h"
#include "portrait/PortraitCommands.h"
#include "portrait/PortraitPanel.h"
#include "store/Statements.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bitmap(QColor colour)
{
    QImage image(20, 30, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray png()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class TstPortraitCommands final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sameNameSharesPortraitAcrossClasses();
    void pictureIsStoredUnderTheStudentsName_data();
    void pictureIsStoredUnderTheStudentsName();
    void notABitmapIsRefused_data();
    void notABitmapIsRefused();
    void cancelAndRunningSelectionChangeNothing();
    void mottoIsSavedBeforeTheQueryMovesOrCloses_data();
    void mottoIsSavedBeforeTheQueryMovesOrCloses();
    void mottoTakesAtMostFiftyCharacters();
    void noStudentNoRow();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    /// 范例班 as stored: name to (picture, motto).
    QMap<QString, QPair<QByteArray, QString>> portraits() const;
    void typeMotto(const QString &text);

    std::unique_ptr<ContextFixture> m_fixture;
    std::unique_ptr<ScriptedMainView> m_view;
    std::unique_ptr<PortraitPanel> m_panel;
    std::unique_ptr<PortraitCommands> m_commands;
    std::unique_ptr<QTemporaryDir> m_files;
    bool m_running = false;
};

void TstPortraitCommands::init()
{
    m_fixture = std::make_unique<ContextFixture>();
    m_view = std::make_unique<ScriptedMainView>(*m_fixture);
    m_files = std::make_unique<QTemporaryDir>();
    m_running = false;
    for (const QString &table : {QStringLiteral("一班语文课堂提问"), QStringLiteral("二班数学课堂提问")}) {
        m_fixture->run(Sql::createQuestioningTableFresh(table).text);
        m_fixture->run(QStringLiteral("INSERT INTO [%1] ([编号],[姓名]) VALUES (1,'张三'),(2,'李四'),(3,'欧阳晓明')").arg(table));
    }
    m_fixture->login.className = QStringLiteral("一班");
    m_fixture->login.subject = QStringLiteral("语文");
    m_fixture->login.mode = QStringLiteral("课堂提问");
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(QStringLiteral("一班语文课堂提问")));
    QVERIFY(m_fixture->query.open().ok);
    m_fixture->portraitQuery.setMaster(&m_fixture->query);
    m_panel = std::make_unique<PortraitPanel>(m_fixture->portraitQuery);
    m_commands = std::make_unique<PortraitCommands>(m_fixture->context, *m_view, *m_panel, [this] { return m_running; });
}

void TstPortraitCommands::cleanup()
{
    m_commands.reset();
    m_panel.reset();
    m_view.reset();
    m_fixture.reset();
}

QString TstPortraitCommands::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_files->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        QTest::qFail("cannot write the fixture file", __FILE__, __LINE__);
    return path;
}

QMap<QString, QPair<QByteArray, QString>> TstPortraitCommands::portraits() const
{
    QMap<QString, QPair<QByteArray, QString>> rows;
    QSqlQuery select(m_fixture->database.connection());
    select.exec(QStringLiteral("SELECT [姓名],[相片],[宣言] FROM [范例班]"));
    while (select.next()) {
        // A row without a name would be found by nobody: it must never be made.
        if (select.value(0).toString().trimmed().isEmpty())
            QTest::qFail("a portrait row without a name", __FILE__, __LINE__);
        rows.insert(select.value(0).toString(), {select.value(1).toByteArray(), select.value(2).toString()});
    }
    return rows;
}

void TstPortraitCommands::typeMotto(const QString &text)
{
    // Key by key, as an input method delivers Chinese (keyClicks takes Latin-1 only).
    m_panel->motto()->setFocus();
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(m_panel->motto(), &press);
    }
}

void TstPortraitCommands::sameNameSharesPortraitAcrossClasses()
{
    const QByteArray picture = bitmap(Qt::red);
    QSqlQuery insert(m_fixture->database.connection());
    insert.prepare(QStringLiteral("INSERT INTO [范例班] VALUES (?,?,?)"));
    insert.addBindValue(QStringLiteral("李四"));
    insert.addBindValue(picture);
    insert.addBindValue(QStringLiteral("天天向上"));
    QVERIFY(insert.exec());

    m_commands->ZhaopianClick();
    QVERIFY(m_commands->isShown());
    QVERIFY(m_panel->nameLabel()->text().isEmpty());
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    QCOMPARE(m_panel->nameLabel()->text(), QStringLiteral("李四"));
    QCOMPARE(m_panel->motto()->toPlainText(), QStringLiteral("天天向上"));
    QCOMPARE(m_panel->picture()->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

    // The other class's 李四 is the same student to the portrait table.
    m_fixture->query.setQuery(Sql::showAllOrderedByNumber(QStringLiteral("二班数学课堂提问")));
    QVERIFY(m_fixture->query.open().ok);
    QVERIFY(m_panel->nameLabel()->text().isEmpty());
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    QCOMPARE(m_panel->motto()->toPlainText(), QStringLiteral("天天向上"));
    QVERIFY(!m_panel->picture()->pixmap().isNull());
}

void TstPortraitCommands::pictureIsStoredUnderTheStudentsName_data()
{
    QTest::addColumn<bool>("hasRow");
    QTest::newRow("student with a portrait row") << true;
    QTest::newRow("student without one") << false;
}

void TstPortraitCommands::pictureIsStoredUnderTheStudentsName()
{
    QFETCH(bool, hasRow);
    if (hasRow)
        m_fixture->run(QStringLiteral("INSERT INTO [范例班] ([姓名],[宣言]) VALUES ('李四','旧的宣言')"));
    const QByteArray picture = bitmap(Qt::blue);
    m_commands->ZhaopianClick();
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    m_fixture->prompter.expectText(writeFile(QStringLiteral("相片.bmp"), picture));
    m_commands->DBImage1DblClick();

    const FakePrompter::Call &dialog = m_fixture->prompter.lastCall();
    QCOMPARE(dialog.kind, FakePrompter::Call::Kind::OpenFile);
    QCOMPARE(dialog.caption, QStringLiteral("打开"));
    QCOMPARE(dialog.text, QStringLiteral("位图文件(*.bmp)|*.bmp"));
    QCOMPARE(dialog.defaultText, QStringLiteral("*.bmp"));
    QCOMPARE(m_panel->nameLabel()->text(), QStringLiteral("李四"));
    QCOMPARE(m_panel->picture()->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));

    // Kept byte for byte, under the name, and shown again after moving away and back.
    const QString motto = hasRow ? QStringLiteral("旧的宣言") : QString();
    QCOMPARE(portraits(), (QMap<QString, QPair<QByteArray, QString>>{{QStringLiteral("李四"), {picture, motto}}}));
    QVERIFY(m_fixture->query.first());
    QVERIFY(m_panel->picture()->pixmap().isNull());
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    QCOMPARE(m_panel->picture()->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
}

void TstPortraitCommands::notABitmapIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a PNG picture") << png();
    QTest::newRow("text") << QByteArray("这不是图片\r\n");
    QTest::newRow("a bitmap cut short") << bitmap(Qt::red).left(20);
    QTest::newRow("empty file") << QByteArray();
}

void TstPortraitCommands::notABitmapIsRefused()
{
    QFETCH(QByteArray, bytes);
    m_fixture->run(QStringLiteral("INSERT INTO [范例班] ([姓名],[宣言]) VALUES ('张三','加油')"));
    m_commands->ZhaopianClick();
    m_fixture->prompter.expectText(writeFile(QStringLiteral("假的.bmp"), bytes));
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    m_commands->DBImage1DblClick();

    const FakePrompter::Call &box = m_fixture->prompter.lastCall();
    QCOMPARE(box.caption, QStringLiteral("提示"));
    QCOMPARE(box.text, QStringLiteral("“假的.bmp”不是位图文件，相片没有改变。"));
    QCOMPARE(m_fixture->portraitQuery.state(), Dataset::State::Browse);
    QCOMPARE(portraits(),
        (QMap<QString, QPair<QByteArray, QString>>{{QStringLiteral("张三"), {QByteArray(), QStringLiteral("加油")}}}));
}

void TstPortraitCommands::cancelAndRunningSelectionChangeNothing()
{
    m_commands->ZhaopianClick();
    m_fixture->prompter.expectText(std::nullopt);
    m_commands->DBImage1DblClick();
    QCOMPARE(m_fixture->prompter.calls().size(), 1);
    // While the race runs the double-click is ignored without a word (the fake fails on any box).
    m_running = true;
    QTest::mouseDClick(m_panel->picture(), Qt::LeftButton);
    QCOMPARE(m_fixture->prompter.calls().size(), 1);
    QVERIFY(portraits().isEmpty());
}

void TstPortraitCommands::mottoIsSavedBeforeTheQueryMovesOrCloses_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("moving to another student") << 0;
    QTest::newRow("隐藏 or 录入") << 1;
    QTest::newRow("个性图片 again") << 2;
    QTest::newRow("view switch or closing (query closed)") << 3;
}

void TstPortraitCommands::mottoIsSavedBeforeTheQueryMovesOrCloses()
{
    QFETCH(int, how);
    m_commands->ZhaopianClick();
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("欧阳晓明")));
    m_panel->show();
    typeMotto(QStringLiteral("我要好好学习"));
    QCOMPARE(m_panel->nameLabel()->text(), QStringLiteral("欧阳晓明"));
    QVERIFY(portraits().isEmpty()); // still pending
    switch (how) {
    case 0: QVERIFY(m_fixture->query.first()); break;
    case 1:
        m_commands->closePanel();
        QVERIFY(!m_commands->isShown());
        break;
    case 2: m_commands->ZhaopianClick(); break;
    default: QVERIFY(m_fixture->portraitQuery.close().ok); break;
    }
    QCOMPARE(portraits(),
        (QMap<QString, QPair<QByteArray, QString>>{
            {QStringLiteral("欧阳晓明"), {QByteArray(), QStringLiteral("我要好好学习")}}}));
}

void TstPortraitCommands::mottoTakesAtMostFiftyCharacters()
{
    m_commands->ZhaopianClick();
    m_panel->show();
    const QString sixty = QString(QStringLiteral("好")).repeated(60);
    typeMotto(sixty);
    QCOMPARE(m_panel->motto()->toPlainText(), sixty.left(50));
    m_panel->motto()->setPlainText(QStringLiteral("天").repeated(51));
    QCOMPARE(m_panel->motto()->toPlainText(), QStringLiteral("天").repeated(50));
    QVERIFY(m_commands->savePending().ok);
    QCOMPARE(portraits().value(QStringLiteral("张三")).second, QStringLiteral("天").repeated(50));
}

void TstPortraitCommands::noStudentNoRow()
{
    m_fixture->run(QStringLiteral("DELETE FROM [一班语文课堂提问]"));
    QVERIFY(m_fixture->query.open().ok);
    m_commands->ZhaopianClick();
    m_panel->show();
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    typeMotto(QStringLiteral("好"));
    QCOMPARE(m_fixture->prompter.lastCall().caption, QStringLiteral("提示"));
    QVERIFY(m_panel->motto()->toPlainText().isEmpty());
    QVERIFY(m_commands->savePending().ok);
    QVERIFY(portraits().isEmpty());
}

QTEST_MAIN(TstPortraitCommands)
#include "TstPortraitCommands.moc"
