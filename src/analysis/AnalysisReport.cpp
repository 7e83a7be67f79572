#include "AnalysisReport.h"

#include "StatisticsText.h"

AnalysisReport AnalysisReport::of(const QString &title, const ClassScores &scores, const QString &column, const ScoreLines &lines,
    int student, const QString &before, const QString &after)
{
    AnalysisReport report;
    report.title = title;
    report.scores = scores;
    report.analysis = ClassAnalysis::of(scores, column, lines);
    report.student = student;
    if (scores.scoreColumns().contains(before) && scores.scoreColumns().contains(after)) {
        report.before = before;
        report.after = after;
        report.changes = RankChanges::compare(scores.column(before), scores.column(after));
        report.leaders = RankChanges::leaders(report.changes);
    }
    return report;
}

QString AnalysisReport::leadersText() const
{
    if (before.isEmpty())
        return QStringLiteral("至少要有两个成绩列才能比较名次。");
    const auto names = [this](const QVector<int> &positions) {
        QStringList shown;
        for (const int position : positions) {
            const RankChange &change = changes.at(position);
            shown << QStringLiteral("%1（%2）")
                         .arg(scores.students().at(change.student).name, StatisticsText::change(change.change()));
        }
        return shown.join(QStringLiteral("、"));
    };
    const QString risers
        = leaders.risers.isEmpty() ? QStringLiteral("没有学生名次上升") : QStringLiteral("进步最大：") + names(leaders.risers);
    const QString fallers
        = leaders.fallers.isEmpty() ? QStringLiteral("没有学生名次下降") : QStringLiteral("退步最大：") + names(leaders.fallers);
    return risers + QStringLiteral("；") + fallers;
}
