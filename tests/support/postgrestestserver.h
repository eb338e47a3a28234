#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A throwaway PostgreSQL server for tests: initdb and pg_ctl from the installed server package
// create a cluster in a temporary folder and start it listening on a Unix socket in that folder
// only (no TCP). As root, the server runs as the `postgres` user, which owns the folder. The
// cluster's superuser is `korvat`, trusted without a password. stop() (or the destructor) stops
// the server and removes the folder.
class PostgresTestServer
{
public:
    PostgresTestServer() = default;
    ~PostgresTestServer();
    PostgresTestServer(const PostgresTestServer &) = delete;
    PostgresTestServer &operator=(const PostgresTestServer &) = delete;

    // Creates and starts the cluster. False, with errorString() telling what is missing
    // (run scripts/setup) or what failed.
    bool start();
    void stop();

    // Creates an empty database `name`. False, with errorString(), on failure.
    bool createDatabase(const QString &name);

    // The store address of database `name` over the Unix socket.
    QString url(const QString &name) const;
    QString socketDir() const;
    static QString userName() { return QStringLiteral("korvat"); }
    QString errorString() const { return m_error; }

private:
    // Runs one server program (as `postgres` when this process is root); false on failure.
    bool runTool(const QString &tool, const QStringList &args);
    static QString findBinDir();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_bin;
    QString m_error;
    bool m_running = false;
    bool m_asPostgres = false;
};
