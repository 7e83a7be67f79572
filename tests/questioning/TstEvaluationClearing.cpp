#include "FakeQuestioningControls.h"
#include "questioning/EvaluationClearing.h"

#include <QTest>

namespace {
/// Every student graded once or more, then the main query moved off the first row.
void gradeEveryone(QuestioningFixture &fixture)
{
    fixture.fillNumbered(3);
    fixture.run(QStringLiteral("UPDATE [%1] SET [评价]='A',[历史]='BA',[次数]=2,[总分]=18,[平均]=9").arg(fixture.table));
    (void)fixture.query.close();
    QVERIFY(fixture.query.open());
    QVERIFY(fixture.query.last());
}

bool untouched(QuestioningFixture &fixture)
{
    return fixture.column(QStringLiteral("历史")) == QVariantList(3, QStringLiteral("BA"))
        && fixture.column(QStringLiteral("次数")) == QVariantList(3, 2);
}
} // namespace

class TstEvaluationClearing final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void password_data();
    void password();
    void answeringNoAsksNothingMore();
    void beforeAnyLoginNothingRuns();
};

void TstEvaluationClearing::password_data()
{
    QTest::addColumn<QByteArray>("passwordFile"); // empty: no file
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<bool>("clears");
    const QByteArray stored("abc123\r\n");
    QTest::newRow("stored password") << stored << std::optional<QString>(QStringLiteral("abc123")) << true;
    QTest::newRow("administrator while one is stored") << stored << std::optional<QString>(QStringLiteral("kesmora")) << false;
    QTest::newRow("case matters") << stored << std::optional<QString>(QStringLiteral("ABC123")) << false;
    QTest::newRow("cancelled") << stored << std::optional<QString>() << false;
    QTest::newRow("no file: administrator") << QByteArray() << std::optional<QString>(QStringLiteral("kesmora")) << true;
    QTest::newRow("no file: anything else") << QByteArray() << std::optional<QString>(QStringLiteral("abc123")) << false;
    QTest::newRow("no file: empty answer") << QByteArray() << std::optional<QString>(QString()) << false;
}

void TstEvaluationClearing::password()
{
    QFETCH(QByteArray, passwordFile);
    QFETCH(std::optional<QString>, answer);
    QFETCH(bool, clears);
    QuestioningFixture fixture;
    gradeEveryone(fixture);
    if (!passwordFile.isEmpty())
        fixture.folder.writeDataFile(QStringLiteral("一班语文denglu.qs"), passwordFile);
    FakeQuestioningControls host(fixture);
    host.prompts.expectAnswer(Prompter::Answer::Yes);
    host.prompts.expectText(answer);
    if (!clears)
        host.prompts.expectAnswer(Prompter::Answer::Ok);

    EvaluationClearing(fixture.context, host.view).run();

    const QList<FakePrompter::Call> &calls = host.prompts.calls();
    QCOMPARE(calls.size(), clears ? 2 : 3);
    QCOMPARE(calls[0].caption, QStringLiteral("提示"));
    QCOMPARE(calls[0].text, QStringLiteral("确定清除评价记录吗?"));
    QCOMPARE(calls[0].buttons, Prompter::Buttons::YesNo);
    QCOMPARE(calls[0].icon, Prompter::Icon::Question);
    QCOMPARE(calls[1].kind, FakePrompter::Call::Kind::Input);
    QCOMPARE(calls[1].caption, QStringLiteral("密码"));
    QCOMPARE(calls[1].text, QStringLiteral("请输入一班语文登录密码"));
    QCOMPARE(calls[1].defaultText, QString());
    if (!clears) {
        QCOMPARE(calls[2].caption, QStringLiteral("提示"));
        QCOMPARE(calls[2].text, QStringLiteral("密码错误,您不是合法使用者,不能随意删除评价记录!"));
        QCOMPARE(calls[2].buttons, Prompter::Buttons::Ok);
        QCOMPARE(calls[2].icon, Prompter::Icon::Information);
        QVERIFY(untouched(fixture));
        QCOMPARE(host.view.gridFormattings, 0);
        return;
    }

    for (const QString &column : {QStringLiteral("评价"), QStringLiteral("历史")})
        for (const QVariant &value : fixture.column(column))
            QVERIFY(value.isNull());
    for (const QString &column : {QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")})
        for (const QVariant &value : fixture.column(column))
            QCOMPARE(value.toDouble(), 0.0);
    // The table is shown again ordered by number, formatted, on the first student.
    QVERIFY(fixture.query.isOpen());
    QCOMPARE(fixture.query.query().sql, Sql::showAllOrderedByNumber(fixture.table).sql);
    QCOMPARE(fixture.current(QStringLiteral("编号")).toInt(), 1);
    QCOMPARE(fixture.current(QStringLiteral("次数")).toInt(), 0);
    QCOMPARE(host.view.gridFormattings, 1);
}

void TstEvaluationClearing::answeringNoAsksNothingMore()
{
    QuestioningFixture fixture;
    gradeEveryone(fixture);
    FakeQuestioningControls host(fixture);
    host.prompts.expectAnswer(Prompter::Answer::No);

    EvaluationClearing(fixture.context, host.view).run();

    QCOMPARE(host.prompts.calls().size(), 1);
    QVERIFY(untouched(fixture));
    QCOMPARE(fixture.current(QStringLiteral("编号")).toInt(), 3);
}

void TstEvaluationClearing::beforeAnyLoginNothingRuns()
{
    QuestioningFixture fixture;
    gradeEveryone(fixture);
    fixture.login.className.clear();
    fixture.login.subject.clear();
    fixture.login.mode.clear();
    FakeQuestioningControls host(fixture);
    host.prompts.expectAnswer(Prompter::Answer::Ok);

    EvaluationClearing(fixture.context, host.view).run();

    // The same guard as 确定 of the comment settings; no question, no password, no statement.
    QCOMPARE(host.prompts.calls().size(), 1);
    QCOMPARE(host.prompts.lastCall().caption, QStringLiteral("提示"));
    QCOMPARE(host.prompts.lastCall().text, QStringLiteral("请先登录系统！"));
    QCOMPARE(host.prompts.lastCall().buttons, Prompter::Buttons::Ok);
    QCOMPARE(host.prompts.lastCall().icon, Prompter::Icon::Information);
    QVERIFY(untouched(fixture));
    QCOMPARE(host.view.gridFormattings, 0);
}

QTEST_GUILESS_MAIN(TstEvaluationClearing)
#include "TstEvaluationClearing.moc"
