#pragma once

#include "AnalysisReport.h"

#include <QWidget>

/// What the 成绩分析 commands see of the analysis window: it shows the scores it is fed
/// and reports the teacher's changes and buttons. The window itself (with its charts) is
/// made by the office part, which the program loads the first time it is wanted.
class AnalysisView : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    /// Shows a class's scores ("一班语文") measured against lines.
    virtual void showScores(const QString &title, const ClassScores &scores, const ScoreLines &lines) = 0;
    /// The student (a position in the scores) whose line is shown; -1 for none.
    virtual void showStudent(int student) = 0;
    /// A line under the pages (where a workbook went, why nothing shows).
    virtual void showStatus(const QString &text) = 0;
    /// What is shown now, for the workbook.
    virtual const AnalysisReport &report() const = 0;
    virtual ScoreLines lines() const = 0;
    /// The chart of the page shown, to be saved as a picture; nullptr where the page has none.
    virtual QWidget *shownChartWidget() const = 0;

Q_SIGNALS:
    /// 满分, 及格 or 优秀 was changed by the teacher.
    void linesChanged(const ScoreLines &lines);
    void saveImageClicked();
    void exportClicked();
};
