#include "gradebook/GradeBookView.h"
#include "shell/WindowTitle.h"
#include "store/LoginState.h"
#include "ui/FontMapping.h"

#include <QFontDatabase>
#include <QTest>

/// The rules of the main window that need no window: column list, title, fonts.
class TstShellRules final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void columnList_data();
    void columnList();
    void titleRule_data();
    void titleRule();
    void substitutesAreInstalledFaces();
};

void TstShellRules::columnList_data()
{
    QTest::addColumn<QStringList>("tableColumns");
    QTest::addColumn<QString>("list");
    const QStringList base{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组"), QStringLiteral("合计"),
        QStringLiteral("平均"), QStringLiteral("名次")};
    QTest::newRow("six columns") << base << QStringLiteral("编号,姓名,小组");
    QTest::newRow("fewer than six") << base.mid(0, 3) << QStringLiteral("编号,姓名,小组");
    QTest::newRow("one score column") << base + QStringList{QStringLiteral("期中 INT")}
                                      << QStringLiteral("编号,姓名,小组,期中,合计,平均");
    QTest::newRow("two score columns") << base + QStringList{QStringLiteral("第1次 INT NULL"), QStringLiteral("第2次 INTEGER")}
                                       << QStringLiteral("编号,姓名,小组,第1次,第2次,合计,平均");
    QTest::newRow("a text column is no score") << base + QStringList{QStringLiteral("第1次 INT"), QStringLiteral("备注 TEXT")}
                                               << QStringLiteral("编号,姓名,小组,第1次,合计,平均");
    QTest::newRow("only a text column") << base + QStringList{QStringLiteral("备注 VARCHAR(20)")}
                                        << QStringLiteral("编号,姓名,小组");
    QTest::newRow("合计 at the end is not a score") << QStringList{QStringLiteral("编号"), QStringLiteral("姓名"),
        QStringLiteral("小组"), QStringLiteral("平均"), QStringLiteral("名次"), QStringLiteral("第1次 INT"),
        QStringLiteral("合计 INT")} << QStringLiteral("编号,姓名,小组,第1次,合计,平均");
}

void TstShellRules::columnList()
{
    QFETCH(QStringList, tableColumns);
    QFETCH(QString, list);
    // "name type"; the fixed columns carry the types of the schema.
    QList<ColumnDefinition> definitions;
    for (const QString &column : tableColumns) {
        const qsizetype blank = column.indexOf(QLatin1Char(' '));
        definitions << ColumnDefinition{
            blank < 0 ? column : column.left(blank), blank < 0 ? QStringLiteral("INT NULL") : column.mid(blank + 1)};
    }
    QCOMPARE(GradeBookView::columnList(definitions), list);
}

void TstShellRules::titleRule_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("title");
    QTest::newRow("nobody logged in") << QString() << QString() << kModeGradeBook << QString();
    QTest::newRow("questioning") << QStringLiteral("一班") << QStringLiteral("语文") << kModeQuestioning
                                 << QStringLiteral("青穗多媒体教学助手-一班语文课堂提问");
    QTest::newRow("grade book") << QStringLiteral("初二3班") << QStringLiteral("数学") << kModeGradeBook
                                << QStringLiteral("青穗多媒体教学助手-初二3班数学记分册");
    QTest::newRow("subject only") << QString() << QStringLiteral("语文") << QString()
                                  << QStringLiteral("青穗多媒体教学助手-语文");
}

void TstShellRules::titleRule()
{
    QFETCH(QString, className);
    QFETCH(QString, subject);
    QFETCH(QString, mode);
    QFETCH(QString, title);
    LoginState state;
    state.className = className;
    state.subject = subject;
    state.mode = mode;
    QCOMPARE(WindowTitle::forLogin(state).value_or(QString()), title);
}

void TstShellRules::substitutesAreInstalledFaces()
{
    const QStringList installed = QFontDatabase::families();
    for (const auto &[family, substitutes] : FontMapping::substitutions()) {
        QVERIFY2(!substitutes.isEmpty(), qPrintable(family));
        QVERIFY2(installed.contains(substitutes.first()), qPrintable(family + QStringLiteral(" -> ") + substitutes.first()));
    }
}

QTEST_MAIN(TstShellRules)
#include "TstShellRules.moc"
