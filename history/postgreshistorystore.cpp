#include "history/postgreshistorystore.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlQuery>

namespace {

// Key of the advisory lock that serialises schema changes between korvat programs.
constexpr qint64 SchemaLockKey = 0x6b6f72766174; // "korvat"
// New tests sent by one statement, as four arrays.
constexpr qsizetype TestArraySize = 20000;

// Appends `text` to an array literal as one quoted element.
void appendElement(QString *array, const QString &text)
{
    if (array->size() > 1)
        *array += QLatin1Char(',');
    *array += QLatin1Char('"');
    if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\\'))) {
        *array += text;
    } else {
        for (const QChar c : text) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
                *array += QLatin1Char('\\');
            *array += c;
        }
    }
    *array += QLatin1Char('"');
}

void appendElement(QString *array, qint64 value)
{
    if (array->size() > 1)
        *array += QLatin1Char(',');
    *array += QString::number(value);
}

} // namespace

std::unique_ptr<HistoryStore> PostgresHistoryStore::open(const HistoryStoreUrl &url, QString *error)
{
    const QString display = url.display();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        *error = QCoreApplication::translate("KorvatHistory",
                                             "Qt's PostgreSQL driver (QPSQL) is not installed: "
                                             "install libqt6sql6-psql");
        return nullptr;
    }
    static QAtomicInt counter;
    const QString name = QStringLiteral("korvathistory-psql-%1").arg(counter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!url.host.isEmpty())
            db.setHostName(url.host);
        if (url.port > 0)
            db.setPort(url.port);
        db.setUserName(url.user);
        db.setDatabaseName(url.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=korvat"));
    }
    std::unique_ptr<PostgresHistoryStore> store(new PostgresHistoryStore(name, display));
    QSqlDatabase db = store->database();
    if (!db.open()) {
        *error = QCoreApplication::translate("KorvatHistory", "Cannot connect to the history database %1: %2")
                     .arg(display, db.lastError().text().trimmed());
        return nullptr;
    }
    if (!store->exec(QStringLiteral("SET client_min_messages TO warning")) || !store->migrate(error)) {
        if (error->isEmpty())
            *error = store->errorString();
        return nullptr;
    }
    return store;
}

QStringList PostgresHistoryStore::migration(int version) const
{
    if (version == 4) {
        // The 128-bit content hash beside the SHA-256 of the runs recorded so far, which newer
        // runs leave empty.
        return {
            QStringLiteral("ALTER TABLE runs ALTER COLUMN content_hash DROP NOT NULL"),
            QStringLiteral("ALTER TABLE runs ADD COLUMN content_key TEXT UNIQUE"),
        };
    }
    if (version == 3) {
        // The tests with the hash of their key, which alone is indexed; upgrade() fills the table
        // and puts it in the old one's place. The eight-byte column first: no padding.
        return {QStringLiteral("CREATE TABLE tests_keyed (key_hash BIGINT NOT NULL, id INTEGER PRIMARY KEY, "
                               "document TEXT NOT NULL, path TEXT NOT NULL)")};
    }
    if (version == 2) {
        // A run's results packed by blocks of test ids (HistoryResultBlock): the key serves "all
        // tests of a run", the index "one test over the last runs".
        return {
            QStringLiteral("ALTER TABLE runs ADD COLUMN result_count INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("CREATE TABLE result_blocks (run_id INTEGER NOT NULL, block INTEGER NOT NULL, "
                           "packed BYTEA NOT NULL, PRIMARY KEY (run_id, block))"),
            QStringLiteral("CREATE INDEX result_blocks_by_block ON result_blocks (block, run_id)"),
        };
    }
    if (version != 1)
        return {};
    // The first schema, one row per result; the migration to version 2 packs them.
    return {
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE runs (id SERIAL PRIMARY KEY, label TEXT NOT NULL, "
                       "recorded_at BIGINT NOT NULL, content_hash TEXT NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE tests (id SERIAL PRIMARY KEY, document TEXT NOT NULL, "
                       "path TEXT NOT NULL, UNIQUE (document, path))"),
        // The eight-byte column first: no padding between the columns of a row.
        QStringLiteral("CREATE TABLE results (fingerprint BIGINT, run_id INTEGER NOT NULL, "
                       "test_id INTEGER NOT NULL, duration_ms INTEGER, verdict SMALLINT NOT NULL, "
                       "PRIMARY KEY (run_id, test_id))"),
        QStringLiteral("CREATE INDEX results_by_test ON results (test_id, run_id)"),
    };
}

bool PostgresHistoryStore::beginWrite(bool schema)
{
    if (!exec(QStringLiteral("BEGIN")))
        return false;
    if (schema && !exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLockKey))) {
        rollback();
        return false;
    }
    return true;
}

bool PostgresHistoryStore::lockTests()
{
    // Conflicts with itself and with plain inserts, not with reads.
    return exec(QStringLiteral("LOCK TABLE tests IN SHARE ROW EXCLUSIVE MODE"));
}

bool PostgresHistoryStore::insertTests(const QString &table, const QList<TestRow> &rows)
{
    // One array a column, unnested by the server: the driver sends values as literals in the
    // statement's text, and four arrays parse far faster than rows of bound values.
    QSqlQuery query(database());
    query.prepare(QStringLiteral("INSERT INTO %1 (id, key_hash, document, path) SELECT * FROM "
                                 "unnest(CAST(? AS integer[]), CAST(? AS bigint[]), CAST(? AS text[]), "
                                 "CAST(? AS text[]))")
                      .arg(table));
    for (qsizetype first = 0; first < rows.size(); first += TestArraySize) {
        const qsizetype last = std::min(rows.size(), first + TestArraySize);
        QString arrays[4];
        for (QString &array : arrays)
            array = QStringLiteral("{");
        for (qsizetype i = first; i < last; ++i) {
            const TestRow &row = rows.at(i);
            appendElement(&arrays[0], row.id);
            appendElement(&arrays[1], row.hash);
            appendElement(&arrays[2], *row.document);
            appendElement(&arrays[3], *row.path);
        }
        for (int column = 0; column < 4; ++column) {
            arrays[column] += QLatin1Char('}');
            query.bindValue(column, arrays[column]);
        }
        if (!exec(query))
            return false;
    }
    return true;
}

bool PostgresHistoryStore::isTransient(const QSqlError &error) const
{
    // serialization_failure, deadlock_detected, lock_not_available, unique_violation.
    static const QStringList codes = {QStringLiteral("40001"), QStringLiteral("40P01"), QStringLiteral("55P03"),
                                      QStringLiteral("23505")};
    return codes.contains(error.nativeErrorCode());
}
