#include "Gb2312Corpus.h"
#include "GbkLines.h"
#include "entry/TemplateFile.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>

using namespace Qt::StringLiterals;

namespace {
void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readRaw(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TstTemplateFile final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void gridFormIsTwoHundredLines();
    void memoFormKeepsTheTextWithCrLf_data();
    void memoFormKeepsTheTextWithCrLf();
    void unencodableTextIsRefused();
    void readingSplitsEveryKindOfBreak_data();
    void readingSplitsEveryKindOfBreak();
    void readingDecodes_data();
    void readingDecodes();
    void oversizedOrMissingFilesAreNotRead();
    void failedWriteNamesTheFileAndKeepsTheOldOne();
    void corpusReadsBack_data();
    void corpusReadsBack();
    void filesThatAreNotTextAreNotRead_data();
    void filesThatAreNotTextAreNotRead();
    void killBeforeTheRenameLeavesNoCopyForEver();
    void copiesOfOthersAreLeftAlone();
};

void TstTemplateFile::gridFormIsTwoHundredLines()
{
    const std::optional<QByteArray> bytes = TemplateFile::gridBytes({u"甲"_s, u"乙"_s, u"丙"_s, QString(), QString()});
    QVERIFY(bytes);
    QCOMPARE(*bytes, gbk(u"甲\r\n乙\r\n丙\r\n"_s) + QByteArray("\r\n").repeated(197));
    QCOMPARE(bytes->count("\r\n"), 200);

    // A full grid: line 199 holds row 199, line 200 stays empty.
    QStringList full;
    for (int row = 1; row <= 199; ++row)
        full << QString::number(row);
    const QByteArray fullBytes = TemplateFile::gridBytes(full).value_or(QByteArray());
    QVERIFY(fullBytes.endsWith("\r\n199\r\n\r\n"));
    QCOMPARE(fullBytes.count("\r\n"), 200);
}

void TstTemplateFile::memoFormKeepsTheTextWithCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no final break") << u"甲\n乙\n丙"_s << gbk(u"甲\r\n乙\r\n丙"_s);
    QTest::newRow("final break kept") << u"甲\n乙\n"_s << gbk(u"甲\r\n乙\r\n"_s);
    QTest::newRow("empty lines kept") << u"\n\n甲"_s << gbk(u"\r\n\r\n甲"_s);
    QTest::newRow("CR LF not doubled") << u"甲\r\n乙\r丙"_s << gbk(u"甲\r\n乙\r\n丙"_s);
    QTest::newRow("blanks kept") << u" 甲 "_s << gbk(u" 甲 "_s);
    QTest::newRow("empty") << QString() << QByteArray();
}

void TstTemplateFile::memoFormKeepsTheTextWithCrLf()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TemplateFile::memoBytes(text).value_or("refused"), bytes);
}

void TstTemplateFile::unencodableTextIsRefused()
{
    QString error;
    QVERIFY(!TemplateFile::memoBytes(u"甲\n😀"_s, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!TemplateFile::gridBytes({u"甲"_s, u"😀"_s}, &error));
    QVERIFY(!error.isEmpty());
}

void TstTemplateFile::readingSplitsEveryKindOfBreak_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << gbk(u"甲\r\n乙\r\n"_s) << QStringList{u"甲"_s, u"乙"_s};
    QTest::newRow("LF") << gbk(u"甲\n乙"_s) << QStringList{u"甲"_s, u"乙"_s};
    QTest::newRow("CR") << gbk(u"甲\r乙\r"_s) << QStringList{u"甲"_s, u"乙"_s};
    QTest::newRow("mixed with empty lines") << gbk(u"甲\r\n\r\r\n乙\n\n"_s)
                                            << QStringList{u"甲"_s, QString(), QString(), u"乙"_s, QString()};
    QTest::newRow("empty file") << QByteArray() << QStringList();
}

void TstTemplateFile::readingSplitsEveryKindOfBreak()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"名单.qsm"_s);
    writeRaw(path, bytes);
    const std::optional<QString> text = TemplateFile::readText(path);
    QVERIFY(text);
    QCOMPARE(TemplateFile::lines(*text), lines);
}

void TstTemplateFile::readingDecodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("GBK") << gbk(u"张三\r\n李四"_s) << u"张三\r\n李四"_s;
    QTest::newRow("UTF-8") << u"张三\r\n李四"_s.toUtf8() << u"张三\r\n李四"_s;
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + u"张三\n李四"_s.toUtf8() << u"张三\n李四"_s;
    QTest::newRow("ASCII") << QByteArray("A\r\nB") << u"A\r\nB"_s;
}

void TstTemplateFile::readingDecodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.qsm"_s);
    writeRaw(path, bytes);
    QCOMPARE(TemplateFile::readText(path).value_or(u"unread"_s), text);
}

void TstTemplateFile::oversizedOrMissingFilesAreNotRead()
{
    QTemporaryDir dir;
    const QString limit = dir.filePath(u"limit.qsm"_s);
    writeRaw(limit, QByteArray(TemplateFile::kMaxBytes, 'A'));
    QVERIFY(TemplateFile::readText(limit));
    const QString large = dir.filePath(u"clip.avi"_s);
    writeRaw(large, QByteArray(TemplateFile::kMaxBytes + 1, 'A'));
    QVERIFY(!TemplateFile::readText(large));
    QVERIFY(!TemplateFile::readText(dir.filePath(u"missing.qsm"_s)));
    QVERIFY(!TemplateFile::readText(dir.path()));
}

void TstTemplateFile::failedWriteNamesTheFileAndKeepsTheOldOne()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"名单.qsm"_s);
    QVERIFY(TemplateFile::write(path, gbk(u"旧"_s)));
    QVERIFY(TemplateFile::write(path, gbk(u"新"_s)));
    QCOMPARE(readRaw(path), gbk(u"新"_s));
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"名单.qsm"_s});

    const QString badName = dir.filePath(u"没有的文件夹/名单.qsm"_s);
    const Result refused = TemplateFile::write(badName, gbk(u"新"_s));
    QVERIFY(!refused);
    QVERIFY(refused.error.contains(QDir::toNativeSeparators(badName)));

    // A read-only folder: the old file stays as it was. (The superuser writes anyway.)
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const Result readOnly = TemplateFile::write(path, gbk(u"更新"_s));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (readOnly)
        QSKIP("the folder stays writable for this user");
    QVERIFY(readOnly.error.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(readRaw(path), gbk(u"新"_s));
}

void TstTemplateFile::corpusReadsBack_data()
{
    QTest::addColumn<int>("form");
    for (const auto &[form, name] : Gb2312Corpus::forms())
        QTest::newRow(name) << int(form);
}

void TstTemplateFile::corpusReadsBack()
{
    QFETCH(int, form);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"一班语文名单默认模板.qs"_s);
    // Every level-1 character in a roster of one-, two- and three-character names, and
    // names alone in a file (each name alone is read by the store's own test).
    const QStringList names = Gb2312Corpus::names(1) + Gb2312Corpus::names(2) + Gb2312Corpus::names(3);
    writeRaw(path, Gb2312Corpus::bytes(names.join(u"\r\n"_s), Gb2312Corpus::Form(form)));
    QCOMPARE(TemplateFile::lines(TemplateFile::readText(path).value_or(QString())), names);
    for (const QString &name : {u"郑梅"_s, u"毛卢"_s, u"陈"_s, u"叶小英"_s}) {
        writeRaw(path, Gb2312Corpus::bytes(name, Gb2312Corpus::Form(form)));
        QCOMPARE(TemplateFile::readText(path), std::optional<QString>(name));
    }
}

void TstTemplateFile::filesThatAreNotTextAreNotRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::newRow("Notepad's Unicode (UTF-16 LE)")
        << Gb2312Corpus::bytes(u"张三\r\n李四\r\n"_s, Gb2312Corpus::Form::Utf16LittleEndian) << true;
    QTest::newRow("UTF-16 BE") << Gb2312Corpus::bytes(u"张三\r\n李四\r\n"_s, Gb2312Corpus::Form::Utf16BigEndian) << true;
    QTest::newRow("UTF-16 without a mark") << QByteArray("\x20\x5F\x09\x4E\x0D\x00\x0A\x00", 8) << false;
    QTest::newRow("NUL between names") << gbk(u"张三"_s) + QByteArray(1, '\0') + gbk(u"\r\n李四\r\n"_s) << false;
    QTest::newRow("a bitmap") << QByteArray("BM\x36\x00\x0C\x00\x00\x00", 8) << false;
    QTest::newRow("form feed") << gbk(u"张三\f李四"_s) << false;
}

void TstTemplateFile::filesThatAreNotTextAreNotRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"名单.qsm"_s);
    writeRaw(path, bytes);
    QCOMPARE(TemplateFile::readText(path), read ? std::optional<QString>(u"张三\r\n李四\r\n"_s) : std::nullopt);
}

void TstTemplateFile::killBeforeTheRenameLeavesNoCopyForEver()
{
    if (QStandardPaths::findExecutable(u"strace"_s).isEmpty())
        QSKIP("strace is not installed");
    QTemporaryDir dir;
    const QString name = u"一班语文名单默认模板.qs"_s;
    const QString path = dir.filePath(name);
    QVERIFY(TemplateFile::write(path, gbk(u"旧名单"_s)));

    // Killed just before the copy it wrote is renamed over the file.
    QProcess driver;
    driver.start(u"strace"_s,
        {u"-f"_s, u"-o"_s, u"/dev/null"_s, u"-e"_s, u"inject=rename,renameat,renameat2:signal=SIGKILL"_s,
            QStringLiteral(QS_TEMPLATE_WRITE_DRIVER), path, u"新名单"_s});
    QVERIFY(driver.waitForFinished(60000));
    QCOMPARE(readRaw(path), gbk(u"旧名单"_s));
    QVERIFY2(QDir(dir.path()).entryList(QDir::Files).size() == 2, "the kill left no copy: it came too early or too late");

    QVERIFY(TemplateFile::write(path, gbk(u"新名单"_s)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QCOMPARE(readRaw(path), gbk(u"新名单"_s));
}

void TstTemplateFile::copiesOfOthersAreLeftAlone()
{
    QTemporaryDir dir;
    const QString name = u"一班语文名单默认模板.qs"_s;
    const QString path = dir.filePath(name);
    QVERIFY(TemplateFile::write(path, gbk(u"甲"_s)));
    // A teacher's own copy, and a copy that another program is writing at this moment
    // (it holds the copy locked).
    const QString own = name + u".backup"_s;
    writeRaw(dir.filePath(own), gbk(u"甲"_s));
    const QString busy = name + u".AbCdEf.tmp"_s;
    QFile other(dir.filePath(busy));
    QVERIFY(other.open(QIODevice::WriteOnly));
    QCOMPARE(::flock(other.handle(), LOCK_EX | LOCK_NB), 0);

    QVERIFY(TemplateFile::write(path, gbk(u"乙"_s)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{name, busy, own}));
    QCOMPARE(readRaw(path), gbk(u"乙"_s));

    // Once that program is gone its copy is stale.
    other.close();
    QVERIFY(TemplateFile::write(path, gbk(u"丙"_s)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{name, own}));
}

QTEST_GUILESS_MAIN(TstTemplateFile)
#include "TstTemplateFile.moc"
