#pragma once

#include "korvatreporter/data/qtree.h"

#include <QList>
#include <QtGlobal>

// A cursor on a QTree: the current node and the stack of its ancestors.
//
// Nodes do not know their parents, so the cursor can only go up as far as
// the node it was made on. Next to each ancestor it keeps the position of
// the path's child in that ancestor, which makes sibling steps constant
// time on wide nodes. Copies are independent cursors on the same nodes.
// A failed move leaves the cursor unchanged.
template <class T>
class QTreeIterator
{
public:
    using Node = typename QTree<T>::QTreeNode;

    // A cursor on nothing: every move fails.
    QTreeIterator() = default;

    // A cursor on node, which becomes the cursor's root.
    explicit QTreeIterator(Node *node) : m_current(node)
    {
        if (!node)
            qWarning("QTreeIterator<type>::QTreeIterator<type> : Null parameter");
    }

    // A copy of the tree's own cursor.
    explicit QTreeIterator(const QTree<T> &tree) : QTreeIterator(tree.iterator()) {}

    bool isValid() const { return m_current != nullptr; }

    // The datum of the current node; null on nothing.
    T *current() const { return m_current ? m_current->data() : nullptr; }
    Node *currentNode() const { return m_current; }

    // The datum of the current node's parent; null at the root.
    T *parent() const { return m_ancestors.isEmpty() ? nullptr : m_ancestors.last()->data(); }

    // Number of ancestors plus 1; 0 on nothing.
    int depth() const { return m_current ? int(m_ancestors.size()) + 1 : 0; }

    bool toFirstChild() { return descend(0); }

    bool toLastChild()
    {
        return m_current && m_current->hasChildren()
            && descend(int(m_current->children().size()) - 1);
    }

    bool toNextSibling() { return toSibling(+1); }
    bool toPrevSibling() { return toSibling(-1); }

    bool toParent()
    {
        if (m_ancestors.isEmpty())
            return false;
        m_current = m_ancestors.takeLast();
        m_indices.removeLast();
        return true;
    }

    // Pops the whole ancestor stack; false on nothing.
    bool toRoot()
    {
        if (!m_ancestors.isEmpty()) {
            m_current = m_ancestors.first();
            m_ancestors.clear();
            m_indices.clear();
        }
        return m_current != nullptr;
    }

private:
    bool descend(int index)
    {
        if (!m_current || index < 0 || index >= m_current->children().size())
            return false;
        m_ancestors.append(m_current);
        m_indices.append(index);
        m_current = m_current->children().at(index);
        return true;
    }

    bool toSibling(int offset)
    {
        if (m_ancestors.isEmpty())
            return false;
        const auto &siblings = m_ancestors.last()->children();
        int index = m_indices.last();
        // The remembered position goes stale when another cursor inserted
        // in front of this node; find it again then.
        if (index >= siblings.size() || siblings.at(index) != m_current) {
            index = int(siblings.indexOf(m_current));
            if (index < 0)
                return false;
            m_indices.last() = index;
        }
        const int target = index + offset;
        if (target < 0 || target >= siblings.size())
            return false;
        m_indices.last() = target;
        m_current = siblings.at(target);
        return true;
    }

    Node *m_current = nullptr;
    QList<Node *> m_ancestors; // outermost first; the parent is last
    QList<int> m_indices;      // m_indices[i]: position of the path's child in m_ancestors[i]
};
