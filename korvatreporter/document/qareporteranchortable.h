#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

class DItem;
class QAReporterNode;

// What the filtered copy needs to know about one source item that report
// nodes refer to: the first excluded node starting there, or else the item's
// copy once made. Kept in one flat array with open addressing: a large report
// gives hundreds of thousands of entries, filled once and looked up for every
// item of the document, with no allocation per entry.
class QAReporterAnchorTable
{
public:
    // One entry. An item an excluded node starts at is dropped and never
    // copied, so the entry holds one pointer: the node, marked in its low
    // bit (nodes and items are at least 2-aligned), or the copy.
    class Anchor
    {
    public:
        QAReporterNode *excluded() const
        {
            return (m_value & 1) ? reinterpret_cast<QAReporterNode *>(m_value & ~std::uintptr_t(1))
                                 : nullptr;
        }
        DItem *copy() const { return (m_value & 1) ? nullptr : reinterpret_cast<DItem *>(m_value); }
        // Only for an entry without an excluded node.
        void setCopy(DItem *copy) { m_value = reinterpret_cast<std::uintptr_t>(copy); }

    private:
        friend class QAReporterAnchorTable;
        std::uintptr_t m_value = 0;
    };

    // Makes room for `count` entries at once.
    void reserve(qsizetype count);
    // Records `node` as the excluded node starting at `item`, unless one was
    // recorded there before: the first one decides.
    void addExcluded(const DItem *item, QAReporterNode *node);
    // Makes an empty entry for `item` when it has none.
    void add(const DItem *item);
    // The entry of `item`, null when there is none. The pointer holds until
    // the next entry is made.
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
    Slot &entry(const DItem *item);

    std::vector<Slot> m_slots; // whole runs of slots (see the .cpp), or empty
    qsizetype m_size = 0;
};
