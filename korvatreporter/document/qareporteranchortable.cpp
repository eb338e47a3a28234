#include "korvatreporter/document/qareporteranchortable.h"

namespace {

// Items come from a block pool in the order they were read, so the items a
// walk meets one after the other mostly lie side by side in memory. The hash
// keeps that order within each 4 KiB page (its items go to one run of 512
// slots, in address order) and spreads the pages over the table: filling
// and looking up in document order then touch the table run by run instead
// of at a random slot each time, which on a table of megabytes is most of
// the cost.
std::size_t anchorHash(const DItem *item)
{
    const auto address = std::uint64_t(reinterpret_cast<std::uintptr_t>(item));
    const std::uint64_t page = ((address >> 12) * 0x9E3779B97F4A7C15ull) >> 17;
    return std::size_t((page << 9) | ((address >> 3) & 511));
}

} // namespace

std::size_t QAReporterAnchorTable::slotOf(const DItem *item) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = anchorHash(item) & mask;
    while (m_slots[at].item && m_slots[at].item != item)
        at = (at + 1) & mask;
    return at;
}

void QAReporterAnchorTable::rehash(std::size_t slots)
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(slots, Slot());
    for (const Slot &slot : old) {
        if (slot.item)
            m_slots[slotOf(slot.item)] = slot;
    }
}

void QAReporterAnchorTable::reserve(qsizetype count)
{
    // At most three quarters full: linear probing stays short, and the table
    // (touched page by page when it is made) stays small.
    std::size_t slots = 64;
    while (slots * 3 < std::size_t(qMax<qsizetype>(0, count)) * 4)
        slots *= 2;
    if (slots > m_slots.size())
        rehash(slots);
}

QAReporterAnchorTable::Slot &QAReporterAnchorTable::entry(const DItem *item)
{
    if (std::size_t(m_size + 1) * 4 > m_slots.size() * 3)
        rehash(qMax<std::size_t>(64, m_slots.size() * 2));
    Slot &slot = m_slots[slotOf(item)];
    if (!slot.item) {
        slot.item = item;
        ++m_size;
    }
    return slot;
}

void QAReporterAnchorTable::addExcluded(const DItem *item, QAReporterNode *node)
{
    Anchor &anchor = entry(item).anchor;
    if (!anchor.excluded())
        anchor.m_value = reinterpret_cast<std::uintptr_t>(node) | 1;
}

void QAReporterAnchorTable::add(const DItem *item)
{
    entry(item);
}

QAReporterAnchorTable::Anchor *QAReporterAnchorTable::find(const DItem *item)
{
    if (m_slots.empty() || !item)
        return nullptr;
    Slot &slot = m_slots[slotOf(item)];
    return slot.item ? &slot.anchor : nullptr;
}

void QAReporterAnchorTable::clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_size = 0;
}
