#pragma once

#include "ScoreList.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class Dataset;

/// A class's grade book as the analysis reads it: each student's 编号, 姓名 and 小组, and
/// the score columns, 合计 and 平均 as numbers. An empty cell, or one that holds no
/// number, is a missing score.
class ClassScores final {
public:
    struct Student {
        QVariant number;
        QString name;
        std::optional<int> group; ///< nullopt: no 小组
    };

    ClassScores() = default;
    /// columns name the lists of values, one value per student each; the score columns are
    /// those other than 合计 and 平均, in the given order.
    ClassScores(QVector<Student> students, QStringList columns, QVector<ScoreList> values);
    /// The rows of a dataset that shows a grade-book table or view (in any order, with or
    /// without 名次): every field but the six fixed ones is a score column.
    static ClassScores fromDataset(const Dataset &rows);

    const QVector<Student> &students() const { return m_students; }
    /// The score columns, in table order.
    const QStringList &scoreColumns() const { return m_scoreColumns; }
    /// What can be analysed: the score columns, then 合计 and 平均 when present (and only
    /// while there is a score column).
    const QStringList &columns() const { return m_columns; }
    /// The values of a column of columns(); empty for another name.
    ScoreList column(const QString &name) const;
    /// One student's scores over the score columns, in their order.
    ScoreList studentScores(int student) const;
    /// The position of the student with this 编号 and 姓名; -1 when there is none.
    int indexOf(const QVariant &number, const QString &name) const;
    /// 满分 of a column in multiples of the set 满分: the number of score columns for 合计,
    /// 1 for any other.
    int fullMarksFactor(const QString &column) const;

    bool operator==(const ClassScores &) const = default;
    /// True when other has the same columns and the same students (by 编号 and 姓名, each
    /// once) with the same 小组 and values, in any order: what a sort leaves unchanged.
    bool sameScoresAs(const ClassScores &other) const;

private:
    QVector<Student> m_students;
    QStringList m_columns;
    QStringList m_scoreColumns;
    QVector<ScoreList> m_values;
};
