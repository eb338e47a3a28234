#pragma once

#include <QtGlobal>

#include <vector>

// A table from a test's key hash (HistoryTestKeys::keyHash) to a number that is never negative:
// a test id or a position in a list. Open addressing with linear probing in one flat array, since
// the hashes are already well mixed: a recording looks up every test of a large run here, and
// one slot a test in one array costs a fraction of a node-based table's cache misses.
class HistoryKeyIndex
{
public:
    HistoryKeyIndex() = default;

    // Makes room for `count` entries without growing on the way.
    void reserve(qsizetype count);
    qsizetype size() const { return m_size; }

    // The value stored for `hash`, or `absent` when there is none.
    qint64 value(qint64 hash, qint64 absent = -1) const;
    // The value stored for `hash`; when there is none, stores `value` (>= 0) and returns it.
    qint64 findOrInsert(qint64 hash, qint64 value);

private:
    struct Slot
    {
        qint64 hash = 0;
        qint64 value = -1; // -1: the slot is free
    };

    size_t slotOf(qint64 hash) const;
    void rehash(size_t capacity);

    std::vector<Slot> m_slots; // a power of two in size, at most three quarters used
    qsizetype m_size = 0;
    int m_shift = 64;
};
