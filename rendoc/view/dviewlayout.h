#pragma once

#include "rendoc/view/dviewblock.h"
#include "rendoc/view/dviewchunkedarray.h"
#include "rendoc/view/dviewfenwick.h"
#include "rendoc/view/dviewframe.h"
#include "rendoc/view/dviewitemindex.h"
#include "rendoc/view/dviewpos.h"
#include "rendoc/view/dviewtable.h"

#include <QHash>
#include <QList>
#include <climits>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

class DDocument;
class DFooter;
class DHeader;
class DItem;
class DItemContainer;
class DTag;
class DViewContext;
class DViewLaidBlock;

// The shown documents flattened into a list of blocks.
//
// Flattening is one cheap walk: each block keeps its first item, its kind and a rough amount of
// text. Heights start as estimates and become exact when a block is laid out, which happens
// only when the block is painted, measured or printed; a Fenwick tree over the heights maps
// y to block and back as estimates are replaced. Only block-level items are hashed; any other
// item is found through its nearest block-level ancestor.
//
// A document can be flattened a part at a time (addDocument with a budget, then flattenSome):
// the blocks flattened so far come first, and the rest of the document counts in the total
// height as an estimate until it is flattened. blockOf() flattens the rest when it does not
// find an item; anything that walks every block calls complete() first.
class DViewLayout
{
public:
    explicit DViewLayout(const DViewContext* context);
    ~DViewLayout();
    DViewLayout(const DViewLayout&) = delete;
    DViewLayout& operator=(const DViewLayout&) = delete;

    void clear();
    bool contains(const DDocument* document) const { return m_documents.contains(const_cast<DDocument*>(document)); }
    // Appends the blocks of document (and of nothing chained after it): about `budget` of
    // them now, the rest left for flattenSome(). A document left partly flattened before is
    // completed first.
    void addDocument(DDocument* document, int budget = INT_MAX);
    // Flattens about `budget` more blocks of the partly flattened document; false when it
    // is complete (or there was none).
    bool flattenSome(int budget);
    void complete() { flattenSome(INT_MAX); }
    bool isComplete() const { return m_resume == nullptr; }
    // Appends the blocks of a container's content (page headers and footers when printing).
    void addContent(DItemContainer* root);
    const QList<DDocument*>& documents() const { return m_documents; }
    DHeader* header(int document) const;
    DFooter* footer(int document) const;

    int count() const { return int(m_blocks.size()); }
    const DViewBlock& block(int index) const { return m_blocks[size_t(index)]; }

    // Width available to blocks; a change drops every laid-out block (heights stay as
    // estimates until measured again).
    void setWidth(qreal width);
    qreal width() const { return m_width; }
    // Forgets every laid-out block and exact height (styles or settings changed).
    void invalidate();

    // The laid-out block, laid out now when needed; its exact height replaces the estimate.
    // The pointer stays valid until the next call that lays out another block.
    DViewLaidBlock* laid(int index);
    bool isLaidOut(int index) const { return m_laid.count(index) != 0; }
    int laidOutCount() const { return m_laidCount; }
    qreal naturalWidth() const { return m_naturalWidth; }

    qint64 top(int index) const { return m_heights.prefix(index); }
    int height(int index) const { return m_heights.value(index); }
    // The height of the blocks flattened so far, and with the estimate of the rest.
    qint64 flattenedHeight() const { return m_heights.total(); }
    qint64 totalHeight() const { return m_heights.total() + m_restEstimate; }
    // The block at y (clamped); -1 when there are no blocks.
    int blockAt(qint64 y) const { return m_heights.find(qMax<qint64>(0, y)); }

    // The block showing item: its own block, its nearest block-level ancestor's, or for a
    // container the first block inside or after it. -1 when the item is not shown.
    // Flattens the rest of the document when the item is not found among the blocks so far.
    int blockOf(const DItem* item);
    // The first DTag named name in document (every shown document when -1); null when none.
    DTag* findTag(const QString& name, int document);

    // The text frames of a block without laying it out (search, copy, plain text).
    std::vector<DViewFrame> frames(int index) const;
    // The block's text as shown: list markers included, cells separated by tabs.
    QString blockText(int index) const;
    // The text between two positions, blocks separated by line feeds.
    QString text(const DViewPos& from, const DViewPos& to) const;
    DViewPos endOf(int index) const;
    // A frame's text with inline images removed and line separators turned into sep.
    static QString cleanText(const DViewFrame& frame, int start, int end, QChar separator);

private:
    void flatten(DItemContainer* root, int document);
    int findBlock(const DItem* item) const;
    // Estimates the height of what is not flattened yet from the blocks so far.
    void estimateRest();
    // Adds the blocks of one item of root's flow; returns the next item to flatten.
    DItem* flattenItem(std::vector<int>& heights, DItem* it, DItemContainer* root, int document);
    void addListEntries(std::vector<int>& heights, DItem* list, int document);
    // The entries of a table of contents or an index, one block each.
    void addGeneratedEntries(std::vector<int>& heights, DItem* table, int document);
    // One block for a run of inline siblings starting at first; returns the run's last item.
    DItem* addInlineRun(std::vector<int>& heights, DItem* first, int document);
    void addBlock(std::vector<int>& heights, DViewBlock::Kind kind, DItem* item, int document,
                  int aux = 0);
    void addTable(std::vector<int>& heights, DItem* table, int document);
    int estimate(const DViewBlock& block) const;
    void evict();

    const DViewContext* m_context;
    QList<DDocument*> m_documents;
    std::vector<DHeader*> m_headers;
    std::vector<DFooter*> m_footers;
    DViewChunkedArray<DViewBlock> m_blocks;
    std::vector<DViewTable> m_tables;
    // The laid-out blocks by block number: a few thousand at most (the oldest are dropped),
    // so nothing is kept per block for the others.
    std::unordered_map<int, std::unique_ptr<DViewLaidBlock>> m_laid;
    std::deque<int> m_laidOrder;
    int m_laidCount = 0;
    DViewFenwick m_heights;
    DViewItemIndex m_itemBlocks{&m_blocks};
    std::vector<const DItem*> m_pending; // containers waiting for their first block
    // Where flattening resumes: the next item of the flow of m_resumeRoot, in document
    // m_resumeDoc; null when every document is flattened.
    DItem* m_resume = nullptr;
    DItemContainer* m_resumeRoot = nullptr;
    int m_resumeDoc = 0;
    std::size_t m_heightBase = 0;   // first block of the heights being collected
    std::size_t m_flowSteps = 0;    // flow items of the resumed document flattened so far
    std::size_t m_flowLeft = 0;     // of those not flattened yet, as last counted
    qint64 m_resumeHeight = 0;      // height of the resumed document's blocks when it began
    qint64 m_restEstimate = 0;
    std::vector<QHash<QString, DTag*>> m_tags;
    std::vector<bool> m_tagsBuilt;
    qreal m_width = 600;
    qreal m_naturalWidth = 0;
    qreal m_lineHeight = 16;
    qreal m_charWidth = 7;
};
