#include "korvatreporter/document/qareporteranchortable.h"

namespace {

// Slots per run: the 8-byte-aligned addresses of one 4 KiB page.
constexpr std::size_t AnchorRunSlots = 512;

// Where the table's probing starts for `item`, in a table of `runs` runs.
// Items come from a block pool in the order they were read, so the items a
// walk meets one after the other mostly lie side by side in memory. The
// items of one 4 KiB page go to one run of slots, in address order, and the
// pages are spread over the runs: filling and looking up in document order
// then touch the table run by run instead of at a random slot each time,
// which on a table of megabytes is most of the cost.
std::size_t anchorStart(const DItem *item, std::size_t runs)
{
    const auto address = std::uint64_t(reinterpret_cast<std::uintptr_t>(item));
    const std::uint64_t spread = (address >> 12) * 0x9E3779B97F4A7C15ull;
    const std::uint64_t run = ((spread >> 32) * std::uint64_t(runs)) >> 32;
    return std::size_t(run) * AnchorRunSlots + std::size_t((address >> 3) & (AnchorRunSlots - 1));
}

// Whole runs for `count` entries at most two thirds full: probing stays
// short, and the table, touched page by page when it is made, stays small
// (any size of whole runs will do, not only powers of two).
std::size_t anchorSlotsFor(std::size_t count)
{
    const std::size_t wanted = count + count / 2 + 1;
    return (wanted + AnchorRunSlots - 1) / AnchorRunSlots * AnchorRunSlots;
}

} // namespace

std::size_t QAReporterAnchorTable::slotOf(const DItem *item) const
{
    const std::size_t slots = m_slots.size();
    std::size_t at = anchorStart(item, slots / AnchorRunSlots);
    while (m_slots[at].item && m_slots[at].item != item) {
        if (++at == slots)
            at = 0;
    }
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
    const std::size_t slots = anchorSlotsFor(std::size_t(qMax<qsizetype>(0, count)));
    if (slots > m_slots.size())
        rehash(slots);
}

QAReporterAnchorTable::Slot &QAReporterAnchorTable::entry(const DItem *item)
{
    // Past three quarters full the table grows to room for twice as many.
    if (std::size_t(m_size + 1) * 4 > m_slots.size() * 3)
        rehash(anchorSlotsFor(std::size_t(m_size + 1) * 2));
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
