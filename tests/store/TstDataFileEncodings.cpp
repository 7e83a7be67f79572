#include "Gb2312Corpus.h"
#include "store/Gbk.h"
#include "store/LineFile.h"
#include "store/ListFile.h"
#include "store/PasswordFile.h"
#include "store/SettingsFile.h"
#include "store/TextDecoding.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Gb2312Corpus::Form;

namespace {
const QByteArray kBom("\xEF\xBB\xBF");

QByteArray gbk(const QString &text)
{
    return Gbk::encode(text).value_or(QByteArray());
}
} // namespace

/// Data files saved by other programs in UTF-8 or UTF-16 read as the same text as GBK
/// ones, through every reader; a file that is not text is refused; the eight-line
/// settings format keeps eight lines whatever the values hold.
class TstDataFileEncodings final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void readersDecodeUtf8AndGbk_data();
    void readersDecodeUtf8AndGbk();
    void passwordFileInUtf8_data();
    void passwordFileInUtf8();
    void writesStayGbk();
    void corpusReadsBackThroughEveryReader_data();
    void corpusReadsBackThroughEveryReader();
    void corpusListsReadBackWhole_data();
    void corpusListsReadBackWhole();
    void shortTextsDecodeRight_data();
    void shortTextsDecodeRight();
    void filesThatAreNotTextAreRefused_data();
    void filesThatAreNotTextAreRefused();
    void settingsValuesWithLineBreaksKeepEightLines();

private:
    QString write(const QString &name, const QByteArray &bytes) const;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TstDataFileEncodings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TstDataFileEncodings::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        QTest::qFail("cannot write the fixture", __FILE__, __LINE__);
    return path;
}

void TstDataFileEncodings::readersDecodeUtf8AndGbk_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList comments{
        QStringLiteral("回答得很好，继续！"), QStringLiteral("10"), QStringLiteral("堃喆"), QStringLiteral("8")};
    const QByteArray utf8 = comments.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
    QTest::newRow("GBK") << gbk(comments.join(QStringLiteral("\r\n"))) + "\r\n" << comments;
    QTest::newRow("UTF-8") << utf8 << comments;
    QTest::newRow("UTF-8 with byte-order mark") << kBom + utf8 << comments;
    QTest::newRow("byte-order mark and ASCII")
        << kBom + QByteArray("ab\r\n5\r\n") << QStringList{QStringLiteral("ab"), QStringLiteral("5")};
    QTest::newRow("plain ASCII") << QByteArray("ab\n5\n") << QStringList{QStringLiteral("ab"), QStringLiteral("5")};
    // Bytes that only look like UTF-8 up to a point are GBK.
    QTest::newRow("GBK that starts like UTF-8") << gbk(QStringLiteral("一班")) + QByteArray("\xE4\xB8")
                                                << QStringList{Gbk::decode(gbk(QStringLiteral("一班")) + QByteArray("\xE4\xB8"))};
    QTest::newRow("overlong form is not UTF-8") << QByteArray("\xC0\xAF") << QStringList{Gbk::decode(QByteArray("\xC0\xAF"))};
    QTest::newRow("surrogate is not UTF-8") << QByteArray("\xED\xA0\x80") << QStringList{Gbk::decode(QByteArray("\xED\xA0\x80"))};
}

void TstDataFileEncodings::readersDecodeUtf8AndGbk()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString path = write(QStringLiteral("评语.qsy"), bytes);
    QCOMPARE(LineFile::read(path).value, std::optional<QStringList>(lines));
    QCOMPARE(SettingsFile::readLines(path).value, std::optional<QStringList>(lines));
}

void TstDataFileEncodings::passwordFileInUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("token");
    QTest::newRow("Chinese") << QStringLiteral("一班密码").toUtf8() << QStringLiteral("一班密码");
    QTest::newRow("with mark and line break") << kBom + QStringLiteral("秘密 x\r\n").toUtf8() << QStringLiteral("秘密");
    QTest::newRow("mark and ASCII") << kBom + QByteArray("secretA") << QStringLiteral("secretA");
    // The limit counts the bytes the word has in GBK: seven characters, not four.
    QTest::newRow("cut at 14 GBK bytes") << QStringLiteral("一二三四五六七八").toUtf8() << QStringLiteral("一二三四五六七");
}

void TstDataFileEncodings::passwordFileInUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, token);
    QCOMPARE(PasswordFile::readToken(write(QStringLiteral("denglu.qs"), bytes)), std::optional<QString>(token));
}

void TstDataFileEncodings::writesStayGbk()
{
    // A file read as UTF-8 is written back as GBK.
    const QString path = write(QStringLiteral("banji.qs"), kBom + QStringLiteral("初一(1)班\r\n").toUtf8());
    const ReadResult<QStringList> lines = LineFile::read(path);
    QVERIFY(lines);
    QVERIFY(LineFile::write(path, *lines));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), gbk(QStringLiteral("初一(1)班")) + "\r\n");
}

void TstDataFileEncodings::corpusReadsBackThroughEveryReader_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("length");
    for (const auto &[form, name] : Gb2312Corpus::forms()) {
        for (int length = 1; length <= 3; ++length)
            QTest::addRow("%s, names of %d", name, length) << int(form) << length;
    }
}

void TstDataFileEncodings::corpusReadsBackThroughEveryReader()
{
    QFETCH(int, form);
    QFETCH(int, length);
    // Each name alone is the hardest case: two GBK bytes are often valid UTF-8. Every
    // reader turns the bytes of its file into text with these, so the bytes are given to
    // them here; the files themselves are read below.
    const QString added = QStringLiteral("新班");
    QStringList wrong;
    for (const QString &name : Gb2312Corpus::names(length)) {
        const QByteArray bytes = Gb2312Corpus::bytes(name, Form(form));
        if (TextDecoding::decode(bytes) != std::optional<QString>(name))
            wrong << QStringLiteral("template ") + name;
        if (LineFile::lines(bytes) != std::optional<QStringList>(QStringList{name}))
            wrong << QStringLiteral("list and settings ") + name;
        if (PasswordFile::token(bytes) != std::optional<QString>(name))
            wrong << QStringLiteral("password ") + name;
        if (ListFile::rewritten(bytes, added, true) != gbk(added + QStringLiteral("\r\n") + name + QStringLiteral("\r\n")))
            wrong << QStringLiteral("list rewrite ") + name;
    }
    QCOMPARE(wrong.mid(0, 20), QStringList());
}

void TstDataFileEncodings::corpusListsReadBackWhole_data()
{
    QTest::addColumn<int>("form");
    for (const auto &[form, name] : Gb2312Corpus::forms())
        QTest::newRow(name) << int(form);
}

void TstDataFileEncodings::corpusListsReadBackWhole()
{
    QFETCH(int, form);
    const QStringList names = Gb2312Corpus::names(2) + Gb2312Corpus::names(3);
    const QString path = write(QStringLiteral("banji.qs"), Gb2312Corpus::bytes(names.join(QStringLiteral("\r\n")), Form(form)));
    QCOMPARE(LineFile::read(path).value, std::optional<QStringList>(names));
    QCOMPARE(SettingsFile::readLines(path).value, std::optional<QStringList>(names.mid(0, 8)));
    QCOMPARE(PasswordFile::readToken(path), std::optional<QString>(names.constFirst()));
    QVERIFY(ListFile::removeAll(path, names.constFirst()).result);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), gbk(names.mid(1).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void TstDataFileEncodings::shortTextsDecodeRight_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("form");
    const QStringList texts{QStringLiteral("郑梅"), QStringLiteral("毛卢"), QStringLiteral("郑梅\r\n毛卢\r\n"),
        QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王小明"), QStringLiteral("欧阳娜娜"),
        QStringLiteral("叶小英"), QStringLiteral("小谢"), QStringLiteral("陈"), QStringLiteral("堃喆"),
        QStringLiteral("阿依古丽·买买提"), QStringLiteral("一班\r\n二班\r\n初一(1)班\r\n高三2班\r\n"),
        QStringLiteral("语文\r\n数学\r\n英语\r\n物理\r\n化学\r\n"),
        QStringLiteral("很好\r\n10\r\n好\r\n8\r\n一般\r\n5\r\n加油\r\n0\r\n"), QStringLiteral("回答得很好，继续！"),
        QStringLiteral("第1次"), QStringLiteral("张三\t男")};
    for (const QString &text : texts) {
        const QString shown = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        for (const auto &[form, name] : Gb2312Corpus::forms())
            QTest::addRow("%s in %s", qPrintable(shown), name) << text << int(form);
    }
    // Text of other programs that holds no Chinese character stays as it was written.
    QTest::newRow("pinyin in UTF-8") << QStringLiteral("Míng Zhāng Lǚ") << int(Form::Utf8);
    QTest::newRow("French in UTF-8") << QStringLiteral("très bien") << int(Form::Utf8);
}

void TstDataFileEncodings::shortTextsDecodeRight()
{
    QFETCH(QString, text);
    QFETCH(int, form);
    const QString path = write(QStringLiteral("xueke.qs"), Gb2312Corpus::bytes(text, Form(form)));
    const QStringList lines = LineFile::splitLines(text);
    QCOMPARE(LineFile::read(path).value, std::optional<QStringList>(lines));
    QCOMPARE(SettingsFile::readLines(path).value, std::optional<QStringList>(lines.mid(0, 8)));
    if (!text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n'))
        && Gbk::encode(text)->size() <= PasswordFile::kMaxBytes)
        QCOMPARE(PasswordFile::readToken(path), std::optional<QString>(text));
}

void TstDataFileEncodings::filesThatAreNotTextAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("NUL inside a GBK name") << gbk(QStringLiteral("张")) + QByteArray(1, '\0') + gbk(QStringLiteral("三\r\n"));
    QTest::newRow("NUL inside UTF-8") << QStringLiteral("张三\r\n").toUtf8() + QByteArray(1, '\0') + QByteArray("\r\n");
    QTest::newRow("UTF-16 without a mark") << QByteArray("\x20\x5F\x09\x4E\x0D\x00\x0A\x00", 8);
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    QTest::newRow("bell") << gbk(QStringLiteral("张三\a"));
    QTest::newRow("escape") << QByteArray("\x1B[1m") + gbk(QStringLiteral("李四"));
    QTest::newRow("delete") << QByteArray("ab\x7F");
    QTest::newRow("C1 control in UTF-8") << QStringLiteral("张三\u0085").toUtf8();
    QTest::newRow("NUL in UTF-16") << Gb2312Corpus::bytes(
        QStringLiteral("张") + QChar(0) + QStringLiteral("三"), Form::Utf16LittleEndian);
}

void TstDataFileEncodings::filesThatAreNotTextAreRefused()
{
    QFETCH(QByteArray, bytes);
    const QString path = write(QStringLiteral("banji.qs"), bytes);
    const ReadResult<QStringList> lines = LineFile::read(path);
    QVERIFY(!lines);
    QVERIFY2(lines.error.contains(QStringLiteral("不是文本文件")), qPrintable(lines.error));
    QVERIFY(!SettingsFile::readLines(path));
    QCOMPARE(PasswordFile::readToken(path), std::nullopt);
}

void TstDataFileEncodings::settingsValuesWithLineBreaksKeepEightLines()
{
    GradeSettings settings;
    settings.comments = {QStringLiteral("非常好\r\n"), QStringLiteral("不\n错"), QStringLiteral("还要\r努力"),
        QStringLiteral("加油") + QChar(0x2028)};
    settings.scores = {QStringLiteral("10"), QStringLiteral("8\n"), QStringLiteral("5"), QStringLiteral("0")};
    const QString path = m_dir->filePath(QStringLiteral("一班语文Moren.qs"));

    QVERIFY(SettingsFile::write(path, settings));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count('\n'), 8);
    QCOMPARE(bytes.count('\r'), 8);
    const ReadResult<QStringList> lines = SettingsFile::readLines(path);
    QVERIFY(lines);
    QCOMPARE(*lines,
        (QStringList{QStringLiteral("非常好"), QStringLiteral("10"), QStringLiteral("不错"), QStringLiteral("8"),
            QStringLiteral("还要努力"), QStringLiteral("5"), QStringLiteral("加油"), QStringLiteral("0")}));
}

QTEST_GUILESS_MAIN(TstDataFileEncodings)
#include "TstDataFileEncodings.moc"
