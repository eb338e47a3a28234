#include "history/historykeyindex.h"

namespace {

// Slots a table starts with: small runs do not allocate much.
constexpr size_t MinimumSlots = 16;

// Slots needed for `entries` at three quarters full at most.
size_t slotsFor(qsizetype entries)
{
    size_t capacity = MinimumSlots;
    while (capacity / 4 * 3 < size_t(entries))
        capacity *= 2;
    return capacity;
}

int log2Of(size_t powerOfTwo)
{
    int bits = 0;
    while ((size_t(1) << bits) < powerOfTwo)
        ++bits;
    return bits;
}

} // namespace

void HistoryKeyIndex::reserve(qsizetype count)
{
    const size_t wanted = slotsFor(count);
    if (wanted > m_slots.size())
        rehash(wanted);
}

size_t HistoryKeyIndex::slotOf(qint64 hash) const
{
    // Fibonacci hashing: the top bits of the product, so that hashes that differ only in their
    // high bits still spread.
    return size_t((quint64(hash) * 0x9e3779b97f4a7c15ULL) >> m_shift);
}

qint64 HistoryKeyIndex::value(qint64 hash, qint64 absent) const
{
    if (m_slots.empty())
        return absent;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = slotOf(hash);; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (slot.value < 0)
            return absent;
        if (slot.hash == hash)
            return slot.value;
    }
}

qint64 HistoryKeyIndex::findOrInsert(qint64 hash, qint64 value)
{
    Q_ASSERT(value >= 0);
    if (size_t(m_size + 1) > m_slots.size() / 4 * 3)
        rehash(slotsFor(m_size + 1));
    const size_t mask = m_slots.size() - 1;
    for (size_t i = slotOf(hash);; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (slot.value < 0) {
            slot.hash = hash;
            slot.value = value;
            ++m_size;
            return value;
        }
        if (slot.hash == hash)
            return slot.value;
    }
}

void HistoryKeyIndex::rehash(size_t capacity)
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.resize(capacity);
    m_shift = 64 - log2Of(capacity);
    const size_t mask = capacity - 1;
    for (const Slot &slot : old) {
        if (slot.value < 0)
            continue;
        size_t i = slotOf(slot.hash);
        while (m_slots[i].value >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
