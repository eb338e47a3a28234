#include "rendoc/html/dhtmlitemmap.h"

#include "rendoc/model/ditem.h"

#include <algorithm>
#include <utility>

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
    m_cursor = 0;
    const auto less = [](const Entry& a, const Entry& b) {
        return a.item != b.item ? a.item < b.item : a.value > b.value;
    };
    if (std::is_sorted(m_entries.cbegin(), m_entries.cend(), less))
        return;
    if (m_entries.size() < RadixMinimum) {
        std::sort(m_entries.begin(), m_entries.end(), less);
        return;
    }
    // A report's maps hold hundreds of thousands of pairs, added in walk order from items of
    // several pool chunks: a radix sort of the addresses (a pass per 11 bits of their span)
    // takes a fraction of a comparison sort's time.
    std::uintptr_t low = m_entries.front().item;
    std::uintptr_t high = low;
    for (const Entry& e : m_entries) {
        low = qMin(low, e.item);
        high = qMax(high, e.item);
    }
    int bits = 0;
    for (std::uintptr_t span = high - low; span; span >>= 1)
        ++bits;
    constexpr int DigitBits = 11;
    constexpr size_t Buckets = size_t(1) << DigitBits;
    std::vector<Entry> scratch(m_entries.size());
    std::vector<size_t> place(Buckets);
    for (int shift = 0; shift < bits; shift += DigitBits) {
        std::fill(place.begin(), place.end(), 0);
        for (const Entry& e : m_entries)
            ++place[((e.item - low) >> shift) & (Buckets - 1)];
        size_t total = 0;
        for (size_t& count : place)
            total += std::exchange(count, total);
        for (const Entry& e : m_entries)
            scratch[place[((e.item - low) >> shift) & (Buckets - 1)]++] = e;
        m_entries.swap(scratch);
    }
    // The values of one item, from the largest down.
    for (auto first = m_entries.begin(); first != m_entries.end();) {
        auto last = first + 1;
        while (last != m_entries.end() && last->item == first->item)
            ++last;
        if (last - first > 1)
            std::sort(first, last, less);
        first = last;
    }
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
