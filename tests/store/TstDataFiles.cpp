#include "DataFilesScratch.h"
#include "EngineSuite.h"
#include "store/DataFiles.h"
#include "store/Database.h"
#include "store/ListFile.h"
#include "store/PasswordFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
// 一班 and 堃 in GBK, a lone byte GBK cannot read, and CR LF: kept byte for byte.
const QByteArray kGbkBytes("\xD2\xBB\xB0\xE0\x88\x5C\r\n\xFF", 9);
} // namespace

/// The Data files in the Data folder and in the database's table, on both engines.
class TstDataFiles final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void filesKeepTheirBytes_data();
    void filesKeepTheirBytes();
    void prepareCopiesOnlyMissingSeeds();
    void listChangeOfAnotherProgramIsKept();

private:
    DataFiles &files(const QString &where) const { return m_scratch.files(where); }

    DataFilesScratch m_scratch;
};

void TstDataFiles::init()
{
    m_scratch.make(QStringLiteral("tst_datafiles"));
}

void TstDataFiles::cleanup()
{
    m_scratch.reset();
}

void TstDataFiles::filesKeepTheirBytes_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("table") << QStringLiteral("table");
}

void TstDataFiles::filesKeepTheirBytes()
{
    QFETCH(QString, where);
    DataFiles &data = files(where);
    const QString name = QStringLiteral("一班语文Moren.qs");
    QVERIFY(!data.exists(name));
    QVERIFY(!data.read(name));
    QVERIFY2(data.read(name).error.contains(name), qPrintable(data.read(name).error));

    QVERIFY(data.write(name, kGbkBytes));
    QVERIFY(data.exists(name));
    QCOMPARE(*data.read(name), kGbkBytes);
    // An empty file is a file, and names differ in letter case as file names do.
    QVERIFY(data.write(QStringLiteral("banji.qs"), QByteArray()));
    QCOMPARE(*data.read(QStringLiteral("banji.qs")), QByteArray());
    QVERIFY(!data.exists(QStringLiteral("Banji.qs")));
    QCOMPARE(data.names(), (QStringList{QStringLiteral("banji.qs"), name}));

    QVERIFY(data.write(name, "again"));
    QCOMPARE(*data.read(name), QByteArray("again"));
    QVERIFY(data.update(name, [](const std::optional<QByteArray> &old) { return std::optional(*old + "!"); }));
    QCOMPARE(*data.read(name), QByteArray("again!"));
    QVERIFY(data.update(name, [](const std::optional<QByteArray> &) { return std::optional<QByteArray>(); }));
    QCOMPARE(*data.read(name), QByteArray("again!"));

    // The formats on top: the password token and the list rewrite.
    QVERIFY(PasswordFile::write(data, QStringLiteral("一班语文denglu.qs"), QStringLiteral("密码1")));
    QCOMPARE(PasswordFile::readToken(data, QStringLiteral("一班语文denglu.qs")), std::optional(QStringLiteral("密码1")));
    QVERIFY(ListFile::putFirst(data, QStringLiteral("banji.qs"), QStringLiteral("二班")).result);
    QVERIFY(ListFile::putFirst(data, QStringLiteral("banji.qs"), QStringLiteral("一班")).result);
    QCOMPARE(*data.read(QStringLiteral("banji.qs")), QByteArray("\xD2\xBB\xB0\xE0\r\n\xB6\xFE\xB0\xE0\r\n"));

    QVERIFY(data.remove(name));
    QVERIFY(!data.exists(name));
    QVERIFY(data.remove(name));
}

void TstDataFiles::prepareCopiesOnlyMissingSeeds()
{
    DataFolder seeds(m_scratch.dir->filePath(QStringLiteral("Data")));
    QVERIFY(seeds.write(QStringLiteral("Moren.qs"), kGbkBytes));
    QVERIFY(seeds.write(QStringLiteral("banji.qs"), QByteArray()));
    QVERIFY(m_scratch.table->write(QStringLiteral("banji.qs"), "kept"));
    QVERIFY(m_scratch.table->prepare(seeds.folder()));
    QCOMPARE(*m_scratch.table->read(QStringLiteral("Moren.qs")), kGbkBytes);
    QCOMPARE(*m_scratch.table->read(QStringLiteral("banji.qs")), QByteArray("kept"));
}

void TstDataFiles::listChangeOfAnotherProgramIsKept()
{
    // Two programs putting their classes first in one list, one after the other.
    Database other(QStringLiteral("tst_datafiles_other"));
    QVERIFY(EngineSuite::openSame(other, m_scratch.dir->path()));
    DataTable theirs(other);
    QVERIFY(ListFile::putFirst(*m_scratch.table, QStringLiteral("banji.qs"), QStringLiteral("一班")).result);
    QVERIFY(ListFile::putFirst(theirs, QStringLiteral("banji.qs"), QStringLiteral("二班")).result);
    QVERIFY(ListFile::putFirst(*m_scratch.table, QStringLiteral("banji.qs"), QStringLiteral("三班")).result);
    QCOMPARE(
        *theirs.read(QStringLiteral("banji.qs")), QByteArray("\xC8\xFD\xB0\xE0\r\n\xB6\xFE\xB0\xE0\r\n\xD2\xBB\xB0\xE0\r\n"));
}

QS_ENGINE_TEST_MAIN(TstDataFiles)
#include "TstDataFiles.moc"
