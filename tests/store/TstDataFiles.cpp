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
    DataFiles &files(const QString &where);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<DataTable> m_table;
};

void TstDataFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Data")));
    m_db = std::make_unique<Database>(QStringLiteral("tst_datafiles"));
    const Result opened = EngineSuite::open(*m_db, m_dir->path());
    QVERIFY2(opened.ok, qPrintable(opened.error));
    m_folder = std::make_unique<DataFolder>(m_dir->filePath(QStringLiteral("Data")));
    m_table = std::make_unique<DataTable>(*m_db);
    QVERIFY(m_table->prepare(m_dir->filePath(QStringLiteral("无此文件夹"))));
}

void TstDataFiles::cleanup()
{
    m_table.reset();
    m_folder.reset();
    m_db.reset();
    m_dir.reset();
}

DataFiles &TstDataFiles::files(const QString &where)
{
    if (where == QLatin1String("table"))
        return *m_table;
    return *m_folder;
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
    DataFolder seeds(m_dir->filePath(QStringLiteral("Data")));
    QVERIFY(seeds.write(QStringLiteral("Moren.qs"), kGbkBytes));
    QVERIFY(seeds.write(QStringLiteral("banji.qs"), QByteArray()));
    QVERIFY(m_table->write(QStringLiteral("banji.qs"), "kept"));
    QVERIFY(m_table->prepare(seeds.folder()));
    QCOMPARE(*m_table->read(QStringLiteral("Moren.qs")), kGbkBytes);
    QCOMPARE(*m_table->read(QStringLiteral("banji.qs")), QByteArray("kept"));
}

void TstDataFiles::listChangeOfAnotherProgramIsKept()
{
    // Two programs putting their classes first in one list, one after the other.
    Database other(QStringLiteral("tst_datafiles_other"));
    QVERIFY(EngineSuite::openSame(other, m_dir->path()));
    DataTable theirs(other);
    QVERIFY(ListFile::putFirst(*m_table, QStringLiteral("banji.qs"), QStringLiteral("一班")).result);
    QVERIFY(ListFile::putFirst(theirs, QStringLiteral("banji.qs"), QStringLiteral("二班")).result);
    QVERIFY(ListFile::putFirst(*m_table, QStringLiteral("banji.qs"), QStringLiteral("三班")).result);
    QCOMPARE(
        *theirs.read(QStringLiteral("banji.qs")), QByteArray("\xC8\xFD\xB0\xE0\r\n\xB6\xFE\xB0\xE0\r\n\xD2\xBB\xB0\xE0\r\n"));
}

QS_ENGINE_TEST_MAIN(TstDataFiles)
#include "TstDataFiles.moc"
