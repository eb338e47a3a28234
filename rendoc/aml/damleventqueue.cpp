#include "rendoc/aml/damleventqueue.h"

#include <algorithm>
#include <utility>

void DAmlEventQueue::Block::grow(size_t needed)
{
    const size_t capacity = std::max(needed, m_capacity + m_capacity / 2);
    std::unique_ptr<char[]> data(new char[capacity]);
    if (m_size)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

template <typename Ready>
void DAmlEventQueue::workWhileWaiting(std::unique_lock<std::mutex>& lock, Ready ready, const IdleWork& idle)
{
    while (idle && !ready()) {
        lock.unlock();
        const bool more = idle();
        lock.lock();
        if (!more)
            break;
    }
}

DAmlEventQueue::DAmlEventQueue(int depth)
    : m_depth(size_t(depth > 0 ? depth : 1))
{
}

bool DAmlEventQueue::push(Block& block, const IdleWork& idle)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto ready = [this] { return m_canceled || m_waiting.size() < m_depth; };
    workWhileWaiting(lock, ready, idle);
    m_changed.wait(lock, ready);
    if (m_canceled)
        return false;
    m_waiting.push_back(std::move(block));
    block = Block();
    if (!m_spare.empty()) {
        std::swap(block, m_spare.back());
        m_spare.pop_back();
    }
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void DAmlEventQueue::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

bool DAmlEventQueue::pop(Block& block, const IdleWork& idle)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (block.capacity() > 0 && block.capacity() <= MaxKeptCapacity) {
        block.clear();
        m_spare.push_back(std::move(block));
    }
    block = Block();
    const auto ready = [this] { return m_finished || !m_waiting.empty(); };
    workWhileWaiting(lock, ready, idle);
    m_changed.wait(lock, ready);
    if (m_waiting.empty())
        return false;
    block = std::move(m_waiting.front());
    m_waiting.pop_front();
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void DAmlEventQueue::cancel()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_canceled = true;
        m_waiting.clear();
    }
    m_changed.notify_all();
}
