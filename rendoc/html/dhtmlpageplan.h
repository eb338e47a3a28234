#pragma once

#include "rendoc/html/dhtmlitemmap.h"

#include <QHash>
#include <QString>

#include <functional>
#include <vector>

class DDocument;
class DHTMLOutline;
class DItem;

// How one report is cut into pages of about a given size.
//
// A report whose text and outline fit in the budget is one page. A larger one keeps a report
// page (brought down to an eighth of the budget where it can, as it opens first) and gives
// the largest nodes below it pages of their own, bottom up, until every page fits: a node's page holds its text but for the nodes below it that have pages of their
// own, which leave a link in their place. A node can have a page when its text is a run of
// sibling items (from its first item to the ancestor of its last item beside it). Sizes are
// estimated from the items' texts in one walk over the document, before anything is written.
//
// A node too wide for that (thousands of children, whose links would fill much of its page
// or pass the budget) shares its children out instead: each child of more than half a page
// gets its own, and runs of consecutive smaller siblings are packed onto shared pages of up
// to half a page each (a group page, which holds the text from its first node to its last).
//
// Pages are numbered from 0 (the report page); page k > 0 is named "<base>.n<ordinal>" with
// the node's ordinal in the outline from 1, and a group page "<base>.n<first>-<last>" with
// the ordinals of its first and last node: names a report page never has (report page names
// hold no '.'), the same for the same input.
class DHTMLPagePlan
{
public:
    // The estimated size of a page beyond its text: head, styles, script, navigation.
    static constexpr qint64 PageOverhead = 12 * 1024;

    // Sees every item of the document, in document order, during the plan's walk.
    using ItemVisitor = std::function<void(const DItem*)>;

    // Plans the pages of document (and the documents chained after it) along outline, whose
    // items must belong to that document. budget: the bytes a page should stay under (0: one
    // page). outline may be null (one page). With an outline the walk is made whatever the
    // budget, so nodeOfItem() always answers, and visit (when set) is given each item: a
    // writer that needs a walk of its own before writing shares this one. Answers whether
    // the walk was made.
    bool build(const DHTMLOutline* outline, const DDocument* document, qint64 budget,
               const ItemVisitor& visit = ItemVisitor());

    int pageCount() const { return int(m_pageRoots.size()); }
    bool isSplit() const { return pageCount() > 1; }
    // The node whose text page holds (-1 for the report page); a group page's first node.
    int pageRoot(int page) const { return m_pageRoots[size_t(page)]; }
    // The last node of a group page; pageRoot() for a node page, -1 for the report page.
    int pageLast(int page) const { return m_pageLasts[size_t(page)]; }
    bool isGroupPage(int page) const { return pageLast(page) != pageRoot(page); }
    // One past the last outline index whose node page holds or starts below (0 for the report
    // page, which holds them all: see pageRoot()).
    int pageEndIndex(int page) const;
    // Whether node lies in the nodes page was made for (its root, its group, their subtrees).
    bool coversNode(int page, int node) const;
    // The last sibling item of page's text (its range ends there), or null for the report page.
    const DItem* pageEnd(int page) const;
    // The page that holds node's text (its anchor), or the report page.
    int pageOfNode(int node) const;
    // The page of node's own (or of the group it starts), or -1.
    int ownPage(int node) const;
    // The page holding the first tag of that name, or -1 for a tag the report lacks.
    int pageOfTag(const QString& name) const;
    // The page holding an item that was walked as a title or tag; 0 for others.
    int pageOfItem(const DItem* item) const;
    // The innermost node whose text holds a title, tag or link item; -1 for none (outside
    // every node, or another kind of item).
    int nodeOfItem(const DItem* item) const;
    // The last sibling item of node's text (its range ends there), or null.
    const DItem* rangeEnd(int node) const;
    // The number of the top-level document holding node's first item (from 0).
    int documentOf(int node) const;
    // The node with a page of its own that starts at item and lies below page's root (the
    // outermost one when several start there), or -1: the writer writes a link there instead.
    int splitAt(const DItem* item, int page) const;
    // The page name of page for a report page named base (without the suffix).
    QString pageName(const QString& base, int page) const;
    // Every tag of a split report with the part of its page's name after the report page's
    // base ("" for the report page itself, ".n17" for a node page); empty when one page holds
    // everything. Kept by a report linking here after this plan is gone.
    QHash<QString, QString> tagPageNames() const;
    // The estimated bytes of the text page holds.
    qint64 estimatedSize(int page) const { return m_pageBytes[size_t(page)]; }

private:
    void walk(const DDocument* document, const ItemVisitor& visit);
    void partition(qint64 budget);
    // Whether the texts of outline siblings a and b (a before b) can share a page: both can be
    // cut out and they lie under the same item.
    bool adjacent(int a, int b) const;

    const DHTMLOutline* m_outline = nullptr;
    std::vector<const DItem*> m_rangeEnds;  // per node; null when it cannot have a page
    std::vector<qint64> m_own;              // per node: estimated bytes of its own text
    std::vector<int> m_documents;           // per node: its document's number
    std::vector<int> m_holder;              // per node: the page holding it
    std::vector<int> m_ownPage;             // per node: its own page or -1
    std::vector<int> m_pageRoots;
    std::vector<int> m_pageLasts;
    std::vector<qint64> m_pageBytes;
    qint64 m_rootOwn = 0;                   // bytes outside every node
    QHash<QString, int> m_tagNodes;         // tag name -> innermost node holding its first tag
    DHTMLItemMap m_itemNodes;               // titles, tags and links -> innermost node holding them
    DHTMLItemMap m_starts;                  // first item -> nodes with a page starting there
};
