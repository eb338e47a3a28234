#pragma once

#include "history/historylistedtests.h"
#include "history/historyrun.h"

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

// Records one run into a store that lives on a thread of its own, so that the store's work
// overlaps the reading of the reports: the reader hands over the tests with their results as it
// lists them (HistoryStore::prepareTests), then the run itself, which holds what was not listed. The queue between the two is bounded:
// the reader waits while the store is that far behind. Destroyed before record(), nothing is
// recorded.
class HistoryRecorder
{
public:
    // The store's answer to record().
    struct Outcome
    {
        std::optional<qint64> id; // none when the run was not recorded
        bool created = false;     // false: the same content was recorded before, as run `id`
        QString error;            // why not, translated
    };

    // Opens the store at `url` (HistoryStore::open) on the recorder's thread.
    explicit HistoryRecorder(const QString &url);
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder &) = delete;
    HistoryRecorder &operator=(const HistoryRecorder &) = delete;

    // Tests of the run with their results, in batches as they are listed.
    void prepareTests(HistoryListedTests tests);
    // Records `run` and waits for the store's answer. Called once.
    Outcome record(HistoryRun run);

    // Batches waiting at most before prepareTests() waits.
    static constexpr int MaxWaitingBatches = 16;

private:
    void work(const QString &url);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<HistoryListedTests> m_batches;
    std::optional<HistoryRun> m_run;
    std::optional<Outcome> m_outcome;
    bool m_stop = false;
    std::thread m_thread;
};
