#include "korvatreporter/document/qareporterfilterwriter.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "rendoc/model/ditems.h"

#include <QtGlobal>

#include <algorithm>

namespace {

using TreeNode = QTree<QAReporterNode>::QTreeNode;

// Calls f on every node of the tree under `root`, without recursion.
template <class F>
void forEachNode(TreeNode *root, F f)
{
    std::vector<TreeNode *> pending;
    if (root)
        pending.push_back(root);
    while (!pending.empty()) {
        TreeNode *node = pending.back();
        pending.pop_back();
        if (node->data())
            f(*node->data());
        pending.insert(pending.end(), node->children().cbegin(), node->children().cend());
    }
}

} // namespace

QAReporterFilterWriter::QAReporterFilterWriter(const QAReporterFilter *filter)
    : DIterator(nullptr), m_filter(filter)
{
}

QAReporterFilterWriter::~QAReporterFilterWriter()
{
    // A top-level document owns what is chained after it, but the chain is
    // freed item by item so that a head of another kind cannot leak it.
    DItem::deleteChain(m_firstTop);
}

std::unique_ptr<QAReporterDataTree> QAReporterFilterWriter::takeNewTree()
{
    m_cursor = Cursor();
    m_cursorDone = true;
    return std::move(m_newTree);
}

std::unique_ptr<DDocument> QAReporterFilterWriter::takeDocument()
{
    DDocument *head = m_firstTop ? m_firstTop->toDocument() : nullptr;
    if (head)
        m_firstTop = nullptr;
    return std::unique_ptr<DDocument>(head);
}

void QAReporterFilterWriter::run(QAReporterDataTree *sourceTree, DDocument *sourceDocument)
{
    m_copiedAgain = false;
    m_dueInOrder = m_prune;
    const bool done = copyOnce(sourceTree, sourceDocument);
    m_dueInOrder = false;
    if (done)
        return;
    // A pruned node's first item lay outside its ancestor's range: the first
    // copy may have kept text it should have dropped. Copy again with every
    // excluded node in the table.
    DItem::deleteChain(m_firstTop);
    m_firstTop = nullptr;
    const bool prune = m_prune;
    m_prune = false;
    copyOnce(sourceTree, sourceDocument);
    m_prune = prune;
    m_copiedAgain = true;
}

bool QAReporterFilterWriter::copyOnce(QAReporterDataTree *sourceTree, DDocument *sourceDocument)
{
    m_cursor = Cursor();
    m_cursorDone = true;
    buildNewTree(sourceTree);
    if (m_newTree) {
        m_newTree->root();
        m_cursor = m_newTree->iterator();
        m_cursorDone = false;
    }
    indexAnchors();
    m_nextRoot = 0;
    m_prunedNodes = 0;
    m_prunedMissed = false;
    m_dueRoot = 0;
    m_duePending.clear();
    m_due = nullptr;
    if (m_dueInOrder)
        advanceDue();
    walk(sourceDocument);
    // Every range with pruned nodes must have opened, in walk order, and
    // every excluded node due in order must have been passed.
    const bool complete = !m_prunedMissed && !nextPrunedRoot() && !m_due;
    if (complete)
        mapLeftovers();
    m_anchors.clear();
    m_excludedRoots = {};
    m_duePending = {};
    m_dueAncestors = {};
    m_due = nullptr;
    return complete;
}

bool QAReporterFilterWriter::buildNewTree(QAReporterDataTree *sourceTree)
{
    m_newTree.reset();
    m_excludedRoots.clear();
    m_indexedNodes = 0;
    m_keptNodes = 0;
    if (!m_filter || !sourceTree)
        return false;
    const QAReporterNode *sourceRoot = sourceTree->root();
    if (!sourceRoot || m_filter->match(*sourceRoot) != QAReporterFilter::Accepted)
        return false;
    m_newTree = std::make_unique<QAReporterDataTree>(new QAReporterNode(*sourceRoot));
    QAReporterDataTree &tree = *m_newTree;
    qsizetype keptNodes = 1;

    // A pre-order walk over the source's nodes with a stack of open levels:
    // each level holds its source node, its copy (null once excluded, which
    // excludes everything below it) and the next child to visit. Below an
    // excluded node whose descendants are pruned from the anchor table the
    // walk does not go: the copy walk checks them off as it passes.
    struct Level
    {
        const TreeNode *source;
        TreeNode *copy;
        qsizetype nextChild;
    };
    std::vector<Level> levels{{sourceTree->rootNode(), tree.rootNode(), 0}};
    while (!levels.empty()) {
        Level &top = levels.back();
        const auto &children = top.source->children();
        if (top.nextChild == children.size()) {
            levels.pop_back();
            continue;
        }
        const TreeNode *child = children.at(top.nextChild++);
        QAReporterNode *node = child->data();
        TreeNode *copy = nullptr;
        if (top.copy && m_filter->match(*node) == QAReporterFilter::Accepted) {
            copy = tree.appendChild(top.copy, new QAReporterNode(*node));
            ++keptNodes;
        } else {
            ++m_indexedNodes;
            // Only the first node of each excluded subtree is listed: the
            // others follow from it.
            if (top.copy) {
                m_excludedRoots.push_back(child);
                if (prunesBelow(child))
                    continue;
            }
        }
        // `top` is not used after this: the push may move it.
        if (child->hasChildren())
            levels.push_back({child, copy, 0});
    }
    // Two entries at most per kept node.
    m_keptNodes = keptNodes;
    m_indexedNodes += 2 * keptNodes;
    return true;
}

bool QAReporterFilterWriter::prunesBelow(const TreeNode *excludedRoot) const
{
    // The text of such a node is dropped as a range, which the nodes below
    // it start inside of in a well nested report.
    const QAReporterNode *node = excludedRoot->data();
    return m_prune && excludedRoot->hasChildren() && node->startItem && node->endItem
        && node->startItem != node->endItem;
}

void QAReporterFilterWriter::indexAnchors()
{
    m_anchors.clear();
    // Sized once, as counted when the tree was built.
    m_anchors.reserve(m_dueInOrder ? 2 * m_keptNodes : m_indexedNodes);
    // The first excluded node (in walk order) anchored on an item decides its
    // drop range. Excluded nodes due in order are met without the table.
    std::vector<const TreeNode *> pending;
    for (const TreeNode *root : m_excludedRoots) {
        if (m_dueInOrder)
            break;
        // The subtree in pre-order, the order in which the nodes were
        // excluded; of a subtree pruned below its first node, that node.
        pending.push_back(root);
        const bool pruned = prunesBelow(root);
        while (!pending.empty()) {
            const TreeNode *treeNode = pending.back();
            pending.pop_back();
            QAReporterNode *node = treeNode->data();
            if (node->startItem)
                m_anchors.addExcluded(node->startItem, node);
            if (!pruned)
                pending.insert(pending.end(), treeNode->children().crbegin(), treeNode->children().crend());
        }
    }
    // Every item a kept node refers to, so that its copy is known at the end.
    if (m_newTree) {
        forEachNode(m_newTree->rootNode(), [this](QAReporterNode &node) {
            if (node.startItem)
                m_anchors.add(node.startItem);
            if (node.endItem)
                m_anchors.add(node.endItem);
        });
    }
}

void QAReporterFilterWriter::mapLeftovers()
{
    if (!m_newTree)
        return;
    // Pointers the cursor re-pointed already lead into the new document;
    // those still on a source item go to its copy, or to null when the item
    // was dropped.
    auto map = [this](DItem *&item) {
        if (!item)
            return;
        if (const Anchor *anchor = m_anchors.find(item))
            item = anchor->copy();
    };
    forEachNode(m_newTree->rootNode(), [&map](QAReporterNode &node) {
        map(node.startItem);
        map(node.endItem);
    });
}

void QAReporterFilterWriter::walk(DItem *first)
{
    Frame frame;
    frame.nextSource = first;
    m_frames.push_back(frame);
    while (!m_frames.empty()) {
        Frame &top = m_frames.back();
        DItem *item = top.nextSource;
        if (!item) {
            leaveFrame();
            continue;
        }
        top.nextSource = item->next();
        // Only documents stand at the top level of a copy.
        if (!top.copy && item->kind() != DItem::Document)
            continue;
        // May push a frame for the item's children; `top` is not used after.
        doItem(item);
    }
}

void QAReporterFilterWriter::leaveFrame()
{
    const Frame frame = m_frames.back();
    m_frames.pop_back();
    // A drop range never reaches past the container it began in.
    if (m_rangeNode && m_rangeDepth >= m_frames.size())
        closeRange();
    // The top level and documents end without re-pointing.
    if (!frame.copy || frame.document)
        return;
    repointEnd(frame.source, frame.copy);
}

void QAReporterFilterWriter::openChildren(DItemContainer *source, DItemContainer *copy,
                                          bool document)
{
    Frame frame;
    frame.source = source;
    frame.nextSource = source->child();
    frame.copy = copy;
    frame.document = document;
    m_frames.push_back(frame);
}

bool QAReporterFilterWriter::keep(DItem *item)
{
    m_anchor = nullptr;
    if (m_rangeNode) {
        passPruned(item);
        passDue(item);
        if (item == m_rangeNode->endItem)
            closeRange();
        return false;
    }
    QAReporterNode *node = nullptr;
    if (m_due && m_due->startItem == item) {
        // The first excluded node listed on an item decides, as in the table.
        node = m_due;
        do
            advanceDue();
        while (m_due && m_due->startItem == item);
    }
    if (!node && !m_anchors.isEmpty()) {
        Anchor *anchor = m_anchors.find(item);
        if (!anchor)
            return true;
        node = anchor->excluded();
        if (!node) {
            m_anchor = anchor;
            return true;
        }
    }
    if (!node)
        return true;
    passDue(item);
    if (node->endItem != node->startItem)
        openRange(node, item);
    return false;
}

const QTree<QAReporterNode>::QTreeNode *QAReporterFilterWriter::nextDueNode()
{
    // The order indexAnchors() adds the excluded nodes in: each excluded
    // subtree in pre-order, of a pruned one its first node only.
    for (;;) {
        if (m_duePending.empty()) {
            if (m_dueRoot == m_excludedRoots.size())
                return nullptr;
            const TreeNode *root = m_excludedRoots[m_dueRoot++];
            m_dueSubtreePruned = prunesBelow(root);
            m_duePending.push_back(root);
        }
        const TreeNode *node = m_duePending.back();
        m_duePending.pop_back();
        if (!m_dueSubtreePruned)
            m_duePending.insert(m_duePending.end(), node->children().crbegin(), node->children().crend());
        if (node->data()->startItem)
            return node;
    }
}

void QAReporterFilterWriter::advanceDue()
{
    const TreeNode *node = nextDueNode();
    m_due = node ? node->data() : nullptr;
    // The ancestors of its first item from the top level down: the walk
    // stands at depth d on the items whose d-th ancestor is at the top. The
    // climb is bounded, as for the pruned nodes.
    constexpr int MaxClimb = 64;
    m_dueAncestors.clear();
    for (const DItem *item = m_due ? m_due->startItem : nullptr; item; item = item->parent()) {
        if (m_dueAncestors.size() == MaxClimb) {
            m_dueAncestors.clear();
            return;
        }
        m_dueAncestors.push_back(item);
    }
    std::reverse(m_dueAncestors.begin(), m_dueAncestors.end());
}

void QAReporterFilterWriter::passDue(const DItem *dropped)
{
    // A dropped item's children are never visited: the due nodes that start
    // there or inside it are passed with it.
    const std::size_t depth = m_frames.size() - 1;
    while (m_due && depth < m_dueAncestors.size() && m_dueAncestors[depth] == dropped)
        advanceDue();
}

void QAReporterFilterWriter::openRange(QAReporterNode *node, DItem *first)
{
    m_rangeNode = node;
    m_rangeDepth = m_frames.size() - 1;
    m_rangeContainer = m_frames.back().source;
    // The ranges of the subtrees pruned below their first node open in walk
    // order; the nodes below are then checked off as the range passes them.
    const TreeNode *root = nextPrunedRoot();
    if (root && root->data() == node) {
        ++m_nextRoot;
        m_checkRoot = root;
        m_checkNode = root;
        nextPrunedNode();
        passPruned(first);
    }
}

void QAReporterFilterWriter::closeRange()
{
    // Pruned nodes whose first item the range never passed: the table
    // lacked entries it needed.
    if (m_checkNode)
        m_prunedMissed = true;
    m_checkNode = m_checkRoot = nullptr;
    m_rangeNode = nullptr;
}

const QTree<QAReporterNode>::QTreeNode *QAReporterFilterWriter::nextPrunedRoot()
{
    while (m_nextRoot < m_excludedRoots.size() && !prunesBelow(m_excludedRoots[m_nextRoot]))
        ++m_nextRoot;
    return m_nextRoot < m_excludedRoots.size() ? m_excludedRoots[m_nextRoot] : nullptr;
}

void QAReporterFilterWriter::nextPrunedNode()
{
    // The next node below m_checkRoot in pre-order that has a first item.
    const TreeNode *node = m_checkNode;
    do {
        if (node->hasChildren()) {
            node = node->children().first();
            continue;
        }
        while (node != m_checkRoot) {
            const TreeNode *up = node->parent();
            if (node->row() + 1 < up->children().size()) {
                node = up->children().at(node->row() + 1);
                break;
            }
            node = up;
        }
        if (node == m_checkRoot)
            node = nullptr;
    } while (node && !node->data()->startItem);
    m_checkNode = node;

    // The child of the range's container that holds its first item; null
    // when that is not inside the container, or too deep to look for, which
    // no dropped item ever equals. The climb is bounded so that a deeply
    // nested hostile document costs a copy again, not a long climb per node.
    constexpr int MaxClimb = 64;
    m_checkTop = nullptr;
    const DItem *item = node ? node->data()->startItem : nullptr;
    for (int step = 0; item && step < MaxClimb; ++step) {
        if (item->parent() == m_rangeContainer) {
            m_checkTop = item;
            return;
        }
        item = item->parent();
    }
}

void QAReporterFilterWriter::passPruned(const DItem *item)
{
    while (m_checkNode && m_checkTop == item) {
        ++m_prunedNodes;
        nextPrunedNode();
    }
}

void QAReporterFilterWriter::dropped(DItem *item)
{
    DItem *replacement = m_frames.back().lastSibling;
    repointStart(item, replacement);
    repointEnd(item, replacement);
}

void QAReporterFilterWriter::link(DItem *item)
{
    Frame &top = m_frames.back();
    item->setParent(top.copy);
    item->setNext(nullptr);
    if (top.lastSibling)
        top.lastSibling->setNext(item);
    else if (top.copy)
        top.copy->setChild(item);
    else
        m_firstTop = item;
    top.lastSibling = item;
}

template <class T>
T *QAReporterFilterWriter::placeKeptCopy(T *item, bool leadingTag)
{
    if (!keep(item)) {
        dropped(item);
        return nullptr;
    }
    T *copy = new T(*item);
    if (m_anchor)
        m_anchor->setCopy(copy);
    if (repointStart(item, copy) && leadingTag)
        link(new DTag(QString()));
    link(copy);
    return copy;
}

template <class T>
void QAReporterFilterWriter::copyLeaf(T *item, bool leadingTag)
{
    if (T *copy = placeKeptCopy(item, leadingTag))
        repointEnd(item, copy);
}

template <class T>
void QAReporterFilterWriter::copyContainer(T *item)
{
    // The copy's end re-pointing follows its children (see leaveFrame).
    if (T *copy = placeKeptCopy(item, true))
        openChildren(item, copy, false);
}

QAReporterNode *QAReporterFilterWriter::repointStart(const DItem *source, DItem *replacement)
{
    if (!m_cursor.isValid())
        return nullptr;
    QAReporterNode *node = m_cursor.current();
    while (!node->startItem) {
        if (m_cursorDone || !advanceCursor())
            return nullptr;
        node = m_cursor.current();
    }
    if (node->startItem != source)
        return nullptr;
    node->startItem = replacement;
    // Nodes opened back to back share their first item: re-point the chain of
    // first children that starts here, passing over anchorless ones.
    while (m_cursor.toFirstChild()) {
        QAReporterNode *child = m_cursor.current();
        if (!child->startItem)
            continue;
        if (child->startItem != source)
            break;
        child->startItem = replacement;
    }
    return node;
}

void QAReporterFilterWriter::repointEnd(const DItem *source, DItem *replacement)
{
    if (!m_cursor.isValid())
        return;
    QAReporterNode *node = m_cursor.current();
    if (!node->endItem || node->endItem != source)
        return;
    node->endItem = replacement;
    // The nodes this item closes: go to the next sibling, or up, closing each
    // parent at the same place, until a sibling follows.
    for (;;) {
        if (m_cursor.toNextSibling())
            return;
        if (!m_cursor.toParent()) {
            m_cursorDone = true;
            return;
        }
        m_cursor.current()->endItem = replacement;
    }
}

bool QAReporterFilterWriter::advanceCursor()
{
    if (m_cursor.toFirstChild())
        return true;
    for (;;) {
        if (m_cursor.toNextSibling())
            return true;
        if (!m_cursor.toParent()) {
            m_cursorDone = true;
            return false;
        }
    }
}

void QAReporterFilterWriter::doDocument(DDocument *item)
{
    // A dropped document takes its text with it and re-points nothing.
    if (!keep(item))
        return;
    auto *copy = new DDocument(*item);
    if (m_anchor)
        m_anchor->setCopy(copy);
    // Links name documents, so the node anchored on the document carries
    // the document's name.
    if (QAReporterNode *anchored = repointStart(item, copy))
        anchored->id = copy->name();
    link(copy);
    openChildren(item, copy, true);
}

// Axes take no leading tag; points copy their coordinates too.
void QAReporterFilterWriter::doAxis(DAxis *item) { copyLeaf(item, false); }
void QAReporterFilterWriter::doPoint(DPoint *item)
{
    if (DPoint *copy = placeKeptCopy(item, true)) {
        copy->copyCoord(item);
        repointEnd(item, copy);
    }
}
void QAReporterFilterWriter::doSection(DSection *item) { copyContainer(item); }
void QAReporterFilterWriter::doTitle(DTitle *item) { copyContainer(item); }
void QAReporterFilterWriter::doHeader(DHeader *item) { copyContainer(item); }
void QAReporterFilterWriter::doFooter(DFooter *item) { copyContainer(item); }
void QAReporterFilterWriter::doPageBreak(DPageBreak *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doParagraph(DParagraph *item) { copyContainer(item); }
void QAReporterFilterWriter::doText(DText *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doImage(DImage *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doList(DList *item) { copyContainer(item); }
void QAReporterFilterWriter::doLink(DLink *item) { copyContainer(item); }
void QAReporterFilterWriter::doTag(DTag *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doTable(DTable *item) { copyContainer(item); }
void QAReporterFilterWriter::doRow(DRow *item) { copyContainer(item); }
void QAReporterFilterWriter::doCell(DCell *item) { copyContainer(item); }
void QAReporterFilterWriter::doCellText(DCellText *item) { copyContainer(item); }
void QAReporterFilterWriter::doTagPointer(DTagPointer *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doPopupLink(DPopupLink *item) { copyContainer(item); }
void QAReporterFilterWriter::doPopup(DPopup *item) { copyContainer(item); }
void QAReporterFilterWriter::doSummary(DSummary *item) { copyContainer(item); }
void QAReporterFilterWriter::doSEntry(DSEntry *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doIndex(DIndex *item) { copyContainer(item); }
void QAReporterFilterWriter::doIEntry(DIEntry *item) { copyLeaf(item, true); }
void QAReporterFilterWriter::doGraphic(DGraphic *item) { copyContainer(item); }
void QAReporterFilterWriter::doCurve(DCurve *item) { copyContainer(item); }
