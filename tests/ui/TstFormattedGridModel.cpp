// The grid's formatted model tells its views of the columns whose dress changed, and of
// nothing when the same formats come again or no view can have shown the rows yet.
#include "ui/FormattedGridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

namespace {

QList<ColumnFormat> formats(int columns, const QColor &even = Qt::yellow)
{
    return GridFormatting::forFieldCount(columns, even);
}

/// The first and last column of each headerDataChanged, and of each dataChanged.
QList<QPair<int, int>> headerRanges(const QSignalSpy &spy)
{
    QList<QPair<int, int>> ranges;
    for (const QList<QVariant> &signal : spy)
        ranges << qMakePair(signal.at(1).toInt(), signal.at(2).toInt());
    return ranges;
}

QList<QPair<int, int>> cellRanges(const QSignalSpy &spy)
{
    QList<QPair<int, int>> ranges;
    for (const QList<QVariant> &signal : spy)
        ranges << qMakePair(signal.at(0).toModelIndex().column(), signal.at(1).toModelIndex().column());
    return ranges;
}

} // namespace

class TstFormattedGridModel final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changedColumnsOnly();
    void nothingToTellBeforeTheRowsAreShown();
};

void TstFormattedGridModel::changedColumnsOnly()
{
    QStandardItemModel rows(3, 4);
    FormattedGridModel model;
    model.setSourceModel(&rows);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCoreApplication::processEvents();
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);

    model.setColumnFormats(formats(4));
    QCOMPARE(headerRanges(header), (QList<QPair<int, int>>{{0, 3}}));
    QCOMPARE(cellRanges(cells), (QList<QPair<int, int>>{{0, 3}}));
    QCOMPARE(model.index(1, 1).data(Qt::BackgroundRole).value<QBrush>().color(), GridFormatting::kAqua);

    // Grid formatting runs after every command: the same formats tell nothing.
    header.clear();
    cells.clear();
    model.setColumnFormats(formats(4));
    QVERIFY(header.isEmpty());
    QVERIFY(cells.isEmpty());

    // The tool-tip colour changed: the even columns from the first on.
    model.setColumnFormats(formats(4, Qt::green));
    QCOMPARE(headerRanges(header), (QList<QPair<int, int>>{{0, 3}}));
    QCOMPARE(model.index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
    // Fewer formats: the columns beyond them become plain and are told so.
    header.clear();
    model.setColumnFormats(formats(2, Qt::green));
    QCOMPARE(headerRanges(header), (QList<QPair<int, int>>{{2, 3}}));
    QVERIFY(!model.index(0, 3).data(Qt::BackgroundRole).isValid());
}

void TstFormattedGridModel::nothingToTellBeforeTheRowsAreShown()
{
    QStandardItemModel rows(3, 2);
    FormattedGridModel model;
    model.setSourceModel(&rows);
    model.setColumnFormats(formats(2));
    QCoreApplication::processEvents();
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy cells(&model, &QAbstractItemModel::dataChanged);

    // A query opened anew (a reset to more columns), formatted before anything is painted.
    rows.setColumnCount(5);
    model.setSourceModel(nullptr);
    model.setSourceModel(&rows);
    model.setColumnFormats(formats(5));
    QVERIFY(header.isEmpty());
    QVERIFY(cells.isEmpty());
    QCOMPARE(model.headerData(4, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(), GridFormatting::kTitleBackground);
    QCOMPARE(model.index(2, 3).data(Qt::BackgroundRole).value<QBrush>().color(), GridFormatting::kAqua);

    // Once the event loop ran, views may show the rows: a change is told again.
    QCoreApplication::processEvents();
    model.setColumnFormats(formats(5, Qt::green));
    QCOMPARE(headerRanges(header), (QList<QPair<int, int>>{{0, 4}}));
}

QTEST_MAIN(TstFormattedGridModel)
#include "TstFormattedGridModel.moc"
