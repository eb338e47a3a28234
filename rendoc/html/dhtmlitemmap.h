#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

class DItem;

// Items mapped to numbers (outline nodes), looked up in walk order.
//
// The writer and the page plan ask, for every item of a report they walk, which nodes start
// (or end) there; only a few items in a hundred have any. The pairs are kept sorted by the
// item's address, and a look-up starts where the last one ended: items are allocated as the
// report is read, so a walk in document order mostly meets ascending addresses, and a
// look-up costs a compare or two in memory read in order. An address out of that order is
// found by binary search, and an item of a kind no pair holds (most items: texts, cells)
// without a search. Every answer is exact, whatever the order of the look-ups.
class DHTMLItemMap
{
public:
    struct Entry
    {
        std::uintptr_t item;
        int value;
    };

    void clear();
    void reserve(qsizetype count) { m_entries.reserve(size_t(qMax<qsizetype>(0, count))); }
    // Adds a pair; look-ups see it after the next sort().
    void add(const DItem* item, int value);
    // Sorts the pairs by item, and the values of one item from the largest down.
    void sort();
    bool isEmpty() const { return m_entries.empty(); }

    // The values of item (from the largest down) as [begin, end); begin == end for none.
    const Entry* find(const DItem* item, const Entry** end) const;

private:
    std::vector<Entry> m_entries;
    mutable size_t m_cursor = 0; // the first entry at or after the item last looked up
    quint64 m_kinds = 0;         // a bit per item kind the pairs hold
};
