#include "ClassScores.h"

#include "store/Dataset.h"
#include "store/TableNames.h"

#include <QHash>

#include <cmath>

namespace {

std::optional<double> scoreOf(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    // What the engines give for a score column, read without the general conversion.
    switch (value.typeId()) {
    case QMetaType::LongLong: return double(*static_cast<const qlonglong *>(value.constData()));
    case QMetaType::Int: return double(*static_cast<const int *>(value.constData()));
    case QMetaType::Double: {
        const double number = *static_cast<const double *>(value.constData());
        return std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    }
    default: break;
    }
    bool ok = false;
    const double number = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool isFixedColumn(const QString &name)
{
    for (const QString &fixed : {Column::kNumber, Column::kName, Column::kGroup, Column::kTotal, Column::kAverage, Column::kRank})
        if (name.compare(fixed, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

ClassScores::ClassScores(QVector<Student> students, QStringList columns, QVector<ScoreList> values)
    : m_students(std::move(students))
{
    // Analysed in this order: the tests as they were added, then 合计 and 平均.
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i) != Column::kTotal && columns.at(i) != Column::kAverage) {
            m_scoreColumns << columns.at(i);
            m_values << values.value(i);
        }
    }
    m_columns = m_scoreColumns;
    // Without a score column 合计 and 平均 are what clearing the scores left behind.
    if (m_scoreColumns.isEmpty())
        return;
    for (const QString &total : {Column::kTotal, Column::kAverage}) {
        if (const qsizetype i = columns.indexOf(total); i >= 0) {
            m_columns << total;
            m_values << values.value(i);
        }
    }
}

ClassScores ClassScores::fromDataset(const Dataset &rows)
{
    const int numberField = rows.fieldIndex(Column::kNumber);
    const int nameField = rows.fieldIndex(Column::kName);
    const int groupField = rows.fieldIndex(Column::kGroup);
    QStringList columns;
    QList<int> fields;
    for (int field = 0; field < rows.fieldCount(); ++field) {
        const QString name = rows.fieldName(field);
        if (!isFixedColumn(name) || name == Column::kTotal || name == Column::kAverage) {
            columns << name;
            fields << field;
        }
    }

    const int count = rows.rowCount();
    QVector<Student> students;
    students.reserve(count);
    for (int row = 0; row < count; ++row) {
        Student student;
        student.number = rows.cell(row, numberField);
        student.name = rows.cell(row, nameField).toString();
        if (const std::optional<double> group = scoreOf(rows.cell(row, groupField)))
            student.group = int(*group);
        students.append(std::move(student));
    }
    // Column by column: a class of thousands reads each list straight through.
    QVector<ScoreList> values(columns.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        ScoreList &column = values[i];
        column.reserve(count);
        const int field = fields.at(i);
        for (int row = 0; row < count; ++row)
            column.append(scoreOf(rows.cell(row, field)));
    }
    return ClassScores(std::move(students), std::move(columns), std::move(values));
}

ScoreList ClassScores::column(const QString &name) const
{
    const qsizetype index = m_columns.indexOf(name);
    return index < 0 ? ScoreList() : m_values.at(index);
}

ScoreList ClassScores::studentScores(int student) const
{
    ScoreList scores;
    if (student < 0 || student >= m_students.size())
        return scores;
    for (qsizetype i = 0; i < m_scoreColumns.size(); ++i)
        scores << m_values.at(i).value(student);
    return scores;
}

int ClassScores::indexOf(const QVariant &number, const QString &name) const
{
    for (int i = 0; i < m_students.size(); ++i) {
        const Student &student = m_students.at(i);
        if (student.name == name && student.number.toString() == number.toString())
            return i;
    }
    return -1;
}

bool ClassScores::sameScoresAs(const ClassScores &other) const
{
    if (m_columns != other.m_columns || m_scoreColumns != other.m_scoreColumns || m_students.size() != other.m_students.size())
        return false;
    // 编号 alike as values, or as the texts they show.
    const auto sameNumber = [](const QVariant &a, const QVariant &b) { return a == b || a.toString() == b.toString(); };
    const auto sameRow = [&](qsizetype i, qsizetype j) {
        if (m_students.at(i).group != other.m_students.at(j).group)
            return false;
        for (qsizetype column = 0; column < m_values.size(); ++column) {
            if (m_values.at(column).value(i) != other.m_values.at(column).value(j))
                return false;
        }
        return true;
    };
    // The students found by 姓名, then 编号. Two students alike in both cannot be told
    // apart: never taken as the same.
    QMultiHash<QString, qsizetype> byName;
    byName.reserve(other.m_students.size());
    for (qsizetype j = 0; j < other.m_students.size(); ++j)
        byName.insert(other.m_students.at(j).name, j);
    QVector<bool> matched(other.m_students.size(), false);
    for (qsizetype i = 0; i < m_students.size(); ++i) {
        const Student &student = m_students.at(i);
        qsizetype found = -1;
        for (auto it = byName.constFind(student.name); it != byName.cend() && it.key() == student.name; ++it) {
            if (!sameNumber(student.number, other.m_students.at(*it).number))
                continue;
            if (found >= 0)
                return false;
            found = *it;
        }
        if (found < 0 || matched.at(found) || !sameRow(i, found))
            return false;
        matched[found] = true;
    }
    return true;
}

int ClassScores::fullMarksFactor(const QString &column) const
{
    return column == Column::kTotal ? std::max<int>(1, int(m_scoreColumns.size())) : 1;
}
