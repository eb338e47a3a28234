#pragma once

#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qtree.h"
#include "korvatreporter/document/qareporteranchortable.h"
#include "rendoc/model/diterator.h"

#include <QList>

#include <deque>
#include <memory>
#include <vector>

class DDocument;
class DItem;
class DItemContainer;
class QAReporterDataTree;
class QAReporterFilter;

// Builds the filtered copy of one report: a new node tree holding the nodes
// the filter keeps (below kept parents only), then a new document without the
// report text of the dropped nodes, with every node of the new tree pointing
// into the new document.
//
// The document is copied in one pass over the source, in document order. The
// walk keeps an explicit stack of (source container, copy) frames instead of
// recursing, so documents of any depth are copied with constant stack use;
// each kind of item is still handled by its own do* operation. A cursor on the
// new tree follows the walk and re-points each node's startItem and endItem
// from the source item to its copy as the walk passes them; whatever the
// cursor could not reach is mapped afterwards, so no node of the new tree is
// left pointing into the source document (a pointer to an item that was not
// copied becomes null).
//
// Settled behaviours:
// - An anchorless node without children does not stop the cursor: it moves
//   on in pre-order to the next node that has a startItem.
// - A drop range whose end item is never visited closes when the walk leaves
//   the container that held the range's first item (at the top level: at the
//   end of the walk).
// - Top-level document copies are chained to one another in source order, so
//   that the first one owns them all and nodes anchored in any of them stay
//   valid; a document found inside a container is linked there like any item.
// - A node anchored on a document takes the document's name as its id.
// - Without a new tree (no filter, or a rejected root) the document is copied
//   whole.
//
// The anchor table holds no entry for an excluded node below an excluded node
// whose drop range covers its first item: the walk drops that item inside
// the range without looking it up. On nested reports that is most of the
// excluded nodes (the checks of a passed case). Whether each such node's
// first item really lies in its excluded ancestor's range is checked as the
// walk passes the range.
//
// With pruning on, the other excluded nodes are not in the table either: in a
// well nested report their first items come in walk order in the same order
// as the nodes in pre-order, so the walk meets them one after the other and
// compares each item with the next one due (or drops it with an item that
// holds it). Only the items of kept nodes stay in the table, a few per cent
// of a failed-only copy's entries. A node tree where any of these checks
// fails (a malformed one) is copied again with every excluded node in the
// table, so the copy never depends on the node tree being well nested.
class QAReporterFilterWriter : private DIterator
{
public:
    // The filter is not owned and must outlive the writer; null is allowed
    // (buildNewTree then fails).
    explicit QAReporterFilterWriter(const QAReporterFilter *filter);
    ~QAReporterFilterWriter() override;

    // Builds the new tree from `sourceTree`, then copies `sourceDocument` and
    // the documents chained after it. Either may be null. Call once.
    void run(QAReporterDataTree *sourceTree, DDocument *sourceDocument);

    // Walks `sourceTree`'s nodes in pre-order, appending to the new tree a
    // copy of every accepted node whose parent was kept; the others are
    // excluded, each subtree listed by its first node in walk order. False
    // without a filter or tree, or when the source root is rejected (no new
    // tree then).
    bool buildNewTree(QAReporterDataTree *sourceTree);

    // Whether excluded nodes inside a covering drop range are left out of the
    // anchor table (the default); off, every excluded node gets its entry.
    void setPruning(bool prune) { m_prune = prune; }
    // The number of excluded nodes the last copy left out of the table, and
    // whether the copy had to be made again with every one of them indexed.
    qsizetype prunedNodes() const { return m_prunedNodes; }
    bool copiedAgain() const { return m_copiedAgain; }

    QAReporterDataTree *newTree() const { return m_newTree.get(); }
    std::unique_ptr<QAReporterDataTree> takeNewTree();
    // The first top-level document copy, which owns the ones chained after
    // it; the caller owns it.
    std::unique_ptr<DDocument> takeDocument();

private:
    // The kind operations of the walk (reached through doItem only): each
    // copies a kept item into the level the walk stands on and, for a
    // container, opens its children.
    void doDocument(DDocument *item) override;
    void doSection(DSection *item) override;
    void doTitle(DTitle *item) override;
    void doHeader(DHeader *item) override;
    void doFooter(DFooter *item) override;
    void doPageBreak(DPageBreak *item) override;
    void doParagraph(DParagraph *item) override;
    void doText(DText *item) override;
    void doImage(DImage *item) override;
    void doList(DList *item) override;
    void doLink(DLink *item) override;
    void doTag(DTag *item) override;
    void doTable(DTable *item) override;
    void doRow(DRow *item) override;
    void doCell(DCell *item) override;
    void doCellText(DCellText *item) override;
    void doTagPointer(DTagPointer *item) override;
    void doPopupLink(DPopupLink *item) override;
    void doPopup(DPopup *item) override;
    void doSummary(DSummary *item) override;
    void doSEntry(DSEntry *item) override;
    void doIndex(DIndex *item) override;
    void doIEntry(DIEntry *item) override;
    void doGraphic(DGraphic *item) override;
    void doAxis(DAxis *item) override;
    void doCurve(DCurve *item) override;
    void doPoint(DPoint *item) override;

    using Cursor = QTreeIterator<QAReporterNode>;

    // One open level of the copy walk.
    struct Frame
    {
        DItemContainer *source = nullptr; // null at the top level
        DItem *nextSource = nullptr;      // next source item to visit here
        DItemContainer *copy = nullptr;   // container receiving the copies
        DItem *lastSibling = nullptr;     // last item linked into `copy`
        bool document = false;            // a document frame ends without re-pointing
    };

    // What the walk needs to know about one source item that nodes refer to.
    using Anchor = QAReporterAnchorTable::Anchor;

    // Builds the tree, the anchor table and the document copy once; false
    // when a pruned node's first item was not met inside its range.
    bool copyOnce(QAReporterDataTree *sourceTree, DDocument *sourceDocument);
    // Copies `first` and its following siblings with their subtrees.
    void walk(DItem *first);
    void leaveFrame();
    // Opens the children of `source` for copying into `copy`.
    void openChildren(DItemContainer *source, DItemContainer *copy, bool document);
    void indexAnchors();
    // Whether the nodes below `excludedRoot`, the first node of an excluded
    // subtree, are left out of the anchor table.
    bool prunesBelow(const QTree<QAReporterNode>::QTreeNode *excludedRoot) const;
    // The excluded nodes met in walk order instead of through the table: the
    // next one with a first item in the order the table would list them, and
    // the step to it. Null once all are passed.
    const QTree<QAReporterNode>::QTreeNode *nextDueNode();
    void advanceDue();
    // Passes the due nodes whose first item is `dropped` or lies inside it.
    void passDue(const DItem *dropped);
    void mapLeftovers();

    // True when the item is copied; otherwise it is dropped, re-pointing to
    // the current last sibling.
    bool keep(DItem *item);
    void dropped(DItem *item);
    void openRange(QAReporterNode *node, DItem *first);
    void closeRange();
    // Moves past the pruned nodes whose first item `item`, dropped in the
    // open range, is or holds.
    void passPruned(const DItem *item);
    void nextPrunedNode();
    // The next excluded subtree pruned below its first node, or null.
    const QTree<QAReporterNode>::QTreeNode *nextPrunedRoot();

    // Copies and places an item the filter keeps, after an empty tag when a
    // node starts there and `leadingTag` is set; null when it is dropped.
    template <class T>
    T *placeKeptCopy(T *item, bool leadingTag);
    template <class T>
    void copyLeaf(T *item, bool leadingTag);
    template <class T>
    void copyContainer(T *item);
    void link(DItem *item);

    // The node starting at `source` now starts at `replacement`, with the
    // first children opened back to back with it; null when none starts
    // there.
    QAReporterNode *repointStart(const DItem *source, DItem *replacement);
    void repointEnd(const DItem *source, DItem *replacement);
    bool advanceCursor();

    const QAReporterFilter *m_filter;
    std::unique_ptr<QAReporterDataTree> m_newTree;
    // The first node of each excluded subtree, in walk order, and the number
    // of table entries to make: excluded nodes not pruned, two per kept node.
    // A deque: grown a block at a time, it never holds an old and a new
    // array of a hundred thousand entries at once.
    std::deque<const QTree<QAReporterNode>::QTreeNode *> m_excludedRoots;
    qsizetype m_indexedNodes = 0;
    qsizetype m_keptNodes = 0;
    QAReporterAnchorTable m_anchors;

    bool m_prune = true;
    bool m_copiedAgain = false;
    qsizetype m_prunedNodes = 0;
    // The check of the pruned nodes while the copy walk passes their ranges:
    // the next entry of m_excludedRoots to look at, the subtree whose range
    // is open, its next pruned node with a first item (null once all are
    // passed) and the item of the range's level that holds that first item.
    std::size_t m_nextRoot = 0;
    const QTree<QAReporterNode>::QTreeNode *m_checkRoot = nullptr;
    const QTree<QAReporterNode>::QTreeNode *m_checkNode = nullptr;
    const DItem *m_checkTop = nullptr;
    const DItemContainer *m_rangeContainer = nullptr; // holds the open range's items
    bool m_prunedMissed = false;

    // The excluded nodes due in walk order (see the class comment): on in
    // the first copy with pruning; the next root of m_excludedRoots and the
    // rest of a subtree not pruned, in pre-order; the node due and the
    // ancestors of its first item from the top level down (empty when
    // deeper than a climb looks, so never passed inside a dropped item).
    bool m_dueInOrder = false;
    std::size_t m_dueRoot = 0;
    bool m_dueSubtreePruned = false;
    std::vector<const QTree<QAReporterNode>::QTreeNode *> m_duePending;
    QAReporterNode *m_due = nullptr;
    std::vector<const DItem *> m_dueAncestors;

    std::vector<Frame> m_frames;
    DItem *m_firstTop = nullptr; // head of the top-level chain, owned until taken

    Anchor *m_anchor = nullptr;  // entry of the item keep() just accepted, if any

    QAReporterNode *m_rangeNode = nullptr; // excluded node whose text is being dropped
    size_t m_rangeDepth = 0;               // frame the range was opened in

    Cursor m_cursor;
    bool m_cursorDone = false; // the cursor has walked past the last node
};
