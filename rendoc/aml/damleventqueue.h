#pragma once

#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// Hands blocks of recorded parser events from the thread that parses to the thread that
// handles them, in order. At most `depth` blocks wait at a time, so the parser runs at most
// that far ahead of the handler and the memory in flight stays bounded. The handling side may
// cancel at any time (the handler refused an event): the parsing side's next push() fails and
// it stops. Handled blocks come back to the parsing side empty, with their capacity, so a long
// read allocates a few blocks in all.
class DAmlEventQueue
{
public:
    // Bytes of recorded events: grows by whole records, written through pointers, never
    // zero-filled.
    class Block
    {
    public:
        size_t size() const { return m_size; }
        size_t capacity() const { return m_capacity; }
        const char* data() const { return m_data.get(); }
        char* data() { return m_data.get(); }
        // Makes room for `bytes` more and returns where they go.
        char* append(size_t bytes)
        {
            if (m_size + bytes > m_capacity)
                grow(m_size + bytes);
            char* at = m_data.get() + m_size;
            m_size += bytes;
            return at;
        }
        void append(const void* bytes, size_t size) { std::memcpy(append(size), bytes, size); }
        void resize(size_t size) { m_size = size; } // only ever shrinks
        void clear() { m_size = 0; }
        void reserve(size_t bytes)
        {
            if (bytes > m_capacity)
                grow(bytes);
        }

    private:
        void grow(size_t needed);

        std::unique_ptr<char[]> m_data;
        size_t m_size = 0;
        size_t m_capacity = 0;
    };

    explicit DAmlEventQueue(int depth);
    DAmlEventQueue(const DAmlEventQueue&) = delete;
    DAmlEventQueue& operator=(const DAmlEventQueue&) = delete;

    // Work a side does instead of sleeping while it would wait (a step at a time; false once
    // there is none left), so that whichever thread runs ahead takes it up.
    using IdleWork = std::function<bool()>;

    // Parsing side: queues `block` (waiting while `depth` blocks wait) and leaves an empty one
    // in its place. False once the queue was cancelled; `block` is then left as it was.
    bool push(Block& block, const IdleWork& idle = {});
    // Parsing side: no more blocks come.
    void finish();

    // Handling side: gives back `block` (the one handled last) and waits for the next one.
    // False once the parsing side finished and every block was taken.
    bool pop(Block& block, const IdleWork& idle = {});
    // Handling side: wants no more blocks; a waiting push() returns false.
    void cancel();

private:
    // Runs `idle` a step at a time, the lock released, until `ready` or the work runs out.
    template <typename Ready>
    static void workWhileWaiting(std::unique_lock<std::mutex>& lock, Ready ready, const IdleWork& idle);

    // Blocks grown past this by a huge record are not kept for reuse.
    static constexpr size_t MaxKeptCapacity = size_t(4) << 20;

    const size_t m_depth;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block> m_waiting;
    std::vector<Block> m_spare;
    bool m_finished = false;
    bool m_canceled = false;
};
