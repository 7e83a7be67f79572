#pragma once

#include "store/DataFiles.h"
#include "store/TableNames.h"
#include "ui/MainView.h"

class Dataset;
class Prompter;

/// 清除 of the grade book (N27Click): after a confirmation and the class's password,
/// rebuilds the grade-book table with its six fixed columns only, as one transaction,
/// then shows the grade-book view again.
class ScoreClearing final {
public:
    ScoreClearing(Database &database, Dataset &view, Prompter &prompter, MainView &mainView);

    void run(const TableNames &tables, const DataFiles &files);

    /// The password the command accepts: the stored one of the class and subject, or the
    /// administrator password when none can be read.
    static QString expectedPassword(const TableNames &tables, const DataFiles &files);

private:
    Database &m_database;
    Dataset &m_view;
    Prompter &m_prompter;
    MainView &m_mainView;
};
