#include "WorkbookWriter.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <xlsxwriter.h>

namespace {

bool isNumberType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
    }
}

/// One cell; a null value writes nothing.
lxw_error writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, const QVariant &value)
{
    if (value.isNull())
        return LXW_NO_ERROR;
    if (isNumberType(value)) {
        const double number = value.toDouble();
        if (std::isfinite(number))
            return worksheet_write_number(sheet, row, column, number, nullptr);
    }
    const QString text = value.toString();
    if (text.isEmpty())
        return LXW_NO_ERROR;
    if (const std::optional<double> number = WorkbookWriter::numberFromText(text))
        return worksheet_write_number(sheet, row, column, *number, nullptr);
    return worksheet_write_string(sheet, row, column, text.toUtf8().constData(), nullptr);
}

/// What went wrong, in the teacher's words (libxlsxwriter's own texts are English).
QString reason(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED: return QStringLiteral("内存不足");
    case LXW_ERROR_CREATING_XLSX_FILE: return QStringLiteral("无法创建这个文件，可能是文件夹不能写入或文件名太长");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE: return QStringLiteral("无法使用临时文件，可能是临时文件夹已满或不能写入");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE: return QStringLiteral("压缩工作簿时出错，可能是磁盘已满");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED: return QStringLiteral("有一个单元格的文字超过了32767个字");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE: return QStringLiteral("行数或列数超过了电子表格的上限");
    default: return QStringLiteral("写入时出错（错误代码%1）").arg(int(error));
    }
}

Result failure(const QString &path, lxw_error error)
{
    return Result::failure(QStringLiteral("无法写入工作簿“%1”：%2。").arg(path, reason(error)));
}

} // namespace

std::optional<double> WorkbookWriter::numberFromText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch match = number.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    // A spreadsheet keeps 15 significant digits: a longer digit string (an ID number)
    // would come back altered, so it stays text.
    QString digits = match.captured(1);
    digits.remove(QLatin1Char('.'));
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    if (digits.size() > 15)
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Result WorkbookWriter::write(const QString &path, const SheetContents &sheet)
{
    if (sheet.rows.size() + 2 > LXW_ROW_MAX || sheet.columns.size() > LXW_COL_MAX)
        return Result::failure(QStringLiteral("表格太大，无法写入工作簿“%1”。").arg(path));

    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return Result::failure(QStringLiteral("无法创建工作簿“%1”。").arg(path));
    lxw_worksheet *worksheet = workbook_add_worksheet(workbook, nullptr);

    lxw_error error = writeCell(worksheet, 0, 0, sheet.title);
    for (int column = 0; error == LXW_NO_ERROR && column < sheet.columns.size(); ++column)
        error = writeCell(worksheet, 1, lxw_col_t(column), sheet.columns.at(column));
    for (int row = 0; error == LXW_NO_ERROR && row < sheet.rows.size(); ++row) {
        const QVector<QVariant> &values = sheet.rows.at(row);
        for (int column = 0; error == LXW_NO_ERROR && column < values.size(); ++column)
            error = writeCell(worksheet, lxw_row_t(row + 2), lxw_col_t(column), values.at(column));
    }
    if (error != LXW_NO_ERROR) {
        // Closing writes the file; a half-filled workbook is not left behind.
        (void)workbook_close(workbook);
        QFile::remove(path);
        return failure(path, error);
    }
    if (const lxw_error closed = workbook_close(workbook); closed != LXW_NO_ERROR) {
        QFile::remove(path);
        return failure(path, closed);
    }
    return Result::success();
}
