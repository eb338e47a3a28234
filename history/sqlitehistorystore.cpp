#include "history/sqlitehistorystore.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>

namespace {

// How long a writer waits for another one before its transaction is retried.
constexpr int BusyTimeoutMs = 5000;
// Page size of a new file, in bytes.
constexpr int NewPageSize = 16384;
// New tests inserted by one statement, as one JSON array.
constexpr qsizetype TestsPerStatement = 4096;
// The connection's temporary table that new tests pass through on their way to the tests table.
const char *const StagedTests = "korvat_staged_tests";

// Appends `text` to `json` as a JSON string. False, with `json` part written, when the text holds
// a NUL character, which SQLite's JSON functions take as the string's end.
bool appendJsonString(QString *json, const QString &text)
{
    *json += QLatin1Char('"');
    const QChar *from = text.constData();
    const QChar *const end = from + text.size();
    for (const QChar *c = from; c != end; ++c) {
        const char16_t unit = c->unicode();
        if (unit >= 0x20 && unit != u'"' && unit != u'\\')
            continue;
        if (unit == 0)
            return false;
        json->append(from, c - from);
        from = c + 1;
        if (unit == u'"' || unit == u'\\') {
            *json += QLatin1Char('\\');
            *json += *c;
        } else {
            *json += QStringLiteral("\\u%1").arg(int(unit), 4, 16, QLatin1Char('0'));
        }
    }
    json->append(from, end - from);
    *json += QLatin1Char('"');
    return true;
}

// Appends `value` in decimal to `json`, with no string made for it.
void appendJsonNumber(QString *json, qint64 value)
{
    char digits[24];
    char *const end = digits + sizeof digits;
    char *first = end;
    // Negated as unsigned, so that the smallest value has a magnitude too.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    do {
        *--first = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--first = '-';
    json->append(QLatin1String(first, end - first));
}

// Text for a NOT NULL column: a null string is stored as an empty one.
QString notNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

// SQLite's JSON functions end a string at an escaped NUL: keys that hold one are bound as they are.
bool holdsNul(const QString &text)
{
    return text.contains(QChar(0));
}

QString newConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("korvathistory-sqlite-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

std::unique_ptr<HistoryStore> SqliteHistoryStore::open(const QString &path, QString *error)
{
    const QString display = QStringLiteral("sqlite:") + path;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        *error = QCoreApplication::translate("KorvatHistory",
                                             "Qt's SQLite driver (QSQLITE) is not installed: "
                                             "install libqt6sql6-sqlite");
        return nullptr;
    }
    const QFileInfo info(path);
    if (info.exists()) {
        // The check reads the file as immutable: while another recorder creates or checkpoints
        // it, a page can read as torn for a moment. A damaged file stays damaged; try again
        // briefly before calling it so.
        bool checked = false;
        for (int attempt = 0; !checked && attempt < 8; ++attempt) {
            if (attempt > 0)
                QThread::msleep(25 * attempt);
            error->clear();
            checked = check(path, display, error);
        }
        if (!checked)
            return nullptr;
    } else if (!QDir().mkpath(info.absolutePath())) {
        *error = QCoreApplication::translate("KorvatHistory", "Cannot create the folder %1 for the history database")
                     .arg(info.absolutePath());
        return nullptr;
    }

    const QString name = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    }
    std::unique_ptr<SqliteHistoryStore> store(new SqliteHistoryStore(name, display));
    QSqlDatabase db = store->database();
    if (!db.open()) {
        *error = QCoreApplication::translate("KorvatHistory", "Cannot open the history database %1: %2")
                     .arg(display, db.lastError().text());
        return nullptr;
    }
    // A new file gets pages of 16 kB (an existing one keeps its own): a recording of many new
    // tests writes a quarter of the pages, each with its own log frame and write call, at its
    // commit. The size is taken when the file is first written, by the switch to WAL below.
    if (!store->exec(QStringLiteral("PRAGMA page_size=%1").arg(NewPageSize))) {
        *error = store->errorString();
        return nullptr;
    }
    // Switching to WAL needs a moment alone with the file: other recorders may hold it.
    bool wal = false;
    for (int attempt = 0; !wal && attempt < 50; ++attempt) {
        wal = store->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        if (!wal && !store->isTransient(store->m_sqlError))
            break;
        if (!wal)
            backOff(attempt);
    }
    // A page cache of up to 64 MB, taken only as pages are used: a recording of many new tests
    // inserts their keys' hashes all over the index, and with the default 2 MB the pages it
    // changes are written out and read back many times within one transaction.
    if (!wal || !store->exec(QStringLiteral("PRAGMA synchronous=NORMAL"))
        || !store->exec(QStringLiteral("PRAGMA cache_size=-65536"))
        // Temporary tables (new tests on their way in) and statement journals stay in memory.
        || !store->exec(QStringLiteral("PRAGMA temp_store=MEMORY")) || !store->migrate(error)) {
        if (error->isEmpty() || !wal)
            *error = store->errorString();
        return nullptr;
    }
    return store;
}

bool SqliteHistoryStore::check(const QString &path, const QString &display, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QCoreApplication::translate("KorvatHistory", "The history database %1 is not a file").arg(display);
        return false;
    }
    const QString name = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // Immutable: this connection creates no -wal or -shm file beside the one it checks. It may
        // miss changes still in another program's WAL; the writing connection checks the schema
        // version again before it writes.
        db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QStringLiteral("?immutable=1"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    }
    // A store used only for its checks: its read-only connection is never switched to WAL nor migrated.
    std::unique_ptr<SqliteHistoryStore> probe(new SqliteHistoryStore(name, display));
    if (!probe->database().open()) {
        *error = QCoreApplication::translate("KorvatHistory", "Cannot open the history database %1: %2")
                     .arg(display, probe->database().lastError().text());
        return false;
    }
    QSqlQuery query(probe->database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))) {
        *error = QCoreApplication::translate("KorvatHistory",
                                             "The history database %1 is damaged or not an SQLite file "
                                             "(left untouched): %2")
                     .arg(display, query.lastError().text());
        return false;
    }
    query.finish();
    if (!probe->checkedVersion()) {
        *error = probe->errorString();
        return false;
    }
    return true;
}

QStringList SqliteHistoryStore::migration(int version) const
{
    if (version == 4) {
        // The 128-bit content hash beside the SHA-256 of the runs recorded so far, which newer
        // runs leave empty: SQLite cannot drop NOT NULL, so the table is copied.
        return {
            QStringLiteral("CREATE TABLE runs_keyed (id INTEGER PRIMARY KEY AUTOINCREMENT, label TEXT NOT NULL, "
                           "recorded_at BIGINT NOT NULL, content_hash TEXT UNIQUE, "
                           "result_count INTEGER NOT NULL DEFAULT 0, content_key TEXT UNIQUE)"),
            QStringLiteral("INSERT INTO runs_keyed (id, label, recorded_at, content_hash, result_count) "
                           "SELECT id, label, recorded_at, content_hash, result_count FROM runs"),
            QStringLiteral("DROP TABLE runs"),
            QStringLiteral("ALTER TABLE runs_keyed RENAME TO runs"),
        };
    }
    if (version == 3) {
        // The tests with the hash of their key, which alone is indexed; upgrade() fills the table
        // and puts it in the old one's place.
        return {QStringLiteral("CREATE TABLE tests_keyed (id INTEGER PRIMARY KEY, key_hash BIGINT NOT NULL, "
                               "document TEXT NOT NULL, path TEXT NOT NULL)")};
    }
    if (version == 2) {
        // A run's results packed by blocks of test ids (HistoryResultBlock): the key serves "all
        // tests of a run", the index "one test over the last runs".
        return {
            QStringLiteral("ALTER TABLE runs ADD COLUMN result_count INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("CREATE TABLE result_blocks (run_id INTEGER NOT NULL, block INTEGER NOT NULL, "
                           "packed BLOB NOT NULL, PRIMARY KEY (run_id, block))"),
            QStringLiteral("CREATE INDEX result_blocks_by_block ON result_blocks (block, run_id)"),
        };
    }
    if (version != 1)
        return {};
    // The first schema, one row per result; the migration to version 2 packs them.
    return {
        QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE runs (id INTEGER PRIMARY KEY AUTOINCREMENT, label TEXT NOT NULL, "
                       "recorded_at BIGINT NOT NULL, content_hash TEXT NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE tests (id INTEGER PRIMARY KEY, document TEXT NOT NULL, "
                       "path TEXT NOT NULL, UNIQUE (document, path))"),
        // Clustered by run: all tests of one run are read in order; the index finds one test's runs.
        QStringLiteral("CREATE TABLE results (run_id INTEGER NOT NULL, test_id INTEGER NOT NULL, "
                       "verdict SMALLINT NOT NULL, duration_ms INTEGER, fingerprint BIGINT, "
                       "PRIMARY KEY (run_id, test_id)) WITHOUT ROWID"),
        QStringLiteral("CREATE INDEX results_by_test ON results (test_id, run_id)"),
    };
}

bool SqliteHistoryStore::beginWrite(bool)
{
    // IMMEDIATE takes the write lock now, so two writers never both hold a read snapshot that
    // one of them then cannot upgrade.
    return exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool SqliteHistoryStore::isTransient(const QSqlError &error) const
{
    // SQLITE_BUSY and SQLITE_LOCKED, with or without their extended codes.
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 5 || code == 6;
}

bool SqliteHistoryStore::insertTests(const QString &table, const QList<TestRow> &rows)
{
    // The rows go to SQLite as one JSON array a statement, which SQLite takes apart itself: Qt's
    // driver binds each value through a placeholder name it looks up, which costs more than
    // SQLite's own insert of the value. The document, most often one for all rows, is bound once
    // for each stretch of rows that share it.
    // The JSON goes first into a temporary table, then into `table` by a statement that calls no
    // function: SQLite keeps a statement journal for any statement that calls one (a function
    // may fail half-way), and one for rows spread over the hash index copies every index page
    // each statement changes into a temporary file, about ten times the index's size over a
    // large recording. OR FAIL: a statement that fails keeps the rows it wrote before, which the
    // failed transaction rolls back anyway, so the copy needs no statement journal either.
    QSqlQuery fromJson(database());
    QSqlQuery staged(database());
    QSqlQuery cleared(database());
    QSqlQuery single(database());
    bool jsonPrepared = false;
    bool singlePrepared = false;
    QString json;
    const QString *document = nullptr;
    qsizetype pending = 0;
    const auto flush = [&]() {
        if (pending == 0)
            return true;
        json += QLatin1Char(']');
        if (!jsonPrepared) {
            jsonPrepared = true;
            if (!exec(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS %1 (id INTEGER, key_hash INTEGER, "
                                     "document TEXT, path TEXT)")
                          .arg(QLatin1String(StagedTests))))
                return false;
            fromJson.prepare(QStringLiteral("INSERT INTO temp.%1 (id, key_hash, document, path) "
                                            "SELECT value ->> 0, value ->> 1, ?, value ->> 2 FROM json_each(?)")
                                 .arg(QLatin1String(StagedTests)));
            staged.prepare(QStringLiteral("INSERT OR FAIL INTO %1 (id, key_hash, document, path) "
                                          "SELECT id, key_hash, document, path FROM temp.%2 ORDER BY rowid")
                               .arg(table, QLatin1String(StagedTests)));
            cleared.prepare(QStringLiteral("DELETE FROM temp.%1").arg(QLatin1String(StagedTests)));
        }
        fromJson.bindValue(0, notNull(*document));
        fromJson.bindValue(1, json);
        pending = 0;
        return exec(fromJson) && exec(staged) && exec(cleared);
    };
    for (const TestRow &row : rows) {
        const bool sameDocument = pending > 0 && (document == row.document || *document == *row.document);
        if (pending > 0 && (pending == TestsPerStatement || !sameDocument) && !flush())
            return false;
        // A stretch's document is looked at once; a path as it is written.
        bool added = false;
        if (pending > 0 || !holdsNul(*row.document)) {
            if (pending == 0)
                json.clear();
            const qsizetype before = json.size();
            json += pending == 0 ? QLatin1String("[[") : QLatin1String(",[");
            appendJsonNumber(&json, row.id);
            json += QLatin1Char(',');
            appendJsonNumber(&json, row.hash);
            json += QLatin1Char(',');
            added = appendJsonString(&json, *row.path);
            if (added) {
                json += QLatin1Char(']');
                if (pending == 0)
                    document = row.document;
                ++pending;
            } else {
                json.truncate(before);
            }
        }
        if (added)
            continue;
        if (!singlePrepared) {
            singlePrepared = true;
            single.prepare(QStringLiteral("INSERT OR FAIL INTO %1 (id, key_hash, document, path) VALUES (?, ?, ?, ?)")
                               .arg(table));
        }
        single.bindValue(0, row.id);
        single.bindValue(1, row.hash);
        single.bindValue(2, notNull(*row.document));
        single.bindValue(3, notNull(*row.path));
        if (!exec(single))
            return false;
    }
    return flush();
}
