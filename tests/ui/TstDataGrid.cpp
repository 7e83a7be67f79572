#include "ContextFixture.h"
#include "store/DatasetModel.h"
#include "ui/CurrentRowLink.h"
#include "ui/DataGrid.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString kTable = QStringLiteral("成绩");

/// A grid on a dataset of six students, with direct modification's presentation, shown.
struct GridBench {
    ContextFixture fixture;
    DatasetModel model{&fixture.query};
    DataGrid grid;
    std::unique_ptr<CurrentRowLink> link;

    GridBench()
    {
        fixture.run(QStringLiteral("CREATE TABLE [成绩] ([编号] INT, [姓名] VARCHAR(8), [第1次] INT)"));
        for (int k = 1; k <= 6; ++k)
            fixture.run(QStringLiteral("INSERT INTO [成绩] VALUES (%1, '生%1', %2)").arg(k).arg(60 + k));
        fixture.query.setQuery(Sql::showAll(kTable));
        (void)fixture.query.open();
        grid.setModel(&model);
        link = std::make_unique<CurrentRowLink>(grid, fixture.query);
        grid.setPresentation(GridPresentation::edit());
        grid.resize(400, 300);
        grid.show();
    }
    ~GridBench()
    {
        grid.setModel(nullptr);
        link.reset();
    }
    /// The editor of a cell, opened as a click on it does.
    QLineEdit *editorAt(int row, int column)
    {
        const QModelIndex cell = model.index(row, column);
        grid.setCurrentIndex(cell);
        if (!grid.indexWidget(cell))
            grid.edit(cell);
        return qobject_cast<QLineEdit *>(grid.indexWidget(cell));
    }
    QVariantList scores() { return fixture.column(kTable, QStringLiteral("第1次")); }
};

} // namespace

/// The main grid's cell editor against a dataset that commands walk.
class TstDataGrid final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void walkingTheDatasetIsNotSteered();
    void anEditorTheGridOpenedWritesNothing();
    void aRefusedTextStaysUntilEsc();
};

void TstDataGrid::walkingTheDatasetIsNotSteered()
{
    GridBench bench;
    QVERIFY(bench.editorAt(2, 1));
    Dataset &query = bench.fixture.query;

    QVERIFY(query.first());
    for (int row = 1; row < 6; ++row) {
        QVERIFY(query.next());
        QCOMPARE(query.currentRow(), row);
        QCOMPARE(bench.grid.currentIndex().row(), row);
        // A command writing each row as it walks: the grid adds nothing to it.
        QVERIFY(query.setValue(QStringLiteral("第1次"), 90 + row));
    }
    QVERIFY(query.first());
    QCOMPARE(bench.scores(), (QVariantList{61, 91, 92, 93, 94, 95}));
    QCOMPARE(bench.fixture.column(kTable, QStringLiteral("姓名")).at(2).toString(), QStringLiteral("生3"));
}

void TstDataGrid::anEditorTheGridOpenedWritesNothing()
{
    GridBench bench;
    QLineEdit *editor = bench.editorAt(1, 2);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("62"));
    // Another program stores a new score for the student meanwhile.
    {
        QSqlQuery other(bench.fixture.database.connection());
        QVERIFY(other.exec(QStringLiteral("UPDATE [成绩] SET [第1次] = 99 WHERE [编号] = 2")));
    }

    // The teacher moves on without typing anything.
    bench.grid.setCurrentIndex(bench.model.index(4, 2));
    QVERIFY(bench.fixture.query.first());

    QCOMPARE(bench.scores().at(1).toInt(), 99);
}

void TstDataGrid::aRefusedTextStaysUntilEsc()
{
    GridBench bench;
    QSignalSpy refused(&bench.grid, &DataGrid::editRefused);
    QLineEdit *editor = bench.editorAt(1, 2);
    QVERIFY(editor);
    editor->setText(QStringLiteral("八十"));

    QVERIFY(!bench.grid.commitPendingEdit());
    QCOMPARE(bench.grid.indexWidget(bench.model.index(1, 2)), editor);
    QCOMPARE(editor->text(), QStringLiteral("八十"));
    QVERIFY2(bench.model.lastRefusal().contains(QStringLiteral("八十")), qPrintable(bench.model.lastRefusal()));
    QCOMPARE(refused.size(), 0); // the caller says it
    // The editor's own Enter and losing the focus keep it too, without a second word.
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);
    QCOMPARE(bench.grid.indexWidget(bench.model.index(1, 2)), editor);
    QCOMPARE(refused.size(), 0);

    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!bench.grid.indexWidget(bench.model.index(1, 2)));
    QVERIFY(bench.grid.commitPendingEdit());
    QCOMPARE(bench.scores().at(1).toInt(), 62);

    // Left for another row with a refused text, the teacher is told once.
    editor = bench.editorAt(3, 2);
    QVERIFY(editor);
    editor->setText(QStringLiteral("x"));
    bench.grid.setCurrentIndex(bench.model.index(5, 2));
    QCOMPARE(refused.size(), 1);
    QCOMPARE(bench.fixture.query.currentRow(), 5);
    QCOMPARE(bench.scores().at(3).toInt(), 64);
}

QTEST_MAIN(TstDataGrid)
#include "TstDataGrid.moc"
