#pragma once

#include "history/historystoreurl.h"
#include "history/sqlhistorystore.h"

// The store in a PostgreSQL database that a team shares, through Qt's QPSQL driver (libpq).
// The password is left to libpq (PGPASSWORD, ~/.pgpass). Concurrent recorders are kept apart
// by the unique content hash (ON CONFLICT) and retried after a deadlock or serialization
// failure; schema changes are serialised by an advisory lock, new tests by a lock on their
// table that leaves readers alone.
class PostgresHistoryStore : public SqlHistoryStore
{
public:
    static std::unique_ptr<HistoryStore> open(const HistoryStoreUrl &url, QString *error);

protected:
    QStringList migration(int version) const override;
    bool beginWrite(bool schema) override;
    bool isTransient(const QSqlError &error) const override;
    bool lockTests() override;
    bool insertTests(const QString &table, const QList<TestRow> &rows) override;

private:
    using SqlHistoryStore::SqlHistoryStore;
};
