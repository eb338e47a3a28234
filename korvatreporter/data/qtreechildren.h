#pragma once

#include "rendoc/model/dpool.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

// The ordered children of one tree node: the first few held in the list itself, more in an
// array of their own.
//
// Most parents of a report have a handful of children (a test case and its checks) and
// there are hundreds of thousands of them: the list comes from DPool with room for
// InlineCount children, so such a parent costs one pool block and no heap array. A parent
// with more (a suite of thousands of cases) moves them to a heap array that doubles, grown
// with realloc(), which moves a large array's pages instead of copying them.
template <class Node>
class QTreeChildren
{
public:
    static constexpr int InlineCount = 4;

    // The inline slots are written before they are read.
    QTreeChildren() noexcept {}
    ~QTreeChildren()
    {
        if (m_data != m_inline)
            std::free(m_data);
    }
    QTreeChildren(const QTreeChildren &) = delete;
    QTreeChildren &operator=(const QTreeChildren &) = delete;

    static void *operator new(std::size_t size) { return DPool::allocate(size); }
    static void operator delete(void *block, std::size_t size) noexcept { DPool::release(block, size); }

    using const_iterator = Node *const *;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    Node *at(qsizetype index) const
    {
        Q_ASSERT(index >= 0 && index < m_size);
        return m_data[index];
    }
    // The position of `node`, -1 when it is not a child here.
    qsizetype indexOf(const Node *node) const
    {
        const const_iterator found = std::find(begin(), end(), node);
        return found == end() ? -1 : found - begin();
    }
    Node *first() const { return at(0); }
    Node *last() const { return at(m_size - 1); }

    const_iterator begin() const { return m_data; }
    const_iterator end() const { return m_data + m_size; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    const_reverse_iterator crbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator crend() const { return const_reverse_iterator(begin()); }

    void append(Node *node)
    {
        reserveOne();
        m_data[m_size++] = node;
    }
    void insert(qsizetype index, Node *node)
    {
        Q_ASSERT(index >= 0 && index <= m_size);
        reserveOne();
        std::memmove(m_data + index + 1, m_data + index, sizeof(Node *) * std::size_t(m_size - index));
        m_data[index] = node;
        ++m_size;
    }
    Node *takeLast()
    {
        Q_ASSERT(m_size > 0);
        return m_data[--m_size];
    }

private:
    void reserveOne()
    {
        if (m_size < m_capacity)
            return;
        const int capacity = m_capacity * 2;
        void *grown = m_data == m_inline ? std::malloc(sizeof(Node *) * std::size_t(capacity))
                                         : std::realloc(m_data, sizeof(Node *) * std::size_t(capacity));
        if (!grown)
            throw std::bad_alloc();
        if (m_data == m_inline)
            std::memcpy(grown, m_inline, sizeof(m_inline));
        m_data = static_cast<Node **>(grown);
        m_capacity = capacity;
    }

    Node **m_data = m_inline;
    int m_size = 0;
    int m_capacity = InlineCount;
    Node *m_inline[InlineCount];
};
