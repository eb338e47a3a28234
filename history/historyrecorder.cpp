#include "history/historyrecorder.h"

#include "history/historystore.h"

#include <memory>
#include <utility>

HistoryRecorder::HistoryRecorder(const QString &url)
    : m_thread([this, url]() { work(url); })
{
}

HistoryRecorder::~HistoryRecorder()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void HistoryRecorder::prepareTests(HistoryListedTests tests)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this]() { return m_batches.size() < size_t(MaxWaitingBatches) || m_stop; });
    m_batches.push_back(std::move(tests));
    lock.unlock();
    m_changed.notify_all();
}

HistoryRecorder::Outcome HistoryRecorder::record(HistoryRun run)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_run = std::move(run);
    m_changed.notify_all();
    m_changed.wait(lock, [this]() { return m_outcome.has_value(); });
    return *m_outcome;
}

void HistoryRecorder::work(const QString &url)
{
    // The store is opened, used and closed on this thread alone, as a store must be.
    QString error;
    std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this]() { return !m_batches.empty() || m_run || m_stop; });
        if (!m_batches.empty()) {
            const HistoryListedTests batch = std::move(m_batches.front());
            m_batches.pop_front();
            lock.unlock();
            m_changed.notify_all();
            if (store)
                store->prepareTests(batch);
            lock.lock();
            continue;
        }
        if (m_stop)
            return;
        // The run comes after every batch handed over before it.
        const HistoryRun run = std::move(*m_run);
        m_run.reset();
        lock.unlock();
        Outcome outcome;
        if (store) {
            outcome.id = store->recordRun(run, &outcome.created);
            if (!outcome.id)
                outcome.error = store->errorString();
        } else {
            outcome.error = error;
        }
        lock.lock();
        m_outcome = std::move(outcome);
        m_changed.notify_all();
    }
}
