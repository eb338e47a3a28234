#include "rendoc/html/dhtmlwriter.h"

#include "rendoc/html/dhtmloutline.h"
#include "rendoc/html/dhtmloutlinewriter.h"
#include "rendoc/html/dhtmloutput.h"
#include "rendoc/html/dhtmlpagescript.h"
#include "rendoc/model/ditems.h"

#include <QUrl>

// The page part of the writer: the pages of a report (one, or a report page and node pages),
// their outline of report nodes, the page script, and links that cross pages.

void DHTMLWriter::setOutline(const DHTMLOutline* outline)
{
    m_outline = outline;
    clearAnchors();
    if (!outline)
        return;
    m_anchors.reserve(outline->size());
    m_anchorWritten.assign(size_t(outline->size()), 0);
    for (int k = 0; k < outline->size(); ++k) {
        const DHTMLOutline::Node& node = outline->node(k);
        if (node.first && outline->hasAnchor(k))
            m_anchors.add(node.first, k);
    }
    m_anchors.sort();
}

void DHTMLWriter::writePage(DDocument* document, int page)
{
    if (!document)
        return;
    m_page = page;
    m_popupIds.clear();
    m_popupDepth = 0;
    forgetWrittenAnchors();
    m_inPage = true;
    m_itemCount = 0;
    m_stopped = false;
    m_rangeDone = false;
    m_rangeEnd = nullptr;
    m_documentNumber = 0;
    const int root = m_plan.pageRoot(page);
    DItem* first = document;
    if (root >= 0 && m_outline) {
        // A node page holds the run of items from the node's first to its last sibling (a
        // group page: to its last node's).
        first = const_cast<DItem*>(m_outline->node(root).first);
        m_rangeEnd = m_plan.pageEnd(page);
        m_documentNumber = m_plan.documentOf(root);
        DItem* top = first;
        while (top->parent())
            top = top->parent();
        m_currentDocument = top->toDocument();
    }
    write(QLatin1String("<!DOCTYPE html>\n<html lang=\"en\">\n"));
    writeHead(document);
    write(QLatin1String("<body>\n<div class=\"layout\">\n<main>\n"));
    if (!m_pageNote.isEmpty()) {
        write(QLatin1String("<p class=\"note\">"));
        writeEscaped(m_pageNote);
        write(QLatin1String("</p>\n"));
    }
    m_pageTotals.write(*m_out);
    if (root >= 0) {
        write(QLatin1String("<article class=\"doc part\">\n"));
        writeRange(first);
        write(QLatin1String("</article>\n"));
    } else {
        if (m_plan.isSplit())
            DHTMLOutlineWriter(*m_out, *m_outline, m_plan, [this](int node) { return nodeLinked(node, true); },
                               [this](int node) { writeNodeHref(node); })
                .writeFailures(200);
        writeRange(document);
    }
    write(QLatin1String("</main>\n"));
    m_currentDocument = nullptr;
    writeNav(document);
    write(QLatin1String("</div>\n"));
    if (m_outline && m_config.outline()) {
        write(QLatin1String("<script>"));
        write(DHTMLPageScript::text());
        write(QLatin1String("</script>\n"));
    }
    write(QLatin1String("</body>\n</html>\n"));
    m_inPage = false;
    m_rangeEnd = nullptr;
    m_rangeDone = false;
}

void DHTMLWriter::writeNav(DDocument* document)
{
    if (!m_config.outline())
        return;
    if (!m_outline) {
        writeOutline(document);
        return;
    }
    write(QLatin1String("<nav class=\"outline\" aria-label=\""));
    writeEscaped(tr("Report tree"), true);
    write(QLatin1String("\" data-find=\""));
    writeEscaped(tr("Find a node"), true);
    write(QLatin1String("\" data-failed=\""));
    writeEscaped(tr("Failed only"), true);
    write(QLatin1String("\">\n"));
    if (!m_backPage.isEmpty()) {
        write(QLatin1String("<p class=\"back\"><a href=\""));
        writeEscaped(QString::fromUtf8(QUrl::toPercentEncoding(m_backPage)), true);
        write(QLatin1String("\">"));
        writeEscaped(m_backText);
        write(QLatin1String("</a></p>\n"));
    }
    DHTMLOutlineWriter(*m_out, *m_outline, m_plan, [this](int node) { return nodeLinked(node, false); },
                       [this](int node) { writeNodeHref(node); })
        .writeTree(m_page);
    write(QLatin1String("</nav>\n"));
}

void DHTMLWriter::writeSplitLink(DItem* item, int node)
{
    const bool listItem = item->parent() && item->parent()->kind() == DItem::List;
    if (listItem)
        write(QLatin1String("<li>"));
    // The anchors of enclosing nodes that start at the same item stay on this page.
    const int page = m_plan.ownPage(node);
    const DHTMLItemMap::Entry* end = nullptr;
    for (const DHTMLItemMap::Entry* e = m_anchors.find(item, &end); e != end; ++e)
        if (!m_plan.coversNode(page, e->value))
            writeAnchor(e->value);
    // Kept short: a wide node leaves one such line for each of its children with a page.
    const DHTMLOutline::Node& n = m_outline->node(node);
    static const char* const classes[] = {"", " ok", " ko", " ne"};
    const int last = m_plan.pageLast(page);
    const bool failing = m_outline->holdsFailure(node) || DHTMLOutlineWriter::groupHoldsFailure(*m_outline, m_plan, page);
    write(QLatin1String("<p class=\"split"));
    write(QLatin1String(classes[qBound(0, last == node ? int(n.verdict) : DHTMLOutlineWriter::groupVerdict(*m_outline, m_plan, page), 3)]));
    write(failing ? QLatin1String(" f\"><a href=\"") : QLatin1String("\"><a href=\""));
    writeEscaped(pageFile(page), true);
    write(QLatin1String("\">"));
    writeEscaped(last == node ? n.label : DHTMLOutlineWriter::groupLabel(*m_outline, m_plan, page));
    write(QLatin1String("</a></p>\n"));
    if (listItem)
        write(QLatin1String("</li>\n"));
}

bool DHTMLWriter::nodeLinked(int node, bool sameTrusted) const
{
    if (!m_outline->node(node).first || !m_outline->hasAnchor(node))
        return false;
    return m_plan.pageOfNode(node) != m_page || sameTrusted || anchorWritten(node);
}

void DHTMLWriter::writeNodeHref(int node)
{
    const int page = m_plan.pageOfNode(node);
    if (page != m_page)
        writeEscaped(pageFile(page), true);
    write(QLatin1String("#"));
    writeAnchorId(node);
}

QString DHTMLWriter::pageFile(int page) const
{
    return QString::fromUtf8(QUrl::toPercentEncoding(m_plan.pageName(m_pageBase, page) + m_config.suffix()));
}

QString DHTMLWriter::onPage(int page, const QString& fragment) const
{
    if (page < 0)
        return QString();
    return page == m_page ? fragment : pageFile(page) + fragment;
}
