#pragma once

#include "tests/support/postgrestestserver.h"
#include "tests/support/xrdviewrun.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// What the tests of xrdview's history modes share: a temporary folder for
// settings and SQLite files, a real PostgreSQL server started in it, new
// empty stores on either back-end, and xrdview runs that ignore the
// developer's KORVAT_DB.
class HistoryCliHarness
{
public:
    // Starts the PostgreSQL server; false with serverError() when it cannot.
    bool start();
    void stop() { m_server.stop(); }
    QString serverError() const { return m_server.errorString(); }

    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // A new, empty store on `backend` ("sqlite" or "postgresql"); empty when
    // the server cannot create its database.
    QString freshStore(const QString& backend);

    // Runs xrdview with settings from the temporary folder; `env` adds to
    // the environment.
    XrdviewRun run(const QStringList& args, const QStringList& env = QStringList()) const;

    // Records `file` under `label` into `store` and returns the printed run
    // id; 0 (after a warning) when the exit status is not `status`.
    qint64 record(const QString& store, const QString& file, const QString& label, int status) const;

    // A file of the tests' data folder.
    static QString data(const char* name);
    // One data row per back-end, in a column named "backend".
    static void addBackendRows();

private:
    QTemporaryDir m_dir;
    PostgresTestServer m_server;
    int m_stores = 0;
};
