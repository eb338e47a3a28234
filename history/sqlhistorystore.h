#pragma once

#include "history/historykeyindex.h"
#include "history/historyresultblock.h"
#include "history/historystore.h"

#include <QSqlDatabase>
#include <QSqlError>

#include <functional>
#include <vector>

class HistoryTestKeys;

class QSqlQuery;

// The store over one Qt SQL connection: the schema, its migrations and every query, written
// once for SQLite and PostgreSQL alike. The back-ends add how they connect, the column types of
// their tables, how a write transaction takes its lock, and which errors are worth a retry.
class SqlHistoryStore : public HistoryStore
{
public:
    ~SqlHistoryStore() override;

    std::optional<qint64> recordRun(const HistoryRun &run, bool *created, const Progress &progress) override;
    void prepareTests(const HistoryListedTests &tests) override;
    std::optional<QList<HistoryRun>> runs(int last) override;
    std::optional<QList<HistoryResult>> results(qint64 runId) override;
    std::optional<QList<HistoryRun>> recentRuns(int last, const QString &prefix) override;
    std::optional<QList<HistoryRun>> testHistory(const QString &document, const QString &path, int last) override;
    std::optional<int> schemaVersion() override;

protected:
    // Takes over the connection named `connection` (added by the back-end, closed and removed here).
    SqlHistoryStore(const QString &connection, const QString &display);

    QSqlDatabase database() const;

    // The statements that bring the schema from `version` - 1 to `version`; upgrade() then
    // moves the data.
    virtual QStringList migration(int version) const = 0;
    // Begins a transaction that holds the writer's lock (schema changes included when `schema`).
    virtual bool beginWrite(bool schema) = 0;
    // Keeps other writers from adding tests until the write transaction ends (SQLite's writer
    // already holds the whole file).
    virtual bool lockTests() { return true; }
    // Whether a statement that failed with `error` may succeed when its transaction is tried again.
    virtual bool isTransient(const QSqlError &error) const = 0;

    // The schema version, 0 for an empty database; refuses a newer schema and a database that
    // holds tables of these names without a version.
    std::optional<int> checkedVersion();
    // Creates or migrates the schema to CurrentSchemaVersion. False, with `error` set, on failure.
    bool migrate(QString *error);

    // Runs `sql` (or the prepared `query`); on failure keeps the error and sets errorString().
    bool exec(const QString &sql);
    bool exec(QSqlQuery &query);
    // Ends the transaction, and with it any tests stored ahead of a recording.
    void rollback();
    // Waits a short random time before a transaction is tried again.
    static void backOff(int attempt);

    // A test to be added to the tests table.
    struct TestRow
    {
        qint64 id;
        qint64 hash;
        const QString *document;
        const QString *path;
    };
    // Writes `rows` into `table` (the tests table or its replacement), many a statement.
    virtual bool insertTests(const QString &table, const QList<TestRow> &rows) = 0;

    QSqlError m_sqlError;

private:
    using TestKey = std::pair<QString, QString>;
    enum class Attempt { Done, Retry, Failed };
    using Block = std::pair<int, QByteArray>; // block number, packed results

    // A test of the run to be written: its id and where its result is: the tests listed ahead
    // (m_listed.at(batch), at `index`), or the run's own results (batch < 0) at `index`.
    struct Tested
    {
        qint64 id;
        qint32 batch;
        qint32 index;
    };

    // `whole` gives the run with every listed test among its results (made once, kept for the
    // next attempts), for an attempt without the work done ahead; `keys` are its keys once made.
    // `sha256` is the run's SHA-256 once asked for.
    Attempt tryRecord(const HistoryRun &run, const std::function<const HistoryRun &()> &whole,
                      std::optional<HistoryTestKeys> *keys, qint64 *id, bool *created,
                      std::optional<QString> *sha256, const Progress &progress);
    // `run`'s results after those of the tests listed ahead that it does not supersede.
    QList<HistoryResult> wholeResults(const HistoryRun &run) const;
    // Sets errorString() for two keys of one hash in a run; false.
    bool collision();
    // The run recorded before with the run's content: found by its content hash, or by its
    // SHA-256 while runs recorded with that alone are stored (the run found then gets the content
    // hash). 0 when there is none; none on a database error.
    std::optional<qint64> recordedRun(const HistoryRun &run, std::optional<QString> *sha256);
    // The id of the run whose `column` holds `hash`, 0 when none does.
    std::optional<qint64> runWith(const QString &column, const QString &hash);
    // Each test of `keys` (made of `run`'s results) with its id, sorted by id; new tests are
    // added to the tests table.
    bool internTests(const HistoryRun &run, const HistoryTestKeys &keys, std::vector<Tested> *tested);
    // Inside the transaction that prepareTests() began: each result of the run with its test's
    // id, sorted by id, one a test; `fresh` gets the tests not stored yet, numbered. False on
    // two keys of one hash.
    bool matchAhead(const HistoryRun &run, std::vector<Tested> *tested, QList<TestRow> *fresh);
    // Whether the results listed ahead are the whole run and already in id order, one a test.
    bool aheadIsWhole(const HistoryRun &run) const;
    // Then stores the `fresh` tests and removes those stored ahead that `tested` does not hold.
    bool storeAfterAhead(const std::vector<Tested> &tested, const QList<TestRow> &fresh);
    // Sorts `tested` by id and keeps the last result given of each test; false when two keys
    // share an id.
    bool sortTested(const HistoryRun &run, std::vector<Tested> *tested);
    // The key and the result of a test of the run.
    const QString &documentOf(const HistoryRun &run, const Tested &test) const;
    const QString &pathOf(const HistoryRun &run, const Tested &test) const;
    HistoryListedTests::Outcome outcomeOf(const HistoryRun &run, const Tested &test) const;
    // Numbers the tests of `keys` at the indexes `fresh` after `*last` (which it advances),
    // sets their ids and adds them to the tests table.
    bool insertFresh(const HistoryTestKeys &keys, QList<qsizetype> fresh, QList<qint64> *ids,
                     qint64 *last);
    // Begins the recording's transaction for prepareTests() and reads the stored tests.
    bool beginAhead();
    // Packed results of a run, in block order, and the results packed up to each block.
    struct Packed
    {
        QList<Block> blocks;
        QList<qsizetype> done;
        qsizetype count = 0;
    };
    // Packs the results of `tested` (sorted by id, one a test) from `from` on into `packed`,
    // up to the end or, when `keepLast`, up to the block of the last one, which may grow.
    size_t pack(const HistoryRun &run, const std::vector<Tested> &tested, size_t from, bool keepLast,
                Packed *packed) const;
    // Writes `blocks` of run `runId`, several rows a statement; `done` counts the results
    // written so far for `progress`.
    bool insertBlocks(qint64 runId, const QList<Block> &blocks, const QList<qsizetype> &done,
                      const Progress &progress);
    // The data step of the migration to `version`, after its statements.
    bool upgrade(int version);
    // Packs the results of the first schema, one row each, into blocks.
    bool packFirstSchemaResults();
    // Copies the tests into the table keyed by hash and puts it in place of the old one.
    bool keyTestsByHash();
    bool readResult(const HistoryResultBlock::Entry &entry, HistoryResult *result);
    // Every interned test: id, then document and path.
    std::optional<QHash<qint64, TestKey>> allTests();
    bool malformedBlock(qint64 runId);

    QString m_connection;
    QString m_display;

    // The tests handed to prepareTests() since the last recording, which the next one holds.
    QList<HistoryListedTests> m_listed;
    // The work prepareTests() did on them in the transaction it began, which recordRun() goes on
    // with.
    struct Ahead
    {
        bool open = false;    // the transaction is begun and `ids` read
        bool dropped = false; // given up until the next recording: recordRun() does the work
        HistoryKeyIndex ids; // key hash to test id, of every stored test
        qint64 stored = 0;         // the highest id before this transaction; later ids are new
        qint64 last = 0;           // the highest id given so far
        qint64 listedLast = 0;     // the highest id given to a listed test
        // The id of each listed test, batch after batch in the order of their paths.
        std::vector<qint64> listedIds;
        // The listed tests, each batch sorted by id, and whether they are all in id order with
        // no test twice (each batch's ids above the one before): their results are then packed
        // as they come, all but the last block, which the next batch may add to.
        std::vector<Tested> tested;
        bool ordered = true;
        size_t packedTo = 0; // tested[0, packedTo) are in `packed`
        Packed packed;
    };
    Ahead m_ahead;
};
