#include "EngineSuite.h"

#include "ServerScratch.h"

#include <QTest>
#include <cstdio>

namespace {
Engine g_engine = Engine::SQLite;
std::unique_ptr<ServerScratch> g_scratch;
} // namespace

namespace EngineSuite {

Engine engine()
{
    return g_engine;
}

Result open(Database &database, const QString &programFolder)
{
    if (g_engine == Engine::SQLite)
        return database.open(programFolder);
    g_scratch.reset();
    g_scratch = std::make_unique<ServerScratch>();
    if (!g_scratch->isValid())
        return Result::failure(g_scratch->error());
    return database.openServer(g_scratch->url());
}

Result openSame(Database &database, const QString &programFolder)
{
    if (g_engine == Engine::SQLite)
        return database.open(programFolder);
    if (!g_scratch || !g_scratch->isValid())
        return Result::failure(QStringLiteral("no server database open"));
    return database.openServer(g_scratch->url());
}

int run(QObject *test, int argc, char **argv)
{
    g_engine = Engine::SQLite;
    std::printf("*** on SQLite\n");
    int failures = QTest::qExec(test, argc, argv);
    if (!ServerScratch::testServer()) {
        std::printf("*** on PostgreSQL: skipped, QS_TEST_DATABASE_URL is not set\n");
        return failures;
    }
    g_engine = Engine::PostgreSQL;
    std::printf("*** on PostgreSQL\n");
    failures += QTest::qExec(test, argc, argv);
    g_scratch.reset();
    return failures;
}

} // namespace EngineSuite
