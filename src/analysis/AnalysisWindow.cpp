#include "AnalysisWindow.h"

#include "AnalysisWorkbook.h"
#include "RankChangeModel.h"
#include "StatisticsText.h"
#include "ui/GridCellDelegate.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

QSpinBox *spinBox(QWidget *parent, int lowest, int highest, const QString &suffix, const QString &name, const QString &hint)
{
    auto *box = new QSpinBox(parent);
    box->setRange(lowest, highest);
    box->setSuffix(suffix);
    box->setAccessibleName(name);
    box->setToolTip(hint);
    box->setKeyboardTracking(false);
    return box;
}

QComboBox *comboBox(QWidget *parent, const QString &name, const QString &hint)
{
    auto *box = new QComboBox(parent);
    box->setAccessibleName(name);
    box->setToolTip(hint);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumContentsLength(6);
    return box;
}

QTableWidget *readOnlyTable(QWidget *parent, const QStringList &header, const QString &name)
{
    auto *table = new QTableWidget(0, int(header.size()), parent);
    table->setHorizontalHeaderLabels(header);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 10);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setAccessibleName(name);
    // Drawn as the main grid draws its cells: the texts laid out once, not on every paint.
    table->setItemDelegate(new GridCellDelegate(table));
    return table;
}

void setCell(QTableWidget *table, int row, int column, const QString &text)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
    item->setText(text);
}

QChartView *chartView(QChart *chart, const QString &name, QWidget *parent)
{
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(name);
    view->setMinimumSize(420, 260);
    return view;
}

/// Columns (or bands) along the bottom, values with a title on the left.
std::pair<QBarCategoryAxis *, QValueAxis *> addAxes(QChart *chart, const QString &valueTitle, const QString &labelFormat)
{
    auto *categories = new QBarCategoryAxis(chart);
    // A long column name is shown whole rather than cut to an ellipsis.
    categories->setTruncateLabels(false);
    auto *values = new QValueAxis(chart);
    values->setTitleText(valueTitle);
    values->setLabelFormat(labelFormat);
    chart->addAxis(categories, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    return {categories, values};
}

/// A score axis from 0 (or the lowest score below it) to 满分 (or the highest above it).
void fitScores(QValueAxis *axis, const ScoreList &values, int fullMarks)
{
    const auto [low, high] = ClassAnalysis::chartRange(values, fullMarks);
    axis->setRange(low, high);
}

/// The points of a line over the columns; a missing value leaves no point. The values are
/// rounded to two decimals, as the point labels show them.
QList<QPointF> pointsOf(const ScoreList &values)
{
    QList<QPointF> points;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (values.at(i))
            points << QPointF(double(i), std::round(*values.at(i) * 100.0) / 100.0);
    }
    return points;
}

/// Sets an axis's categories when they differ (axis labels are rich text: "<60" would
/// open a tag, so they are escaped).
void setCategories(QBarCategoryAxis *axis, const QStringList &labels)
{
    QStringList categories;
    for (const QString &label : labels)
        categories << label.toHtmlEscaped();
    if (axis->categories() != categories) {
        axis->clear();
        axis->append(categories);
    }
}

/// Keeps a box's choice when it still exists; otherwise (or when never chosen) takes the fallback.
void fill(QComboBox *box, const QStringList &items, bool keepChoice, const QString &fallback)
{
    const QString chosen = box->currentText();
    const QSignalBlocker blocker(box);
    QStringList current;
    for (int i = 0; i < box->count(); ++i)
        current << box->itemText(i);
    if (current != items) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(int(items.indexOf(keepChoice && items.contains(chosen) ? chosen : fallback)));
}

} // namespace

AnalysisWindow::AnalysisWindow(QWidget *parent)
    : AnalysisView(parent, Qt::Window)
{
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("成绩分析"));
    auto *layout = new QVBoxLayout(this);

    auto *choices = new QHBoxLayout;
    m_columnBox = comboBox(this, QStringLiteral("成绩列"), QStringLiteral("选择要分析的成绩列、合计或平均"));
    m_fullMarks = spinBox(this, ScoreLines::kMinFullMarks, ScoreLines::kMaxFullMarks, QString(), QStringLiteral("满分"),
        QStringLiteral("一次考试的满分；合计的满分是它乘以成绩列数"));
    m_pass = spinBox(this, 1, 100, QStringLiteral("%"), QStringLiteral("及格"), QStringLiteral("及格线：满分的百分之几"));
    m_excellent = spinBox(this, 1, 100, QStringLiteral("%"), QStringLiteral("优秀"), QStringLiteral("优秀线：满分的百分之几"));
    const std::pair<QString, QWidget *> labelled[] = {{QStringLiteral("成绩列"), m_columnBox},
        {QStringLiteral("满分"), m_fullMarks}, {QStringLiteral("及格"), m_pass}, {QStringLiteral("优秀"), m_excellent}};
    for (const auto &[caption, field] : labelled) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        choices->addWidget(label);
        choices->addWidget(field);
        choices->addSpacing(12);
    }
    choices->addStretch(1);
    layout->addLayout(choices);

    m_statistics = readOnlyTable(this, AnalysisWorkbook::statisticsHeader(), QStringLiteral("统计表"));
    layout->addWidget(m_statistics);

    m_pages = new QTabWidget(this);
    m_pages->setAccessibleName(QStringLiteral("图表"));
    layout->addWidget(m_pages, 1);
    m_bandTable = readOnlyTable(
        this, {QStringLiteral("分数段"), QStringLiteral("人数"), QStringLiteral("占比")}, QStringLiteral("分数段人数"));
    m_bandTable->setRowCount(ScoreBands::kCount);
    m_bandTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_bandTable->setMaximumWidth(300);
    buildBandChart();
    // The line charts' pages (and the table of 名次进退) stay empty until they are first
    // shown: a chart's layout measures every label, and most openings look at the bands only.
    for (QWidget **page : {&m_trendPage, &m_studentPage}) {
        *page = new QWidget(m_pages);
        auto *pageLayout = new QVBoxLayout(*page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
    }
    m_pages->addTab(m_trendPage, QStringLiteral("平均分走势"));
    m_pages->addTab(m_studentPage, QStringLiteral("个人成绩"));

    auto *ranksPage = new QWidget(m_pages);
    auto *ranksLayout = new QVBoxLayout(ranksPage);
    auto *ranksChoices = new QHBoxLayout;
    m_beforeBox = comboBox(ranksPage, QStringLiteral("前一次"), QStringLiteral("比较名次的前一次成绩"));
    m_afterBox = comboBox(ranksPage, QStringLiteral("后一次"), QStringLiteral("比较名次的后一次成绩"));
    for (const auto &[caption, field] : {std::pair<QString, QComboBox *>{QStringLiteral("前一次"), m_beforeBox},
             std::pair<QString, QComboBox *>{QStringLiteral("后一次"), m_afterBox}}) {
        auto *label = new QLabel(caption, ranksPage);
        label->setBuddy(field);
        ranksChoices->addWidget(label);
        ranksChoices->addWidget(field);
        ranksChoices->addSpacing(12);
    }
    ranksChoices->addStretch(1);
    ranksLayout->addLayout(ranksChoices);
    m_leaders = new QLabel(ranksPage);
    m_leaders->setWordWrap(true);
    // A screen reader reads a label's text as its name; what the line is, is its description.
    m_leaders->setAccessibleDescription(QStringLiteral("进步与退步"));
    m_leaders->hide();
    ranksLayout->addWidget(m_leaders);
    m_rankModel = new RankChangeModel(this);
    m_ranksPage = ranksPage;
    m_ranksLayout = ranksLayout;
    m_pages->addTab(ranksPage, QStringLiteral("名次进退"));

    auto *bottom = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setAccessibleDescription(QStringLiteral("状态"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(m_status, 1);
    m_saveImage = new QPushButton(QStringLiteral("保存图片"), this);
    m_saveImage->setToolTip(QStringLiteral("把当前图表保存为PNG图片"));
    m_export = new QPushButton(QStringLiteral("导出"), this);
    m_export->setToolTip(QStringLiteral("把统计表和图表导出为Excel工作簿"));
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    m_close->setToolTip(QStringLiteral("关闭成绩分析"));
    for (QPushButton *button : {m_saveImage, m_export, m_close}) {
        button->setAutoDefault(false);
        bottom->addWidget(button);
    }
    layout->addLayout(bottom);

    const ScoreLines defaults;
    m_fullMarks->setValue(defaults.fullMarks);
    m_pass->setValue(defaults.passPercent);
    m_excellent->setValue(defaults.excellentPercent);
    resize(960, 680);

    connect(m_columnBox, &QComboBox::activated, this, [this] {
        m_columnChosen = true;
        refresh();
    });
    for (QComboBox *box : {m_beforeBox, m_afterBox}) {
        connect(box, &QComboBox::activated, this, [this] {
            m_ranksChosen = true;
            refresh();
        });
    }
    for (QSpinBox *box : {m_fullMarks, m_pass, m_excellent}) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (m_showing)
                return;
            refresh();
            Q_EMIT linesChanged(lines());
        });
    }
    connect(m_pages, &QTabWidget::currentChanged, this, &AnalysisWindow::pageChanged);
    connect(m_saveImage, &QPushButton::clicked, this, &AnalysisWindow::saveImageClicked);
    connect(m_export, &QPushButton::clicked, this, &AnalysisWindow::exportClicked);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    pageChanged();
}

void AnalysisWindow::buildBandChart()
{
    auto *bandChart = new QChart;
    auto *bars = new QBarSeries(bandChart);
    m_bandSet = new QBarSet(QStringLiteral("人数"), bars);
    for (int band = 0; band < ScoreBands::kCount; ++band)
        *m_bandSet << 0;
    bars->append(m_bandSet);
    bars->setLabelsVisible(true);
    bandChart->addSeries(bars);
    std::tie(m_bandAxis, m_bandCounts) = addAxes(bandChart, QStringLiteral("人数"), QStringLiteral("%d"));
    bars->attachAxis(m_bandAxis);
    bars->attachAxis(m_bandCounts);
    bandChart->legend()->hide();
    m_bandView = chartView(bandChart, QStringLiteral("分数段图"), m_pages);
    auto *bandPage = new QWidget(m_pages);
    auto *bandLayout = new QHBoxLayout(bandPage);
    bandLayout->addWidget(m_bandView, 1);
    bandLayout->addWidget(m_bandTable);
    m_pages->addTab(bandPage, QStringLiteral("分数段"));
}

QChartView *AnalysisWindow::buildLineChart(QWidget *page, QBarCategoryAxis *&categories, QValueAxis *&scores,
    std::initializer_list<QLineSeries **> lines, const QString &name)
{
    auto *chart = new QChart;
    std::tie(categories, scores) = addAxes(chart, QStringLiteral("分数"), QStringLiteral("%.0f"));
    for (QLineSeries **line : lines) {
        *line = new QLineSeries(chart);
        (*line)->setPointsVisible(true);
        (*line)->setPointLabelsFormat(QStringLiteral("@yPoint"));
        chart->addSeries(*line);
        (*line)->attachAxis(categories);
        (*line)->attachAxis(scores);
    }
    QChartView *view = chartView(chart, name, page);
    page->layout()->addWidget(view);
    view->show();
    return view;
}

QChartView *AnalysisWindow::trendChart()
{
    if (!m_trendView) {
        m_trendView = buildLineChart(m_trendPage, m_trendAxis, m_trendScores, {&m_trendLine}, QStringLiteral("平均分走势图"));
        m_trendLine->setName(QStringLiteral("全班平均分"));
        m_trendView->chart()->setTitle(QStringLiteral("全班平均分走势"));
        showTrend();
    }
    return m_trendView;
}

QChartView *AnalysisWindow::studentChart()
{
    if (!m_studentView) {
        m_studentView = buildLineChart(
            m_studentPage, m_studentAxis, m_studentScores, {&m_studentLine, &m_studentAverage}, QStringLiteral("个人成绩图"));
        m_studentAverage->setName(QStringLiteral("全班平均分"));
        showStudentLine();
    }
    return m_studentView;
}

QTableView *AnalysisWindow::rankTable()
{
    if (!m_rankTable) {
        m_rankTable = new QTableView(m_ranksPage);
        m_rankTable->setModel(m_rankModel);
        m_rankTable->setAccessibleName(QStringLiteral("名次进退表"));
        m_rankTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_rankTable->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_rankTable->verticalHeader()->hide();
        // Fixed heights: a class of thousands is laid out without measuring every row.
        m_rankTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_rankTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        m_ranksLayout->addWidget(m_rankTable, 1);
        m_rankTable->show();
    }
    return m_rankTable;
}

void AnalysisWindow::showScores(const QString &title, const ClassScores &scores, const ScoreLines &lines)
{
    // The student shown stays the same student, wherever the new rows put them.
    const int student
        = m_student < 0 ? -1 : scores.indexOf(m_scores.students().at(m_student).number, m_scores.students().at(m_student).name);
    m_title = title;
    m_scores = scores;
    m_student = student;
    setWindowTitle(QStringLiteral("成绩分析-") + title);
    {
        // Lines given here are the class's own; only the teacher's changes are reported.
        m_showing = true;
        m_fullMarks->setValue(lines.fullMarks);
        m_pass->setValue(lines.passPercent);
        m_excellent->setValue(lines.excellentPercent);
        m_showing = false;
    }
    refresh();
}

void AnalysisWindow::showStudent(int student)
{
    const int shown = student >= 0 && student < m_scores.students().size() ? student : -1;
    if (shown == m_student)
        return;
    m_student = shown;
    m_report.student = shown;
    showStudentLine();
}

void AnalysisWindow::showStatus(const QString &text)
{
    m_status->setText(text);
}

ScoreLines AnalysisWindow::lines() const
{
    return ScoreLines{m_fullMarks->value(), m_pass->value(), m_excellent->value()};
}

QChartView *AnalysisWindow::shownChart() const
{
    switch (m_pages->currentIndex()) {
    case BandsPage: return m_bandView;
    case TrendPage: return m_trendView;
    case StudentPage: return m_studentView;
    default: return nullptr;
    }
}

QWidget *AnalysisWindow::shownChartWidget() const
{
    return shownChart();
}

void AnalysisWindow::showPage(Page page)
{
    m_pages->setCurrentIndex(page);
}

void AnalysisWindow::pageChanged()
{
    if (m_pages->currentIndex() == TrendPage)
        (void)trendChart();
    else if (m_pages->currentIndex() == StudentPage)
        (void)studentChart();
    // The wrapped 进步与退步 line is measured for every width the window's layout tries:
    // it takes part only while its page is shown.
    const bool ranksShown = m_pages->currentIndex() == RanksPage;
    if (ranksShown)
        (void)rankTable();
    m_leaders->setVisible(ranksShown);
    m_saveImage->setEnabled(shownChart() != nullptr);
}

void AnalysisWindow::chooseColumns()
{
    const QStringList &columns = m_scores.columns();
    const QStringList &scoreColumns = m_scores.scoreColumns();
    const QString newest = scoreColumns.isEmpty() ? columns.value(0) : scoreColumns.constLast();
    fill(m_columnBox, columns, m_columnChosen, newest);
    const qsizetype count = scoreColumns.size();
    fill(m_beforeBox, scoreColumns, m_ranksChosen, scoreColumns.value(count - 2));
    fill(m_afterBox, scoreColumns, m_ranksChosen, scoreColumns.value(count - 1));
}

void AnalysisWindow::refresh()
{
    chooseColumns();
    m_report = AnalysisReport::of(
        m_title, m_scores, m_columnBox->currentText(), lines(), m_student, m_beforeBox->currentText(), m_afterBox->currentText());
    showStatistics();
    showBands();
    showTrend();
    showStudentLine();
    showRanks();
    if (m_scores.scoreColumns().isEmpty())
        showStatus(QStringLiteral("还没有成绩列：请先用“录入”添加一次成绩。"));
    else if (m_status->text().startsWith(QStringLiteral("还没有成绩列")))
        showStatus(QString());
}

void AnalysisWindow::showStatistics()
{
    const QVector<ClassAnalysis::Row> &rows = m_report.analysis.rows;
    m_statistics->setRowCount(m_report.analysis.column.isEmpty() ? 0 : int(rows.size()));
    for (int row = 0; row < m_statistics->rowCount(); ++row) {
        const ScoreSummary &s = rows.at(row).summary;
        const QString cells[] = {rows.at(row).label, QString::number(s.students), QString::number(s.missing),
            StatisticsText::decimal(s.mean), StatisticsText::score(s.highest), StatisticsText::score(s.lowest),
            StatisticsText::score(s.median), StatisticsText::decimal(s.deviation), StatisticsText::percent(s.passRate),
            StatisticsText::percent(s.excellentRate)};
        for (int column = 0; column < int(std::size(cells)); ++column)
            setCell(m_statistics, row, column, cells[column]);
    }
    // The class and up to eight groups without scrolling; the pages take the rest.
    const int rowsShown = std::clamp(m_statistics->rowCount(), 1, 9);
    m_statistics->setFixedHeight(m_statistics->horizontalHeader()->sizeHint().height()
        + rowsShown * m_statistics->verticalHeader()->defaultSectionSize() + 2 * m_statistics->frameWidth());
}

void AnalysisWindow::showBands()
{
    const ClassAnalysis &analysis = m_report.analysis;
    const int present = analysis.rows.isEmpty() ? 0 : analysis.rows.constFirst().summary.present();
    int most = 0;
    for (int band = 0; band < ScoreBands::kCount; ++band) {
        const int count = analysis.bands.at(std::size_t(band));
        most = std::max(most, count);
        m_bandSet->replace(band, count);
        setCell(m_bandTable, band, 0, analysis.bandLabels.value(band));
        setCell(m_bandTable, band, 1, QString::number(count));
        setCell(m_bandTable, band, 2,
            StatisticsText::percent(present > 0 ? std::optional<double>(double(count) / present) : std::nullopt));
    }
    setCategories(m_bandAxis, analysis.bandLabels);
    // Whole numbers of students on the axis, with room for the labels over the bars.
    const int top = std::max(5, int(std::ceil(most * 1.15 / 5.0)) * 5);
    m_bandCounts->setRange(0, top);
    m_bandCounts->setTickCount(std::min(top, 5) + 1);
    m_bandView->chart()->setTitle(
        analysis.column.isEmpty() ? QStringLiteral("分数段") : analysis.column + QStringLiteral("分数段"));
}

void AnalysisWindow::showTrend()
{
    if (!m_trendView)
        return;
    const QStringList &columns = m_scores.scoreColumns();
    setCategories(m_trendAxis, columns);
    const ScoreList trend = m_report.analysis.trend;
    m_trendLine->replace(pointsOf(trend));
    m_trendLine->setPointLabelsVisible(columns.size() <= 12);
    fitScores(m_trendScores, trend, lines().fullMarks);
}

void AnalysisWindow::showStudentLine()
{
    if (!m_studentView)
        return;
    const QStringList &columns = m_scores.scoreColumns();
    setCategories(m_studentAxis, columns);
    const ScoreList scores = m_scores.studentScores(m_student);
    const ScoreList &trend = m_report.analysis.trend;
    m_studentLine->replace(pointsOf(scores));
    m_studentAverage->replace(pointsOf(trend));
    QChart *chart = m_studentView->chart();
    if (m_student < 0) {
        m_studentLine->setName(QStringLiteral("学生"));
        chart->setTitle(QStringLiteral("请在主表格中选择一名学生"));
    } else {
        const QString name = m_scores.students().at(m_student).name;
        m_studentLine->setName(name);
        chart->setTitle(name + QStringLiteral("的成绩"));
    }
    m_studentLine->setPointLabelsVisible(columns.size() <= 12);
    fitScores(m_studentScores, scores + trend, lines().fullMarks);
}

void AnalysisWindow::showRanks()
{
    m_rankModel->showReport(m_report);
    m_leaders->setText(m_report.leadersText());
}
