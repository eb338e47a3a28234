#include "rendoc/html/dhtmloutline.h"

#include <utility>

qsizetype DHTMLOutline::anchorIdSize(int index) const
{
    const Node& n = node(index);
    const QString text = textId(index);
    if (!text.isEmpty())
        return m_idPrefix.size() + text.size();
    if (n.number < 0)
        return 0;
    qsizetype digits = 1;
    for (int rest = n.number; rest >= 10; rest /= 10)
        ++digits;
    return m_idPrefix.size() + digits;
}

int DHTMLOutline::add(Node node, const QString& id)
{
    const int index = size();
    if (!id.isEmpty())
        m_textIds.insert(index, id);
    if (node.parent >= index || node.parent < -1)
        node.parent = -1;
    const bool failed = node.verdict == Failed;
    const int parent = node.parent;
    m_nodes.push_back(std::move(node));
    m_subtree.push_back(1);
    m_failing.push_back(failed);
    // Every ancestor's subtree grows by one, and holds a failure when this node is one.
    for (int p = parent; p >= 0; p = m_nodes[size_t(p)].parent) {
        ++m_subtree[size_t(p)];
        if (failed)
            m_failing[size_t(p)] = true;
    }
    return index;
}

void DHTMLOutline::reserve(int count)
{
    m_nodes.reserve(size_t(qMax(0, count)));
    m_subtree.reserve(size_t(qMax(0, count)));
    m_failing.reserve(size_t(qMax(0, count)));
}

void DHTMLOutline::clear()
{
    m_idPrefix.clear();
    m_textIds.clear();
    m_nodes.clear();
    m_subtree.clear();
    m_failing.clear();
}
