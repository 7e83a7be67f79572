#pragma once

#include "AnalysisView.h"

#include <initializer_list>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QTabWidget;
class QVBoxLayout;
class QValueAxis;
class RankChangeModel;

/// 成绩分析: a window beside the main grid (not modal) with the statistics of a chosen
/// column for the class and each 小组, the score bands, the class average over the score
/// columns, one student's scores beside it, and 名次进退 between two score columns. It
/// only shows: the commands feed it scores and act on its buttons.
class AnalysisWindow final : public AnalysisView {
    Q_OBJECT

public:
    /// The pages under the statistics table, in order.
    enum Page {
        BandsPage,
        TrendPage,
        StudentPage,
        RanksPage
    };

    explicit AnalysisWindow(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(AnalysisWindow)

    /// Shows a class's scores ("一班语文") measured against lines. The chosen columns stay
    /// while they exist; columns never chosen follow the newest (the last score column,
    /// and the last two for 名次进退).
    void showScores(const QString &title, const ClassScores &scores, const ScoreLines &lines) override;
    /// The student (a position in the scores) whose line the 个人成绩 page shows; -1 for none.
    void showStudent(int student) override;
    /// A line under the pages (where a workbook went, why nothing shows).
    void showStatus(const QString &text) override;

    /// What is shown now, for the workbook.
    const AnalysisReport &report() const override { return m_report; }
    ScoreLines lines() const override;
    /// The chart of the page shown; nullptr on the 名次进退 page.
    QChartView *shownChart() const;
    QWidget *shownChartWidget() const override;
    void showPage(Page page);

    QComboBox *columnBox() const { return m_columnBox; }
    QSpinBox *fullMarksBox() const { return m_fullMarks; }
    QSpinBox *passBox() const { return m_pass; }
    QSpinBox *excellentBox() const { return m_excellent; }
    QTableWidget *statisticsTable() const { return m_statistics; }
    QTableWidget *bandTable() const { return m_bandTable; }
    QTabWidget *pages() const { return m_pages; }
    QChartView *bandChart() const { return m_bandView; }
    /// The line charts are made when their page is first shown (or asked for here).
    QChartView *trendChart();
    QChartView *studentChart();
    QComboBox *beforeBox() const { return m_beforeBox; }
    QComboBox *afterBox() const { return m_afterBox; }
    QLabel *leadersLabel() const { return m_leaders; }
    /// Made when its page is first shown (or asked for here).
    QTableView *rankTable();
    QPushButton *saveImageButton() const { return m_saveImage; }
    QPushButton *exportButton() const { return m_export; }
    QLabel *statusLabel() const { return m_status; }

private:
    void buildBandChart();
    /// A line chart (columns along the bottom, scores up) on its page, made once.
    QChartView *buildLineChart(QWidget *page, QBarCategoryAxis *&categories, QValueAxis *&scores,
        std::initializer_list<QLineSeries **> lines, const QString &name);
    void refresh();
    void chooseColumns();
    void showStatistics();
    void showBands();
    void showTrend();
    void showStudentLine();
    void showRanks();
    void pageChanged();

    QString m_title;
    ClassScores m_scores;
    int m_student = -1;
    AnalysisReport m_report;
    bool m_columnChosen = false;
    bool m_ranksChosen = false;
    bool m_showing = false;

    QComboBox *m_columnBox;
    QSpinBox *m_fullMarks;
    QSpinBox *m_pass;
    QSpinBox *m_excellent;
    QTableWidget *m_statistics;
    QTabWidget *m_pages;
    QTableWidget *m_bandTable;
    QChartView *m_bandView = nullptr;
    QBarSet *m_bandSet = nullptr;
    QBarCategoryAxis *m_bandAxis = nullptr;
    QValueAxis *m_bandCounts = nullptr;
    QWidget *m_trendPage;
    QChartView *m_trendView = nullptr;
    QLineSeries *m_trendLine = nullptr;
    QBarCategoryAxis *m_trendAxis = nullptr;
    QValueAxis *m_trendScores = nullptr;
    QWidget *m_studentPage;
    QChartView *m_studentView = nullptr;
    QLineSeries *m_studentLine = nullptr;
    QLineSeries *m_studentAverage = nullptr;
    QBarCategoryAxis *m_studentAxis = nullptr;
    QValueAxis *m_studentScores = nullptr;
    QComboBox *m_beforeBox;
    QComboBox *m_afterBox;
    QLabel *m_leaders;
    QWidget *m_ranksPage;
    QVBoxLayout *m_ranksLayout;
    QTableView *m_rankTable = nullptr;
    RankChangeModel *m_rankModel;
    QLabel *m_status;
    QPushButton *m_saveImage;
    QPushButton *m_export;
    QPushButton *m_close;
};
