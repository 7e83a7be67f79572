#pragma once

#include <QString>

/// Texts of the fair lesson: 不重复 rounds, absences and taking back a grade.
namespace FairLessonMessages {
/// Status bar, when a race begins a new round because everybody present was asked.
inline const QString kNewRound = QStringLiteral("本轮已全部提问，开始新一轮");
/// Status bar, after 重新开始一轮.
inline const QString kRoundRestarted = QStringLiteral("已重新开始一轮");
/// A race refused because nobody it could stop on is present.
inline const QString kEveryoneAbsent = QStringLiteral("全班学生今天都缺席，无法随机提问。");
inline const QString kRangeAbsent = QStringLiteral("“范围”内的学生今天都缺席，无法随机提问。请把“范围”改大，或改为0（全班）。");
/// A change of the class refused while a race runs.
inline const QString kStopRaceFirst = QStringLiteral("正在随机提问，请先按F5停止，再进行这项操作。");
/// A row without a number cannot be marked.
inline const QString kNoStudent = QStringLiteral("这一行没有编号，无法标记缺席或到场。");
/// Undo refused: the row is no longer what the grade left (arguments: number, name).
inline const QString kUndoChanged
    = QStringLiteral("%1号%2的评价在这之后又被改动过（可能是另一个程序给他评了分），无法撤销这次评价，没有改动任何数据。");
inline const QString kUndoBusy
    = QStringLiteral("数据库正被另一个程序使用，等了5秒仍无法撤销评价，没有改动任何数据。请稍后再撤销一次。");
/// Status bar after an undo (arguments: number, name, grade taken back).
inline const QString kUndone = QStringLiteral("已撤销%1号%2的评价“%3”");
} // namespace FairLessonMessages
