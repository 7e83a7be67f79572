#pragma once

#include "TempProgramFolder.h"
#include "shell/LoginState.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"

#include <QVariantList>

/// A throw-away program folder with Record.mdb, the questioning table of 一班语文 and the
/// main query open on it, ordered by 编号, as after a login in the questioning view.
class QuestioningFixture final {
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
    /// Runs a statement and fails the test when it fails.
    void run(const QString &sql);
    /// The stored values of one column, in 编号 order, read afresh from the file.
    QVariantList column(const QString &name);
    /// The current row's value of a field.
    QVariant current(const QString &field) const { return query.value(field); }

    TempProgramFolder folder;
    DataPaths paths;
    Database database;
    Dataset query;
    LoginState login;
    QString table;
};
