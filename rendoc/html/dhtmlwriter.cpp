#include "rendoc/html/dhtmlwriter.h"

#include "rendoc/html/dhtmlescape.h"
#include "rendoc/html/dhtmlgraphic.h"
#include "rendoc/html/dhtmlimagecopier.h"
#include "rendoc/html/dhtmloutline.h"
#include "rendoc/html/dhtmloutlinewriter.h"
#include "rendoc/html/dhtmloutput.h"
#include "rendoc/html/dhtmlpagescript.h"
#include "rendoc/html/dlogmonitor.h"
#include "rendoc/model/ditems.h"
#include "rendoc/view/dviewtextbuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

DHTMLWriter::DHTMLWriter(DProgressMonitor* monitor)
    : DIterator(monitor), m_images(std::make_unique<DHTMLImageCopier>(*this))
{
}

DHTMLWriter::~DHTMLWriter() = default;

void DHTMLWriter::setStream(QTextStream* stream)
{
    m_stream = stream;
    m_streamOutput = stream ? std::make_unique<DHTMLOutput>(stream) : nullptr;
    m_out = m_streamOutput.get();
}

QString DHTMLWriter::escape(const QString& text)
{
    return DHTMLEscape::escaped(text, false);
}

QString DHTMLWriter::escapeAttribute(const QString& text)
{
    return DHTMLEscape::escaped(text, true);
}

QString DHTMLWriter::tagId(const QString& name)
{
    return QStringLiteral("tag-") + name;
}

void DHTMLWriter::writeEscaped(QStringView text, bool attribute)
{
    m_out->writeEscaped(text, attribute);
}

void DHTMLWriter::write(QLatin1String markup)
{
    m_out->write(markup);
}

void DHTMLWriter::write(const QString& markup)
{
    m_out->write(QStringView(markup));
}

void DHTMLWriter::writeNumber(qint64 number)
{
    m_out->writeNumber(number);
}

void DHTMLWriter::logMessage(const QString& text)
{
    if (m_log)
        m_log->message(text);
}

void DHTMLWriter::clearAnchors()
{
    m_anchors.clear();
    m_anchorWritten.clear();
    m_anchorsOnPage.clear();
}

void DHTMLWriter::writeAnchorId(int node)
{
    writeEscaped(m_outline->idPrefix(), true);
    const QString text = m_outline->textId(node);
    if (!text.isEmpty())
        writeEscaped(text, true);
    else
        writeNumber(m_outline->node(node).number);
}

void DHTMLWriter::writeAnchor(int node)
{
    write(QLatin1String("<span id=\""));
    writeAnchorId(node);
    write(QLatin1String("\"></span>"));
    if (!m_anchorWritten[size_t(node)]) {
        m_anchorWritten[size_t(node)] = 1;
        m_anchorsOnPage.push_back(node);
    }
}

void DHTMLWriter::forgetWrittenAnchors()
{
    for (int node : m_anchorsOnPage)
        m_anchorWritten[size_t(node)] = 0;
    m_anchorsOnPage.clear();
}

void DHTMLWriter::doAll(DDocument* document)
{
    if (!m_out || !document)
        return;
    // A stream holds one page: nothing is split off to pages it cannot write.
    m_pageBase = document->name();
    planPages(document, 0);
    writePage(document);
}

void DHTMLWriter::planPages(DDocument* document, qint64 budget)
{
    m_styleSheet.clear();
    m_popups.clear();
    m_documentIndex.clear();
    m_unnumberedTitles.clear();
    m_tagNames.clear();
    m_scannedDocuments = 0;
    // The items are the writer's own; the plan only reads them.
    m_tagsPlanned = m_plan.build(m_outline, document, budget,
                                 [this](const DItem* item) { scanItem(const_cast<DItem*>(item)); });
    if (!m_tagsPlanned) {
        for (DItem* it = document; it; it = it->nextInDocument(nullptr)) {
            scanItem(it);
            if (it->kind() == DItem::Tag)
                m_tagNames.insert(it->toTag()->name());
        }
    }
    m_css = m_styleSheet.css();
}

void DHTMLWriter::scanItem(DItem* it)
{
    m_styleSheet.add(it->style());
    switch (it->kind()) {
    case DItem::Document:
        if (it->parent() == nullptr) {
            const QString& name = it->toDocument()->name();
            if (!name.isEmpty() && !m_documentIndex.contains(name))
                m_documentIndex.insert(name, m_scannedDocuments);
            ++m_scannedDocuments;
        }
        break;
    case DItem::Title:
        if (it->toTitle()->numberText().isEmpty())
            m_unnumberedTitles.insert(it, int(m_unnumberedTitles.size()) + 1);
        break;
    case DItem::Popup:
        if (!m_popups.contains(it->toPopup()->name()))
            m_popups.insert(it->toPopup()->name(), it);
        break;
    default:
        break;
    }
}

void DHTMLWriter::writeHead(DDocument* document)
{
    QString title = document->title();
    if (title.trimmed().isEmpty())
        title = document->name();
    write(QLatin1String("<head>\n<meta charset=\"utf-8\">\n"
                        "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src "));
    // Only the page script runs, allowed by its hash; a page without the tree has none.
    write(m_outline && m_config.outline() ? DHTMLPageScript::hashSource() : QStringLiteral("'none'"));
    write(QLatin1String("\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                        "<title>"));
    const int root = m_plan.pageRoot(m_page);
    if (root >= 0 && m_outline) {
        writeEscaped(m_plan.isGroupPage(m_page) ? DHTMLOutlineWriter::groupLabel(*m_outline, m_plan, m_page)
                                                : m_outline->node(root).label);
        write(QLatin1String(" - "));
    }
    writeEscaped(title);
    write(QLatin1String("</title>\n"));
    writeStyles();
    if (!m_config.stylesheet().isEmpty()) {
        write(QLatin1String("<link rel=\"stylesheet\" href=\""));
        writeEscaped(m_config.stylesheet(), true);
        write(QLatin1String("\">\n"));
    }
    write(QLatin1String("</head>\n"));
}

void DHTMLWriter::writeStyles()
{
    write(QLatin1String("<style>\n"));
    write(m_css);
    if (!m_pageTotals.isEmpty())
        write(DHTMLTotals::css());
    write(QLatin1String("</style>\n"));
}

void DHTMLWriter::doItemChildren(DItemContainer* container)
{
    if (container && container->child())
        writeRange(container->child());
}

void DHTMLWriter::writeRange(DItem* first)
{
    std::vector<DItem*> open;
    DItem* it = first;
    while (it && !m_rangeDone) {
        if (stopWriting())
            return;
        const int split = m_plan.isSplit() ? m_plan.splitAt(it, m_page) : -1;
        if (split >= 0) {
            // The node's text is on its own page: a link stands for it here, and the walk
            // goes on after its last item (ending the page if that holds the page's end).
            writeSplitLink(it, split);
            DItem* end = const_cast<DItem*>(m_plan.pageEnd(m_plan.ownPage(split)));
            if (m_rangeEnd && m_rangeEnd->parent() == it->parent())
                for (const DItem* s = it; s && !m_rangeDone; s = s == end ? nullptr : s->next())
                    m_rangeDone = s == m_rangeEnd;
            it = end;
        } else {
            bool skipChildren = false;
            const bool descend = this->open(it, skipChildren);
            DItemContainer* container = it->toContainer();
            if (descend && !skipChildren && container && container->child()) {
                open.push_back(it);
                it = container->child();
                continue;
            }
            if (descend)
                close(it);
            else if (it->parent() && it->parent()->kind() == DItem::List)
                write(QLatin1String("</li>\n"));
        }
        // Climb to the next item, closing the containers left behind; a node page ends
        // with its last item.
        DItem* current = it;
        it = nullptr;
        while (current && !m_rangeDone) {
            if (current == m_rangeEnd) {
                m_rangeDone = true;
                break;
            }
            if (current->next()) {
                it = current->next();
                break;
            }
            if (open.empty())
                break;
            current = open.back();
            open.pop_back();
            close(current);
        }
    }
    // A cancel or a page's end leaves containers open; close them so the page stays well formed.
    while (!open.empty()) {
        close(open.back());
        open.pop_back();
    }
}

void DHTMLWriter::writeAnchors(const DItem* item)
{
    if (m_anchors.isEmpty())
        return;
    // The nodes starting at item, inner ones first.
    const DHTMLItemMap::Entry* end = nullptr;
    for (const DHTMLItemMap::Entry* e = m_anchors.find(item, &end); e != end; ++e)
        writeAnchor(e->value);
}

void DHTMLWriter::writeClassAttribute(const DItem* item, const char* base)
{
    const int styleClass = m_styleSheet.classOf(item->style());
    if (!base && !styleClass)
        return;
    write(QLatin1String(" class=\""));
    if (base)
        write(QLatin1String(base));
    if (styleClass) {
        if (base)
            write(QLatin1String(" "));
        write(QLatin1String("s"));
        writeNumber(styleClass);
    }
    write(QLatin1String("\""));
}

QString DHTMLWriter::titleId(const DItem* title) const
{
    const DTitle* t = title ? title->toTitle() : nullptr;
    if (!t)
        return QString();
    if (t->numberText().isEmpty()) {
        // Unnumbered titles are counted through the page, so a summary can still link to them.
        const int ordinal = m_unnumberedTitles.value(t);
        return ordinal ? QStringLiteral("x-u%1").arg(ordinal) : QString();
    }
    return QStringLiteral("x-%1-t%2").arg(m_documentNumber).arg(t->numberText());
}

bool DHTMLWriter::open(DItem* item, bool& skipChildren)
{
    if (item->parent() && item->parent()->kind() == DItem::List)
        write(QLatin1String("<li>"));
    switch (item->kind()) {
    case DItem::Document:
    case DItem::Section:
    case DItem::Title:
    case DItem::Header:
    case DItem::Footer:
    case DItem::Paragraph:
    case DItem::List:
    case DItem::Table:
    case DItem::Row:
    case DItem::Cell:
    case DItem::CellText:
        openContainer(item);
        return true;
    default:
        return writeLeaf(item, skipChildren);
    }
}

void DHTMLWriter::openContainer(DItem* item)
{
    switch (item->kind()) {
    case DItem::Document:
        m_currentDocument = item->toDocument();
        write(QLatin1String("<article id=\"x-d"));
        writeNumber(m_documentNumber);
        write(QLatin1String("\""));
        writeClassAttribute(item, "doc");
        write(QLatin1String(">\n"));
        writeAnchors(item);
        break;
    case DItem::Section:
        write(QLatin1String("<section"));
        writeClassAttribute(item, nullptr);
        write(QLatin1String(">"));
        writeAnchors(item);
        break;
    case DItem::Title:
        writeTitleStart(item);
        break;
    case DItem::Header:
    case DItem::Footer:
        write(QLatin1String("<div"));
        writeClassAttribute(item, "print-only");
        write(QLatin1String(">"));
        break;
    case DItem::Paragraph:
        write(QLatin1String("<div"));
        writeClassAttribute(item, "p");
        write(QLatin1String(">"));
        writeAnchors(item);
        break;
    case DItem::List:
        write(item->toList()->ordered() ? QLatin1String("<ol") : QLatin1String("<ul"));
        writeClassAttribute(item, nullptr);
        write(QLatin1String(">"));
        writeAnchors(item);
        break;
    case DItem::Table:
        writeTableStart(item);
        break;
    case DItem::Row:
        write(QLatin1String("<tr"));
        writeClassAttribute(item, nullptr);
        write(QLatin1String(">"));
        break;
    default:
        writeCellStart(item);
        break;
    }
}

void DHTMLWriter::writeTitleStart(DItem* item)
{
    const DTitle* title = item->toTitle();
    const int h = qBound(1, title->level() + 1, 6);
    write(QLatin1String("<h"));
    writeNumber(h);
    // The id titleId() gives, written without making it.
    if (!title->numberText().isEmpty()) {
        write(QLatin1String(" id=\"x-"));
        writeNumber(m_documentNumber);
        write(QLatin1String("-t"));
        writeEscaped(title->numberText(), true);
        write(QLatin1String("\""));
    } else if (const int ordinal = m_unnumberedTitles.value(title)) {
        write(QLatin1String(" id=\"x-u"));
        writeNumber(ordinal);
        write(QLatin1String("\""));
    }
    writeClassAttribute(item, nullptr);
    write(QLatin1String(">"));
    writeAnchors(item);
    if (!title->numberText().isEmpty()) {
        write(QLatin1String("<span class=\"num\">"));
        writeEscaped(title->numberText());
        write(QLatin1String("</span>"));
    }
}

void DHTMLWriter::writeTableStart(DItem* item)
{
    const DTable* table = item->toTable();
    write(QLatin1String("<table"));
    writeClassAttribute(item, table->border() > 0 ? "b" : nullptr);
    write(QLatin1String(">"));
    float total = 0;
    for (float w : table->widths())
        total += w > 0 ? w : 0;
    if (total > 0) {
        write(QLatin1String("<colgroup>"));
        for (float w : table->widths())
            write(QStringLiteral("<col style=\"width:%1%\">")
                      .arg(QString::number(100.0 * (w > 0 ? w : 0) / total, 'g', 6)));
        write(QLatin1String("</colgroup>"));
    }
    write(QLatin1String("\n"));
}

void DHTMLWriter::writeCellStart(DItem* item)
{
    const DCell* cell = item->toCell();
    const DCellText* cellText = item->toCellText();
    // The model counts the extra columns and rows a cell covers.
    const qint64 hspan = 1 + qint64(cell ? cell->hspan() : cellText->hspan());
    const qint64 vspan = 1 + qint64(cell ? cell->vspan() : cellText->vspan());
    write(QLatin1String("<td"));
    if (hspan > 1) {
        write(QLatin1String(" colspan=\""));
        writeNumber(qMin(hspan, qint64(1000)));
        write(QLatin1String("\""));
    }
    if (vspan > 1) {
        write(QLatin1String(" rowspan=\""));
        writeNumber(qMin(vspan, qint64(65534)));
        write(QLatin1String("\""));
    }
    writeClassAttribute(item, nullptr);
    write(QLatin1String(">"));
    writeAnchors(item);
    if (cellText)
        writeEscaped(cellText->text());
}

bool DHTMLWriter::writeLeaf(DItem* item, bool& skipChildren)
{
    switch (item->kind()) {
    case DItem::PageBreak:
        writeAnchors(item);
        write(QLatin1String("<div class=\"pagebreak\"></div>\n"));
        break;
    case DItem::Text:
        writeAnchors(item);
        writeTextItem(item->toText()->utf8Text(), item);
        break;
    case DItem::Image:
        writeAnchors(item);
        writeImage(item->toImage());
        break;
    case DItem::Link:
        writeAnchors(item);
        writeStyledLink(item);
        break;
    case DItem::Tag:
        // A tag without a name only marks a place; no link can name it.
        if (!item->toTag()->name().isEmpty()) {
            write(QLatin1String("<span id=\""));
            writeEscaped(tagId(item->toTag()->name()), true);
            write(QLatin1String("\"></span>"));
        }
        writeAnchors(item);
        break;
    case DItem::TagPointer:
        writeAnchors(item);
        writeTagPointer(item);
        break;
    case DItem::PopupLink:
        writeAnchors(item);
        writePopupLink(item->toPopupLink());
        break;
    case DItem::Summary:
        writeAnchors(item);
        writeSummary(item->toSummary());
        break;
    case DItem::Index:
        writeAnchors(item);
        writeIndex(item->toIndex());
        break;
    case DItem::Graphic:
        writeAnchors(item);
        writeGraphic(item->toGraphic());
        break;
    case DItem::SEntry:
    case DItem::IEntry:
    case DItem::Axis:
    case DItem::Curve:
    case DItem::Point:
        // Parts of summaries, indexes and graphics, written with them.
        skipChildren = true;
        break;
    case DItem::Popup:
        // Shown where a popup link names it, as the view shows it on demand.
        break;
    default:
        break;
    }
    return false;
}

void DHTMLWriter::close(DItem* item)
{
    switch (item->kind()) {
    case DItem::Document:
        write(QLatin1String("</article>\n"));
        if (!item->parent())
            ++m_documentNumber;
        break;
    case DItem::Section:
        write(QLatin1String("</section>\n"));
        break;
    case DItem::Title:
        write(QLatin1String("</h"));
        writeNumber(qBound(1, item->toTitle()->level() + 1, 6));
        write(QLatin1String(">\n"));
        break;
    case DItem::Header:
    case DItem::Footer:
    case DItem::Paragraph:
        write(QLatin1String("</div>\n"));
        break;
    case DItem::List:
        write(item->toList()->ordered() ? QLatin1String("</ol>\n") : QLatin1String("</ul>\n"));
        break;
    case DItem::Table:
        write(QLatin1String("</table>\n"));
        break;
    case DItem::Row:
        write(QLatin1String("</tr>\n"));
        break;
    case DItem::Cell:
    case DItem::CellText:
        write(QLatin1String("</td>"));
        break;
    default:
        break;
    }
    if (item->parent() && item->parent()->kind() == DItem::List)
        write(QLatin1String("</li>\n"));
}

void DHTMLWriter::writeTextItem(const QString& text, const DItem* item)
{
    const int styleClass = writeStyleStart(item);
    writeEscaped(text);
    if (styleClass)
        write(QLatin1String("</span>"));
}

void DHTMLWriter::writeTextItem(const DUtf8String& text, const DItem* item)
{
    // Escaped from the stored bytes: most texts never become a QString.
    const int styleClass = writeStyleStart(item);
    m_out->writeEscapedUtf8(text.utf8(), false);
    if (styleClass)
        write(QLatin1String("</span>"));
}

int DHTMLWriter::writeStyleStart(const DItem* item)
{
    const int styleClass = m_styleSheet.classOf(item->style());
    if (styleClass) {
        write(QLatin1String("<span class=\"s"));
        writeNumber(styleClass);
        write(QLatin1String("\">"));
    }
    return styleClass;
}

QString DHTMLWriter::plainText(const DItem* item)
{
    return DViewTextBuilder::plainText(item);
}

void DHTMLWriter::writeImage(DImage* image)
{
    const QString href = m_mode == FileMode ? m_images->href(image->src(), m_written) : image->src();
    if (href.isEmpty()) {
        write(QLatin1String("<span class=\"missing\">["));
        writeEscaped(image->src());
        write(QLatin1String("]</span>"));
        return;
    }
    write(QLatin1String("<img src=\""));
    writeEscaped(href, true);
    write(QLatin1String("\" alt=\""));
    writeEscaped(QFileInfo(image->src()).fileName(), true);
    write(QLatin1String("\""));
    if (image->width() > 0)
        write(QStringLiteral(" width=\"%1\"").arg(qMin(image->width(), 4000)));
    if (image->height() > 0)
        write(QStringLiteral(" height=\"%1\"").arg(qMin(image->height(), 4000)));
    writeClassAttribute(image, nullptr);
    write(QLatin1String(">"));
}

void DHTMLWriter::writeGraphic(DGraphic* graphic)
{
    write(QLatin1String("<figure"));
    writeClassAttribute(graphic, "graphic");
    write(QLatin1String(">"));
    if (!graphic->title().isEmpty()) {
        write(QLatin1String("<figcaption>"));
        writeEscaped(graphic->title());
        write(QLatin1String("</figcaption>"));
    }
    DHTMLGraphic(*m_out).write(graphic);
    write(QLatin1String("</figure>\n"));
}

void DHTMLWriter::writeOutline(DDocument* document)
{
    write(QLatin1String("<nav class=\"outline\" aria-label=\"Outline\">\n<ul>\n"));
    int documentNumber = 0;
    const int saved = m_documentNumber;
    for (DItem* it = document; it; it = it->nextInDocument(nullptr)) {
        if (it->kind() == DItem::Document && !it->parent()) {
            m_documentNumber = documentNumber++;
            const DDocument* doc = it->toDocument();
            write(QStringLiteral("<li><a href=\"#x-d%1\">").arg(m_documentNumber));
            writeEscaped(doc->title().isEmpty() ? doc->name() : doc->title());
            write(QLatin1String("</a></li>\n"));
            continue;
        }
        const DTitle* title = it->toTitle();
        if (!title || title->numberText().isEmpty())
            continue;
        const QString id = titleId(it);
        write(QStringLiteral("<li class=\"l%1\"><a href=\"#").arg(qBound(0, title->level(), 6)));
        writeEscaped(id, true);
        write(QLatin1String("\">"));
        writeEscaped(title->numberText() + QLatin1Char(' ') + plainText(title));
        write(QLatin1String("</a></li>\n"));
    }
    m_documentNumber = saved;
    write(QLatin1String("</ul>\n</nav>\n"));
}
