#include "history/historystore.h"

#include "history/historystoreurl.h"
#include "history/postgreshistorystore.h"
#include "history/sqlitehistorystore.h"

std::unique_ptr<HistoryStore> HistoryStore::open(const QString &url, QString *error)
{
    const std::optional<HistoryStoreUrl> parsed = HistoryStoreUrl::parse(url, error);
    if (!parsed)
        return nullptr;
    if (parsed->kind == HistoryStoreUrl::Kind::Postgres)
        return PostgresHistoryStore::open(*parsed, error);
    return SqliteHistoryStore::open(parsed->sqlitePath, error);
}

void HistoryStore::prepareTests(const HistoryListedTests &)
{
}
