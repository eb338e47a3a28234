#pragma once

#include "rendoc/view/dviewchunkedarray.h"

#include <QHash>
#include <QtGlobal>

#include <cstdint>
#include <vector>

class DItem;
struct DViewBlock;

// The block of each block-level item, for a layout's blocks.
//
// Most entries map a block's own first item to that block: those slots hold only the block
// number (4 bytes) in one open-addressing array, and the key is read back from the block. A
// report laid out into hundreds of thousands of blocks fills it with one probe per item, no
// allocation per entry and a quarter of the memory of (item, block) pairs. The few other
// entries (containers shown where their first block starts, the later members of an inline
// run) go to a hash apart, which wins over the array.
class DViewItemIndex
{
public:
    // `blocks` is the layout's block list; it must outlive the index, and a block is added
    // to it before its item is entered here.
    explicit DViewItemIndex(const DViewChunkedArray<DViewBlock>* blocks) : m_blocks(blocks) {}

    // The item's block, or `fallback` when it has none.
    int value(const DItem* item, int fallback = -1) const;
    bool contains(const DItem* item) const { return value(item, -1) >= 0; }
    // Gives the item its block; an item keeps the first one it was given.
    void insertFirst(const DItem* item, int block);
    // Gives the item its block, replacing the one it had.
    void insert(const DItem* item, int block);
    int size() const { return m_size + int(m_others.size()); }
    void clear();

private:
    // The slot holding `item`'s block, or the empty slot where it would go.
    std::size_t find(const DItem* item) const;
    const DItem* keyOf(std::uint32_t slot) const;
    // Makes room for one more entry, doubling the array when it is more than half full.
    void grow();
    // Enters `item` (the first item of `block`) into the array; replaces its block when it
    // has one and `replace` is true.
    void put(const DItem* item, int block, bool replace);

    const DViewChunkedArray<DViewBlock>* m_blocks;
    std::vector<std::uint32_t> m_slots; // block number + 1, 0 when empty; a power of two in size
    int m_size = 0;
    QHash<const DItem*, int> m_others;
};
