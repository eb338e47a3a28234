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
        return 24 + item->toText()->utf8Text().utf16Size();
    case DItem::CellText:
        return 16 + item->toCellText()->text().size();
    case DItem::Link:
        return 40 + item->toLink()->utf8Target().utf16Size();
    default:
        return 24;
    }
}

// A node's entry in the outline of the page that holds it.
qint64 outlineBytes(const DHTMLOutline& outline, int index)
{
    const DHTMLOutline::Node& node = outline.node(index);
    return 110 + 2 * node.label.size() + node.type.size() + outline.anchorIdSize(index);
}

// What a node with a page of its own leaves in its parent's page: the link in the text
// and its entry in the outline.
qint64 stubBytes(const DHTMLOutline& outline, int index)
{
    return 60 + 40 + outlineBytes(outline, index);
}

} // namespace

bool DHTMLPagePlan::build(const DHTMLOutline* outline, const DDocument* document, qint64 budget,
                          const ItemVisitor& visit)
{
    m_outline = outline;
    const size_t n = outline ? size_t(outline->size()) : 0;
    m_rangeEnds.assign(n, nullptr);
    m_own.assign(n, 0);
    m_documents.assign(n, 0);
    m_holder.assign(n, 0);
    m_ownPage.assign(n, -1);
    m_pageRoots.assign(1, -1);
    m_pageLasts.assign(1, -1);
    m_pageBytes.assign(1, 0);
    m_rootOwn = 0;
    m_tagNodes.clear();
    m_itemNodes.clear();
    m_starts.clear();
    if (!outline || !document || n == 0)
        return false;
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
    // Reports hold a title, tag or link in most nodes and a tag in many: room made at once
    // spares the tables' growing (each step a copy into fresh memory) during the walk.
    m_itemNodes.reserve(qsizetype(n));
    m_tagNodes.reserve(qsizetype(n / 2));
    walk(document, visit);
    if (budget > 0)
        partition(budget);
    return true;
}

void DHTMLPagePlan::walk(const DDocument* document, const ItemVisitor& visit)
{
    // The nodes starting at an item are a node and its first descendants: consecutive indexes.
    DHTMLItemMap starts;
    DHTMLItemMap ends;
    starts.reserve(m_outline->size());
    ends.reserve(m_outline->size());
    for (int k = 0; k < m_outline->size(); ++k) {
        if (!m_rangeEnds[size_t(k)])
            continue;
        starts.add(m_outline->node(k).first, k);
        ends.add(m_rangeEnds[size_t(k)], k);
    }
    starts.sort();
    ends.sort();
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
        if (visit)
            visit(it);
        if (!it->parent() && it->kind() == DItem::Document)
            ++documentNumber;
        const DHTMLItemMap::Entry* startsEnd = nullptr;
        const DHTMLItemMap::Entry* first = starts.find(it, &startsEnd);
        if (first != startsEnd) {
            // From the first of them (the values come from the largest down).
            for (int k = (startsEnd - 1)->value; k < m_outline->size() && m_outline->node(k).first == it; ++k) {
                if (!m_rangeEnds[size_t(k)])
                    continue;
                open.push_back({k, depth, false});
                m_documents[size_t(k)] = documentNumber;
            }
        }
        const DHTMLItemMap::Entry* endsEnd = nullptr;
        if (ends.find(it, &endsEnd) != endsEnd) {
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
            // The first tag of a name counts; one look-up whether the name is new or not.
            const qsizetype known = m_tagNodes.size();
            int& tagNode = m_tagNodes[it->toTag()->name()];
            if (m_tagNodes.size() != known)
                tagNode = holder;
            if (holder >= 0)
                m_itemNodes.add(it, holder);
        } else if ((it->kind() == DItem::Title || it->kind() == DItem::Link) && holder >= 0) {
            m_itemNodes.add(it, holder);
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
    m_itemNodes.sort();
}

bool DHTMLPagePlan::adjacent(int a, int b) const
{
    return m_rangeEnds[size_t(a)] && m_rangeEnds[size_t(b)]
           && m_outline->node(a).first->parent() == m_outline->node(b).first->parent();
}

void DHTMLPagePlan::partition(qint64 budget)
{
    const int n = m_outline->size();
    const qint64 room = qMax<qint64>(1024, budget - PageOverhead);
    std::vector<qint64> kept(static_cast<size_t>(n), 0);
    // A node's children follow it in pre-order, each after the subtree of the one before:
    // listed into one reused vector rather than a vector per node.
    std::vector<int> kids;
    auto childrenOf = [&](int k) -> const std::vector<int>& {
        kids.clear();
        const int end = k < 0 ? n : k + m_outline->subtreeSize(k);
        for (int c = k + 1; c < end; c += m_outline->subtreeSize(c))
            kids.push_back(c);
        return kids;
    };
    std::vector<bool> split(static_cast<size_t>(n), false);
    // Groups of siblings sharing a page: first node -> last node and estimated bytes.
    std::vector<int> groupLast(static_cast<size_t>(n), -1);
    std::vector<qint64> groupBytes(static_cast<size_t>(n), 0);
    // Children are done before their parent: the largest ones with a text of their own leave
    // while the parent is over its room.
    auto settleSingly = [&](qint64 size, const std::vector<int>& kids, qint64 fit, qint64& stubs) {
        std::vector<int> order;
        for (int c : kids)
            if (m_rangeEnds[size_t(c)])
                order.push_back(c);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return kept[size_t(a)] > kept[size_t(b)]; });
        for (int c : order) {
            // A page for a node hardly larger than the line it leaves behind gains nothing.
            const qint64 stub = stubBytes(*m_outline, c);
            if (size <= fit || kept[size_t(c)] <= 2 * stub)
                break;
            split[size_t(c)] = true;
            size -= kept[size_t(c)] - stub;
            stubs += stub;
        }
        return size;
    };
    // A wide node: children of more than half a page get their own, runs of the others are
    // packed in order onto pages of up to half a page (a browser lays a page out in about
    // the time it takes to read it).
    auto settleShared = [&](qint64 size, const std::vector<int>& kids) {
        std::vector<int> run;
        qint64 runBytes = 0;
        auto closeRun = [&]() {
            if (run.size() > 1) {
                groupLast[size_t(run.front())] = run.back();
                groupBytes[size_t(run.front())] = runBytes;
                size -= runBytes - stubBytes(*m_outline, run.front());
            } else if (run.size() == 1 && kept[size_t(run.front())] > 2 * stubBytes(*m_outline, run.front())) {
                split[size_t(run.front())] = true;
                size -= kept[size_t(run.front())] - stubBytes(*m_outline, run.front());
            }
            run.clear();
            runBytes = 0;
        };
        for (int c : kids) {
            if (!m_rangeEnds[size_t(c)]) {
                closeRun();
                continue;
            }
            if (kept[size_t(c)] > room / 2) {
                closeRun();
                split[size_t(c)] = true;
                size -= kept[size_t(c)] - stubBytes(*m_outline, c);
                continue;
            }
            if (!run.empty() && (runBytes + kept[size_t(c)] > room / 2 || !adjacent(run.back(), c)))
                closeRun();
            run.push_back(c);
            runBytes += kept[size_t(c)];
        }
        closeRun();
        return size;
    };
    // fit: the bytes the page should come down to.
    auto settle = [&](qint64 own, const std::vector<int>& kids, qint64 fit) {
        qint64 size = own;
        for (int c : kids)
            size += kept[size_t(c)];
        if (size <= fit)
            return size;
        // Pages of their own do when the lines they leave take little of the parent's page;
        // thousands of such lines (a page mostly of links) make the node wide.
        qint64 stubs = 0;
        const qint64 singly = settleSingly(size, kids, fit, stubs);
        if (singly <= fit && stubs <= room / 8)
            return singly;
        for (int c : kids)
            split[size_t(c)] = false;
        return settleShared(size, kids);
    };
    for (int k = n - 1; k >= 0; --k)
        kept[size_t(k)] = settle(m_own[size_t(k)] + outlineBytes(*m_outline, k), childrenOf(k), room);
    // A report that fits is one page; else the report page, what opens first, keeps to an
    // eighth of a page where it can, its larger parts going to pages of their own.
    const std::vector<int> top = childrenOf(-1);
    qint64 whole = m_rootOwn;
    for (int c : top)
        whole += kept[size_t(c)];
    m_pageBytes[0] = settle(m_rootOwn, top, whole <= room ? room : room / 8);
    // The group pages whose members are being met, innermost last: page and one past the
    // last member's subtree.
    std::vector<std::pair<int, int>> groups;
    for (int k = 0; k < n; ++k) {
        const int parent = m_outline->node(k).parent;
        while (!groups.empty() && k >= groups.back().second)
            groups.pop_back();
        if (split[size_t(k)] || groupLast[size_t(k)] >= 0) {
            const int last = split[size_t(k)] ? k : groupLast[size_t(k)];
            m_ownPage[size_t(k)] = int(m_pageRoots.size());
            m_pageRoots.push_back(k);
            m_pageLasts.push_back(last);
            m_pageBytes.push_back(split[size_t(k)] ? kept[size_t(k)] : groupBytes[size_t(k)]);
            m_starts.add(m_outline->node(k).first, k);
            if (last != k)
                groups.emplace_back(m_ownPage[size_t(k)], last + m_outline->subtreeSize(last));
        }
        if (m_ownPage[size_t(k)] >= 0)
            m_holder[size_t(k)] = m_ownPage[size_t(k)];
        else if (!groups.empty() && parent == m_outline->node(m_pageRoots[size_t(groups.back().first)]).parent)
            m_holder[size_t(k)] = groups.back().first; // a later member of the group
        else
            m_holder[size_t(k)] = parent >= 0 ? m_holder[size_t(parent)] : 0;
    }
    m_starts.sort();
}

int DHTMLPagePlan::pageEndIndex(int page) const
{
    const int last = pageLast(page);
    return last < 0 ? 0 : last + m_outline->subtreeSize(last);
}

bool DHTMLPagePlan::coversNode(int page, int node) const
{
    const int root = pageRoot(page);
    return root < 0 || (node >= root && node < pageEndIndex(page));
}

const DItem* DHTMLPagePlan::pageEnd(int page) const
{
    const int last = pageLast(page);
    return last < 0 ? nullptr : rangeEnd(last);
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
    return pageOfNode(nodeOfItem(item));
}

int DHTMLPagePlan::nodeOfItem(const DItem* item) const
{
    // Each item is walked once, so it has one node at most.
    const DHTMLItemMap::Entry* end = nullptr;
    const DHTMLItemMap::Entry* found = m_itemNodes.find(item, &end);
    return found != end ? found->value : -1;
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
    const DHTMLItemMap::Entry* end = nullptr;
    for (const DHTMLItemMap::Entry* e = m_starts.find(item, &end); e != end; ++e) {
        const int node = e->value;
        if (node != root && coversNode(page, node) && (found < 0 || node < found))
            found = node;
    }
    return found;
}

QString DHTMLPagePlan::pageName(const QString& base, int page) const
{
    if (page <= 0)
        return base;
    QString name = base + QStringLiteral(".n") + QString::number(pageRoot(page) + 1);
    if (isGroupPage(page))
        name += QLatin1Char('-') + QString::number(pageLast(page) + 1);
    return name;
}

QHash<QString, QString> DHTMLPagePlan::tagPageNames() const
{
    QHash<QString, QString> names;
    if (!isSplit())
        return names;
    names.reserve(m_tagNodes.size());
    for (auto it = m_tagNodes.cbegin(); it != m_tagNodes.cend(); ++it)
        names.insert(it.key(), pageName(QString(), pageOfNode(it.value())));
    return names;
}
