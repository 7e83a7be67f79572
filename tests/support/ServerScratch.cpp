#include "ServerScratch.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

QString onServer(const DatabaseUrl &url, const QString &sql)
{
    static QAtomicInteger<int> counter;
    const QString name = QStringLiteral("qs_admin_%1").arg(counter.fetchAndAddRelaxed(1));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(url.host);
        db.setPort(url.port);
        db.setUserName(url.user);
        db.setPassword(url.password);
        db.setDatabaseName(url.name);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            if (!query.exec(sql))
                error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

} // namespace

std::optional<DatabaseUrl> ServerScratch::testServer()
{
    const QString text = qEnvironmentVariable("QS_TEST_DATABASE_URL");
    if (text.isEmpty())
        return std::nullopt;
    return DatabaseUrl::parse(text);
}

ServerScratch::ServerScratch()
{
    const std::optional<DatabaseUrl> server = testServer();
    if (!server) {
        m_error = QStringLiteral("QS_TEST_DATABASE_URL is not set");
        return;
    }
    DatabaseUrl fresh = *server;
    fresh.name = QStringLiteral("qs_t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    m_error = onServer(*server, QStringLiteral("CREATE DATABASE %1").arg(fresh.name));
    if (m_error.isEmpty())
        m_url = fresh;
}

ServerScratch::~ServerScratch()
{
    if (!m_url)
        return;
    DatabaseUrl maintenance = *m_url;
    maintenance.name = testServer()->name;
    (void)onServer(maintenance, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_url->name));
}

QString ServerScratch::administer(const QString &sql) const
{
    return m_url ? onServer(*m_url, sql) : m_error;
}
