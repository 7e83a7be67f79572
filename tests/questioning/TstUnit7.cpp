#include "questioning/Unit7.h"

#include <QTest>
#include <QTextEdit>

class TstUnit7 final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsOverTheMainWindow();
    void characterKeysHide_data();
    void characterKeysHide();
    void clickHides();
    void showingAgainTakesTheNewText();
};

void TstUnit7::showsOverTheMainWindow()
{
    QWidget main;
    main.setGeometry(100, 80, 800, 600);
    main.show();
    TForm7 popup(&main);
    QVERIFY(!popup.isVisible());

    popup.showComment(QStringLiteral("回答正确"));

    QVERIFY(popup.isVisible());
    QCOMPARE(popup.text(), QStringLiteral("回答正确"));
    QCOMPARE(popup.size(), QSize(438, 97));
    QVERIFY(popup.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(popup.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(popup.frameGeometry().center(), main.frameGeometry().center());
    auto *memo = popup.findChild<QTextEdit *>();
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toolTip(), QStringLiteral("单击隐藏"));
    QCOMPARE(memo->font().pixelSize(), 35);
    QVERIFY(memo->font().bold());
    QCOMPARE(memo->font().family(), QStringLiteral("华文行楷"));
    QCOMPARE(memo->alignment(), Qt::AlignCenter);
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(memo->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(memo->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

void TstUnit7::characterKeysHide_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("hides");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("letter") << int(Qt::Key_A) << true;
    QTest::newRow("digit") << int(Qt::Key_5) << true;
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << false;
    QTest::newRow("arrow") << int(Qt::Key_Left) << false;
}

void TstUnit7::characterKeysHide()
{
    QFETCH(int, key);
    QFETCH(bool, hides);
    TForm7 popup;
    popup.showComment(QStringLiteral("好"));
    QWidget *holder = popup.findChild<QWidget *>(QStringLiteral("focusHolder"));
    QVERIFY(holder);
    QCOMPARE(popup.focusWidget(), holder);

    QTest::keyClick(holder, Qt::Key(key));

    QCOMPARE(popup.isVisible(), !hides);
    // Shown again, a key still reaches it.
    popup.showComment(QStringLiteral("好"));
    QTest::keyClick(popup.focusWidget(), Qt::Key_Escape);
    QVERIFY(!popup.isVisible());
}

void TstUnit7::clickHides()
{
    TForm7 popup;
    popup.showComment(QStringLiteral("好"));
    auto *memo = popup.findChild<QTextEdit *>();
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(200, 40));
    QVERIFY(!popup.isVisible());
}

void TstUnit7::showingAgainTakesTheNewText()
{
    TForm7 popup;
    popup.showComment(QStringLiteral("很好"));
    popup.showComment(QStringLiteral("一般"));
    QVERIFY(popup.isVisible());
    QCOMPARE(popup.text(), QStringLiteral("一般"));
}

QTEST_MAIN(TstUnit7)
#include "TstUnit7.moc"
