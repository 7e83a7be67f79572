// The portrait panel on the portrait query, which follows the main query's student:
// pictures and mottos stored under the student's name, refused files, pending changes
// saved before the query moves or closes.
#include "ContextFixture.h"
#include "PlainLabel.h"
#include "ScriptedMainView.h"
#include "portrait/PortraitCommands.h"
#include "portrait/PortraitPanel.h"
#include "store/Statements.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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

/// An 8-bit run-length bitmap of width × height in one colour: small as a file, large
/// as a picture. Without rows it holds only the end mark (every pixel the first colour).
QByteArray rleBitmap(int width, int height, QColor colour, bool rows = true)
{
    QByteArray data;
    if (rows) {
        for (int y = 0; y < height; ++y) {
            for (int left = width; left > 0; left -= 255) {
                data += char(std::min(left, 255));
                data += char(1);
            }
            data += QByteArray("\0\0", 2);
        }
    }
    data += QByteArray("\0\1", 2);
    QByteArray palette(256 * 4, '\0');
    palette[4] = char(colour.blue());
    palette[5] = char(colour.green());
    palette[6] = char(colour.red());
    const int offset = 14 + 40 + int(palette.size());
    QByteArray bytes(offset, '\0');
    char *header = bytes.data();
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset + data.size()), header + 2);
    qToLittleEndian<quint32>(quint32(offset), header + 10);
    qToLittleEndian<quint32>(40, header + 14);
    qToLittleEndian<qint32>(width, header + 18);
    qToLittleEndian<qint32>(height, header + 22);
    qToLittleEndian<quint16>(1, header + 26);
    qToLittleEndian<quint16>(8, header + 28);
    qToLittleEndian<quint32>(1, header + 30); // run-length, 8 bits
    qToLittleEndian<quint32>(rows ? quint32(data.size()) : 0, header + 34);
    qToLittleEndian<quint32>(256, header + 46);
    bytes.replace(14 + 40, palette.size(), palette);
    return bytes + data;
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
    void pictureBeyondQtsDecodeLimitIsTaken();
    void pictureIsReadOnceAndNotDuringARace();
    void namesArePlainText();
    void cancelAndRunningSelectionChangeNothing();
    void mottoIsSavedBeforeTheQueryMovesOrCloses_data();
    void mottoIsSavedBeforeTheQueryMovesOrCloses();
    void mottoTakesAtMostFiftyCharacters();
    void fullMottoRefusesWhatIsTypedAndKeepsTheCaret();
    void mottoTheFileRefusesIsReportedAndKept();
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
    QTest::addColumn<QString>("text");
    const QString notABitmap = QStringLiteral("“假的.bmp”不是位图文件，相片没有改变。");
    QTest::newRow("a PNG picture") << png() << notABitmap;
    QTest::newRow("text") << QByteArray("这不是图片\r\n") << notABitmap;
    QTest::newRow("a bitmap cut short") << bitmap(Qt::red).left(20) << notABitmap;
    QTest::newRow("empty file") << QByteArray() << notABitmap;
    QTest::newRow("a file that is not there") << QByteArray() << QStringLiteral("文件“假的.bmp”不存在，相片没有改变。");
    const QString truncated = QStringLiteral("“假的.bmp”不是完整的位图文件（文件不全，可能没有复制完），相片没有改变。");
    const QByteArray whole = bitmap(Qt::red);
    QTest::newRow("the first half of a bitmap") << whole.left(whole.size() / 2) << truncated;
    QTest::newRow("a bitmap short of its last byte") << whole.left(whole.size() - 1) << truncated;
    const QByteArray runs = rleBitmap(300, 200, Qt::red);
    QTest::newRow("the first half of a run-length bitmap") << runs.left(runs.size() / 2) << truncated;
    // Wider than Qt reads a bitmap.
    QTest::newRow("17000 × 300 pixels") << rleBitmap(17000, 300, Qt::red,
        false) << QStringLiteral("“假的.bmp”太大（17000×300像素），无法显示，相片没有改变。请换一张小一些的图片。");
}

void TstPortraitCommands::notABitmapIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    m_fixture->run(QStringLiteral("INSERT INTO [范例班] ([姓名],[宣言]) VALUES ('张三','加油')"));
    m_commands->ZhaopianClick();
    const QString path = writeFile(QStringLiteral("假的.bmp"), bytes);
    // A name typed into the dialog may name no file at all.
    if (QTest::currentDataTag() == QByteArray("a file that is not there"))
        QVERIFY(QFile::remove(path));
    m_fixture->prompter.expectText(path);
    m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
    m_commands->DBImage1DblClick();

    const FakePrompter::Call &box = m_fixture->prompter.lastCall();
    QCOMPARE(box.caption, QStringLiteral("提示"));
    QCOMPARE(box.text, text);
    QCOMPARE(m_fixture->portraitQuery.state(), Dataset::State::Browse);
    QCOMPARE(portraits(),
        (QMap<QString, QPair<QByteArray, QString>>{{QStringLiteral("张三"), {QByteArray(), QStringLiteral("加油")}}}));
}

void TstPortraitCommands::pictureBeyondQtsDecodeLimitIsTaken()
{
    // A 16-bit bitmap of 8200 × 8200 pixels (135 MB) takes 269 MB decoded: past what Qt
    // decodes by default (256 MB, or 128 MB in older versions).
    constexpr int kSide = 8200;
    constexpr int kRow = (kSide * 2 + 3) / 4 * 4;
    QByteArray large(54 + qsizetype(kRow) * kSide, '\0');
    char *header = large.data();
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(quint32(large.size()), header + 2);
    qToLittleEndian<quint32>(54, header + 10);
    qToLittleEndian<quint32>(40, header + 14);
    qToLittleEndian<qint32>(kSide, header + 18);
    qToLittleEndian<qint32>(kSide, header + 22);
    qToLittleEndian<quint16>(1, header + 26);
    qToLittleEndian<quint16>(16, header + 28);
    auto *pixels = reinterpret_cast<quint16 *>(header + 54);
    std::fill(pixels, pixels + (large.size() - 54) / 2, qToLittleEndian<quint16>(0x7C00)); // red, 5-5-5

    const int qtsLimit = QImageReader::allocationLimit();
    m_commands->ZhaopianClick();
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    m_fixture->prompter.expectText(writeFile(QStringLiteral("大.bmp"), large));
    m_commands->DBImage1DblClick();
    QCOMPARE(m_fixture->prompter.calls().size(), 1);
    QVERIFY(portraits().value(QStringLiteral("李四")).first == large);
    const QColor shown = m_panel->picture()->pixmap().toImage().pixelColor(60, 90);
    QVERIFY2(shown.red() > 240 && shown.green() == 0 && shown.blue() == 0, qPrintable(shown.name()));
    // Qt's own limit is as it was for every other reader.
    QCOMPARE(QImageReader::allocationLimit(), qtsLimit);
}

void TstPortraitCommands::pictureIsReadOnceAndNotDuringARace()
{
    for (const auto &[name, colour] :
        {std::pair{QStringLiteral("张三"), QColor(Qt::red)}, {QStringLiteral("李四"), QColor(Qt::blue)}}) {
        QSqlQuery insert(m_fixture->database.connection());
        insert.prepare(QStringLiteral("INSERT INTO [范例班] VALUES (?,?,?)"));
        insert.addBindValue(name);
        insert.addBindValue(bitmap(colour));
        insert.addBindValue(QString());
        QVERIFY(insert.exec());
    }
    m_commands->ZhaopianClick();
    QCOMPARE(m_panel->picture()->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

    // A race moves every 10 ms: a picture not yet read waits until the rows stop.
    m_running = true;
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    QCOMPARE(m_panel->nameLabel()->text(), QStringLiteral("李四"));
    QVERIFY(m_panel->picture()->pixmap().isNull());
    QTest::qWait(150);
    QVERIFY(m_panel->picture()->pixmap().isNull());
    // 张三's was read before: shown at once, race or not.
    QVERIFY(m_fixture->query.first());
    QCOMPARE(m_panel->picture()->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
    QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("李四")));
    m_running = false;
    QTRY_COMPARE(m_panel->picture()->pixmap().toImage().pixelColor(5, 5), QColor(Qt::blue));
}

void TstPortraitCommands::namesArePlainText()
{
    m_fixture->run(QStringLiteral("UPDATE [一班语文课堂提问] SET [姓名]='<s>张三' WHERE [编号]=1"));
    m_fixture->run(QStringLiteral("INSERT INTO [范例班] ([姓名],[宣言]) VALUES ('<s>张三','加油')"));
    QVERIFY(m_fixture->query.open().ok);
    m_commands->ZhaopianClick();
    QCOMPARE(m_panel->nameLabel()->text(), QStringLiteral("<s>张三"));
    // As wide as the same text set as plain text: no markup was taken from it.
    QCOMPARE(m_panel->nameLabel()->sizeHint(), plainTextSize(*m_panel->nameLabel()));
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

void TstPortraitCommands::fullMottoRefusesWhatIsTypedAndKeepsTheCaret()
{
    m_commands->ZhaopianClick();
    m_panel->show();
    QPlainTextEdit *motto = m_panel->motto();
    const QString full = QStringLiteral("好").repeated(20) + QStringLiteral("学").repeated(30);
    typeMotto(full);
    QTextCursor caret = motto->textCursor();
    caret.setPosition(10);
    motto->setTextCursor(caret);

    typeMotto(QStringLiteral("天"));
    QCOMPARE(motto->toPlainText(), full);
    QCOMPARE(motto->textCursor().position(), 10);

    // With room for three, a paste of five gives its first three, the caret after them.
    QTest::keyClick(motto, Qt::Key_Backspace);
    QTest::keyClick(motto, Qt::Key_Backspace);
    QTest::keyClick(motto, Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("一二三四五"));
    QTest::keySequence(motto, QKeySequence::Paste);
    const QString pasted = QStringLiteral("好").repeated(7) + QStringLiteral("一二三") + full.mid(10);
    QCOMPARE(motto->toPlainText(), pasted);
    QCOMPARE(motto->textCursor().position(), 10);
    QVERIFY(m_commands->savePending().ok);
    QCOMPARE(portraits().value(QStringLiteral("张三")).second, pasted);
}

void TstPortraitCommands::mottoTheFileRefusesIsReportedAndKept()
{
    // Another program holds the file past the busy timeout.
    QSqlQuery shortWait(m_fixture->database.connection());
    QVERIFY(shortWait.exec(QStringLiteral("PRAGMA busy_timeout = 100")));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other program"));
        other.setDatabaseName(m_fixture->paths.databaseFile());
        QVERIFY(other.open());
        QSqlQuery hold(other);
        QVERIFY2(hold.exec(QStringLiteral("BEGIN IMMEDIATE")), qPrintable(hold.lastError().text()));

        m_commands->ZhaopianClick();
        QVERIFY(m_fixture->query.locate(QStringLiteral("姓名"), QStringLiteral("欧阳晓明")));
        m_panel->show();
        typeMotto(QStringLiteral("我要好好学习"));
        m_fixture->prompter.expectAnswer(Prompter::Answer::Ok);
        QVERIFY(m_fixture->query.first());

        QTRY_COMPARE(m_fixture->prompter.calls().size(), 1);
        const FakePrompter::Call &box = m_fixture->prompter.lastCall();
        QCOMPARE(box.caption, Prompter::applicationTitle());
        QVERIFY2(box.text.startsWith(QStringLiteral("“欧阳晓明”的个性宣言没有保存：")), qPrintable(box.text));
        // The panel still shows whose motto it is, with the text as typed.
        QCOMPARE(m_panel->nameLabel()->text(), QStringLiteral("欧阳晓明"));
        QCOMPARE(m_panel->motto()->toPlainText(), QStringLiteral("我要好好学习"));
        QVERIFY(portraits().isEmpty());
        QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other program"));

    // The next move saves it and follows.
    QVERIFY(m_fixture->query.next());
    QCOMPARE(portraits(),
        (QMap<QString, QPair<QByteArray, QString>>{
            {QStringLiteral("欧阳晓明"), {QByteArray(), QStringLiteral("我要好好学习")}}}));
    QCOMPARE(m_panel->nameLabel()->text(), QString());
    QCOMPARE(m_fixture->prompter.calls().size(), 1);
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
