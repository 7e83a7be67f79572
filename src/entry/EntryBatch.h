#pragma once

#include "EntryInput.h"
#include "EntryKind.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/TableNames.h"
#include "ui/MainView.h"

#include <array>
#include <functional>

class Dataset;
class Prompter;

/// The entry panel's commands on the current table: the batch add of a roster, a score
/// column or an evaluation column (添加, BitBtn3Click), and deleting the current student
/// (删除, BitBtn4Click).
class EntryBatch final {
public:
    /// What a batch add reads besides the input.
    struct Context {
        TableNames tables;
        DataPaths paths;
        /// The Data files; the Data folder of paths when unset.
        DataFiles *dataFiles = nullptr;
        /// The grade-book column list as open grade-book view last wrote it.
        QString columnList;
        /// The score of each grade A to D (the comment settings' score boxes).
        std::array<int, 4> gradeScores{};
        /// Shows the column-name dialog and returns the pending column name (empty: stop).
        std::function<QString()> askColumnName;
    };

    EntryBatch(Database &database, Dataset &view, Prompter &prompter, MainView &mainView);

    /// Runs the section for the entry kind, then the closing steps (first row, grid
    /// formatting), which are skipped when the roster question is cancelled or no column
    /// name was given.
    void add(EntryKind kind, const EntryInput &input, const Context &context);
    /// Asks, then deletes the student of the main query's current row; says so when
    /// there is none.
    void deleteCurrent();

private:
    bool addRoster(const QStringList &rows, const Context &context);
    bool addScores(const QStringList &rows, const Context &context);
    void addEvaluations(const QStringList &rows, const Context &context);
    Result writeRoster(const QStringList &names, const TableNames &tables, bool replace);
    Result reopenCurrentTable(const TableNames &tables);
    /// Moves past the current record (saving it); false when it was the last one.
    Result moveOn(bool &more);
    /// Applies each non-empty row to one student, from the first record on, saving each as
    /// it moves on; rows beyond the last student are counted and reported, not applied.
    /// False when a row failed: its record is left unchanged, those before stay saved.
    bool walkStudents(const QStringList &rows, const std::function<Result(const QString &)> &apply);

    Database &m_database;
    Dataset &m_view;
    Prompter &m_prompter;
    MainView &m_mainView;
};
