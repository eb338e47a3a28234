#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

class DItem;
class QAReporterNode;

// What the filtered copy needs to know about one source item that report
// nodes refer to: the first excluded node starting there, and the item's copy
// once made. Kept in one flat array with open addressing: a large report
// gives hundreds of thousands of entries, filled once and looked up for every
// item of the document, with no allocation per entry.
class QAReporterAnchorTable
{
public:
    struct Anchor
    {
        QAReporterNode *excluded = nullptr;
        DItem *copy = nullptr;
    };

    // Makes room for `count` entries at once.
    void reserve(qsizetype count);
    // The entry of `item`, made empty when there was none. The reference
    // holds until the next entry is made.
    Anchor &operator[](const DItem *item);
    // The entry of `item`, null when there is none.
    Anchor *find(const DItem *item);
    bool isEmpty() const { return m_size == 0; }
    qsizetype size() const { return m_size; }
    void clear();

private:
    struct Slot
    {
        const DItem *item = nullptr;
        Anchor anchor;
    };

    std::size_t slotOf(const DItem *item) const;
    void rehash(std::size_t slots);

    std::vector<Slot> m_slots; // a power of two in size, or empty
    qsizetype m_size = 0;
};
