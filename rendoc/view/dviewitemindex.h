#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

class DItem;

// The block of each block-level item: a map from item to block number with
// open addressing in one flat array. A report laid out into hundreds of
// thousands of blocks fills it with one probe per item and no allocation per
// entry, which a node-based hash table cannot do.
class DViewItemIndex
{
public:
    // The item's block, or `fallback` when it has none.
    int value(const DItem* item, int fallback = -1) const;
    bool contains(const DItem* item) const { return value(item, -1) >= 0; }
    // Gives the item its block; an item keeps the first one it was given.
    void insertFirst(const DItem* item, int block);
    // Gives the item its block, replacing the one it had.
    void insert(const DItem* item, int block);
    int size() const { return m_size; }
    void clear();

private:
    struct Slot
    {
        const DItem* item = nullptr;
        int block = -1;
    };

    // The slot holding `item`, or the empty slot where it would go.
    std::size_t find(const DItem* item) const;
    // Makes room for one more entry, doubling the table when it is more than
    // half full.
    void grow();

    std::vector<Slot> m_slots; // a power of two in size, or empty
    int m_size = 0;
};
