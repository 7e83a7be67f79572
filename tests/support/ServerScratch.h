#pragma once

#include "store/DatabaseUrl.h"

#include <QString>
#include <optional>

/// A database of its own on the tests' throw-away PostgreSQL server (QS_TEST_DATABASE_URL,
/// started by scripts/test.sh), made empty for one test and dropped afterwards.
class ServerScratch final {
public:
    ServerScratch();
    ~ServerScratch();
    Q_DISABLE_COPY_MOVE(ServerScratch)

    /// The server of the tests; nullopt when QS_TEST_DATABASE_URL is not set.
    static std::optional<DatabaseUrl> testServer();
    /// True once the fresh database exists.
    bool isValid() const { return m_url.has_value(); }
    /// The fresh database (the test server's URL with its name).
    const DatabaseUrl &url() const { return *m_url; }
    QString error() const { return m_error; }
    /// Runs one statement on the server as the tests' user, in the fresh database; the
    /// driver's message when it fails.
    QString administer(const QString &sql) const;

private:
    std::optional<DatabaseUrl> m_url;
    QString m_error;
};
