#include "Sorting.h"

#include "GradeBookMessages.h"
#include "RowTotals.h"
#include "store/Dataset.h"
#include "ui/Prompter.h"

using namespace GradeBookMessages;

Sorting::Sorting(Database &database, Dataset &view, Prompter &prompter, MainView &mainView)
    : m_database(database)
    , m_view(view)
    , m_prompter(prompter)
    , m_mainView(mainView)
{
}

QStringList Sorting::questioningKeys()
{
    return {QStringLiteral("编号"), QStringLiteral("次数"), QStringLiteral("总分"), QStringLiteral("平均")};
}

bool Sorting::prepareGradeBookSort(const QString &columnList)
{
    if (columnList == kNoScoreColumns) {
        m_prompter.notice(kNotice, kNothingToSort);
        return false;
    }
    if (const Result reopened = m_mainView.openGradeBookView(); !reopened) {
        m_prompter.error(reopened.error);
        return false;
    }
    return true;
}

bool Sorting::apply(const TableNames &tables, const SortChoice &choice)
{
    const QString table = tables.currentTable();
    Result result = Result::success();
    if (tables.mode == kModeGradeBook)
        result = choice.groupTotals ? showGroupTotals(table, choice) : sortWithRanks(table, choice);
    else if (tables.mode == kModeQuestioning)
        result = sortQuestioning(table, choice);

    if (!result) {
        m_prompter.notice(kNotice, kSortFailed);
        if (tables.mode != kModeGradeBook)
            return false;
        if (const Result reopened = m_mainView.openGradeBookView(); !reopened)
            m_prompter.error(reopened.error);
        return true;
    }
    m_mainView.formatGrid();
    m_view.first();
    return true;
}

Result Sorting::sortWithRanks(const QString &table, const SortChoice &choice)
{
    const QStringList scores = RowTotals::scoreColumns(m_view.fieldNames());
    if (scores.isEmpty() || !isSafeName(choice.column))
        return Result::failure(kSortFailed);
    QStringList columns{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组")};
    columns << scores << QStringLiteral("合计") << QStringLiteral("平均") << QStringLiteral("名次");

    // The ranks are written by one statement, so they are stored whole or not at all, and
    // the view then lists the students in the order of the ranks just written.
    if (Result ranked = m_view.execute(Sql::writeRanks(table, choice.column, choice.descending)); !ranked)
        return ranked;
    m_view.setQuery(Sql::showInRankOrder(table, columns));
    return m_view.open();
}

Result Sorting::showGroupTotals(const QString &table, const SortChoice &choice)
{
    m_mainView.hideEntryPanel();
    if (!isSafeName(choice.column))
        return Result::failure(kSortFailed);
    (void)m_view.close();
    m_view.setQuery(Sql::groupTotals(table, choice.column, choice.descending));
    return m_view.open();
}

Result Sorting::sortQuestioning(const QString &table, const SortChoice &choice)
{
    const QStringList keys = questioningKeys();
    if (choice.item < 0 || choice.item >= keys.size())
        return Result::failure(kSortFailed);
    (void)m_view.close();
    m_view.setQuery(Sql::showOrderedBy(table, keys.at(choice.item), choice.descending));
    return m_view.open();
}
