#pragma once

#include "store/TableNames.h"
#include "ui/MainView.h"

#include <QString>
#include <QStringList>

class Dataset;
class Prompter;

/// What the sort dialog's controls hold when 确定 is pressed.
struct SortChoice final {
    QString column;           ///< the column box's text as typed
    bool descending = true;   ///< the direction box reads 降序
    bool groupTotals = false; ///< 分组计算 chosen instead of 排序
    int item = 3;             ///< the questioning view's key: 编号, 次数, 总分, 平均
};

/// The sort commands: the grade-book sort with ranks, group totals, and the questioning
/// view's sort by one of four fixed columns.
class Sorting final {
public:
    Sorting(Database &database, Dataset &view, Prompter &prompter, MainView &mainView);

    /// The keys of the questioning view's item group, in its order.
    static QStringList questioningKeys();

    /// The start of N26Click: refuses a grade book without score columns with
    /// "没有记录,不能排序!", else opens the unsorted grade-book view so the dialog starts
    /// from it. True when the dialog is to be shown.
    bool prepareGradeBookSort(const QString &columnList);

    /// 确定 of the sort dialog for the login's tables and mode. Returns true when the dialog
    /// is to close: after success, and after a failure in the grade book (which shows
    /// "操作错误！" and reopens the unsorted view); a failure in the questioning view
    /// keeps the dialog open.
    bool apply(const TableNames &tables, const SortChoice &choice);

private:
    Result sortWithRanks(const QString &table, const SortChoice &choice);
    Result showGroupTotals(const QString &table, const SortChoice &choice);
    Result sortQuestioning(const QString &table, const SortChoice &choice);

    Database &m_database;
    Dataset &m_view;
    Prompter &m_prompter;
    MainView &m_mainView;
};
