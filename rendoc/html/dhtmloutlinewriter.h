#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>

class DHTMLOutline;
class DHTMLPagePlan;
class DHTMLOutput;

// Writes the outline of one page of a report: the node tree with verdict marks and links to
// each node's text, folded with <details> (no script needed) and open on the branches that
// hold a failure. A page shows the nodes whose text it holds; a node with a page of its own
// is one entry there, its tree continuing on its page, and so is a run of siblings sharing a
// page, so no page lists more nodes than it holds. A node page starts with the chain of its ancestors, each linking to its page.
// Entries carry class "f" when their branch holds a failure, for the page script's filter.
class DHTMLOutlineWriter
{
    Q_DECLARE_TR_FUNCTIONS(DHTMLOutlineWriter)

public:
    // linked(node): whether the page written links to node's anchor; writeHref(node) writes
    // that link's href, escaped for an attribute, into out.
    DHTMLOutlineWriter(DHTMLOutput& out, const DHTMLOutline& outline, const DHTMLPagePlan& plan,
                       std::function<bool(int)> linked, std::function<void(int)> writeHref);

    // The tree of page (the nav's list only; the caller writes the nav around it).
    void writeTree(int page);
    // The report page's list of failed tests (the nodes that count tests), at most `limit`
    // entries and a line saying how many more; nothing when none failed.
    void writeFailures(int limit);

    // The verdict mark of a node.
    static void writeVerdict(DHTMLOutput& out, int verdict);

    // A group page (siblings sharing a page) as one line: the first and last node's names
    // and how many nodes, the worst verdict of them, whether any holds a failure.
    static QString groupLabel(const DHTMLOutline& outline, const DHTMLPagePlan& plan, int page);
    static int groupVerdict(const DHTMLOutline& outline, const DHTMLPagePlan& plan, int page);
    static bool groupHoldsFailure(const DHTMLOutline& outline, const DHTMLPagePlan& plan, int page);

private:
    void writeEntry(int node, bool branch, bool open);
    void writeGroupEntry(int page);
    void writeAncestors(int node);

    DHTMLOutput& m_out;
    const DHTMLOutline& m_outline;
    const DHTMLPagePlan& m_plan;
    std::function<bool(int)> m_linked;
    std::function<void(int)> m_writeHref;
};
