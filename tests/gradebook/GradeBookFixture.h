#pragma once

#include "FakePrompter.h"
#include "IdleMainView.h"
#include "TempProgramFolder.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"

#include <QVariantList>

class GradeBookFixture;

/// The main view as the grade-book and entry commands see it: open grade-book view runs
/// on the fixture; it, grid formatting and hiding the entry panel are counted.
class RecordingMainView final : public IdleMainView {
public:
    explicit RecordingMainView(GradeBookFixture &fixture)
        : m_fixture(fixture)
    {
    }

    void formatGrid() override;
    Result openGradeBookView() override;
    QString gradeBookColumnList() const override;
    void hideEntryPanel() override;

private:
    GradeBookFixture &m_fixture;
};

/// A throw-away program folder with Record.mdb holding the grade book of 一班语文, the
/// main query, a scripted prompter and view operations that record their calls.
class GradeBookFixture final {
public:
    struct Student {
        int number;
        QString name;
        int group;
        QVariantList scores; ///< one per score column; an invalid QVariant stores NULL
    };

    GradeBookFixture();

    /// Recreates the grade-book table with these score columns and students and shows it
    /// as open grade-book view does.
    void create(const QStringList &scoreColumns, const QList<Student> &students);
    /// Open grade-book view: rebuilds the column list, shows the listed columns, first row.
    Result openGradeBookView();
    /// Switches to the questioning table of the class, created fresh with these students.
    void createQuestioning(const QList<Student> &students);

    void run(const QString &sql);
    /// Stored values of a column of a table (the grade book by default), in 编号 order.
    QVariantList column(const QString &name, const QString &ofTable = {});
    QStringList tableColumns() const { return database.columns(table); }
    int rowCount(const QString &ofTable = {});

    TempProgramFolder folder;
    DataPaths paths;
    Database database;
    Dataset view;
    LoginState login;
    TableNames tables;
    QString table;
    QString columnList;
    FakePrompter prompts;
    RecordingMainView mainView{*this};
    int reopenings = 0;
    int formattings = 0;
    int panelHidings = 0;
};
