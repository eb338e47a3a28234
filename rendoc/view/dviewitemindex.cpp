#include "rendoc/view/dviewitemindex.h"

#include "rendoc/view/dviewblock.h"

namespace {

// Items are heap objects of at least 16 bytes: the low bits say nothing, and
// the multiplication spreads the rest over the table.
std::size_t slotHash(const DItem* item)
{
    const auto bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(item)) >> 4;
    return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> 17);
}

} // namespace

const DItem* DViewItemIndex::keyOf(std::uint32_t slot) const
{
    return (*m_blocks)[slot - 1].item;
}

int DViewItemIndex::value(const DItem* item, int fallback) const
{
    if (!item)
        return fallback;
    if (!m_others.isEmpty()) {
        const auto other = m_others.constFind(item);
        if (other != m_others.cend())
            return other.value();
    }
    if (m_slots.empty())
        return fallback;
    const std::uint32_t slot = m_slots[find(item)];
    return slot ? int(slot - 1) : fallback;
}

std::size_t DViewItemIndex::find(const DItem* item) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = slotHash(item) & mask;
    while (m_slots[at] && keyOf(m_slots[at]) != item)
        at = (at + 1) & mask;
    return at;
}

void DViewItemIndex::grow()
{
    if (std::size_t(m_size + 1) * 2 <= m_slots.size())
        return;
    std::vector<std::uint32_t> old;
    old.swap(m_slots);
    m_slots.assign(qMax<std::size_t>(64, old.size() * 2), 0);
    for (const std::uint32_t slot : old) {
        if (slot)
            m_slots[find(keyOf(slot))] = slot;
    }
}

void DViewItemIndex::put(const DItem* item, int block, bool replace)
{
    grow();
    std::uint32_t& slot = m_slots[find(item)];
    if (!slot)
        ++m_size;
    else if (!replace)
        return;
    slot = std::uint32_t(block) + 1;
}

void DViewItemIndex::insertFirst(const DItem* item, int block)
{
    if (!item || block < 0 || contains(item))
        return;
    if (std::size_t(block) < m_blocks->size() && (*m_blocks)[size_t(block)].item == item)
        put(item, block, false);
    else
        m_others.insert(item, block);
}

void DViewItemIndex::insert(const DItem* item, int block)
{
    if (!item || block < 0)
        return;
    if (std::size_t(block) < m_blocks->size() && (*m_blocks)[size_t(block)].item == item) {
        m_others.remove(item);
        put(item, block, true);
    } else {
        m_others.insert(item, block);
    }
}

void DViewItemIndex::clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_size = 0;
    m_others.clear();
    m_others.squeeze();
}
