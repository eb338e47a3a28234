#pragma once

#include "history/historylistedtests.h"
#include "history/historyrun.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The results store: recorded runs and their results, in SQLite or PostgreSQL alike. Every call
// that can fail returns nothing (or false) and leaves a translated message in errorString().
// A store is one database connection: use it from the thread that opened it.
class HistoryStore
{
public:
    // The schema version this code writes; a store with a newer one is refused.
    static constexpr int CurrentSchemaVersion = 4;

    // Called after each batch of results is written while recording, with the number written.
    using Progress = std::function<void(qsizetype written)>;

    virtual ~HistoryStore() = default;
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // Opens the store at `url` (see HistoryStoreUrl; empty for the default SQLite file),
    // creating or migrating its schema. Null, with `error` set, when it cannot be used.
    static std::unique_ptr<HistoryStore> open(const QString &url, QString *error);

    // Records `run` (with the tests handed to prepareTests() since the last recording) in one
    // transaction and returns its id. A run whose content hash is already
    // recorded is not recorded again: the existing run's id is returned and `created` is false.
    // While the store holds runs recorded with a SHA-256 content hash alone, run.sha256 is asked
    // for to find them; a run found so gets the content hash too.
    virtual std::optional<qint64> recordRun(const HistoryRun &run, bool *created = nullptr,
                                            const Progress &progress = Progress()) = 0;

    // Stores tests that the next recordRun() will hold, with their results, while their reports
    // are still being read, so that the recording finds them stored and their results packed.
    // The first call begins that recording's transaction, which holds the writer's lock until
    // recordRun() ends it: call recordRun() soon after. The run holds these results besides its
    // own (which win for a test given in both), except those of the listings it supersedes.
    // Best effort: when the store is busy or a statement fails, the tests are kept but nothing
    // of the work stays, and recordRun() does it.
    virtual void prepareTests(const HistoryListedTests &tests);

    // The last `last` runs (all when `last` <= 0), oldest first, without their results.
    virtual std::optional<QList<HistoryRun>> runs(int last) = 0;

    // The results of the run with `runId`, sorted by key.
    virtual std::optional<QList<HistoryResult>> results(qint64 runId) = 0;

    // The last `last` runs, oldest first, each with the results of the tests whose key starts
    // with `prefix`.
    virtual std::optional<QList<HistoryRun>> recentRuns(int last, const QString &prefix = QString()) = 0;

    // One test over the last `last` runs, oldest first: each run holds that test's result, or
    // no result when the test was absent from it.
    virtual std::optional<QList<HistoryRun>> testHistory(const QString &document, const QString &path,
                                                         int last) = 0;

    // The schema version recorded in the store.
    virtual std::optional<int> schemaVersion() = 0;

    QString errorString() const { return m_error; }

protected:
    HistoryStore() = default;
    QString m_error;
};
