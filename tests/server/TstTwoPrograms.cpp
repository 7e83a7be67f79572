#include "ServerScratch.h"
#include "store/DataFiles.h"
#include "store/Database.h"
#include "store/TableNames.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

/// Two programs grading and typing scores into one class at once lose nothing: every
/// grade is counted with its letter in 历史, every score a program stored stays.
class TstTwoPrograms final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nothingIsLost_data();
    void nothingIsLost();
};

void TstTwoPrograms::nothingIsLost_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<int>("seconds");
    QTest::newRow("one Record.mdb") << false << 10;
    QTest::newRow("the server, for a minute") << true << 60;
}

void TstTwoPrograms::nothingIsLost()
{
    QFETCH(bool, server);
    QFETCH(int, seconds);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("Data")));
    std::unique_ptr<ServerScratch> scratch;
    QString target = folder.path();
    Database db(QStringLiteral("tst_two_programs"));
    if (server) {
        if (!ServerScratch::testServer())
            QSKIP("no test server: QS_TEST_DATABASE_URL is not set");
        scratch = std::make_unique<ServerScratch>();
        QVERIFY2(scratch->isValid(), qPrintable(scratch->error()));
        const DatabaseUrl &url = scratch->url();
        target = QStringLiteral("postgresql://%1:%2@%3:%4/%5").arg(url.user, url.password, url.host).arg(url.port).arg(url.name);
    }
    // The shipped default settings the first login copies.
    {
        QFile moren(QDir(folder.path()).filePath(QStringLiteral("Data/Moren.qs")));
        QVERIFY(moren.open(QIODevice::WriteOnly));
        moren.write("A\r\n10\r\nB\r\n8\r\nC\r\n5\r\nD\r\n0\r\n");
    }
    const auto driver = [&](const QStringList &arguments) {
        auto *process = new QProcess(this);
        process->start(QStringLiteral(QS_RACE_DRIVER), QStringList{target} + arguments);
        return process;
    };
    if (server) {
        // The server's Data files come from a program folder's on its first start.
        QVERIFY(db.openServer(scratch->url()));
        QVERIFY(DataTable(db).prepare(QDir(folder.path()).filePath(QStringLiteral("Data"))));
    }
    QProcess *login = driver({QStringLiteral("login")});
    QVERIFY(login->waitForFinished(60000));
    QCOMPARE(login->exitCode(), 0);
    if (!server)
        QVERIFY(db.open(folder.path()));
    const QString gradeBook = QStringLiteral("一班语文记分册");
    QVERIFY(db.execute(Sql::addScoreColumn(gradeBook, QStringLiteral("第1次"))));
    QVERIFY(db.execute(Sql::addScoreColumn(gradeBook, QStringLiteral("第2次"))));

    QList<QProcess *> programs{driver({QStringLiteral("race"), QString::number(seconds), QStringLiteral("1")}),
        driver({QStringLiteral("race"), QString::number(seconds), QStringLiteral("2")})};
    QHash<int, QString> letters;
    QHash<int, int> totals;
    std::array<QHash<int, int>, 2> lastScore;
    for (int p = 0; p < 2; ++p) {
        QProcess *program = programs.at(p);
        QVERIFY(program->waitForFinished((seconds + 60) * 1000));
        QVERIFY2(program->exitCode() == 0, program->readAllStandardError().constData());
        int grades = 0;
        for (const QByteArray &line : program->readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 3)
                continue;
            const int number = parts.at(1).toInt();
            if (parts.at(0) == "grade") {
                letters[number] += QString::fromLatin1(parts.at(2));
                totals[number] += std::array{10, 8, 5, 0}.at(size_t(parts.at(2).at(0) - 'A'));
                ++grades;
            } else {
                lastScore.at(size_t(p))[number] = parts.at(2).toInt();
            }
        }
        QVERIFY2(grades > 10 * seconds / 10, qPrintable(QStringLiteral("only %1 grades").arg(grades)));
    }

    QSqlQuery rows(db.connection());
    QVERIFY(db.prepare(rows, QStringLiteral("SELECT [编号],[历史],[次数],[总分] FROM [一班语文课堂提问]")));
    QVERIFY(db.exec(rows));
    while (rows.next()) {
        const int number = rows.value(0).toInt();
        QString stored = rows.value(1).toString();
        QString given = letters.value(number);
        std::sort(stored.begin(), stored.end());
        std::sort(given.begin(), given.end());
        QCOMPARE(stored, given);
        QCOMPARE(rows.value(2).toInt(), int(letters.value(number).size()));
        QCOMPARE(rows.value(3).toInt(), totals.value(number));
    }
    QVERIFY(db.prepare(rows, QStringLiteral("SELECT [编号],[第1次],[第2次] FROM [一班语文记分册]")));
    QVERIFY(db.exec(rows));
    while (rows.next()) {
        for (int p = 0; p < 2; ++p) {
            const int number = rows.value(0).toInt();
            if (lastScore.at(size_t(p)).contains(number))
                QCOMPARE(rows.value(1 + p).toInt(), lastScore.at(size_t(p)).value(number));
        }
    }
}

QTEST_GUILESS_MAIN(TstTwoPrograms)
#include "TstTwoPrograms.moc"
