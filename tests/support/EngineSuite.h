#pragma once

#include "store/Database.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <memory>

class ServerScratch;

/// Runs one store test class on each engine: SQLite in a throw-away program folder, then
/// PostgreSQL in a fresh database of the tests' server when QS_TEST_DATABASE_URL is set
/// (scripts/test.sh starts one). The test opens its database through open() and asks
/// engine() where a form differs.
namespace EngineSuite {
/// The engine of the run in progress.
Engine engine();
/// Opens database on the engine of the run: programFolder/Record.mdb, or a fresh server
/// database that lives until the next open() or the end of the run.
Result open(Database &database, const QString &programFolder);
/// Opens a second connection to the database the last open() made, as another program
/// (another PC) would.
Result openSame(Database &database, const QString &programFolder);
/// Runs QTest::qExec on the object once per engine; the number of failures of all runs.
int run(QObject *test, int argc, char **argv);
} // namespace EngineSuite

/// The main() of a store test run on both engines.
#define QS_ENGINE_TEST_MAIN(TestClass)                                                                                           \
    int main(int argc, char **argv)                                                                                              \
    {                                                                                                                            \
        QCoreApplication app(argc, argv);                                                                                        \
        TestClass test;                                                                                                          \
        return EngineSuite::run(&test, argc, argv);                                                                              \
    }
