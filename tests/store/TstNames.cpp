#include "store/DataPaths.h"
#include "store/TableNames.h"

#include <QTest>

class TstNames final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void safeNames_data();
    void safeNames();
    void namesAreConcatenated_data();
    void namesAreConcatenated();
    void pathsLieInTheProgramFolder();
};

void TstNames::safeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("class") << QStringLiteral("一班") << true;
    QTest::newRow("subject with digits") << QStringLiteral("语文2") << true;
    QTest::newRow("column") << QStringLiteral("第1次") << true;
    QTest::newRow("dots inside") << QStringLiteral("a.b") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("a/b") << QStringLiteral("a/b") << false;
    QTest::newRow("a\\b") << QStringLiteral("a\\b") << false;
    QTest::newRow("a]b") << QStringLiteral("a]b") << false;
    QTest::newRow("a[b") << QStringLiteral("a[b") << false;
    QTest::newRow("a b") << QStringLiteral("a b") << false;
    QTest::newRow("ideographic space") << QStringLiteral("一\u3000班") << false;
    QTest::newRow("tab") << QStringLiteral("a\tb") << false;
    QTest::newRow("control") << QStringLiteral("a\u0001b") << false;
    QTest::newRow("colon") << QStringLiteral("a:b") << false;
    QTest::newRow("star") << QStringLiteral("a*") << false;
    QTest::newRow("question") << QStringLiteral("a?") << false;
    QTest::newRow("quote") << QStringLiteral("a\"b") << false;
    QTest::newRow("angle brackets") << QStringLiteral("<a>") << false;
    QTest::newRow("bar") << QStringLiteral("a|b") << false;
    QTest::newRow(".") << QStringLiteral(".") << false;
    QTest::newRow("..") << QStringLiteral("..") << false;
    QTest::newRow("zero-width space") << QStringLiteral("一\u200B班") << false;
    QTest::newRow("word joiner") << QStringLiteral("一班\u2060") << false;
    QTest::newRow("byte-order mark") << QStringLiteral("\uFEFF一班") << false;
    QTest::newRow("right-to-left override") << QStringLiteral("一\u202E班") << false;
    QTest::newRow("soft hyphen") << QStringLiteral("一\u00AD班") << false;
    QTest::newRow("variation selector") << QStringLiteral("一\uFE0F班") << false;
    QTest::newRow("C1 control") << QStringLiteral("一\u0085班") << false;
    QTest::newRow("comma in a class name") << QStringLiteral("一,班") << true;
    QTest::newRow("rowid as a class name") << QStringLiteral("rowid") << true;
}

void TstNames::safeNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(isSafeName(name), safe);
}

void TstNames::namesAreConcatenated_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("subject");
    QTest::newRow("一班 + 语文") << QStringLiteral("一班") << QStringLiteral("语文");
    QTest::newRow("一班语 + 文") << QStringLiteral("一班语") << QStringLiteral("文");
}

void TstNames::namesAreConcatenated()
{
    QFETCH(QString, className);
    QFETCH(QString, subject);
    const TableNames names{className, subject, kModeGradeBook};
    QCOMPARE(names.classTable(), className);
    QCOMPARE(names.questioningTable(), QStringLiteral("一班语文课堂提问"));
    QCOMPARE(names.gradeBookTable(), QStringLiteral("一班语文记分册"));
    QCOMPARE(names.currentTable(), names.gradeBookTable());
    QCOMPARE(names.scratchTable(), QStringLiteral("备份一班语文记分册"));

    const DataPaths paths(QStringLiteral("/opt/qs"));
    QCOMPARE(paths.passwordFile(className, subject), QStringLiteral("/opt/qs/Data/一班语文denglu.qs"));
    QCOMPARE(paths.gradeSettingsFile(className, subject), QStringLiteral("/opt/qs/Data/一班语文Moren.qs"));
}

void TstNames::pathsLieInTheProgramFolder()
{
    const DataPaths paths(QStringLiteral("/opt/qs"));
    QCOMPARE(paths.databaseFile(), QStringLiteral("/opt/qs/Record.mdb"));
    QCOMPARE(paths.programFile(QStringLiteral("xuan.avi")), QStringLiteral("/opt/qs/xuan.avi"));
    QCOMPARE(paths.dataFolder(), QStringLiteral("/opt/qs/Data"));
    QCOMPARE(paths.classListFile(), QStringLiteral("/opt/qs/Data/banji.qs"));
    QCOMPARE(paths.defaultSubjectListFile(), QStringLiteral("/opt/qs/Data/xueke.qs"));
    QCOMPARE(paths.subjectListFile(QStringLiteral("一班")), QStringLiteral("/opt/qs/Data/一班xueke.qs"));
    QCOMPARE(paths.defaultGradeSettingsFile(), QStringLiteral("/opt/qs/Data/Moren.qs"));
    QCOMPARE(DataPaths(QStringLiteral("/opt/qs/")).databaseFile(), QStringLiteral("/opt/qs/Record.mdb"));
}

QTEST_GUILESS_MAIN(TstNames)
#include "TstNames.moc"
