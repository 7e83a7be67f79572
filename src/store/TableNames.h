#pragma once

#include <QString>

/// Names of the two modes, as the login dialog and the window title show them.
inline const QString kModeQuestioning = QStringLiteral("课堂提问");
inline const QString kModeGradeBook = QStringLiteral("记分册");
/// The master roster every new class table is copied from.
inline const QString kMasterRosterTable = QStringLiteral("母版");
/// Portrait and motto of every student of every class.
inline const QString kPortraitTable = QStringLiteral("范例班");
/// The Data files on a school's server: a name that no class can take (it holds a /).
inline const QString kDataFileTable = QStringLiteral("Data/");
/// The fair lesson's tables, shared by every class and subject: 不重复 and the current round
/// of each, who was asked in that round, who is absent on which day. No login can make a
/// table of these names, for class and subject names never hold a blank.
inline const QString kRoundTable = QStringLiteral("公平提问 轮次");
inline const QString kAskedTable = QStringLiteral("公平提问 已问");
inline const QString kAbsenceTable = QStringLiteral("公平提问 缺席");
/// Column names of the class, questioning, grade-book and portrait tables.
namespace Column {
inline const QString kNumber = QStringLiteral("编号");
inline const QString kName = QStringLiteral("姓名");
inline const QString kGroup = QStringLiteral("小组");
/// Row total and whole-number average of the grade book and the class table.
inline const QString kTotal = QStringLiteral("合计");
inline const QString kAverage = QStringLiteral("平均");
inline const QString kRank = QStringLiteral("名次");
/// The current grade, the history of grades, how many were scored and their total.
inline const QString kGrade = QStringLiteral("评价");
inline const QString kHistory = QStringLiteral("历史");
inline const QString kCount = QStringLiteral("次数");
inline const QString kScoreTotal = QStringLiteral("总分");
inline const QString kPicture = QStringLiteral("相片");
inline const QString kMotto = QStringLiteral("宣言");
/// File name and bytes of a Data file on the server.
inline const QString kFileName = QStringLiteral("文件名");
inline const QString kFileBytes = QStringLiteral("内容");
/// The fair lesson's own columns.
inline const QString kClass = QStringLiteral("班级");
inline const QString kSubject = QStringLiteral("科目");
inline const QString kNoRepeat = QStringLiteral("不重复");
inline const QString kRound = QStringLiteral("轮次");
inline const QString kDay = QStringLiteral("日期");
} // namespace Column

/// Administrator password: logs in to any class and subject.
inline const QString kAdministratorPassword = QStringLiteral("kesmora");

/// Table names formed from class C, subject S and mode M by plain concatenation.
struct TableNames final {
    QString className;
    QString subject;
    QString mode;

    QString classTable() const { return className; }
    QString questioningTable() const { return className + subject + kModeQuestioning; }
    QString gradeBookTable() const { return className + subject + kModeGradeBook; }
    QString currentTable() const { return className + subject + mode; }
    QString scratchTable() const { return QStringLiteral("备份") + currentTable(); }
};

/// True when a class, subject or column name can safely be part of a table or file name:
/// not empty, no white space or control characters, none of \ / : * ? " < > | [ ],
/// not "." or "..". Callers refuse an unsafe name before touching any table or file.
bool isSafeName(const QString &name);
