#pragma once

#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "login/LoginTarget.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>

/// A main window as the login dialog sees it: a real Record.mdb in a throw-away program
/// folder with known list and settings files, and a prompter that answers from a queue.
class FakeLoginTarget final : public LoginTarget {
public:
    FakeLoginTarget();

    Database &database() override { return m_database; }
    Dataset &mainQuery() override { return m_query; }
    Prompter &prompter() override { return m_prompter; }
    const DataPaths &paths() const override { return m_paths; }
    LoginState &loginState() override { return m_state; }
    void unbindFields() override { ++m_unbindCount; }
    SqlResult showQuestioningViewAfterLogin() override;
    SqlResult showGradeBookViewAfterLogin() override;
    void gradeSettingsChanged() override { ++m_settingsChangedCount; }

    /// Makes the class table and both tables of class and subject, as a finished login does.
    void prepareClass(const QString &className, const QString &subject);
    /// Table names of the database, sorted.
    QStringList tables() const;
    int rowCount(const QString &table, const QString &where = QString()) const;
    /// Every file of Data/ with its bytes.
    QMap<QString, QByteArray> dataFiles() const;

    TempProgramFolder m_folder;
    Database m_database;
    Dataset m_query{m_database};
    FakePrompter m_prompter;
    DataPaths m_paths;
    LoginState m_state;
    int m_unbindCount = 0;
    int m_settingsChangedCount = 0;
    QStringList m_viewsShown;
};

/// GBK bytes of text.
QByteArray gbk(const QString &text);
/// GBK bytes of a list file: each line ended by CR LF.
QByteArray listFile(const QStringList &lines);
