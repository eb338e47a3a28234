#include "history/sqlhistorystore.h"

#include "history/historytestkeys.h"

#include <QCoreApplication>
#include <QHash>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Attempts of one write transaction before giving up on a busy store.
constexpr int MaxAttempts = 60;
// Blocks of results inserted by one statement.
constexpr qsizetype BatchSize = 64;
const char *const OurTables[] = {"runs", "tests", "results", "result_blocks"};

// Text for a NOT NULL column: a null string is stored as an empty one.
QString nonNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

SqlHistoryStore::SqlHistoryStore(const QString &connection, const QString &display)
    : m_connection(connection), m_display(display)
{
}

SqlHistoryStore::~SqlHistoryStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase SqlHistoryStore::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool SqlHistoryStore::exec(const QString &sql)
{
    QSqlQuery query(database());
    if (query.exec(sql))
        return true;
    m_sqlError = query.lastError();
    m_error = QCoreApplication::translate("KorvatHistory", "History database %1: %2")
                  .arg(m_display, m_sqlError.text());
    return false;
}

bool SqlHistoryStore::exec(QSqlQuery &query)
{
    if (query.exec())
        return true;
    m_sqlError = query.lastError();
    m_error = QCoreApplication::translate("KorvatHistory", "History database %1: %2")
                  .arg(m_display, m_sqlError.text());
    return false;
}

void SqlHistoryStore::rollback()
{
    QSqlQuery query(database());
    query.exec(QStringLiteral("ROLLBACK"));
    // The listed tests stay for the recording, which does their work again itself.
    if (m_ahead.open) {
        m_ahead = Ahead();
        m_ahead.dropped = true;
    }
}

void SqlHistoryStore::backOff(int attempt)
{
    const int ceiling = std::min(200, 10 + attempt * 10);
    QThread::msleep(QRandomGenerator::global()->bounded(5, ceiling));
}

std::optional<int> SqlHistoryStore::checkedVersion()
{
    m_error.clear();
    const QStringList tables = database().tables();
    if (database().lastError().isValid()) {
        m_error = QCoreApplication::translate("KorvatHistory", "Cannot read the history database %1: %2")
                      .arg(m_display, database().lastError().text());
        return std::nullopt;
    }
    if (!tables.contains(QStringLiteral("schema_version"))) {
        for (const char *name : OurTables) {
            if (tables.contains(QLatin1String(name))) {
                m_error = QCoreApplication::translate(
                              "KorvatHistory", "%1 holds a table named %2 but is not a korvat history database")
                              .arg(m_display, QLatin1String(name));
                return std::nullopt;
            }
        }
        return 0;
    }
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT MAX(version) FROM schema_version"));
    if (!exec(query))
        return std::nullopt;
    const int version = query.next() ? query.value(0).toInt() : 0;
    if (version > CurrentSchemaVersion) {
        m_error = QCoreApplication::translate("KorvatHistory",
                                              "The history database %1 has schema version %2, newer than "
                                              "the version %3 this korvat knows: use a newer korvat")
                      .arg(m_display)
                      .arg(version)
                      .arg(CurrentSchemaVersion);
        return std::nullopt;
    }
    return version;
}

bool SqlHistoryStore::migrate(QString *error)
{
    std::optional<int> version = checkedVersion();
    if (version && *version == CurrentSchemaVersion)
        return true;
    for (int attempt = 0; version && attempt < MaxAttempts; ++attempt) {
        m_sqlError = QSqlError();
        if (!beginWrite(true)) {
            if (!isTransient(m_sqlError))
                break;
            backOff(attempt);
            continue;
        }
        // Another program may have created the schema while this one waited for the lock.
        version = checkedVersion();
        bool ok = version.has_value();
        for (int v = version.value_or(0) + 1; ok && v <= CurrentSchemaVersion; ++v) {
            for (const QString &statement : migration(v))
                ok = ok && exec(statement);
            ok = ok && upgrade(v);
        }
        if (ok && version && *version != CurrentSchemaVersion) {
            ok = exec(*version == 0 ? QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)")
                                          .arg(CurrentSchemaVersion)
                                    : QStringLiteral("UPDATE schema_version SET version = %1")
                                          .arg(CurrentSchemaVersion));
        }
        if (ok && exec(QStringLiteral("COMMIT")))
            return true;
        rollback();
        if (!version || !isTransient(m_sqlError))
            break;
        backOff(attempt);
    }
    *error = m_error;
    return false;
}

std::optional<qint64> SqlHistoryStore::recordRun(const HistoryRun &run, bool *created, const Progress &progress)
{
    // Every way out ends a transaction that prepareTests() began, and forgets the listed tests:
    // the next recording may store its tests ahead again.
    struct AheadEnd
    {
        SqlHistoryStore *store;
        ~AheadEnd()
        {
            if (store->m_ahead.open)
                store->rollback();
            store->m_ahead = Ahead();
            store->m_listed.clear();
        }
    } aheadEnd{this};
    m_error.clear();
    if (run.contentHash.isEmpty()) {
        m_error = QCoreApplication::translate("KorvatHistory", "A run cannot be recorded without its content hash");
        return std::nullopt;
    }
    // Without the work done ahead, the recording takes the listed tests as results of its own.
    std::optional<HistoryRun> combined;
    const auto whole = [&]() -> const HistoryRun & {
        if (m_listed.isEmpty())
            return run;
        if (!combined) {
            combined.emplace(run);
            combined->results = wholeResults(run);
            combined->supersededListings.clear();
        }
        return *combined;
    };
    // One result per test, the last given winning. Tests stored ahead are matched to the run
    // without them; they are made when the recording goes on without those tests.
    std::optional<HistoryTestKeys> keys;
    if (!m_ahead.open) {
        keys.emplace(whole().results);
        if (keys->hasCollision()) {
            collision();
            return std::nullopt;
        }
    }

    std::optional<QString> sha256;
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        qint64 id = 0;
        bool isNew = false;
        switch (tryRecord(run, whole, &keys, &id, &isNew, &sha256, progress)) {
        case Attempt::Done:
            if (created)
                *created = isNew;
            return id;
        case Attempt::Failed:
            return std::nullopt;
        case Attempt::Retry:
            backOff(attempt);
            break;
        }
    }
    m_error = QCoreApplication::translate("KorvatHistory",
                                          "The history database %1 stayed busy: the run was not recorded")
                  .arg(m_display);
    return std::nullopt;
}

QList<HistoryResult> SqlHistoryStore::wholeResults(const HistoryRun &run) const
{
    QList<HistoryResult> results;
    for (const HistoryListedTests &batch : m_listed) {
        if (run.supersededListings.contains(batch.listing))
            continue;
        for (qsizetype i = 0; i < batch.paths.size(); ++i) {
            const HistoryListedTests::Outcome &outcome = batch.outcomes[size_t(i)];
            HistoryResult &result = results.emplaceBack();
            result.document = batch.document;
            result.path = batch.paths.at(i);
            HistoryResult::fromCode(outcome.code, &result.verdict, &result.passedAfterRetry);
            result.durationMs = outcome.durationMs;
            result.fingerprint = outcome.fingerprint;
        }
    }
    return results + run.results;
}

std::optional<qint64> SqlHistoryStore::runWith(const QString &column, const QString &hash)
{
    QSqlQuery find(database());
    find.prepare(QStringLiteral("SELECT id FROM runs WHERE %1 = ?").arg(column));
    find.addBindValue(hash);
    if (!exec(find))
        return std::nullopt;
    return find.next() ? find.value(0).toLongLong() : 0;
}

std::optional<qint64> SqlHistoryStore::recordedRun(const HistoryRun &run, std::optional<QString> *sha256)
{
    const std::optional<qint64> found = runWith(QStringLiteral("content_key"), run.contentHash);
    if (!found || *found != 0 || !run.sha256)
        return found;
    // Runs recorded before the content hash have none: while there are such runs, they are
    // looked for by their SHA-256, which costs a second pass over the reports.
    QSqlQuery older(database());
    older.prepare(QStringLiteral("SELECT id FROM runs WHERE content_key IS NULL LIMIT 1"));
    if (!exec(older))
        return std::nullopt;
    if (!older.next())
        return 0;
    older.finish();
    if (!*sha256)
        *sha256 = run.sha256();
    if ((*sha256)->isEmpty())
        return 0;
    const std::optional<qint64> same = runWith(QStringLiteral("content_hash"), **sha256);
    if (!same || *same == 0)
        return same;
    // Found by the older hash: the next recording of this content finds it by the new one.
    QSqlQuery update(database());
    update.prepare(QStringLiteral("UPDATE runs SET content_key = ? WHERE id = ?"));
    update.addBindValue(run.contentHash);
    update.addBindValue(*same);
    if (!exec(update))
        return std::nullopt;
    return same;
}

bool SqlHistoryStore::collision()
{
    m_error = QCoreApplication::translate("KorvatHistory",
                                          "Two tests of this run have keys of one hash: the run was not recorded");
    return false;
}

SqlHistoryStore::Attempt SqlHistoryStore::tryRecord(const HistoryRun &run,
                                                    const std::function<const HistoryRun &()> &whole,
                                                    std::optional<HistoryTestKeys> *keys, qint64 *id, bool *created,
                                                    std::optional<QString> *sha256, const Progress &progress)
{
    const auto failed = [this]() {
        rollback();
        return isTransient(m_sqlError) ? Attempt::Retry : Attempt::Failed;
    };
    m_sqlError = QSqlError();
    if (!m_ahead.open && !beginWrite(false))
        return isTransient(m_sqlError) ? Attempt::Retry : Attempt::Failed;

    const std::optional<qint64> recorded = recordedRun(run, sha256);
    if (!recorded)
        return failed();
    if (*recorded != 0 && m_ahead.open) {
        // Tests stored ahead must not be kept with an older run: again without them.
        rollback();
        return Attempt::Retry;
    }
    if (*recorded != 0) {
        // The same content is already recorded: only a content hash given to an older run is kept.
        *id = *recorded;
        *created = false;
        return exec(QStringLiteral("COMMIT")) ? Attempt::Done : failed();
    }

    // Each test's id, sorted by id: tests stored ahead are found without a query, the others are
    // interned once the run is stored. When the listed tests are the whole run, in id order, their
    // results are packed already but for the last blocks.
    const bool ahead = m_ahead.open;
    const bool packedAhead = ahead && aheadIsWhole(run);
    std::vector<Tested> tested;
    QList<TestRow> fresh;
    if (ahead && !packedAhead && !matchAhead(run, &tested, &fresh)) {
        rollback();
        return Attempt::Failed;
    }
    const HistoryRun &given = ahead ? run : whole();
    if (!ahead && !*keys) {
        keys->emplace(given.results);
        if ((*keys)->hasCollision()) {
            collision();
            rollback();
            return Attempt::Failed;
        }
    }
    const qint64 count = packedAhead ? qint64(m_ahead.tested.size())
                         : ahead     ? qint64(tested.size())
                                     : qint64((*keys)->size());

    const QDateTime time = run.time.isValid() ? run.time : QDateTime::currentDateTimeUtc();
    QSqlQuery insert(database());
    insert.prepare(QStringLiteral("INSERT INTO runs (label, recorded_at, content_key, result_count) "
                                  "VALUES (?, ?, ?, ?) ON CONFLICT (content_key) DO NOTHING"));
    insert.addBindValue(nonNull(run.label));
    insert.addBindValue(time.toMSecsSinceEpoch());
    insert.addBindValue(run.contentHash);
    insert.addBindValue(count);
    if (!exec(insert))
        return failed();
    *created = insert.numRowsAffected() == 1;

    const std::optional<qint64> stored = runWith(QStringLiteral("content_key"), run.contentHash);
    if (!stored)
        return failed();
    if (*stored == 0) {
        m_error = QCoreApplication::translate("KorvatHistory", "History database %1: the new run was not stored")
                      .arg(m_display);
        rollback();
        return Attempt::Failed;
    }
    *id = *stored;
    if (!*created) {
        // The same content is already recorded: nothing of this attempt is kept.
        rollback();
        return Attempt::Done;
    }

    Packed packed;
    if (packedAhead) {
        packed = std::move(m_ahead.packed);
        pack(run, m_ahead.tested, m_ahead.packedTo, false, &packed);
    } else {
        const bool interned = ahead ? storeAfterAhead(tested, fresh) : internTests(given, **keys, &tested);
        if (!interned)
            return failed();
        pack(given, tested, 0, false, &packed);
    }
    if (!insertBlocks(*id, packed.blocks, packed.done, progress))
        return failed();
    if (!exec(QStringLiteral("COMMIT")))
        return failed();
    m_ahead = Ahead();
    return Attempt::Done;
}

void SqlHistoryStore::prepareTests(const HistoryListedTests &tests)
{
    if (tests.paths.isEmpty() || qsizetype(tests.outcomes.size()) != tests.paths.size())
        return;
    // The lists are kept, with each test's id, for recordRun(): they are the run's results.
    m_listed.append(tests);
    if (m_ahead.dropped)
        return;
    if (!m_ahead.open && !beginAhead()) {
        m_ahead.dropped = true;
        return;
    }
    const qint32 batchIndex = qint32(m_listed.size() - 1);
    const HistoryListedTests &batch = m_listed.constLast();
    // New tests are numbered in the order of their hashes within the batch: the table grows at
    // its end, and the index of hashes takes each batch in one sweep from its low end to its
    // high end instead of jumping about.
    std::vector<std::pair<qint64, qint32>> hashed;
    hashed.reserve(size_t(batch.paths.size()));
    for (qsizetype i = 0; i < batch.paths.size(); ++i)
        hashed.emplace_back(HistoryTestKeys::keyHash(batch.document, batch.paths.at(i)), qint32(i));
    std::sort(hashed.begin(), hashed.end());
    const size_t first = m_ahead.listedIds.size();
    m_ahead.listedIds.resize(first + size_t(batch.paths.size()));
    const size_t testedFrom = m_ahead.tested.size();
    QList<TestRow> rows;
    rows.reserve(batch.paths.size());
    for (const auto &[hash, i] : hashed) {
        const qint64 id = m_ahead.ids.findOrInsert(hash, m_ahead.last + 1);
        m_ahead.listedIds[first + size_t(i)] = id;
        if (m_ahead.ordered)
            m_ahead.tested.push_back({id, batchIndex, i});
        if (id <= m_ahead.last)
            continue;
        m_ahead.last = id;
        rows.append({id, hash, &batch.document, &batch.paths.at(i)});
    }
    m_ahead.listedLast = m_ahead.last;
    if (m_ahead.ordered) {
        // The batch's results in id order, then packed but for the last block while every batch
        // comes after the one before with no test twice.
        const auto from = m_ahead.tested.begin() + std::ptrdiff_t(testedFrom);
        std::sort(from, m_ahead.tested.end(),
                  [](const Tested &a, const Tested &b) { return a.id < b.id || (a.id == b.id && a.index < b.index); });
        const bool after = testedFrom == 0 || from->id > m_ahead.tested[testedFrom - 1].id;
        const bool once = std::adjacent_find(from, m_ahead.tested.end(), [](const Tested &a, const Tested &b) {
                              return a.id == b.id;
                          }) == m_ahead.tested.end();
        if (after && once) {
            m_ahead.packedTo = pack(HistoryRun(), m_ahead.tested, m_ahead.packedTo, true, &m_ahead.packed);
        } else {
            m_ahead.ordered = false;
            m_ahead.tested = {};
            m_ahead.packed = Packed();
            m_ahead.packedTo = 0;
        }
    }
    if (!insertTests(QStringLiteral("tests"), rows))
        rollback();
}

bool SqlHistoryStore::beginAhead()
{
    m_sqlError = QSqlError();
    // A busy store is not waited for again here: recordRun() retries as it always does.
    if (!beginWrite(false))
        return false;
    m_ahead.open = true;
    if (!lockTests()) {
        rollback();
        return false;
    }
    QSqlQuery all(database());
    all.setForwardOnly(true);
    all.prepare(QStringLiteral("SELECT id, key_hash FROM tests"));
    if (!exec(all)) {
        rollback();
        return false;
    }
    while (all.next()) {
        const qint64 id = all.value(0).toLongLong();
        m_ahead.stored = std::max(m_ahead.stored, id);
        m_ahead.ids.findOrInsert(all.value(1).toLongLong(), id);
    }
    m_ahead.last = m_ahead.stored;
    return true;
}

bool SqlHistoryStore::aheadIsWhole(const HistoryRun &run) const
{
    if (!m_ahead.ordered || !run.results.isEmpty())
        return false;
    return std::none_of(m_listed.cbegin(), m_listed.cend(), [&run](const HistoryListedTests &batch) {
        return run.supersededListings.contains(batch.listing);
    });
}

bool SqlHistoryStore::matchAhead(const HistoryRun &run, std::vector<Tested> *tested, QList<TestRow> *fresh)
{
    // The listed tests have their ids; the run's own results are found by their key's hash, or
    // numbered as new tests. The results of superseded listings are left out.
    tested->clear();
    tested->reserve(m_ahead.listedIds.size() + size_t(run.results.size()));
    size_t listed = 0;
    for (qsizetype b = 0; b < m_listed.size(); ++b) {
        const HistoryListedTests &batch = m_listed.at(b);
        const bool superseded = run.supersededListings.contains(batch.listing);
        for (qsizetype i = 0; i < batch.paths.size(); ++i, ++listed) {
            if (!superseded)
                tested->push_back({m_ahead.listedIds[listed], qint32(b), qint32(i)});
        }
    }
    for (qsizetype i = 0; i < run.results.size(); ++i) {
        const HistoryResult &result = run.results.at(i);
        const qint64 hash = HistoryTestKeys::keyHash(result.document, result.path);
        const qint64 id = m_ahead.ids.findOrInsert(hash, m_ahead.last + 1);
        if (id > m_ahead.last) {
            m_ahead.last = id;
            fresh->append({id, hash, &result.document, &result.path});
        }
        tested->push_back({id, -1, qint32(i)});
    }
    return sortTested(run, tested);
}

bool SqlHistoryStore::sortTested(const HistoryRun &run, std::vector<Tested> *tested)
{
    // Stable: of several results of one test the last given wins; two different keys of one id
    // are two keys of one hash, which cannot be stored.
    std::stable_sort(tested->begin(), tested->end(), [](const Tested &a, const Tested &b) { return a.id < b.id; });
    size_t kept = 0;
    for (const Tested &next : *tested) {
        if (kept > 0 && (*tested)[kept - 1].id == next.id) {
            const Tested &before = (*tested)[kept - 1];
            if (documentOf(run, before) != documentOf(run, next) || pathOf(run, before) != pathOf(run, next))
                return collision();
            (*tested)[kept - 1] = next;
            continue;
        }
        (*tested)[kept++] = next;
    }
    tested->resize(kept);
    return true;
}

const QString &SqlHistoryStore::documentOf(const HistoryRun &run, const Tested &test) const
{
    return test.batch < 0 ? run.results.at(test.index).document : m_listed.at(test.batch).document;
}

const QString &SqlHistoryStore::pathOf(const HistoryRun &run, const Tested &test) const
{
    return test.batch < 0 ? run.results.at(test.index).path : m_listed.at(test.batch).paths.at(test.index);
}

HistoryListedTests::Outcome SqlHistoryStore::outcomeOf(const HistoryRun &run, const Tested &test) const
{
    return test.batch < 0 ? HistoryListedTests::outcomeOf(run.results.at(test.index))
                          : m_listed.at(test.batch).outcomes[size_t(test.index)];
}

bool SqlHistoryStore::storeAfterAhead(const std::vector<Tested> &tested, const QList<TestRow> &fresh)
{
    if (!insertTests(QStringLiteral("tests"), fresh))
        return false;
    // Tests listed while reading that the run does not hold (a document renamed once read)
    // leave no row behind.
    std::vector<bool> used(size_t(m_ahead.listedLast - m_ahead.stored), false);
    for (const Tested &test : tested) {
        if (test.id > m_ahead.stored && test.id <= m_ahead.listedLast)
            used[size_t(test.id - m_ahead.stored - 1)] = true;
    }
    QSqlQuery remove(database());
    bool prepared = false;
    for (size_t i = 0; i < used.size(); ++i) {
        if (used[i])
            continue;
        if (!prepared)
            prepared = remove.prepare(QStringLiteral("DELETE FROM tests WHERE id = ?"));
        remove.bindValue(0, m_ahead.stored + 1 + qint64(i));
        if (!exec(remove))
            return false;
    }
    return true;
}

bool SqlHistoryStore::internTests(const HistoryRun &run, const HistoryTestKeys &keys, std::vector<Tested> *tested)
{
    // Nobody else adds tests until this transaction ends, so the tests read now are all there
    // are, and new ones can be numbered here instead of being read back. Stored tests are
    // matched by the hash of their key: only two integers a test are read.
    if (!lockTests())
        return false;
    QList<qint64> ids(keys.size(), 0);
    QSqlQuery all(database());
    all.setForwardOnly(true);
    all.prepare(QStringLiteral("SELECT id, key_hash FROM tests"));
    if (!exec(all))
        return false;
    qint64 last = 0;
    while (all.next()) {
        const qint64 id = all.value(0).toLongLong();
        last = std::max(last, id);
        const qsizetype index = keys.indexOf(all.value(1).toLongLong());
        if (index >= 0)
            ids[index] = id;
    }
    all.finish();

    QList<qsizetype> fresh;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (ids.at(i) == 0)
            fresh.append(i);
    }
    if (!insertFresh(keys, std::move(fresh), &ids, &last))
        return false;
    tested->clear();
    tested->reserve(size_t(keys.size()));
    for (qsizetype i = 0; i < keys.size(); ++i)
        tested->push_back({ids.at(i), -1, qint32(keys.results().at(i) - run.results.constData())});
    return sortTested(run, tested);
}

bool SqlHistoryStore::insertFresh(const HistoryTestKeys &keys, QList<qsizetype> fresh,
                                  QList<qint64> *ids, qint64 *last)
{
    // New tests are numbered in the order of their hashes, so that both the table (by id) and
    // the index of hashes grow at their ends instead of at random places.
    std::sort(fresh.begin(), fresh.end(),
              [&keys](qsizetype a, qsizetype b) { return keys.hashes().at(a) < keys.hashes().at(b); });
    QList<TestRow> missing;
    missing.reserve(fresh.size());
    for (const qsizetype i : fresh) {
        (*ids)[i] = ++*last;
        const HistoryResult *result = keys.results().at(i);
        missing.append({*last, keys.hashes().at(i), &result->document, &result->path});
    }
    return insertTests(QStringLiteral("tests"), missing);
}

size_t SqlHistoryStore::pack(const HistoryRun &run, const std::vector<Tested> &tested, size_t from, bool keepLast,
                             Packed *packed) const
{
    // In test id order, cut into blocks of consecutive ids.
    size_t to = tested.size();
    if (keepLast) {
        const qint64 lastBlock = to > from ? tested.back().id / HistoryResultBlock::Size : -1;
        while (to > from && tested[to - 1].id / HistoryResultBlock::Size == lastBlock)
            --to;
    }
    QList<HistoryResultBlock::Entry> entries;
    qint64 current = -1;
    const auto flush = [&]() {
        if (entries.isEmpty())
            return;
        packed->blocks.append({int(current), HistoryResultBlock::pack(entries)});
        packed->done.append(packed->count);
        entries.clear();
    };
    for (size_t i = from; i < to; ++i) {
        const Tested &test = tested[i];
        const qint64 block = test.id / HistoryResultBlock::Size;
        if (block != current)
            flush();
        current = block;
        const HistoryListedTests::Outcome outcome = outcomeOf(run, test);
        HistoryResultBlock::Entry entry;
        entry.slot = int(test.id % HistoryResultBlock::Size);
        entry.code = outcome.code;
        entry.durationMs = outcome.durationMs;
        entry.fingerprint = outcome.fingerprint;
        entries.append(entry);
        ++packed->count;
    }
    flush();
    return to;
}

bool SqlHistoryStore::insertBlocks(qint64 runId, const QList<Block> &blocks, const QList<qsizetype> &done,
                                   const Progress &progress)
{
    const auto statement = [](qsizetype rows) {
        QString sql = QStringLiteral("INSERT INTO result_blocks (run_id, block, packed) VALUES ");
        for (qsizetype i = 0; i < rows; ++i)
            sql += i ? QStringLiteral(", (?, ?, ?)") : QStringLiteral("(?, ?, ?)");
        return sql;
    };
    QSqlQuery full(database());
    full.prepare(statement(BatchSize));
    for (qsizetype first = 0; first < blocks.size(); first += BatchSize) {
        const qsizetype rows = std::min<qsizetype>(BatchSize, blocks.size() - first);
        QSqlQuery partial(database());
        QSqlQuery &query = rows == BatchSize ? full : partial;
        if (rows != BatchSize)
            partial.prepare(statement(rows));
        for (qsizetype i = 0; i < rows; ++i) {
            const Block &block = blocks.at(first + i);
            query.bindValue(int(i) * 3, runId);
            query.bindValue(int(i) * 3 + 1, block.first);
            query.bindValue(int(i) * 3 + 2, block.second);
        }
        if (!exec(query))
            return false;
        if (progress)
            progress(done.at(first + rows - 1));
    }
    return true;
}

bool SqlHistoryStore::upgrade(int version)
{
    if (version == 2)
        return packFirstSchemaResults() && exec(QStringLiteral("DROP TABLE results"));
    if (version == 3)
        return keyTestsByHash();
    return true;
}

bool SqlHistoryStore::keyTestsByHash()
{
    const std::optional<QHash<qint64, TestKey>> tests = allTests();
    if (!tests)
        return false;
    QList<TestRow> rows;
    rows.reserve(tests->size());
    for (auto test = tests->cbegin(); test != tests->cend(); ++test) {
        rows.append({test.key(), HistoryTestKeys::keyHash(test->first, test->second), &test->first,
                     &test->second});
    }
    // The unique index refuses two stored keys of one hash: the migration then fails whole.
    return insertTests(QStringLiteral("tests_keyed"), rows) && exec(QStringLiteral("DROP TABLE tests"))
           && exec(QStringLiteral("ALTER TABLE tests_keyed RENAME TO tests"))
           && exec(QStringLiteral("CREATE UNIQUE INDEX tests_by_key_hash ON tests (key_hash)"));
}

bool SqlHistoryStore::packFirstSchemaResults()
{
    QSqlQuery old(database());
    old.setForwardOnly(true);
    old.prepare(QStringLiteral("SELECT run_id, test_id, verdict, duration_ms, fingerprint FROM results "
                               "ORDER BY run_id, test_id"));
    if (!exec(old))
        return false;
    // Rows are collected per run, then written once the run's last row is read.
    QList<std::pair<qint64, QList<Block>>> runs;
    QList<HistoryResultBlock::Entry> entries;
    qint64 run = -1;
    qint64 block = -1;
    const auto flush = [&]() {
        if (!entries.isEmpty())
            runs.last().second.append({int(block), HistoryResultBlock::pack(entries)});
        entries.clear();
    };
    while (old.next()) {
        const qint64 runId = old.value(0).toLongLong();
        const qint64 testId = old.value(1).toLongLong();
        if (runId != run || testId / HistoryResultBlock::Size != block)
            flush();
        if (runId != run)
            runs.emplaceBack(runId, QList<Block>());
        run = runId;
        block = testId / HistoryResultBlock::Size;
        HistoryResultBlock::Entry entry;
        entry.slot = int(testId % HistoryResultBlock::Size);
        entry.code = old.value(2).toInt();
        if (!old.value(3).isNull())
            entry.durationMs = old.value(3).toLongLong();
        entry.fingerprint = old.value(4).toLongLong();
        HistoryResult checked;
        if (testId < 0 || !readResult(entry, &checked))
            return false;
        entries.append(entry);
    }
    flush();
    old.finish();
    for (const auto &[runId, blocks] : runs) {
        QList<qsizetype> done(blocks.size(), 0);
        if (!insertBlocks(runId, blocks, done, Progress()))
            return false;
    }
    return exec(QStringLiteral("UPDATE runs SET result_count = "
                               "(SELECT COUNT(*) FROM results WHERE results.run_id = runs.id)"));
}

std::optional<QList<HistoryRun>> SqlHistoryStore::runs(int last)
{
    m_error.clear();
    QSqlQuery query(database());
    query.setForwardOnly(true);
    QString sql =
        QStringLiteral("SELECT id, label, recorded_at, COALESCE(content_key, content_hash) FROM runs ORDER BY id DESC");
    if (last > 0)
        sql += QStringLiteral(" LIMIT %1").arg(last);
    query.prepare(sql);
    if (!exec(query))
        return std::nullopt;
    QList<HistoryRun> list;
    while (query.next()) {
        HistoryRun run;
        run.id = query.value(0).toLongLong();
        run.label = query.value(1).toString();
        run.time = QDateTime::fromMSecsSinceEpoch(query.value(2).toLongLong(), Qt::UTC);
        run.contentHash = query.value(3).toString();
        list.prepend(run);
    }
    return list;
}

bool SqlHistoryStore::readResult(const HistoryResultBlock::Entry &entry, HistoryResult *result)
{
    if (!HistoryResult::fromCode(entry.code, &result->verdict, &result->passedAfterRetry)) {
        m_error = QCoreApplication::translate("KorvatHistory", "History database %1 holds an unknown verdict %2")
                      .arg(m_display)
                      .arg(entry.code);
        return false;
    }
    result->durationMs = entry.durationMs;
    result->fingerprint = entry.fingerprint;
    return true;
}

bool SqlHistoryStore::malformedBlock(qint64 runId)
{
    m_error = QCoreApplication::translate("KorvatHistory", "History database %1: the results of run %2 are damaged")
                  .arg(m_display)
                  .arg(runId);
    return false;
}

std::optional<QHash<qint64, SqlHistoryStore::TestKey>> SqlHistoryStore::allTests()
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, document, path FROM tests"));
    if (!exec(query))
        return std::nullopt;
    QHash<qint64, TestKey> tests;
    while (query.next())
        tests.insert(query.value(0).toLongLong(), {query.value(1).toString(), query.value(2).toString()});
    return tests;
}

std::optional<QList<HistoryResult>> SqlHistoryStore::results(qint64 runId)
{
    m_error.clear();
    QSqlQuery exists(database());
    exists.prepare(QStringLiteral("SELECT id FROM runs WHERE id = ?"));
    exists.addBindValue(runId);
    if (!exec(exists))
        return std::nullopt;
    if (!exists.next()) {
        m_error = QCoreApplication::translate("KorvatHistory", "No run %1 is recorded in %2").arg(runId).arg(m_display);
        return std::nullopt;
    }
    const std::optional<QHash<qint64, TestKey>> tests = allTests();
    if (!tests)
        return std::nullopt;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT block, packed FROM result_blocks WHERE run_id = ?"));
    query.addBindValue(runId);
    if (!exec(query))
        return std::nullopt;
    QList<HistoryResult> list;
    while (query.next()) {
        const qint64 first = query.value(0).toLongLong() * HistoryResultBlock::Size;
        const auto entries = HistoryResultBlock::unpack(query.value(1).toByteArray());
        if (!entries) {
            malformedBlock(runId);
            return std::nullopt;
        }
        for (const HistoryResultBlock::Entry &entry : *entries) {
            const auto test = tests->constFind(first + entry.slot);
            if (test == tests->constEnd())
                continue;
            HistoryResult result;
            result.document = test->first;
            result.path = test->second;
            if (!readResult(entry, &result))
                return std::nullopt;
            list.append(result);
        }
    }
    std::sort(list.begin(), list.end(),
              [](const HistoryResult &a, const HistoryResult &b) { return a.key() < b.key(); });
    return list;
}

std::optional<QList<HistoryRun>> SqlHistoryStore::recentRuns(int last, const QString &prefix)
{
    std::optional<QList<HistoryRun>> window = runs(last);
    if (!window || window->isEmpty())
        return window;
    const qint64 firstRun = window->constFirst().id;
    QHash<qint64, qsizetype> runSlot;
    for (qsizetype i = 0; i < window->size(); ++i)
        runSlot.insert(window->at(i).id, i);

    QSqlQuery tests(database());
    tests.setForwardOnly(true);
    tests.prepare(QStringLiteral("SELECT id, document, path FROM tests"));
    if (!exec(tests))
        return std::nullopt;
    QList<HistoryResult> wanted;
    QHash<qint64, qsizetype> testSlot;
    while (tests.next()) {
        HistoryResult result;
        result.document = tests.value(1).toString();
        result.path = tests.value(2).toString();
        if (!result.key().startsWith(prefix))
            continue;
        testSlot.insert(tests.value(0).toLongLong(), wanted.size());
        wanted.append(result);
    }
    for (HistoryRun &run : *window)
        run.results.reserve(wanted.size());

    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT run_id, block, packed FROM result_blocks WHERE run_id >= ?"));
    query.addBindValue(firstRun);
    if (!exec(query))
        return std::nullopt;
    while (query.next()) {
        const qint64 runId = query.value(0).toLongLong();
        const auto run = runSlot.constFind(runId);
        if (run == runSlot.constEnd())
            continue;
        const qint64 first = query.value(1).toLongLong() * HistoryResultBlock::Size;
        const auto entries = HistoryResultBlock::unpack(query.value(2).toByteArray());
        if (!entries) {
            malformedBlock(runId);
            return std::nullopt;
        }
        for (const HistoryResultBlock::Entry &entry : *entries) {
            const auto test = testSlot.constFind(first + entry.slot);
            if (test == testSlot.constEnd())
                continue;
            HistoryResult result = wanted.at(*test);
            if (!readResult(entry, &result))
                return std::nullopt;
            (*window)[*run].results.append(std::move(result));
        }
    }
    return window;
}

std::optional<QList<HistoryRun>> SqlHistoryStore::testHistory(const QString &document, const QString &path, int last)
{
    std::optional<QList<HistoryRun>> window = runs(last);
    if (!window || window->isEmpty())
        return window;
    QSqlQuery test(database());
    // The hash finds the test through its index; the key's text rules out another key of that hash.
    test.prepare(QStringLiteral("SELECT id FROM tests WHERE key_hash = ? AND document = ? AND path = ?"));
    test.addBindValue(HistoryTestKeys::keyHash(document, path));
    test.addBindValue(nonNull(document));
    test.addBindValue(nonNull(path));
    if (!exec(test))
        return std::nullopt;
    if (!test.next())
        return window;
    const qint64 testId = test.value(0).toLongLong();

    QHash<qint64, qsizetype> runIndex;
    for (qsizetype i = 0; i < window->size(); ++i)
        runIndex.insert(window->at(i).id, i);
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT run_id, packed FROM result_blocks WHERE block = ? AND run_id >= ?"));
    query.addBindValue(testId / HistoryResultBlock::Size);
    query.addBindValue(window->constFirst().id);
    if (!exec(query))
        return std::nullopt;
    while (query.next()) {
        const qint64 runId = query.value(0).toLongLong();
        const auto run = runIndex.constFind(runId);
        if (run == runIndex.constEnd())
            continue;
        bool malformed = false;
        const auto entry = HistoryResultBlock::find(query.value(1).toByteArray(),
                                                    int(testId % HistoryResultBlock::Size), &malformed);
        if (malformed) {
            malformedBlock(runId);
            return std::nullopt;
        }
        if (!entry)
            continue;
        HistoryResult result;
        result.document = document;
        result.path = path;
        if (!readResult(*entry, &result))
            return std::nullopt;
        (*window)[*run].results.append(result);
    }
    return window;
}

std::optional<int> SqlHistoryStore::schemaVersion()
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT MAX(version) FROM schema_version"));
    if (!exec(query) || !query.next())
        return std::nullopt;
    return query.value(0).toInt();
}
