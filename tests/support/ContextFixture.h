#pragma once

#include "FakePrompter.h"
#include "TempProgramFolder.h"
#include "store/DataFiles.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <QVariantList>

/// What every command shares, on a throw-away program folder: Record.mdb opened, the main
/// and portrait queries, an empty login state, a scripted prompter, and the context that
/// hands them to a feature.
class ContextFixture {
public:
    explicit ContextFixture(const QString &connectionName = QStringLiteral("qingsui"));
    virtual ~ContextFixture() = default;
    Q_DISABLE_COPY_MOVE(ContextFixture)

    /// Runs a statement and fails the test when it fails.
    void run(const QString &sql);
    /// Table names of the database, sorted.
    QStringList tables() const;
    int rowCount(const QString &table, const QString &where = QString()) const;
    /// The stored values of one column of a table, in 编号 order, read afresh from the file.
    QVariantList column(const QString &table, const QString &name) const;
    /// Every file of Data/ with its bytes.
    QMap<QString, QByteArray> dataFiles() const;

    TempProgramFolder folder;
    DataPaths paths;
    Database database;
    Dataset query{database};
    Dataset portraitQuery{database};
    FakePrompter prompter;
    LoginState login;
    ProgramDataFiles files{database, paths.dataFolder()};
    AppContext context{login, database, query, portraitQuery, prompter, paths, files};
};
