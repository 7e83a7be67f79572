#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

/// A student as the fair lesson remembers one: by 编号 and 姓名 together, so that two rows
/// sharing a number stay two students. A missing name is the empty name.
struct StudentKey final {
    qlonglong number = 0;
    QString name;

    /// The key of a row from its 编号 and 姓名; nullopt when the row has no whole number.
    static std::optional<StudentKey> of(const QVariant &number, const QVariant &name)
    {
        bool isNumber = false;
        const qlonglong value = number.toLongLong(&isNumber);
        if (number.isNull() || !isNumber)
            return std::nullopt;
        return StudentKey{value, name.isNull() ? QString() : name.toString()};
    }
    friend bool operator==(const StudentKey &a, const StudentKey &b) { return a.number == b.number && a.name == b.name; }
};

inline size_t qHash(const StudentKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.number, key.name);
}
