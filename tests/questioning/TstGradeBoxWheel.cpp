#include "questioning/QuestioningToolbar.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

/// A grade is recorded only by a deliberate choice: a wheel notch over the grade box
/// while the teacher works elsewhere must not choose one.
class TstGradeBoxWheel final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wheelChoosesOnlyWithFocus_data();
    void wheelChoosesOnlyWithFocus();
};

void TstGradeBoxWheel::wheelChoosesOnlyWithFocus_data()
{
    QTest::addColumn<int>("shown"); // index shown before the wheel, -1: none
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("notch"); // +1 up, -1 down
    QTest::addColumn<int>("after");
    QTest::newRow("B shown, unfocused, down") << 1 << false << -1 << 1;
    QTest::newRow("B shown, unfocused, up") << 1 << false << 1 << 1;
    QTest::newRow("nothing shown, unfocused, down") << -1 << false << -1 << -1;
    QTest::newRow("B shown, focused, down") << 1 << true << -1 << 2;
    QTest::newRow("B shown, focused, up") << 1 << true << 1 << 0;
}

void TstGradeBoxWheel::wheelChoosesOnlyWithFocus()
{
    QFETCH(int, shown);
    QFETCH(bool, focused);
    QFETCH(int, notch);
    QFETCH(int, after);

    QuestioningToolbar toolbar;
    toolbar.show();
    toolbar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&toolbar));
    QComboBox *box = toolbar.gradeBox();
    box->setCurrentIndex(shown);
    QWidget *elsewhere = toolbar.nameBox();
    (focused ? static_cast<QWidget *>(box) : elsewhere)->setFocus();
    QTRY_COMPARE(box->hasFocus(), focused);
    QSignalSpy chosen(box, &QComboBox::activated);

    const QPointF local(box->width() / 2.0, box->height() / 2.0);
    QWheelEvent wheel(
        local, box->mapToGlobal(local), QPoint(), QPoint(0, 120 * notch), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);

    QCOMPARE(box->currentIndex(), after);
    QCOMPARE(chosen.count(), after == shown ? 0 : 1);
    QCOMPARE(box->hasFocus(), focused);
    // The wheel itself must not hand the box the focus that lets the next notch through.
    QVERIFY((box->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
}

QTEST_MAIN(TstGradeBoxWheel)
#include "TstGradeBoxWheel.moc"
