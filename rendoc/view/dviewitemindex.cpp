#include "rendoc/view/dviewitemindex.h"

namespace {

// Items are heap objects of at least 16 bytes: the low bits say nothing, and
// the multiplication spreads the rest over the table.
std::size_t slotHash(const DItem* item)
{
    const auto bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(item)) >> 4;
    return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> 17);
}

} // namespace

int DViewItemIndex::value(const DItem* item, int fallback) const
{
    if (!item || m_slots.empty())
        return fallback;
    const Slot& slot = m_slots[find(item)];
    return slot.item ? slot.block : fallback;
}

std::size_t DViewItemIndex::find(const DItem* item) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = slotHash(item) & mask;
    while (m_slots[at].item && m_slots[at].item != item)
        at = (at + 1) & mask;
    return at;
}

void DViewItemIndex::grow()
{
    if (std::size_t(m_size + 1) * 2 <= m_slots.size())
        return;
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(qMax<std::size_t>(64, old.size() * 2), Slot());
    for (const Slot& slot : old) {
        if (slot.item)
            m_slots[find(slot.item)] = slot;
    }
}

void DViewItemIndex::insertFirst(const DItem* item, int block)
{
    if (!item)
        return;
    grow();
    Slot& slot = m_slots[find(item)];
    if (slot.item)
        return;
    slot.item = item;
    slot.block = block;
    ++m_size;
}

void DViewItemIndex::insert(const DItem* item, int block)
{
    if (!item)
        return;
    grow();
    Slot& slot = m_slots[find(item)];
    if (!slot.item)
        ++m_size;
    slot.item = item;
    slot.block = block;
}

void DViewItemIndex::clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_size = 0;
}
