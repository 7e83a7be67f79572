#pragma once

#include "ContextFixture.h"

/// The context after a login to 一班语文 in the questioning view: the questioning table
/// and the main query open on it, ordered by 编号.
class QuestioningFixture final : public ContextFixture {
public:
    struct Student {
        int number;
        QString name;
    };

    QuestioningFixture();

    /// Recreates the questioning table holding these students and reopens the main query.
    void fill(const QList<Student> &students);
    /// Students 1 to count, named 学生1 ...
    void fillNumbered(int count);
    /// The stored values of one column of the questioning table, in 编号 order.
    QVariantList column(const QString &name) const { return ContextFixture::column(table, name); }
    /// The current row's value of a field.
    QVariant current(const QString &field) const { return query.value(field); }

    QString table;
};
