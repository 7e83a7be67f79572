#include "store/Gbk.h"
#include "store/LineFile.h"
#include "store/PasswordFile.h"
#include "store/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray kBom("\xEF\xBB\xBF");

QByteArray gbk(const QString &text)
{
    return Gbk::encode(text).value_or(QByteArray());
}
} // namespace

/// Data files saved by other programs in UTF-8 read as the same text as GBK ones; the
/// eight-line settings format keeps eight lines whatever the values hold.
class TstDataFileEncodings final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void readersDecodeUtf8AndGbk_data();
    void readersDecodeUtf8AndGbk();
    void passwordFileInUtf8_data();
    void passwordFileInUtf8();
    void writesStayGbk();
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
