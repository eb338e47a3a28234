#include "rendoc/html/dhtmlitemmap.h"

#include "rendoc/model/ditem.h"

#include <algorithm>

static_assert(DItem::KindCount <= 64, "a bit per item kind");

void DHTMLItemMap::clear()
{
    m_entries.clear();
    m_cursor = 0;
    m_kinds = 0;
}

void DHTMLItemMap::add(const DItem* item, int value)
{
    m_entries.push_back({std::uintptr_t(item), value});
    m_kinds |= quint64(1) << item->kind();
}

void DHTMLItemMap::sort()
{
    // In place: a sort with a scratch copy (a radix sort is faster) would add a report's map,
    // megabytes, to the export's peak memory, for about 2 % of the export's time.
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return a.item != b.item ? a.item < b.item : a.value > b.value;
    });
    m_cursor = 0;
}

const DHTMLItemMap::Entry* DHTMLItemMap::find(const DItem* item, const Entry** end) const
{
    const Entry* entries = m_entries.data();
    if (!item || !((m_kinds >> item->kind()) & 1)) {
        *end = entries;
        return entries;
    }
    const std::uintptr_t key = std::uintptr_t(item);
    const size_t n = m_entries.size();
    size_t c = qMin(m_cursor, n);
    auto below = [key](const Entry& e, std::uintptr_t k) { return e.item < k; };
    // Galloping from the last look-up: steps that double bound the place, then a binary
    // search between the last two, so a near look-up costs a few compares.
    if (c > 0 && entries[c - 1].item >= key) {
        size_t step = 1;
        size_t high = c - 1; // entries[high] >= key
        while (step <= high && entries[high - step].item >= key) {
            high -= step;
            step *= 2;
        }
        const size_t low = step <= high ? high - step + 1 : 0;
        c = size_t(std::lower_bound(entries + low, entries + high, key, below) - entries);
    } else if (c < n && entries[c].item < key) {
        size_t step = 1;
        size_t low = c; // entries[low] < key
        while (low + step < n && entries[low + step].item < key) {
            low += step;
            step *= 2;
        }
        const size_t high = qMin(n, low + step);
        c = size_t(std::lower_bound(entries + low + 1, entries + high, key, below) - entries);
    }
    m_cursor = c;
    size_t last = c;
    while (last < n && entries[last].item == key)
        ++last;
    *end = entries + last;
    return entries + c;
}
