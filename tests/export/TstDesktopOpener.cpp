// The desktop's opener run as the teacher's desktop runs it: a stand-in xdg-open first on
// PATH that succeeds, finds no application (exit 3) or waits for the application.
#include "export/DesktopOpener.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

class TstDesktopOpener final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void answersWithoutBlocking_data();
    void answersWithoutBlocking();
    void anOpenerStillWaitingIsLetGo();

private:
    void standIn(const QString &body);

    QTemporaryDir m_bin;
    QByteArray m_path;
};

void TstDesktopOpener::initTestCase()
{
    m_path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_path);
}

void TstDesktopOpener::cleanupTestCase()
{
    qputenv("PATH", m_path);
}

void TstDesktopOpener::standIn(const QString &body)
{
    QFile script(m_bin.filePath(QStringLiteral("xdg-open")));
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1/asked'\n%2\n").arg(m_bin.path(), body).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TstDesktopOpener::answersWithoutBlocking_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("opened");
    QTest::newRow("an application opens the file") << QStringLiteral("exit 0") << true;
    QTest::newRow("no application for the type (exit 3)") << QStringLiteral("exit 3") << false;
    QTest::newRow("the application fails to start (exit 4), after a while") << QStringLiteral("sleep 1; exit 4") << false;
}

void TstDesktopOpener::answersWithoutBlocking()
{
    QFETCH(QString, body);
    QFETCH(bool, opened);
    standIn(body);
    DesktopOpener opener;
    std::optional<bool> answer;
    int answers = 0;
    QElapsedTimer clock;
    clock.start();
    const QString path = m_bin.filePath(QStringLiteral("一班语文记分册 2026-03-09 08.05.07.xlsx"));
    opener.open(path, [&](bool started) {
        answer = started;
        ++answers;
    });
    QVERIFY2(clock.elapsed() < 500, "the window waits for the opener");
    QVERIFY(!answer);
    QTRY_VERIFY(answer.has_value());
    QCOMPARE(*answer, opened);
    QTest::qWait(100);
    QCOMPARE(answers, 1);
    QFile asked(m_bin.filePath(QStringLiteral("asked")));
    QVERIFY(asked.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(asked.readAll()), path);
}

void TstDesktopOpener::anOpenerStillWaitingIsLetGo()
{
    // xdg-open of a plain desktop runs the application and waits until it closes.
    standIn(QStringLiteral("sleep 60"));
    bool answered = false;
    QElapsedTimer clock;
    clock.start();
    {
        DesktopOpener opener;
        opener.open(m_bin.filePath(QStringLiteral("表.xlsx")), [&](bool) { answered = true; });
        QTest::qWait(300);
        QVERIFY(!answered);
    }
    // Going (the window closes) neither waits for it nor answers afterwards.
    QVERIFY(clock.elapsed() < 5000);
    QTest::qWait(100);
    QVERIFY(!answered);
}

QTEST_GUILESS_MAIN(TstDesktopOpener)
#include "TstDesktopOpener.moc"
