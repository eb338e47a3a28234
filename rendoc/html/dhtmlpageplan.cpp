#include "rendoc/html/dhtmlpageplan.h"

#include "rendoc/html/dhtmloutline.h"
#include "rendoc/model/ditems.h"

#include <algorithm>

namespace {

// What an item adds to its page, roughly: its text and the markup around it.
qint64 estimate(const DItem* item)
{
    switch (item->kind()) {
    case DItem::Text:
        return 24 + item->toText()->text().size();
    case DItem::CellText:
        return 16 + item->toCellText()->text().size();
    case DItem::Link:
        return 40 + item->toLink()->target().size();
    default:
        return 24;
    }
}

// A node's entry in the outline of the page that holds it.
qint64 outlineBytes(const DHTMLOutline::Node& node)
{
    return 110 + 2 * node.label.size() + node.type.size() + node.id.size();
}

// What a node with a page of its own leaves in its parent's page: the link in the text
// and its entry in the outline.
qint64 stubBytes(const DHTMLOutline::Node& node)
{
    return 60 + 40 + outlineBytes(node);
}

} // namespace

void DHTMLPagePlan::build(const DHTMLOutline* outline, const DDocument* document, qint64 budget)
{
    m_outline = outline;
    const size_t n = outline ? size_t(outline->size()) : 0;
    m_rangeEnds.assign(n, nullptr);
    m_own.assign(n, 0);
    m_documents.assign(n, 0);
    m_holder.assign(n, 0);
    m_ownPage.assign(n, -1);
    m_pageRoots.assign(1, -1);
    m_pageBytes.assign(1, 0);
    m_rootOwn = 0;
    m_tagNodes.clear();
    m_itemNodes.clear();
    m_starts.clear();
    if (!outline || !document || budget <= 0 || n == 0)
        return;
    // A node's text can be cut out when its last item climbs to a sibling of its first.
    for (size_t k = 0; k < n; ++k) {
        const DHTMLOutline::Node& node = outline->node(int(k));
        if (!node.first || !node.last)
            continue;
        const DItem* end = node.last;
        while (end && end->parent() != node.first->parent())
            end = end->parent();
        m_rangeEnds[k] = end;
    }
    walk(document);
    partition(budget);
}

void DHTMLPagePlan::walk(const DDocument* document)
{
    // The nodes starting at an item are a node and its first descendants: consecutive indexes.
    QHash<const DItem*, int> firstNode;
    QHash<const DItem*, int> ends;
    for (int k = m_outline->size() - 1; k >= 0; --k) {
        if (!m_rangeEnds[size_t(k)])
            continue;
        firstNode.insert(m_outline->node(k).first, k);
        ends[m_rangeEnds[size_t(k)]] += 1;
    }
    struct Open
    {
        int node;
        int depth;
        bool ending; // its last item was walked: it closes when the walk leaves that item
    };
    std::vector<Open> open;
    std::vector<bool> valid(size_t(m_outline->size()), false);
    int ending = 0;
    int depth = 0;
    int documentNumber = -1;
    for (const DItem* it = document; it;) {
        if (!it->parent() && it->kind() == DItem::Document)
            ++documentNumber;
        const auto first = firstNode.constFind(it);
        if (first != firstNode.cend()) {
            for (int k = first.value(); k < m_outline->size() && m_outline->node(k).first == it; ++k) {
                if (!m_rangeEnds[size_t(k)])
                    continue;
                open.push_back({k, depth, false});
                m_documents[size_t(k)] = documentNumber;
            }
        }
        if (ends.contains(it)) {
            for (Open& o : open) {
                if (!o.ending && m_rangeEnds[size_t(o.node)] == it) {
                    o.ending = true;
                    valid[size_t(o.node)] = true;
                    ++ending;
                }
            }
        }
        const int holder = open.empty() ? -1 : open.back().node;
        (holder < 0 ? m_rootOwn : m_own[size_t(holder)]) += estimate(it);
        if (it->kind() == DItem::Tag) {
            if (!m_tagNodes.contains(it->toTag()->name()))
                m_tagNodes.insert(it->toTag()->name(), holder);
            m_itemNodes.insert(it, holder);
        } else if (it->kind() == DItem::Title) {
            m_itemNodes.insert(it, holder);
        }
        int change = 0;
        const DItem* next = it->nextInDocument(nullptr, &change);
        depth += change;
        if (ending > 0) {
            // The outermost node whose last item the walk has left closes with all inside it;
            // an inner one that had not reached its last item cannot be cut out.
            for (size_t i = 0; i < open.size(); ++i) {
                if (open[i].ending && (!next || depth <= open[i].depth)) {
                    for (size_t j = i; j < open.size(); ++j)
                        ending -= open[j].ending ? 1 : 0;
                    open.resize(i);
                    break;
                }
            }
        }
        it = next;
    }
    for (size_t k = 0; k < valid.size(); ++k)
        if (!valid[k])
            m_rangeEnds[k] = nullptr;
}

void DHTMLPagePlan::partition(qint64 budget)
{
    const int n = m_outline->size();
    const qint64 room = qMax<qint64>(1024, budget - PageOverhead);
    std::vector<qint64> kept(static_cast<size_t>(n), 0);
    std::vector<std::vector<int>> children(static_cast<size_t>(n));
    std::vector<int> top;
    for (int k = 0; k < n; ++k) {
        const int parent = m_outline->node(k).parent;
        (parent < 0 ? top : children[size_t(parent)]).push_back(k);
    }
    std::vector<bool> split(static_cast<size_t>(n), false);
    // Children are done before their parent: the largest ones with a text of their own leave
    // while the parent is over its room.
    auto settle = [&](qint64 own, const std::vector<int>& kids) {
        qint64 size = own;
        for (int c : kids)
            size += kept[size_t(c)];
        if (size <= room)
            return size;
        std::vector<int> order;
        for (int c : kids)
            if (m_rangeEnds[size_t(c)])
                order.push_back(c);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return kept[size_t(a)] > kept[size_t(b)]; });
        for (int c : order) {
            // A page for a node hardly larger than the line it leaves behind gains nothing.
            const qint64 stub = stubBytes(m_outline->node(c));
            if (size <= room || kept[size_t(c)] <= 2 * stub)
                break;
            split[size_t(c)] = true;
            size -= kept[size_t(c)] - stub;
        }
        return size;
    };
    for (int k = n - 1; k >= 0; --k)
        kept[size_t(k)] = settle(m_own[size_t(k)] + outlineBytes(m_outline->node(k)), children[size_t(k)]);
    m_pageBytes[0] = settle(m_rootOwn, top);
    for (int k = 0; k < n; ++k) {
        const int parent = m_outline->node(k).parent;
        if (split[size_t(k)]) {
            m_ownPage[size_t(k)] = int(m_pageRoots.size());
            m_pageRoots.push_back(k);
            m_pageBytes.push_back(kept[size_t(k)]);
            m_starts.insert(m_outline->node(k).first, k);
        }
        m_holder[size_t(k)] = split[size_t(k)] ? m_ownPage[size_t(k)]
                              : parent >= 0  ? m_holder[size_t(parent)]
                                             : 0;
    }
}

int DHTMLPagePlan::pageOfNode(int node) const
{
    return node >= 0 && size_t(node) < m_holder.size() ? m_holder[size_t(node)] : 0;
}

int DHTMLPagePlan::ownPage(int node) const
{
    return node >= 0 && size_t(node) < m_ownPage.size() ? m_ownPage[size_t(node)] : -1;
}

int DHTMLPagePlan::pageOfTag(const QString& name) const
{
    const auto it = m_tagNodes.constFind(name);
    return it == m_tagNodes.cend() ? -1 : pageOfNode(it.value());
}

int DHTMLPagePlan::pageOfItem(const DItem* item) const
{
    return pageOfNode(m_itemNodes.value(item, -1));
}

const DItem* DHTMLPagePlan::rangeEnd(int node) const
{
    return node >= 0 && size_t(node) < m_rangeEnds.size() ? m_rangeEnds[size_t(node)] : nullptr;
}

int DHTMLPagePlan::documentOf(int node) const
{
    return node >= 0 && size_t(node) < m_documents.size() ? m_documents[size_t(node)] : 0;
}

int DHTMLPagePlan::splitAt(const DItem* item, int page) const
{
    if (m_starts.isEmpty())
        return -1;
    const int root = pageRoot(page);
    int found = -1;
    for (auto it = m_starts.constFind(item); it != m_starts.cend() && it.key() == item; ++it) {
        const int node = it.value();
        if ((root < 0 || m_outline->isAncestor(root, node)) && (found < 0 || node < found))
            found = node;
    }
    return found;
}

QString DHTMLPagePlan::pageName(const QString& base, int page) const
{
    return page <= 0 ? base : base + QStringLiteral(".n") + QString::number(pageRoot(page) + 1);
}
