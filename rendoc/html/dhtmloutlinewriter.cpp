#include "rendoc/html/dhtmloutlinewriter.h"

#include "rendoc/html/dhtmlescape.h"
#include "rendoc/html/dhtmloutline.h"
#include "rendoc/html/dhtmloutput.h"
#include "rendoc/html/dhtmlpageplan.h"

#include <vector>

DHTMLOutlineWriter::DHTMLOutlineWriter(DHTMLOutput& out, const DHTMLOutline& outline,
                                       const DHTMLPagePlan& plan, std::function<bool(int)> linked,
                                       std::function<void(int)> writeHref)
    : m_out(out), m_outline(outline), m_plan(plan), m_linked(std::move(linked)), m_writeHref(std::move(writeHref))
{
}

void DHTMLOutlineWriter::writeEntry(int node, bool branch, bool open)
{
    const DHTMLOutline::Node& n = m_outline.node(node);
    m_out << (m_outline.holdsFailure(node) ? QLatin1String("<li class=\"f\">") : QLatin1String("<li>"));
    if (branch)
        m_out << (open ? QLatin1String("<details open><summary>") : QLatin1String("<details><summary>"));
    writeVerdict(m_out, n.verdict);
    // A node whose tree goes on on its own page links to that page, marked.
    const bool continued = !branch && m_outline.subtreeSize(node) > 1;
    const int target = node;
    const bool linked = m_linked(target);
    if (linked) {
        m_out << (continued ? QLatin1String("<a class=\"more\" href=\"") : QLatin1String("<a href=\""));
        m_writeHref(target);
        m_out << QLatin1String("\">");
    }
    DHTMLEscape::write(m_out, n.label, false);
    if (linked)
        m_out << QLatin1String("</a>");
    if (!n.type.isEmpty()) {
        m_out << QLatin1String(" <span class=\"type\">");
        DHTMLEscape::write(m_out, n.type, false);
        m_out << QLatin1String("</span>");
    }
}

void DHTMLOutlineWriter::writeGroupEntry(int page)
{
    m_out << (groupHoldsFailure(m_outline, m_plan, page) ? QLatin1String("<li class=\"f\">")
                                                         : QLatin1String("<li>"));
    writeVerdict(m_out, groupVerdict(m_outline, m_plan, page));
    const int target = m_plan.pageRoot(page);
    const bool linked = m_linked(target);
    if (linked) {
        m_out << QLatin1String("<a class=\"more\" href=\"");
        m_writeHref(target);
        m_out << QLatin1String("\">");
    }
    DHTMLEscape::write(m_out, groupLabel(m_outline, m_plan, page), false);
    if (linked)
        m_out << QLatin1String("</a>");
    m_out << QLatin1String("</li>\n");
}

QString DHTMLOutlineWriter::groupLabel(const DHTMLOutline& outline, const DHTMLPagePlan& plan, int page)
{
    int count = 0;
    for (int k = plan.pageRoot(page); k < plan.pageEndIndex(page); k += outline.subtreeSize(k))
        ++count;
    return tr("%1 … %2 (%n nodes)", nullptr, count)
        .arg(outline.node(plan.pageRoot(page)).label, outline.node(plan.pageLast(page)).label);
}

int DHTMLOutlineWriter::groupVerdict(const DHTMLOutline& outline, const DHTMLPagePlan& plan, int page)
{
    // Failed when one failed, else inconclusive when one was, else passed when all passed.
    bool inconclusive = false;
    bool allPassed = true;
    for (int k = plan.pageRoot(page); k < plan.pageEndIndex(page); k += outline.subtreeSize(k)) {
        const int verdict = outline.node(k).verdict;
        if (verdict == DHTMLOutline::Failed)
            return DHTMLOutline::Failed;
        inconclusive = inconclusive || verdict == DHTMLOutline::Inconclusive;
        allPassed = allPassed && verdict == DHTMLOutline::Passed;
    }
    return inconclusive ? DHTMLOutline::Inconclusive : allPassed ? DHTMLOutline::Passed : DHTMLOutline::NoVerdict;
}

bool DHTMLOutlineWriter::groupHoldsFailure(const DHTMLOutline& outline, const DHTMLPagePlan& plan, int page)
{
    for (int k = plan.pageRoot(page); k < plan.pageEndIndex(page); k += outline.subtreeSize(k))
        if (outline.holdsFailure(k))
            return true;
    return false;
}

void DHTMLOutlineWriter::writeVerdict(DHTMLOutput& out, int verdict)
{
    switch (verdict) {
    case DHTMLOutline::Passed:
        out << QLatin1String("<span class=\"v ok\" title=\"ok\">&#10003;</span>");
        break;
    case DHTMLOutline::Failed:
        out << QLatin1String("<span class=\"v ko\" title=\"ko\">&#10007;</span>");
        break;
    case DHTMLOutline::Inconclusive:
        out << QLatin1String("<span class=\"v ne\" title=\"NE\">?</span>");
        break;
    default:
        out << QLatin1String("<span class=\"v\">&#183;</span>");
        break;
    }
}

void DHTMLOutlineWriter::writeAncestors(int node)
{
    std::vector<int> chain;
    for (int p = m_outline.node(node).parent; p >= 0; p = m_outline.node(p).parent)
        chain.push_back(p);
    if (chain.empty())
        return;
    m_out << QLatin1String("<ol class=\"path\">");
    // A deep node shows the top of its path and its nearest ancestors only: every page of a
    // deep chain listing the whole chain would grow with the square of its depth.
    constexpr size_t Top = 2;
    constexpr size_t Near = 6;
    for (size_t i = 0; i < chain.size(); ++i) {
        if (chain.size() > Top + Near + 1 && i == Top) {
            m_out << QLatin1String("<li>&#8230;</li>");
            i = chain.size() - Near;
        }
        const auto it = chain.crbegin() + std::ptrdiff_t(i);
        m_out << QLatin1String("<li>");
        const int target = *it;
        const bool linked = m_linked(target);
        if (linked) {
            m_out << QLatin1String("<a href=\"");
            m_writeHref(target);
            m_out << QLatin1String("\">");
        }
        DHTMLEscape::write(m_out, m_outline.node(*it).label, false);
        if (linked)
            m_out << QLatin1String("</a>");
        m_out << QLatin1String("</li>");
    }
    m_out << QLatin1String("</ol>\n");
}

void DHTMLOutlineWriter::writeTree(int page)
{
    const int root = m_plan.pageRoot(page);
    if (root >= 0)
        writeAncestors(root);
    m_out << QLatin1String("<ul class=\"tree\">\n");
    // Pre-order over indexes: a subtree is a run of indexes, so skipping one is a jump. The
    // stack holds the ends of the branches open in the markup.
    const int first = root >= 0 ? root : 0;
    const int end = root >= 0 ? m_plan.pageEndIndex(page) : m_outline.size();
    std::vector<int> open;
    for (int k = first; k < end;) {
        while (!open.empty() && k >= open.back()) {
            m_out << QLatin1String("</ul></details></li>\n");
            open.pop_back();
        }
        const int size = m_outline.subtreeSize(k);
        const int own = k != root ? m_plan.ownPage(k) : -1;
        if (own >= 0 && m_plan.isGroupPage(own)) {
            writeGroupEntry(own);
            k = m_plan.pageEndIndex(own);
            continue;
        }
        const bool ownPage = own >= 0;
        const bool branch = size > 1 && !ownPage;
        writeEntry(k, branch, m_outline.holdsFailure(k));
        if (branch) {
            m_out << QLatin1String("</summary><ul>\n");
            open.push_back(k + size);
            ++k;
        } else {
            m_out << QLatin1String("</li>\n");
            k += size;
        }
    }
    while (!open.empty()) {
        m_out << QLatin1String("</ul></details></li>\n");
        open.pop_back();
    }
    m_out << QLatin1String("</ul>\n");
}

void DHTMLOutlineWriter::writeFailures(int limit)
{
    int count = 0;
    for (int k = 0; k < m_outline.size(); ++k) {
        const DHTMLOutline::Node& n = m_outline.node(k);
        if (n.verdict != DHTMLOutline::Failed || n.tests <= 0)
            continue;
        if (count == 0) {
            m_out << QLatin1String("<section class=\"failures\"><h2>") << tr("Failed tests")
                  << QLatin1String("</h2>\n<ul>\n");
        }
        if (count < limit) {
            m_out << QLatin1String("<li>");
            const int target = k;
            const bool linked = m_linked(target);
            if (linked) {
                m_out << QLatin1String("<a href=\"");
                m_writeHref(target);
                m_out << QLatin1String("\">");
            }
            DHTMLEscape::write(m_out, n.label, false);
            if (linked)
                m_out << QLatin1String("</a>");
            m_out << QLatin1String("</li>\n");
        }
        ++count;
    }
    if (count == 0)
        return;
    m_out << QLatin1String("</ul>\n");
    if (count > limit)
        m_out << QLatin1String("<p>") << tr("%1 more failed tests are in the outline.").arg(count - limit)
              << QLatin1String("</p>\n");
    m_out << QLatin1String("</section>\n");
}
