#include "DataFilesScratch.h"
#include "Gb2312Corpus.h"
#include "entry/TemplateFile.h"
#include "store/Gbk.h"
#include "store/LineFile.h"
#include "store/ListFile.h"
#include "store/PasswordFile.h"
#include "store/SettingsFile.h"

#include <QTest>

using Gb2312Corpus::Form;

/// The names of every GB2312 level-1 character, in GBK as this program writes them and as
/// other programs save them (UTF-8 with and without a mark, UTF-16), read back exactly by
/// every reader of Data files, from the Data folder and from the server's table alike; a
/// file that is not text is refused by each of them there too.
class TstDataFileReaders final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void corpusReadsBackThroughEveryReader_data();
    void corpusReadsBackThroughEveryReader();
    void namesAloneReadBack_data();
    void namesAloneReadBack();
    void filesThatAreNotTextAreRefusedEverywhere_data();
    void filesThatAreNotTextAreRefusedEverywhere();

private:
    DataFiles &files(const QString &where) const { return m_scratch.files(where); }

    DataFilesScratch m_scratch;
};

namespace {
QByteArray gbk(const QString &text)
{
    return Gbk::encode(text).value_or(QByteArray());
}

void addPlaces()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("form");
    for (const char *where : {"folder", "table"}) {
        for (const auto &[form, name] : Gb2312Corpus::forms())
            QTest::addRow("%s, %s", where, name) << QString::fromLatin1(where) << int(form);
    }
}
} // namespace

void TstDataFileReaders::init()
{
    m_scratch.make(QStringLiteral("tst_datafilereaders"));
}

void TstDataFileReaders::cleanup()
{
    m_scratch.reset();
}

void TstDataFileReaders::corpusReadsBackThroughEveryReader_data()
{
    addPlaces();
}

void TstDataFileReaders::corpusReadsBackThroughEveryReader()
{
    QFETCH(QString, where);
    QFETCH(int, form);
    DataFiles &data = files(where);
    const QStringList names = Gb2312Corpus::names(1) + Gb2312Corpus::names(2) + Gb2312Corpus::names(3);
    const QString name = QStringLiteral("一班xueke.qs");
    QVERIFY(data.write(name, Gb2312Corpus::bytes(names.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), Form(form))));

    QCOMPARE(LineFile::read(data, name).value, std::optional<QStringList>(names));
    QCOMPARE(SettingsFile::readLines(data, name).value, std::optional<QStringList>(names.mid(0, 8)));
    QCOMPARE(PasswordFile::readToken(data, name), std::optional<QString>(names.constFirst()));
    QCOMPARE(TemplateFile::readLines(data, name, TemplateFile::kGridLines), std::optional<QStringList>(names.mid(0, 200)));
    const std::optional<QString> memo = TemplateFile::readText(data, name);
    QVERIFY(memo);
    QCOMPARE(TemplateFile::lines(*memo), names);

    // A list saved by another program is written back as GBK, every name kept.
    QVERIFY(ListFile::putFirst(data, name, QStringLiteral("新班")).result);
    QCOMPARE(*data.read(name).value, gbk(QStringLiteral("新班\r\n") + names.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void TstDataFileReaders::namesAloneReadBack_data()
{
    addPlaces();
}

void TstDataFileReaders::namesAloneReadBack()
{
    QFETCH(QString, where);
    QFETCH(int, form);
    DataFiles &data = files(where);
    // A file of one short name is where GBK and UTF-8 are hardest to tell apart (郑 is
    // D6 A3 in GBK, valid UTF-8 too). TstDataFileEncodings gives every name alone to the
    // readers' decoding; here a sample of them goes through the files themselves, 郑梅 and
    // 毛卢 among them, to show each reader of each place uses it.
    QStringList students{QStringLiteral("郑梅"), QStringLiteral("毛卢")};
    const QStringList pairs = Gb2312Corpus::names(2);
    for (qsizetype i = 0; i < pairs.size(); i += 16)
        students << pairs.at(i);
    QStringList wrong;
    const QString name = QStringLiteral("一班语文名单默认模板.qs");
    for (const QString &student : std::as_const(students)) {
        if (!data.write(name, Gb2312Corpus::bytes(student + QStringLiteral("\r\n"), Form(form)))) {
            wrong << QStringLiteral("write ") + student;
            continue;
        }
        if (LineFile::read(data, name).value != std::optional<QStringList>(QStringList{student}))
            wrong << QStringLiteral("list ") + student;
        if (PasswordFile::readToken(data, name) != std::optional<QString>(student))
            wrong << QStringLiteral("password ") + student;
        if (TemplateFile::readLines(data, name, TemplateFile::kGridLines) != std::optional<QStringList>(QStringList{student}))
            wrong << QStringLiteral("grid template ") + student;
        if (TemplateFile::readText(data, name) != std::optional<QString>(student + QStringLiteral("\r\n")))
            wrong << QStringLiteral("memo template ") + student;
    }
    QCOMPARE(wrong.mid(0, 20), QStringList());
}

void TstDataFileReaders::filesThatAreNotTextAreRefusedEverywhere_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QByteArray>("bytes");
    for (const char *where : {"folder", "table"}) {
        const QString place = QString::fromLatin1(where);
        QTest::addRow("%s, NUL inside a name", where) << place << gbk(QStringLiteral("张")) + QByteArray(1, '\0') + gbk(QStringLiteral("三\r\n"));
        QTest::addRow("%s, UTF-16 without a mark", where) << place << QByteArray("\x20\x5F\x09\x4E\x0D\x00\x0A\x00", 8);
        QTest::addRow("%s, escape", where) << place << QByteArray("\x1B[1m") + gbk(QStringLiteral("李四"));
    }
}

void TstDataFileReaders::filesThatAreNotTextAreRefusedEverywhere()
{
    QFETCH(QString, where);
    QFETCH(QByteArray, bytes);
    DataFiles &data = files(where);
    const QString name = QStringLiteral("banji.qs");
    QVERIFY(data.write(name, bytes));

    const ReadResult<QStringList> lines = LineFile::read(data, name);
    QVERIFY(!lines);
    QVERIFY2(lines.error.contains(QStringLiteral("不是文本文件")) && lines.error.contains(name), qPrintable(lines.error));
    QVERIFY(!SettingsFile::readLines(data, name));
    QCOMPARE(PasswordFile::readToken(data, name), std::nullopt);
    QCOMPARE(TemplateFile::readText(data, name), std::nullopt);
    QCOMPARE(TemplateFile::readLines(data, name, TemplateFile::kGridLines), std::nullopt);
}

QS_ENGINE_TEST_MAIN(TstDataFileReaders)
#include "TstDataFileReaders.moc"
