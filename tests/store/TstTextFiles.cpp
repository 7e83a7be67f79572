#include "store/Gbk.h"
#include "store/LineFile.h"
#include "store/ListFile.h"
#include "store/PasswordFile.h"
#include "store/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstTextFiles final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();

    void gbkBytes_data();
    void gbkBytes();
    void unencodableTextIsRefusedAndNothingWritten();
    void splitLines_data();
    void splitLines();
    void writeLinesEndsEveryLineWithCrLf();
    void listFileRules();
    void settingsFileUsesFirstEightLines_data();
    void settingsFileUsesFirstEightLines();
    void passwordToken_data();
    void passwordToken();
    void passwordRefusal_data();
    void passwordRefusal();
    void passwordIsWrittenAsBytesOnly();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void writeBytes(const QString &name, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstTextFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TstTextFiles::writeBytes(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TstTextFiles::readBytes(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TstTextFiles::gbkBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("一班") << QStringLiteral("一班") << QByteArray("\xD2\xBB\xB0\xE0");
    QTest::newRow("堃") << QStringLiteral("堃") << QByteArray("\x88\xD2");
    QTest::newRow("喆") << QStringLiteral("喆") << QByteArray("\x86\xB4");
    QTest::newRow("ASCII") << QStringLiteral("kesmora 1") << QByteArray("kesmora 1");
}

void TstTextFiles::gbkBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Gbk::encode(text), std::optional<QByteArray>(bytes));
    QCOMPARE(Gbk::decode(bytes), text);
}

void TstTextFiles::unencodableTextIsRefusedAndNothingWritten()
{
    const QString emoji = QStringLiteral("张三\U0001F600");
    QVERIFY(!Gbk::encode(emoji));
    QVERIFY(Gbk::unencodableMessage(emoji).contains(QStringLiteral("\U0001F600")));

    writeBytes(QStringLiteral("banji.qs"), "old\r\n");
    const Result written = LineFile::write(path(QStringLiteral("banji.qs")), {QStringLiteral("一班"), emoji});
    QVERIFY(!written.ok);
    QCOMPARE(written.error, Gbk::unencodableMessage(emoji));
    QCOMPARE(readBytes(QStringLiteral("banji.qs")), QByteArray("old\r\n"));

    QVERIFY(!PasswordFile::write(path(QStringLiteral("p.qs")), QStringLiteral("\U0001F600")));
    QVERIFY(!QFile::exists(path(QStringLiteral("p.qs"))));
}

void TstTextFiles::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    const QStringList ab{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << ab;
    QTest::newRow("LF") << QStringLiteral("a\nb\n") << ab;
    QTest::newRow("CR") << QStringLiteral("a\rb\r") << ab;
    QTest::newRow("no final break") << QStringLiteral("a\r\nb") << ab;
    QTest::newRow("mixed") << QStringLiteral("a\rb\nc\r\n")
                           << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("empty lines") << QStringLiteral("\r\na\n\n\r\r\n")
                                 << QStringList{QString(), QStringLiteral("a"), QString(), QString(), QString()};
    QTest::newRow("LF CR is two breaks") << QStringLiteral("a\n\rb")
                                         << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("only a break") << QStringLiteral("\r\n") << QStringList{QString()};
}

void TstTextFiles::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(LineFile::splitLines(text), lines);
}

void TstTextFiles::writeLinesEndsEveryLineWithCrLf()
{
    QVERIFY(LineFile::write(path(QStringLiteral("xueke.qs")), {QStringLiteral("语文"), QString(), QStringLiteral("堃")}));
    QCOMPARE(readBytes(QStringLiteral("xueke.qs")), QByteArray("\xD3\xEF\xCE\xC4\r\n\r\n\x88\xD2\r\n"));
    QVERIFY(LineFile::write(path(QStringLiteral("empty.qs")), {}));
    QCOMPARE(readBytes(QStringLiteral("empty.qs")), QByteArray());

    writeBytes(QStringLiteral("lf.qs"), "\xD2\xBB\xB0\xE0\n\x88\xD2");
    QCOMPARE(LineFile::read(path(QStringLiteral("lf.qs"))).value,
        std::optional<QStringList>({QStringLiteral("一班"), QStringLiteral("堃")}));

    const ReadResult<QStringList> missing = LineFile::read(path(QStringLiteral("missing.qs")));
    QVERIFY(!missing);
    QVERIFY(missing.error.contains(QStringLiteral("missing.qs")));
    const Result unwritable = LineFile::write(path(QStringLiteral("no/such/folder.qs")), {QStringLiteral("a")});
    QVERIFY(!unwritable.ok);
    QVERIFY(unwritable.error.contains(QStringLiteral("folder.qs")));
}

void TstTextFiles::listFileRules()
{
    const QStringList lines{QStringLiteral("二班"), QStringLiteral("一班"), QString(), QStringLiteral("一班")};
    const auto listAfter = [this, &lines](bool putFirst, const QString &name, bool missingFile = false) {
        const QString list = path(QStringLiteral("list.qs"));
        QFile::remove(list);
        if (!missingFile)
            (void)LineFile::write(list, lines);
        const ListFile::Rewrite done = putFirst ? ListFile::putFirst(list, name) : ListFile::removeAll(list, name);
        return done.result ? LineFile::read(list).value.value_or(QStringList()) : QStringList{QStringLiteral("failed")};
    };
    QCOMPARE(listAfter(true, QStringLiteral("一班")), (QStringList{QStringLiteral("一班"), QStringLiteral("二班"), QString()}));
    QCOMPARE(listAfter(true, QStringLiteral("一班"), true), QStringList{QStringLiteral("一班")});
    QCOMPARE(listAfter(false, QStringLiteral("一班")), (QStringList{QStringLiteral("二班"), QString()}));
    QCOMPARE(listAfter(false, QStringLiteral("一")), lines);
}

void TstTextFiles::settingsFileUsesFirstEightLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("used");
    QTest::addColumn<QString>("commentD");
    QTest::addColumn<QString>("scoreD");
    QTest::newRow("eight CR LF") << QByteArray("a\r\n10\r\nb\r\n8\r\nc\r\n5\r\nd\r\n0\r\n") << 8 << QStringLiteral("d")
                                 << QStringLiteral("0");
    QTest::newRow("CR, no final break") << QByteArray("a\r10\rb\r8\rc\r5\rd\r0") << 8 << QStringLiteral("d")
                                        << QStringLiteral("0");
    QTest::newRow("extra lines ignored") << QByteArray("a\n1\nb\n2\nc\n3\nd\nx\ne\n9\n") << 8 << QStringLiteral("d")
                                         << QStringLiteral("x");
    QTest::newRow("short file") << QByteArray("a\n1\nb\n") << 3 << QStringLiteral("old") << QStringLiteral("old");
}

void TstTextFiles::settingsFileUsesFirstEightLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, used);
    QFETCH(QString, commentD);
    QFETCH(QString, scoreD);
    writeBytes(QStringLiteral("Moren.qs"), bytes);
    const ReadResult<QStringList> lines = SettingsFile::readLines(path(QStringLiteral("Moren.qs")));
    QVERIFY(lines);
    GradeSettings settings;
    settings.comments.fill(QStringLiteral("old"));
    settings.scores.fill(QStringLiteral("old"));
    QCOMPARE(SettingsFile::apply(*lines, settings), used);
    QCOMPARE(settings.comments[0], QStringLiteral("a"));
    QCOMPARE(settings.comments[3], commentD);
    QCOMPARE(settings.scores[3], scoreD);

    QVERIFY(SettingsFile::write(path(QStringLiteral("copy.qs")), settings));
    QCOMPARE(readBytes(QStringLiteral("copy.qs")).count("\r\n"), 8);
}

void TstTextFiles::passwordToken_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("token"); // "<none>": no token
    QTest::newRow("plain") << QByteArray("583920") << QStringLiteral("583920");
    QTest::newRow("leading white space") << QByteArray(" \t\r\nabc") << QStringLiteral("abc");
    QTest::newRow("ends at blank") << QByteArray("ab cd") << QStringLiteral("ab");
    QTest::newRow("ends at line break") << QByteArray("ab\r\ncd") << QStringLiteral("ab");
    QTest::newRow("Chinese") << QByteArray("\xD2\xBB\xB0\xE0") << QStringLiteral("一班");
    QTest::newRow("14 bytes kept") << QByteArray("12345678901234") << QStringLiteral("12345678901234");
    QTest::newRow("longer cut at 14") << QByteArray("123456789012345678") << QStringLiteral("12345678901234");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("<none>");
    QTest::newRow("only white space") << QByteArray(" \r\n\t") << QStringLiteral("<none>");
}

void TstTextFiles::passwordToken()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, token);
    writeBytes(QStringLiteral("denglu.qs"), bytes);
    const std::optional<QString> read = PasswordFile::readToken(path(QStringLiteral("denglu.qs")));
    QCOMPARE(read.value_or(QStringLiteral("<none>")), token);
}

void TstTextFiles::passwordRefusal_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("reason");
    QTest::newRow("plain") << QStringLiteral("abc123") << QString();
    QTest::newRow("7 Chinese") << QStringLiteral("一二三四五六七") << QString();
    QTest::newRow("8 Chinese") << QStringLiteral("一二三四五六七八") << QStringLiteral("密码不能超过14个字节（7个汉字）！");
    QTest::newRow("15 letters") << QStringLiteral("123456789012345") << QStringLiteral("密码不能超过14个字节（7个汉字）！");
    QTest::newRow("blank") << QStringLiteral("ab cd") << QStringLiteral("密码不能含有空格！");
    QTest::newRow("tab") << QStringLiteral("ab\tcd") << QStringLiteral("密码不能含有空格！");
    QTest::newRow("trailing blank") << QStringLiteral("abc ") << QStringLiteral("密码不能含有空格！");
}

void TstTextFiles::passwordRefusal()
{
    QFETCH(QString, password);
    QFETCH(QString, reason);
    QCOMPARE(PasswordFile::refusalReason(password), reason);
    const QString file = path(QStringLiteral("一班语文denglu.qs"));
    QCOMPARE(PasswordFile::write(file, password).ok, reason.isEmpty());
    QCOMPARE(QFile::exists(file), reason.isEmpty());
    if (reason.isEmpty()) // what is stored is read back whole
        QCOMPARE(PasswordFile::readToken(file), std::optional<QString>(password));
}

void TstTextFiles::passwordIsWrittenAsBytesOnly()
{
    QVERIFY(PasswordFile::write(path(QStringLiteral("p.qs")), QStringLiteral("一班a")));
    QCOMPARE(readBytes(QStringLiteral("p.qs")),
        QByteArray("\xD2\xBB\xB0\xE0"
                   "a"));
}

QTEST_GUILESS_MAIN(TstTextFiles)
#include "TstTextFiles.moc"
