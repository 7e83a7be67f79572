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
    QVector<ScoreList> values(columns.size());
    for (ScoreList &column : values)
        column.reserve(count);
    for (int row = 0; row < count; ++row) {
        Student student;
        student.number = rows.value(row, numberField);
        student.name = rows.value(row, nameField).toString();
        if (const std::optional<double> group = scoreOf(rows.value(row, groupField)))
            student.group = int(*group);
        students.append(std::move(student));
        for (qsizetype i = 0; i < fields.size(); ++i)
            values[i].append(scoreOf(rows.value(row, fields.at(i))));
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
    const auto key = [](const Student &student) { return student.number.toString() + QChar(u'\n') + student.name; };
    QHash<QString, qsizetype> positions;
    positions.reserve(other.m_students.size());
    for (qsizetype i = 0; i < other.m_students.size(); ++i)
        positions.insert(key(other.m_students.at(i)), i);
    // Two students alike in 编号 and 姓名 cannot be told apart: never taken as the same.
    if (positions.size() != other.m_students.size())
        return false;
    QVector<bool> matched(other.m_students.size(), false);
    for (qsizetype i = 0; i < m_students.size(); ++i) {
        const auto found = positions.constFind(key(m_students.at(i)));
        if (found == positions.cend() || matched.at(*found))
            return false;
        const qsizetype j = *found;
        matched[j] = true;
        if (m_students.at(i).group != other.m_students.at(j).group)
            return false;
        for (qsizetype column = 0; column < m_values.size(); ++column) {
            if (m_values.at(column).value(i) != other.m_values.at(column).value(j))
                return false;
        }
    }
    return true;
}

int ClassScores::fullMarksFactor(const QString &column) const
{
    return column == Column::kTotal ? std::max<int>(1, int(m_scoreColumns.size())) : 1;
}
