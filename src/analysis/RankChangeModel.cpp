#include "RankChangeModel.h"

#include "StatisticsText.h"

RankChangeModel::RankChangeModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void RankChangeModel::showReport(const AnalysisReport &report)
{
    beginResetModel();
    m_students = report.scores.students();
    m_changes = report.changes;
    const QString before = report.before.isEmpty() ? QStringLiteral("前一次") : report.before;
    const QString after = report.after.isEmpty() ? QStringLiteral("后一次") : report.after;
    m_header = QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("小组"),
        before + QStringLiteral("名次"), after + QStringLiteral("名次"), QStringLiteral("进退")};
    endResetModel();
}

int RankChangeModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_changes.size());
}

int RankChangeModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant RankChangeModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const RankChange &change = m_changes.at(index.row());
    const ClassScores::Student &student = m_students.at(change.student);
    const auto rank = [](std::optional<int> value) { return value ? QString::number(*value) : StatisticsText::kAbsent; };
    switch (index.column()) {
    case 0: return student.number.toString();
    case 1: return student.name;
    case 2: return student.group ? QString::number(*student.group) : QString();
    case 3: return rank(change.before);
    case 4: return rank(change.after);
    default: return StatisticsText::change(change.change());
    }
}

QVariant RankChangeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_header.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
