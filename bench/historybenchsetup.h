#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class PostgresTestServer;

// What the run history benches share: their "--name value" options and the back-ends they run
// on, a SQLite file in a temporary folder and a throwaway PostgreSQL server started in one
// (Unix socket only) and stopped after its bench. `--only sqlite|postgresql` picks one.
class HistoryBenchSetup
{
public:
    explicit HistoryBenchSetup(const QStringList &args);
    ~HistoryBenchSetup();

    // The value of `--name`, or `fallback` when it is not given.
    int number(const char *name, int fallback) const;

    // The address of a new, empty store called `name` on the back-end being run; empty when
    // the server cannot create it.
    using NewStore = std::function<QString(const QString &name)>;
    // One bench on `backend` ("sqlite" or "postgresql"); false when it failed.
    using Bench = std::function<bool(const QString &backend, const NewStore &newStore)>;
    // Runs `bench` on each chosen back-end. False when one failed or the server did not start.
    bool run(const Bench &bench);

    // The temporary folder, for the benches' own files.
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // The PostgreSQL server while its bench runs, else null.
    const PostgresTestServer *server() const { return m_server.get(); }

private:
    bool chosen(const char *backend) const;

    QHash<QString, QString> m_options;
    QTemporaryDir m_dir;
    std::unique_ptr<PostgresTestServer> m_server;
};
