#include "korvatreporter/window/qarshownrows.h"

#include <algorithm>
#include <utility>

QARShownRows::QARShownRows(QARTreeModel *tree, QObject *parent)
    : QAbstractTableModel(parent)
    , m_tree(tree)
{
    connect(tree, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(tree, &QAbstractItemModel::modelReset, this, &QARShownRows::onTreeReset);
    // A sort moves rows; the open and hidden nodes stay what they were.
    connect(tree, &QAbstractItemModel::layoutChanged, this, &QARShownRows::relayout);
    connect(tree, &QAbstractItemModel::dataChanged, this, [this] {
        if (!m_rows.empty())
            Q_EMIT dataChanged(index(0, 0), index(int(m_rows.size()) - 1, QARTreeModel::ColumnCount - 1));
    });
    connect(tree, &QAbstractItemModel::headerDataChanged, this,
            &QAbstractItemModel::headerDataChanged);
    rebuild();
}

QARShownRows::~QARShownRows() = default;

void QARShownRows::onTreeReset()
{
    // The nodes may be gone: nothing recorded about them survives.
    m_openDepth = 0;
    m_closed.clear();
    m_open.clear();
    m_hidden.clear();
    rebuild();
    endResetModel();
}

const QARShownRows::Node *QARShownRows::nodeAt(int row) const
{
    return row >= 0 && row < int(m_rows.size()) ? m_rows[size_t(row)] : nullptr;
}

int QARShownRows::depthOf(const Node *node)
{
    int depth = 0;
    for (const Node *up = node ? node->parent() : nullptr; up; up = up->parent())
        ++depth;
    return depth;
}

bool QARShownRows::setOpenAt(const Node *node, int depth, bool open)
{
    if (isOpenAt(node, depth) == open)
        return false;
    if (depth < m_openDepth) {
        if (open)
            m_closed.remove(node);
        else
            m_closed.insert(node);
    } else if (open) {
        m_open.insert(node);
    } else {
        m_open.remove(node);
    }
    return true;
}

bool QARShownRows::hasShownChildren(const Node *node) const
{
    return m_tree && m_tree->shownChildCount(node) > 0;
}

bool QARShownRows::isShownNode(const Node *node) const
{
    if (!node || m_hidden.contains(node))
        return false;
    int depth = depthOf(node);
    for (const Node *up = node->parent(); up; up = up->parent()) {
        if (!isOpenAt(up, --depth) || m_hidden.contains(up))
            return false;
    }
    // The tree model must show it too: its root is one of the file rows.
    return m_tree && m_tree->indexOf(node).isValid();
}

int QARShownRows::rowOf(const Node *node) const
{
    const int count = int(m_rows.size());
    if (!node || count == 0)
        return -1;
    // Lookups go to rows near the one found last (the next failed test, a
    // parent): search outward from it.
    const int hint = std::clamp(m_lastRow, 0, count - 1);
    for (int distance = 0; distance < count; ++distance) {
        const int after = hint + distance;
        const int before = hint - distance;
        if (after >= count && before < 0)
            break;
        if (after < count && m_rows[size_t(after)] == node)
            return m_lastRow = after;
        if (before >= 0 && m_rows[size_t(before)] == node)
            return m_lastRow = before;
    }
    return -1;
}

void QARShownRows::collectBelow(const Node *node, std::vector<const Node *> &out) const
{
    const int top = depthOf(node);
    if (!m_tree || !isOpenAt(node, top))
        return;
    // Pre-order without recursion: children pushed last to first, each with its depth.
    std::vector<std::pair<const Node *, int>> pending;
    const auto pushChildren = [this, &pending](const Node *parent, int depth) {
        for (int row = m_tree->shownChildCount(parent) - 1; row >= 0; --row) {
            const Node *child = m_tree->shownChild(parent, row);
            if (child && !m_hidden.contains(child))
                pending.emplace_back(child, depth);
        }
    };
    pushChildren(node, top + 1);
    while (!pending.empty()) {
        const auto [next, depth] = pending.back();
        pending.pop_back();
        out.push_back(next);
        if (isOpenAt(next, depth))
            pushChildren(next, depth + 1);
    }
}

void QARShownRows::rebuild()
{
    m_rows.clear();
    m_lastRow = 0;
    if (!m_tree)
        return;
    for (int file = 0; file < m_tree->rowCount(); ++file) {
        const Node *root = m_tree->nodeOf(m_tree->index(file, 0));
        if (!root)
            continue;
        m_rows.push_back(root);
        collectBelow(root, m_rows);
    }
    m_rows.shrink_to_fit();
}

void QARShownRows::relayout()
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<const Node *> nodes;
    nodes.reserve(before.size());
    for (const QModelIndex &index : before)
        nodes.append(nodeAt(index.row()));
    rebuild();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = rowOf(nodes.at(i));
        after.append(row < 0 ? QModelIndex() : index(row, before.at(i).column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QModelIndex QARShownRows::treeIndex(const QModelIndex &row) const
{
    if (!m_tree || !row.isValid() || row.model() != this)
        return QModelIndex();
    const QModelIndex at = m_tree->indexOf(nodeAt(row.row()));
    return at.isValid() ? at.siblingAtColumn(row.column()) : at;
}

QModelIndex QARShownRows::rowIndex(const QModelIndex &treeIndex, int column) const
{
    if (!m_tree || treeIndex.model() != m_tree)
        return QModelIndex();
    const int row = rowOf(m_tree->nodeOf(treeIndex));
    return row < 0 ? QModelIndex() : index(row, column);
}

bool QARShownRows::isOpen(const QModelIndex &treeIndex) const
{
    if (!m_tree || treeIndex.model() != m_tree)
        return false;
    const Node *node = m_tree->nodeOf(treeIndex);
    const int depth = depthOf(node);
    // Rows above the open depth without children never opened.
    return isOpenAt(node, depth) && (depth >= m_openDepth || hasShownChildren(node));
}

void QARShownRows::setOpen(const QModelIndex &treeIndex, bool open)
{
    const Node *node = m_tree && treeIndex.model() == m_tree ? m_tree->nodeOf(treeIndex) : nullptr;
    if (!node || isOpen(treeIndex) == open)
        return;
    const int depth = depthOf(node);
    const int row = isShownNode(node) ? rowOf(node) : -1;
    if (row < 0) {
        // Not shown: only its state changes.
        setOpenAt(node, depth, open);
        return;
    }
    std::vector<const Node *> below;
    if (open) {
        setOpenAt(node, depth, true);
        collectBelow(node, below);
        if (!below.empty()) {
            beginInsertRows(QModelIndex(), row + 1, row + int(below.size()));
            m_rows.insert(m_rows.begin() + row + 1, below.cbegin(), below.cend());
            endInsertRows();
        }
    } else {
        collectBelow(node, below);
        setOpenAt(node, depth, false);
        if (!below.empty()) {
            beginRemoveRows(QModelIndex(), row + 1, row + int(below.size()));
            m_rows.erase(m_rows.begin() + row + 1, m_rows.begin() + row + 1 + qsizetype(below.size()));
            endRemoveRows();
        }
    }
    const QModelIndex changed = index(row, QARTreeModel::NameColumn);
    Q_EMIT dataChanged(changed, changed, {BranchRole});
}

void QARShownRows::openTo(const QModelIndex &treeIndex, bool self)
{
    const Node *node = m_tree && treeIndex.model() == m_tree ? m_tree->nodeOf(treeIndex) : nullptr;
    if (!node)
        return;
    QList<const Node *> nodes;
    if (self && hasShownChildren(node))
        nodes.append(node);
    for (const Node *up = node->parent(); up; up = up->parent())
        nodes.append(up);
    openNodes(nodes);
}

void QARShownRows::openNodes(const QList<const Node *> &nodes)
{
    bool changed = false;
    bool rowsChange = false;
    for (const Node *node : nodes) {
        if (node && setOpenAt(node, depthOf(node), true))
            changed = true;
    }
    if (!changed)
        return;
    // Whether any newly opened node is shown now decides between a relayout
    // and nothing: a closed ancestor keeps its rows out.
    for (const Node *node : nodes) {
        if (node && isShownNode(node)) {
            rowsChange = true;
            break;
        }
    }
    if (rowsChange)
        relayout();
}

void QARShownRows::openToDepth(int depth)
{
    if (!m_tree)
        return;
    // File rows open at any depth.
    depth = std::max(depth, 1);
    bool changed = false;
    // Rows closed above the new depth open; rows opened one by one above it are now open by
    // their depth.
    for (auto it = m_closed.begin(); it != m_closed.end();) {
        if (depthOf(*it) < depth) {
            it = m_closed.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (depth > m_openDepth) {
        for (auto it = m_open.begin(); it != m_open.end();)
            it = depthOf(*it) < depth ? m_open.erase(it) : std::next(it);
        m_openDepth = depth;
        changed = true;
    }
    if (changed)
        relayout();
}

void QARShownRows::openAllBelow(const QModelIndex &treeIndex)
{
    const Node *top = m_tree && treeIndex.model() == m_tree ? m_tree->nodeOf(treeIndex) : nullptr;
    if (!top)
        return;
    QList<const Node *> nodes;
    std::vector<const Node *> pending{top};
    while (!pending.empty()) {
        const Node *node = pending.back();
        pending.pop_back();
        const int rows = m_tree->shownChildCount(node);
        if (rows == 0)
            continue;
        nodes.append(node);
        for (int row = 0; row < rows; ++row)
            pending.push_back(m_tree->shownChild(node, row));
    }
    openNodes(nodes);
}

void QARShownRows::setHiddenNodes(QSet<const Node *> nodes)
{
    for (auto it = nodes.begin(); it != nodes.end();) {
        if (!*it || !(*it)->parent())
            it = nodes.erase(it);
        else
            ++it;
    }
    if (nodes == m_hidden)
        return;
    m_hidden = std::move(nodes);
    relayout();
}

bool QARShownRows::isHidden(const QModelIndex &treeIndex) const
{
    return m_tree && treeIndex.model() == m_tree && m_hidden.contains(m_tree->nodeOf(treeIndex));
}

int QARShownRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QARShownRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : QARTreeModel::ColumnCount;
}

QVariant QARShownRows::data(const QModelIndex &index, int role) const
{
    const Node *node = index.isValid() ? nodeAt(index.row()) : nullptr;
    if (!node || !m_tree)
        return QVariant();
    if (index.column() == QARTreeModel::NameColumn) {
        if (role == DepthRole)
            return depthOf(node);
        if (role == BranchRole) {
            if (!hasShownChildren(node))
                return NoBranch;
            return isOpenAt(node, depthOf(node)) ? Open : Closed;
        }
    }
    const QModelIndex at = m_tree->indexOf(node);
    return at.isValid() ? m_tree->data(at.siblingAtColumn(index.column()), role) : QVariant();
}

QVariant QARShownRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_tree ? m_tree->headerData(section, orientation, role) : QVariant();
}

Qt::ItemFlags QARShownRows::flags(const QModelIndex &index) const
{
    // Every row of a flat list is a leaf to the view: it skips the checks
    // for children when laying the rows out.
    if (!index.isValid())
        return QAbstractTableModel::flags(index);
    return QAbstractTableModel::flags(index) | Qt::ItemNeverHasChildren;
}

void QARShownRows::sort(int column, Qt::SortOrder order)
{
    if (m_tree)
        m_tree->sort(column, order);
}
