#pragma once

#include "history/sqlhistorystore.h"

// The store in one SQLite file, in WAL mode so that readers never wait for a recorder. Writers
// take the lock at the start of their transaction and wait for each other through the busy
// timeout, then retry.
class SqliteHistoryStore : public SqlHistoryStore
{
public:
    // Opens or creates the file at `path`. An existing file is first checked through a read-only
    // connection, so that a damaged or foreign file is reported and left exactly as it was.
    static std::unique_ptr<HistoryStore> open(const QString &path, QString *error);

protected:
    QStringList migration(int version) const override;
    bool beginWrite(bool schema) override;
    bool isTransient(const QSqlError &error) const override;
    bool insertTests(const QString &table, const QList<TestRow> &rows) override;

private:
    using SqlHistoryStore::SqlHistoryStore;

    // Whether the existing file at `path` can be opened for writing.
    static bool check(const QString &path, const QString &display, QString *error);
};
