#include "AnalysisWorkbook.h"

#include "StatisticsText.h"

#include <QFile>

#include <xlsxwriter.h>

namespace {

/// One worksheet being written; the first failure is kept and later writes are skipped.
class SheetWriter final {
public:
    SheetWriter(lxw_worksheet *sheet, lxw_error &error)
        : m_sheet(sheet)
        , m_error(error)
    {
    }
    void text(int row, int column, const QString &value, lxw_format *format = nullptr)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), value.toUtf8().constData(), format);
    }
    void number(int row, int column, std::optional<double> value, lxw_format *format = nullptr)
    {
        if (m_error == LXW_NO_ERROR && value)
            m_error = worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), *value, format);
    }
    void chart(int row, int column, lxw_chart *chart)
    {
        if (m_error == LXW_NO_ERROR)
            m_error = worksheet_insert_chart(m_sheet, lxw_row_t(row), lxw_col_t(column), chart);
    }
    lxw_worksheet *sheet() const { return m_sheet; }

private:
    lxw_worksheet *m_sheet;
    lxw_error &m_error;
};

struct Formats {
    lxw_format *bold;
    lxw_format *decimal;
    lxw_format *percent;
};

void setRange(lxw_chart_series *series, bool categories, const QByteArray &sheet, int firstRow, int lastRow, int column)
{
    (categories ? chart_series_set_categories : chart_series_set_values)(
        series, sheet.constData(), lxw_row_t(firstRow), lxw_col_t(column), lxw_row_t(lastRow), lxw_col_t(column));
}

/// A line chart of scores over the same span as on screen.
lxw_chart *lineChart(lxw_workbook *workbook, const QString &title, const ScoreList &values, int fullMarks)
{
    lxw_chart *chart = workbook_add_chart(workbook, LXW_CHART_LINE);
    chart_title_set_name(chart, title.toUtf8().constData());
    chart_axis_set_name(chart->y_axis, "分数");
    const auto [low, high] = ClassAnalysis::chartRange(values, fullMarks);
    chart_axis_set_min(chart->y_axis, low);
    chart_axis_set_max(chart->y_axis, high);
    chart_show_blanks_as(chart, LXW_CHART_BLANKS_AS_GAP);
    chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    return chart;
}

void lineSeries(lxw_chart *chart, const QByteArray &sheet, int firstRow, int lastRow, int nameColumn, int valueColumn)
{
    lxw_chart_series *series = chart_add_series(chart, nullptr, nullptr);
    setRange(series, true, sheet, firstRow, lastRow, 0);
    setRange(series, false, sheet, firstRow, lastRow, valueColumn);
    chart_series_set_name_range(series, sheet.constData(), lxw_row_t(firstRow - 1), lxw_col_t(nameColumn));
    chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
}

void writeStatistics(lxw_workbook *workbook, SheetWriter &out, const AnalysisReport &report, const Formats &formats)
{
    const ClassAnalysis &analysis = report.analysis;
    const QByteArray sheetName = AnalysisWorkbook::kStatisticsSheet.toUtf8();
    out.text(0, 0, QStringLiteral("%1成绩分析：%2").arg(report.title, analysis.column), formats.bold);
    out.text(1, 0, QStringLiteral("满分"));
    out.number(1, 1, analysis.lines.fullMarks);
    out.text(1, 2, QStringLiteral("及格线"));
    out.number(1, 3, analysis.lines.passMark());
    out.text(1, 4, QStringLiteral("优秀线"));
    out.number(1, 5, analysis.lines.excellentMark());

    int row = 3;
    const QStringList header = AnalysisWorkbook::statisticsHeader();
    for (int column = 0; column < header.size(); ++column)
        out.text(row, column, header.at(column), formats.bold);
    for (const ClassAnalysis::Row &group : analysis.rows) {
        ++row;
        const ScoreSummary &s = group.summary;
        out.text(row, 0, group.label);
        out.number(row, 1, s.students);
        out.number(row, 2, s.missing);
        out.number(row, 3, s.mean, formats.decimal);
        out.number(row, 4, s.highest);
        out.number(row, 5, s.lowest);
        out.number(row, 6, s.median);
        out.number(row, 7, s.deviation, formats.decimal);
        out.number(row, 8, s.passRate, formats.percent);
        out.number(row, 9, s.excellentRate, formats.percent);
    }

    row += 2;
    const int bandHeader = row;
    out.text(row, 0, QStringLiteral("分数段"), formats.bold);
    out.text(row, 1, QStringLiteral("人数"), formats.bold);
    for (int band = 0; band < ScoreBands::kCount; ++band) {
        ++row;
        out.text(row, 0, analysis.bandLabels.value(band));
        out.number(row, 1, analysis.bands.at(std::size_t(band)));
    }
    lxw_chart *bands = workbook_add_chart(workbook, LXW_CHART_COLUMN);
    chart_title_set_name(bands, QStringLiteral("%1分数段").arg(analysis.column).toUtf8().constData());
    chart_axis_set_name(bands->y_axis, "人数");
    chart_legend_set_position(bands, LXW_CHART_LEGEND_NONE);
    lxw_chart_series *bandSeries = chart_add_series(bands, nullptr, nullptr);
    setRange(bandSeries, true, sheetName, bandHeader + 1, row, 0);
    setRange(bandSeries, false, sheetName, bandHeader + 1, row, 1);
    chart_series_set_name(bandSeries, "人数");
    chart_series_set_labels(bandSeries);
    out.chart(3, 11, bands);

    const QStringList &columns = report.scores.scoreColumns();
    if (columns.isEmpty())
        return;
    row += 2;
    const int trendHeader = row;
    const bool withStudent = report.student >= 0 && report.student < report.scores.students().size();
    out.text(row, 0, QStringLiteral("成绩列"), formats.bold);
    out.text(row, 1, QStringLiteral("全班平均分"), formats.bold);
    if (withStudent)
        out.text(row, 2, report.scores.students().at(report.student).name, formats.bold);
    const ScoreList studentScores = report.scores.studentScores(report.student);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        ++row;
        out.text(row, 0, columns.at(i));
        out.number(row, 1, analysis.trend.value(i), formats.decimal);
        if (withStudent)
            out.number(row, 2, studentScores.value(i));
    }
    // The score columns' own 满分, also when 合计 is analysed.
    const int fullMarks = analysis.lines.fullMarks / report.scores.fullMarksFactor(analysis.column);
    lxw_chart *trend = lineChart(workbook, QStringLiteral("全班平均分走势"), analysis.trend, fullMarks);
    lineSeries(trend, sheetName, trendHeader + 1, row, 1, 1);
    out.chart(20, 11, trend);
    if (withStudent) {
        lxw_chart *student = lineChart(workbook, QStringLiteral("%1的成绩").arg(report.scores.students().at(report.student).name),
            studentScores + analysis.trend, fullMarks);
        lineSeries(student, sheetName, trendHeader + 1, row, 2, 2);
        lineSeries(student, sheetName, trendHeader + 1, row, 1, 1);
        out.chart(37, 11, student);
    }
    worksheet_set_column(out.sheet(), 0, 0, 14, nullptr);
    worksheet_set_column(out.sheet(), 1, 9, 10, nullptr);
}

void writeRanks(SheetWriter &out, const AnalysisReport &report, const Formats &formats)
{
    if (report.before.isEmpty()) {
        out.text(0, 0, report.leadersText());
        return;
    }
    out.text(0, 0, QStringLiteral("名次进退：%1 → %2").arg(report.before, report.after), formats.bold);
    out.text(1, 0, report.leadersText());
    const QStringList header{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组"),
        report.before + QStringLiteral("名次"), report.after + QStringLiteral("名次"), QStringLiteral("进退")};
    for (int column = 0; column < header.size(); ++column)
        out.text(3, column, header.at(column), formats.bold);
    int row = 3;
    for (const RankChange &change : report.changes) {
        ++row;
        const ClassScores::Student &student = report.scores.students().at(change.student);
        bool isNumber = false;
        const double number = student.number.toDouble(&isNumber);
        if (isNumber)
            out.number(row, 0, number);
        else
            out.text(row, 0, student.number.toString());
        out.text(row, 1, student.name);
        if (student.group)
            out.number(row, 2, *student.group);
        if (change.before)
            out.number(row, 3, *change.before);
        if (change.after)
            out.number(row, 4, *change.after);
        if (const std::optional<int> moved = change.change())
            out.number(row, 5, *moved);
        else
            out.text(row, 5, StatisticsText::change(moved));
    }
    worksheet_set_column(out.sheet(), 3, 4, 14, nullptr);
}

} // namespace

namespace AnalysisWorkbook {

QStringList statisticsHeader()
{
    return {QStringLiteral("组别"), QStringLiteral("人数"), QStringLiteral("缺考"), QStringLiteral("平均分"),
        QStringLiteral("最高分"), QStringLiteral("最低分"), QStringLiteral("中位数"), QStringLiteral("标准差"),
        QStringLiteral("及格率"), QStringLiteral("优秀率")};
}

Result write(const QString &path, const AnalysisReport &report)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook)
        return Result::failure(QStringLiteral("无法创建工作簿“%1”。").arg(path));
    Formats formats{workbook_add_format(workbook), workbook_add_format(workbook), workbook_add_format(workbook)};
    format_set_bold(formats.bold);
    format_set_num_format(formats.decimal, "0.00");
    format_set_num_format(formats.percent, "0.00%");

    lxw_error error = LXW_NO_ERROR;
    SheetWriter statistics(workbook_add_worksheet(workbook, kStatisticsSheet.toUtf8().constData()), error);
    writeStatistics(workbook, statistics, report, formats);
    SheetWriter ranks(workbook_add_worksheet(workbook, kRanksSheet.toUtf8().constData()), error);
    writeRanks(ranks, report, formats);

    const lxw_error closed = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR) {
        QFile::remove(path);
        return Result::failure(QStringLiteral("无法写入工作簿“%1”：%2").arg(path, QString::fromUtf8(lxw_strerror(error))));
    }
    return Result::success();
}

} // namespace AnalysisWorkbook
