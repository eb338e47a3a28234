#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

class DItem;

// A quick "certainly not" for item pointers: a bit per hashed pointer, set for every item added.
//
// The writer and the page plan ask, for every item they walk, whether it starts a node or ends
// one, and only a few items in a hundred do. A hash look-up for each costs a cache miss or two
// in tables of hundreds of thousands of entries; this table has about 16 bits per item added
// (a few hundred KB), so most answers come from the cache and a set bit is confirmed in the
// hash. mayHold() never answers false for an item added.
class DHTMLItemFilter
{
public:
    // Empties the filter and sizes it for about expected items.
    void reset(qsizetype expected);
    void add(const DItem* item)
    {
        const std::uint64_t slot = slotOf(item);
        m_bits[size_t(slot >> 6)] |= std::uint64_t(1) << (slot & 63);
    }
    // False when item was surely not added since reset(); always false before the first reset().
    bool mayHold(const DItem* item) const
    {
        if (m_bits.empty())
            return false;
        const std::uint64_t slot = slotOf(item);
        return (m_bits[size_t(slot >> 6)] >> (slot & 63)) & 1;
    }

private:
    // Fibonacci hashing: the top bits of the pointer times the golden ratio.
    std::uint64_t slotOf(const DItem* item) const
    {
        return (std::uint64_t(reinterpret_cast<std::uintptr_t>(item)) * 0x9E3779B97F4A7C15ull) >> m_shift;
    }

    std::vector<std::uint64_t> m_bits;
    int m_shift = 63;
};
