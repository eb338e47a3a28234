#include "rendoc/html/dhtmloutline.h"

int DHTMLOutline::add(const Node& node)
{
    const int index = size();
    m_nodes.push_back(node);
    if (node.parent >= index || node.parent < -1)
        m_nodes.back().parent = -1;
    m_subtree.push_back(1);
    m_failing.push_back(node.verdict == Failed);
    // Every ancestor's subtree grows by one, and holds a failure when this node is one.
    for (int p = m_nodes.back().parent; p >= 0; p = m_nodes[size_t(p)].parent) {
        ++m_subtree[size_t(p)];
        if (node.verdict == Failed)
            m_failing[size_t(p)] = true;
    }
    return index;
}

void DHTMLOutline::clear()
{
    m_nodes.clear();
    m_subtree.clear();
    m_failing.clear();
}
