#include "ui/MainMenus.h"

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QTest>

namespace {
// The menu as drawn, with the item's mark set or not.
QImage drawn(QMenu *menu, QAction *item, bool checked)
{
    item->setChecked(checked);
    menu->adjustSize();
    return menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels of the item's row that differ strongly between the two drawings: a tick is
// drawn in the text colour on the menu's background; a frame around a picture is faint.
int stronglyChangedPixels(const QImage &a, const QImage &b, const QRect &row)
{
    int count = 0;
    for (int y = row.top(); y <= row.bottom(); ++y) {
        for (int x = row.left(); x <= row.right(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (qAbs(qGray(p.rgb()) - qGray(q.rgb())) > 96)
                ++count;
        }
    }
    return count;
}
} // namespace

/// Whether direct modification (both 操作 menus) or 不重复 is on must be seen at a glance.
class TstCheckMarks final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void directModificationMarkIsVisible_data();
    void directModificationMarkIsVisible();
};

void TstCheckMarks::directModificationMarkIsVisible_data()
{
    QTest::addColumn<bool>("gradeBook");
    QTest::addColumn<bool>("noRepeat");
    QTest::newRow("questioning menu") << false << false;
    QTest::newRow("grade-book menu") << true << false;
    QTest::newRow("不重复") << false << true;
}

void TstCheckMarks::directModificationMarkIsVisible()
{
    QFETCH(bool, gradeBook);
    QFETCH(bool, noRepeat);
    QMainWindow window;
    const MainMenus menus(window);
    QMenu *menu = gradeBook ? menus.gradeBookMenu : menus.questioningMenu;
    QAction *item = gradeBook ? menus.gradeBookDirectModification : menus.questioningDirectModification;
    if (noRepeat)
        item = menus.noRepeat;
    QVERIFY(item->isCheckable());

    const QImage off = drawn(menu, item, false);
    const QImage on = drawn(menu, item, true);
    QCOMPARE(on.size(), off.size());
    const QRect row = menu->actionGeometry(item) & off.rect();
    QVERIFY(!row.isEmpty());
    const int changed = stronglyChangedPixels(off, on, row);
    QVERIFY2(changed >= 8, qPrintable(QStringLiteral("only %1 pixels show the mark").arg(changed)));
}

QTEST_MAIN(TstCheckMarks)
#include "TstCheckMarks.moc"
