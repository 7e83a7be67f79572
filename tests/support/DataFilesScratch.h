#pragma once

#include "EngineSuite.h"
#include "store/DataFiles.h"
#include "store/Database.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

/// A throw-away program folder with its Data folder, and the database of the engine of the
/// run (EngineSuite) with its Data files table: the two places Data files live. Made in a
/// test's init(), reset in its cleanup().
struct DataFilesScratch final {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Database> db;
    std::unique_ptr<DataFolder> folder;
    std::unique_ptr<DataTable> table;

    void make(const QString &connectionName)
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("Data")));
        db = std::make_unique<Database>(connectionName);
        const Result opened = EngineSuite::open(*db, dir->path());
        QVERIFY2(opened.ok, qPrintable(opened.error));
        folder = std::make_unique<DataFolder>(dir->filePath(QStringLiteral("Data")));
        table = std::make_unique<DataTable>(*db);
        QVERIFY(table->prepare(dir->filePath(QStringLiteral("无此文件夹"))));
    }

    void reset()
    {
        table.reset();
        folder.reset();
        db.reset();
        dir.reset();
    }

    /// "table": the database's table; anything else: the Data folder.
    DataFiles &files(const QString &where) const
    {
        if (where == QLatin1String("table"))
            return *table;
        return *folder;
    }
};
