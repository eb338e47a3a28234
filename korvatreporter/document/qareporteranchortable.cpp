#include "korvatreporter/document/qareporteranchortable.h"

namespace {

// Items are heap objects: the low bits of their addresses say nothing, and
// the multiplication spreads the rest over the table.
std::size_t anchorHash(const DItem *item)
{
    const auto bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(item)) >> 4;
    return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> 17);
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

QAReporterAnchorTable::Anchor &QAReporterAnchorTable::operator[](const DItem *item)
{
    if (std::size_t(m_size + 1) * 4 > m_slots.size() * 3)
        rehash(qMax<std::size_t>(64, m_slots.size() * 2));
    Slot &slot = m_slots[slotOf(item)];
    if (!slot.item) {
        slot.item = item;
        ++m_size;
    }
    return slot.anchor;
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
