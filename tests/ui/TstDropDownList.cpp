#include "ui/DropDownList.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>

/// Choosing from the grade box with the keyboard, as a teacher without a mouse does.
class TstDropDownList final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void downKeysFromTheOpenedList_data();
    void downKeysFromTheOpenedList();
};

void TstDropDownList::downKeysFromTheOpenedList_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("nothing shown, one Down: the first") << -1 << 1 << QStringLiteral("A");
    QTest::newRow("nothing shown, two Downs") << -1 << 2 << QStringLiteral("B");
    QTest::newRow("A shown, one Down") << 0 << 1 << QStringLiteral("B");
}

void TstDropDownList::downKeysFromTheOpenedList()
{
    QFETCH(int, shown);
    QFETCH(int, downs);
    QFETCH(QString, chosen);

    DropDownList box;
    box.addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    box.setCurrentIndex(shown);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy chosenSpy(&box, &QComboBox::textActivated);

    box.showPopup();
    QAbstractItemView *list = box.view();
    QTRY_VERIFY(list->isVisible());
    for (int i = 0; i < downs; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);

    QCOMPARE(chosenSpy.count(), 1);
    QCOMPARE(chosenSpy.constFirst().constFirst().toString(), chosen);
}

QTEST_MAIN(TstDropDownList)
#include "TstDropDownList.moc"
