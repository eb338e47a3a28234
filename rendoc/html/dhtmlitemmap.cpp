#include "rendoc/html/dhtmlitemmap.h"

#include <algorithm>

void DHTMLItemMap::clear()
{
    m_entries.clear();
    m_cursor = 0;
}

void DHTMLItemMap::sort()
{
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return a.item != b.item ? a.item < b.item : a.value > b.value;
    });
    m_cursor = 0;
}

const DHTMLItemMap::Entry* DHTMLItemMap::find(const DItem* item, const Entry** end) const
{
    const std::uintptr_t key = std::uintptr_t(item);
    const size_t n = m_entries.size();
    const Entry* entries = m_entries.data();
    size_t c = qMin(m_cursor, n);
    auto below = [key](const Entry& e, std::uintptr_t k) { return e.item < k; };
    if (c > 0 && entries[c - 1].item >= key) {
        // Behind the last look-up: search the part before it.
        c = size_t(std::lower_bound(entries, entries + c, key, below) - entries);
    } else {
        // Ahead: a few steps, then a search of the rest.
        for (int step = 0; step < 4 && c < n && entries[c].item < key; ++step)
            ++c;
        if (c < n && entries[c].item < key)
            c = size_t(std::lower_bound(entries + c, entries + n, key, below) - entries);
    }
    m_cursor = c;
    size_t last = c;
    while (last < n && entries[last].item == key)
        ++last;
    *end = entries + last;
    return entries + c;
}
