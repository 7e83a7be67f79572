#include "GradeBookFixture.h"
#include "gradebook/ScoreColumns.h"
#include "gradebook/Unit8.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QList<GradeBookFixture::Student> kOneStudent{{1, QStringLiteral("甲"), 1, {80, 81, 82}}};
const QStringList kThreeColumns{QStringLiteral("第1次"), QStringLiteral("第2次"), QStringLiteral("第3次")};
} // namespace

class TstUnit8 final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void offersTheNextNumber();
    void typingReplacesTheOffer();
    void refusedNamesLeaveTheTableAlone_data();
    void refusedNamesLeaveTheTableAlone();
    void okAddsTheColumnAndCloses();
    void noEscAndCloseBox_data();
    void noEscAndCloseBox();
};

void TstUnit8::offersTheNextNumber()
{
    GradeBookFixture fixture;
    fixture.create(kThreeColumns, kOneStudent);
    TForm8 dialog(fixture.database, fixture.view, fixture.table, fixture.prompts, fixture.mainView);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("字段名"));
    QCOMPARE(dialog.nameBox()->text(), QStringLiteral("第4次"));
    QCOMPARE(dialog.pendingColumnName(), QStringLiteral("第4次"));
    QVERIFY(dialog.okButton()->isDefault());
    QCOMPARE(dialog.noButton()->text(), QStringLiteral("&No"));

    // With no score column the score batch shows 编号, 姓名, 小组, 合计, 平均 first.
    fixture.create({}, kOneStudent);
    fixture.view.setQuery(Sql::showColumns(fixture.table, {u"编号"_s, u"姓名"_s, u"小组"_s, u"合计"_s, u"平均"_s}));
    QVERIFY(fixture.view.open());
    TForm8 first(fixture.database, fixture.view, fixture.table, fixture.prompts, fixture.mainView);
    QCOMPARE(first.nameBox()->text(), QStringLiteral("第1次"));
}

void TstUnit8::typingReplacesTheOffer()
{
    GradeBookFixture fixture;
    fixture.create(kThreeColumns, kOneStudent);
    TForm8 dialog(fixture.database, fixture.view, fixture.table, fixture.prompts, fixture.mainView);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.nameBox());
    QTest::keyClicks(dialog.nameBox(), u"ab"_s);
    QCOMPARE(dialog.nameBox()->text(), u"ab"_s);
    QCOMPARE(dialog.pendingColumnName(), u"ab"_s);
}

void TstUnit8::refusedNamesLeaveTheTableAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("taken") << QStringLiteral("第2次");
    QTest::newRow("taken apart from case") << QStringLiteral("QUIZ");
    QTest::newRow("a fixed column") << QStringLiteral("合计");
    QTest::newRow("empty") << QString();
    QTest::newRow("blank inside") << QStringLiteral("期中 考试");
    QTest::newRow("only blanks") << QStringLiteral("  ");
    QTest::newRow("bracket") << QStringLiteral("a]b");
    QTest::newRow("opening bracket") << QStringLiteral("[a");
    QTest::newRow("single quote") << QStringLiteral("a'b");
    QTest::newRow("double quote") << QStringLiteral("a\"b");
    QTest::newRow("statement") << QStringLiteral("x INT);DROP TABLE 母版;--");
    QTest::newRow("65 characters") << QString(65, QLatin1Char('x'));
}

void TstUnit8::refusedNamesLeaveTheTableAlone()
{
    QFETCH(QString, name);
    GradeBookFixture fixture;
    fixture.create({QStringLiteral("第1次"), QStringLiteral("第2次"), QStringLiteral("quiz")}, kOneStudent);
    const QStringList before = fixture.tableColumns();
    TForm8 dialog(fixture.database, fixture.view, fixture.table, fixture.prompts, fixture.mainView);
    dialog.show();
    dialog.nameBox()->setText(name);
    fixture.prompts.expectAnswer(Prompter::Answer::Ok);

    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);

    QCOMPARE(fixture.prompts.calls().size(), 1);
    QCOMPARE(fixture.prompts.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(fixture.prompts.lastCall().text, QStringLiteral("表头字段名重复！"));
    QCOMPARE(fixture.prompts.lastCall().icon, Prompter::Icon::Information);
    QCOMPARE(fixture.tableColumns(), before);
    QVERIFY(fixture.database.tableExists(QStringLiteral("母版")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.nameBox()->text(), name);
    QCOMPARE(fixture.reopenings, 1);
}

void TstUnit8::okAddsTheColumnAndCloses()
{
    GradeBookFixture fixture;
    fixture.create(kThreeColumns, kOneStudent);
    TForm8 dialog(fixture.database, fixture.view, fixture.table, fixture.prompts, fixture.mainView);
    dialog.show();
    const QString longest(ScoreColumns::kMaxNameLength, QChar(u'分'));
    dialog.nameBox()->setText(longest);

    QTest::keyClick(dialog.nameBox(), Qt::Key_Return);

    QCOMPARE(fixture.prompts.calls().size(), 0);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(fixture.tableColumns().constLast(), longest);
    QCOMPARE(dialog.pendingColumnName(), longest);
    // The grade-book view is open again with the new column before 合计.
    QCOMPARE(fixture.reopenings, 1);
    QCOMPARE(fixture.view.fieldNames().at(6), longest);
    QCOMPARE(fixture.view.fieldNames().at(7), QStringLiteral("合计"));
}

void TstUnit8::noEscAndCloseBox_data()
{
    QTest::addColumn<int>("how"); // 0 No, 1 Esc, 2 close box
    QTest::addColumn<QString>("pending");
    QTest::newRow("No") << 0 << QString();
    QTest::newRow("Esc") << 1 << QString();
    QTest::newRow("close box keeps the name") << 2 << QStringLiteral("期中");
}

void TstUnit8::noEscAndCloseBox()
{
    QFETCH(int, how);
    QFETCH(QString, pending);
    GradeBookFixture fixture;
    fixture.create(kThreeColumns, kOneStudent);
    const QStringList before = fixture.tableColumns();
    TForm8 dialog(fixture.database, fixture.view, fixture.table, fixture.prompts, fixture.mainView);
    dialog.show();
    dialog.nameBox()->setText(QStringLiteral("期中"));
    QSignalSpy changes(&dialog, &TForm8::pendingColumnNameChanged);

    if (how == 0)
        QTest::mouseClick(dialog.noButton(), Qt::LeftButton);
    else if (how == 1)
        QTest::keyClick(dialog.nameBox(), Qt::Key_Escape);
    else
        dialog.close();

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.pendingColumnName(), pending);
    QCOMPARE(changes.size(), how == 2 ? 0 : 1);
    QCOMPARE(fixture.tableColumns(), before);
    QCOMPARE(fixture.prompts.calls().size(), 0);
}

QTEST_MAIN(TstUnit8)
#include "TstUnit8.moc"
