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
    const auto less = [](const Entry& a, const Entry& b) {
        return a.item != b.item ? a.item < b.item : a.value > b.value;
    };
    // Pairs are added in walk order, so they come in a few long ascending runs (one per pool
    // chunk of the items): those are merged pairwise, which costs a pass per doubling of the
    // runs instead of a full sort. Many short runs are sorted outright.
    const size_t n = m_entries.size();
    std::vector<size_t> bounds{0};
    for (size_t i = 1; i < n; ++i)
        if (less(m_entries[i], m_entries[i - 1]))
            bounds.push_back(i);
    bounds.push_back(n);
    const auto at = [this](size_t index) { return m_entries.begin() + std::ptrdiff_t(index); };
    if (bounds.size() - 1 > qMax<size_t>(8, n / 64)) {
        std::sort(m_entries.begin(), m_entries.end(), less);
    } else {
        while (bounds.size() > 2) {
            const size_t runs = bounds.size() - 1;
            std::vector<size_t> merged{0};
            for (size_t k = 0; k + 1 < runs; k += 2) {
                std::inplace_merge(at(bounds[k]), at(bounds[k + 1]), at(bounds[k + 2]), less);
                merged.push_back(bounds[k + 2]);
            }
            if (runs % 2 == 1)
                merged.push_back(n);
            bounds.swap(merged);
        }
    }
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
