#pragma once

#include "korvatreporter/data/qtreechildren.h"
#include "rendoc/model/dpool.h"

#include <QList>
#include <QtGlobal>

#include <memory>
#include <vector>

template <class T>
class QTreeIterator;

// A generic ordered tree of T pointers, walked through one built-in cursor.
//
// Every cursor operation records the moves it made in the move log (codes
// in MoveCode), so that a caller walking one tree can replay the same steps
// on another tree it is building. The tree owns its nodes; it owns the data
// only when auto-delete is set.
template <class T>
class QTree
{
public:
    // Traversal modes of next().
    enum Mode { Forward = 0, Backward = 1, SiblingOnly = 2 };

    // Entries of the move log.
    enum MoveCode { Inserted = 0, Up = 1, Down = 2, NextSibling = 3, PrevSibling = 4 };

    // One position of the tree: the datum it carries, its ordered children,
    // its parent and its row among the parent's children. A node owns its
    // children; it owns its datum only when the tree handed it that flag.
    // The parent link and row let an item model answer parent() and index()
    // in constant time. Nodes are allocated from DPool, beside the data they carry;
    // most nodes of a report are leaves, so the list of children is held apart
    // and made with the first child.
    class QTreeNode
    {
    public:
        explicit QTreeNode(T *datum) : m_data(datum) {}

        static void *operator new(std::size_t size) { return DPool::allocate(size); }
        static void operator delete(void *block, std::size_t size) noexcept
        {
            DPool::release(block, size);
        }

        // Frees the subtree with an explicit work list, so that a chain of
        // any depth is released without recursion.
        ~QTreeNode()
        {
            std::vector<QTreeNode *> pending;
            takeChildren(pending);
            while (!pending.empty()) {
                QTreeNode *node = pending.back();
                pending.pop_back();
                node->takeChildren(pending);
                delete node;
            }
            if (m_ownsData)
                delete m_data;
        }

        QTreeNode(const QTreeNode &) = delete;
        QTreeNode &operator=(const QTreeNode &) = delete;

        T *data() const { return m_data; }
        using Children = QTreeChildren<QTreeNode>;
        const Children &children() const { return m_children ? *m_children : noChildren(); }
        bool hasChildren() const { return m_children && !m_children->isEmpty(); }
        // The node this one is a child of; null on a root.
        QTreeNode *parent() const { return m_parent; }
        // The position among the parent's children; 0 on a root.
        int row() const { return m_row; }

    private:
        friend class QTree<T>;

        static const Children &noChildren()
        {
            static const Children none;
            return none;
        }
        Children &childList()
        {
            if (!m_children)
                m_children = std::make_unique<Children>();
            return *m_children;
        }
        // Moves the children to the end of `pending` and drops the list.
        void takeChildren(std::vector<QTreeNode *> &pending)
        {
            if (!m_children)
                return;
            pending.insert(pending.end(), m_children->cbegin(), m_children->cend());
            m_children.reset();
        }

        bool m_ownsData = false;
        int m_row = 0;
        T *m_data;
        QTreeNode *m_parent = nullptr;
        std::unique_ptr<Children> m_children;
    };

    // A tree whose root carries rootDatum, with the cursor on the root.
    // A null datum gives the same tree as the default constructor.
    explicit QTree(T *rootDatum)
    {
        if (rootDatum) {
            m_root = std::make_unique<QTreeNode>(rootDatum);
            m_cursor = std::make_unique<QTreeIterator<T>>(m_root.get());
        }
    }

    // A tree without root and cursor: every cursor operation fails.
    QTree() = default;

    // Hands the auto-delete flag to every node, then frees them all.
    virtual ~QTree()
    {
        m_cursor.reset();
        if (m_root)
            freeNodes(m_root.release());
    }

    QTree(const QTree &) = delete;
    QTree &operator=(const QTree &) = delete;

    // The datum under the cursor; null without a cursor.
    T *current() const { return m_cursor ? m_cursor->current() : nullptr; }

    // Moves the cursor to the root and returns its datum. The move log is
    // left as it is.
    T *root()
    {
        if (!m_cursor)
            return nullptr;
        m_cursor->toRoot();
        return m_cursor->current();
    }

    // 1 on the root, one more per level below; 0 without a cursor.
    int depth() const { return m_cursor ? m_cursor->depth() : 0; }

    // One step of a walk in the given mode (see Mode). The walk never
    // returns the node it starts from; it returns null once it is back on
    // the root, or for an unknown mode.
    T *next(int mode)
    {
        if (!m_cursor)
            return nullptr;
        m_moveLog.clear();
        switch (mode) {
        case Forward:
            return step(&QTreeIterator<T>::toFirstChild, &QTreeIterator<T>::toNextSibling,
                        NextSibling);
        case Backward:
            return step(&QTreeIterator<T>::toLastChild, &QTreeIterator<T>::toPrevSibling,
                        PrevSibling);
        case SiblingOnly:
            qWarning("Not implemented...");
            return m_cursor->toNextSibling() ? m_cursor->current() : nullptr;
        default:
            return nullptr;
        }
    }

    // Moves to the parent and returns its datum; null at the root, where
    // the cursor stays. The log holds the attempted move either way.
    T *toParent()
    {
        if (!m_cursor)
            return nullptr;
        m_moveLog.clear();
        m_moveLog.append(Up);
        return m_cursor->toParent() ? m_cursor->current() : nullptr;
    }

    // Moves to the last child and returns its datum; null on a leaf, where
    // the cursor stays. The log holds the attempted move either way.
    T *toLastChild()
    {
        if (!m_cursor)
            return nullptr;
        m_moveLog.clear();
        m_moveLog.append(Down);
        return m_cursor->toLastChild() ? m_cursor->current() : nullptr;
    }

    // Frees the current node's last child and everything under it (with
    // their data when the tree deletes data), without recursion. The cursor
    // stays; false on a leaf or without a cursor.
    bool removeLastChild()
    {
        if (!m_cursor || !m_cursor->currentNode()->hasChildren())
            return false;
        freeNodes(m_cursor->currentNode()->m_children->takeLast());
        return true;
    }

    // Inserts datum among the current node's children at index; a negative
    // index or one beyond the last child appends. The cursor stays on the
    // parent. Fails without a cursor or with a null datum; the caller then
    // keeps the datum.
    bool insert(T *datum, int index = -1)
    {
        if (!m_cursor || !datum)
            return false;
        m_moveLog.clear();
        m_moveLog.append(Inserted);
        QTreeNode *parent = m_cursor->currentNode();
        auto &children = parent->childList();
        auto *node = new QTreeNode(datum);
        node->m_parent = parent;
        if (index < 0 || index >= children.size()) {
            node->m_row = int(children.size());
            children.append(node);
            return true;
        }
        // Inserting in front renumbers the siblings that move back.
        children.insert(index, node);
        for (qsizetype i = index; i < children.size(); ++i)
            children.at(i)->m_row = int(i);
        return true;
    }

    // Appends datum as the last child of `parent`, a node of this tree, and
    // returns its node; the cursor does not move and the move log is left as
    // it is. For builders that walk another tree's nodes directly: a copy of
    // a large tree then costs no cursor steps. Null for a null datum or parent.
    QTreeNode *appendChild(QTreeNode *parent, T *datum)
    {
        if (!parent || !datum)
            return nullptr;
        auto *node = new QTreeNode(datum);
        node->m_parent = parent;
        auto &children = parent->childList();
        node->m_row = int(children.size());
        children.append(node);
        return node;
    }

    // The moves of the last cursor operation, in order. The list is
    // implicitly shared: a copy kept by the caller is not changed by later
    // operations.
    QList<int> moveLog() const { return m_moveLog; }

    // With auto-delete set, destroying the tree destroys every datum too.
    void setAutoDelete(bool enable) { m_autoDelete = enable; }
    bool autoDelete() const { return m_autoDelete; }

    // A copy of the cursor, standing where the tree's cursor stands; a
    // cursor on nothing when the tree has none. Moving the copy does not
    // move the tree's cursor.
    QTreeIterator<T> iterator() const
    {
        return m_cursor ? *m_cursor : QTreeIterator<T>();
    }

    QTreeNode *rootNode() const { return m_root.get(); }
    QTreeNode *currentNode() const { return m_cursor ? m_cursor->currentNode() : nullptr; }

private:
    // Shared body of the Forward and Backward walks: down first, else across,
    // else climb until a sibling is found or the root is reached.
    T *step(bool (QTreeIterator<T>::*down)(), bool (QTreeIterator<T>::*across)(),
            MoveCode acrossCode)
    {
        QTreeIterator<T> &cursor = *m_cursor;
        if ((cursor.*down)()) {
            m_moveLog.append(Down);
            return cursor.current();
        }
        for (;;) {
            if ((cursor.*across)()) {
                m_moveLog.append(acrossCode);
                return cursor.current();
            }
            if (!cursor.toParent())
                return nullptr;
            m_moveLog.append(Up);
        }
    }

    // Frees `top` and every node under it, without recursion, with their
    // data when the tree deletes data.
    void freeNodes(QTreeNode *top)
    {
        std::vector<QTreeNode *> pending{top};
        while (!pending.empty()) {
            QTreeNode *node = pending.back();
            pending.pop_back();
            node->takeChildren(pending);
            node->m_ownsData = m_autoDelete;
            delete node;
        }
    }

    QList<int> m_moveLog;
    std::unique_ptr<QTreeNode> m_root;
    std::unique_ptr<QTreeIterator<T>> m_cursor;
    bool m_autoDelete = false;
};

#include "korvatreporter/data/qtreeiterator.h"
