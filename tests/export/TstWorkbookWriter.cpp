// The workbook writer, read back cell by cell.
#include "XlsxReader.h"
#include "export/WorkbookWriter.h"

#include <QTemporaryDir>
#include <QTest>

class TstWorkbookWriter final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutReadsBackCellByCell();
    void textBecomesNumber_data();
    void textBecomesNumber();
    void unwritableFolderIsReported_data();
    void unwritableFolderIsReported();
};

void TstWorkbookWriter::layoutReadsBackCellByCell()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("一班语文记分册.xlsx"));
    SheetContents sheet;
    sheet.title = QStringLiteral("一班语文记分册");
    sheet.columns = {QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("期中"), QStringLiteral("平均")};
    sheet.rows = {
        {2, QStringLiteral("欧阳晓明"), QStringLiteral("88"), 87.5},
        {1, QStringLiteral("堃喆"), QVariant(), QStringLiteral("")},
    };
    QVERIFY(WorkbookWriter::write(path, sheet).ok);

    const XlsxSheet read = readXlsxSheet(path);
    QVERIFY(read.ok);
    const QMap<QString, QVariant> expected{
        {QStringLiteral("A1"), QStringLiteral("一班语文记分册")}, {QStringLiteral("A2"), QStringLiteral("编号")},
        {QStringLiteral("B2"), QStringLiteral("姓名")}, {QStringLiteral("C2"), QStringLiteral("期中")},
        {QStringLiteral("D2"), QStringLiteral("平均")}, {QStringLiteral("A3"), 2.0},
        {QStringLiteral("B3"), QStringLiteral("欧阳晓明")}, {QStringLiteral("C3"), 88.0}, {QStringLiteral("D3"), 87.5},
        {QStringLiteral("A4"), 1.0}, {QStringLiteral("B4"), QStringLiteral("堃喆")},
        // C4 (NULL) and D4 (empty text) are empty cells, not 0.
    };
    QCOMPARE(read.cells, expected);
}

void TstWorkbookWriter::textBecomesNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("number");
    QTest::newRow("integer") << QStringLiteral("85") << QVariant(85.0);
    QTest::newRow("decimal with blanks") << QStringLiteral(" 3.5 ") << QVariant(3.5);
    QTest::newRow("negative") << QStringLiteral("-2") << QVariant(-2.0);
    QTest::newRow("exponent") << QStringLiteral("1e3") << QVariant(1000.0);
    QTest::newRow("leading zeros") << QStringLiteral("007") << QVariant(7.0);
    QTest::newRow("name") << QStringLiteral("张三") << QVariant();
    QTest::newRow("grade history") << QStringLiteral("ABAC") << QVariant();
    QTest::newRow("number and text") << QStringLiteral("3班") << QVariant();
    QTest::newRow("hexadecimal") << QStringLiteral("0x10") << QVariant();
    QTest::newRow("infinity") << QStringLiteral("inf") << QVariant();
    QTest::newRow("too many digits to keep") << QStringLiteral("110101200001011234") << QVariant();
}

void TstWorkbookWriter::textBecomesNumber()
{
    QFETCH(QString, text);
    QFETCH(QVariant, number);
    const std::optional<double> converted = WorkbookWriter::numberFromText(text);
    QCOMPARE(converted.has_value(), number.isValid());
    if (converted)
        QCOMPARE(*converted, number.toDouble());
}

void TstWorkbookWriter::unwritableFolderIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a folder that is not there") << QStringLiteral("没有的文件夹/表.xlsx");
    QTest::newRow("a file name over 255 bytes") << QStringLiteral("长").repeated(90) + QStringLiteral(".xlsx");
}

void TstWorkbookWriter::unwritableFolderIsReported()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const Result written = WorkbookWriter::write(path, SheetContents{QStringLiteral("表"), {}, {}});
    QVERIFY(!written.ok);
    // In the teacher's words: the file named, no English from the library.
    QCOMPARE(written.error, QStringLiteral("无法写入工作簿“%1”：无法创建这个文件，可能是文件夹不能写入或文件名太长。").arg(path));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TstWorkbookWriter)
#include "TstWorkbookWriter.moc"
