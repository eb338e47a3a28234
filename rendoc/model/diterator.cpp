#include "rendoc/model/diterator.h"

#include "rendoc/style/dcolor.h"
#include "rendoc/style/dfont.h"
#include "rendoc/model/ditems.h"
#include "rendoc/model/dprogressmonitor.h"
#include "rendoc/style/dstyle.h"

DIterator::DIterator(DProgressMonitor* monitor)
    : m_monitor(monitor)
{
}

DIterator::~DIterator() = default;

bool DIterator::isCanceled() const
{
    return m_monitor && m_monitor->isCanceled();
}

void DIterator::doAll(DDocument* document)
{
    if (!document)
        return;
    doColors(document);
    doFonts(document);
    doStyles(document);
    doTables(document);
    doItemList(document);
}

void DIterator::doItem(DItem* item)
{
    if (!item)
        return;
    switch (item->kind()) {
    case DItem::Document:
        doDocument(item->toDocument());
        break;
    case DItem::Section:
        doSection(item->toSection());
        break;
    case DItem::Title:
        doTitle(item->toTitle());
        break;
    case DItem::Header:
        doHeader(item->toHeader());
        break;
    case DItem::Footer:
        doFooter(item->toFooter());
        break;
    case DItem::PageBreak:
        doPageBreak(item->toPageBreak());
        break;
    case DItem::Paragraph:
        doParagraph(item->toParagraph());
        break;
    case DItem::Text:
        doText(item->toText());
        break;
    case DItem::Image:
        doImage(item->toImage());
        break;
    case DItem::List:
        doList(item->toList());
        break;
    case DItem::Link:
        doLink(item->toLink());
        break;
    case DItem::Tag:
        doTag(item->toTag());
        break;
    case DItem::Table:
        doTable(item->toTable());
        break;
    case DItem::Row:
        doRow(item->toRow());
        break;
    case DItem::Cell:
        doCell(item->toCell());
        break;
    case DItem::CellText:
        doCellText(item->toCellText());
        break;
    case DItem::TagPointer:
        doTagPointer(item->toTagPointer());
        break;
    case DItem::PopupLink:
        doPopupLink(item->toPopupLink());
        break;
    case DItem::Popup:
        doPopup(item->toPopup());
        break;
    case DItem::Summary:
        doSummary(item->toSummary());
        break;
    case DItem::SEntry:
        doSEntry(item->toSEntry());
        break;
    case DItem::Index:
        doIndex(item->toIndex());
        break;
    case DItem::IEntry:
        doIEntry(item->toIEntry());
        break;
    case DItem::Graphic:
        doGraphic(item->toGraphic());
        break;
    case DItem::Axis:
        doAxis(item->toAxis());
        break;
    case DItem::Curve:
        doCurve(item->toCurve());
        break;
    case DItem::Point:
        doPoint(item->toPoint());
        break;
    default:
        doOther(item);
        break;
    }
}

void DIterator::doItemList(DItem* item)
{
    for (DItem* current = item; current && !isCanceled(); current = current->next())
        doItem(current);
}

void DIterator::doItemChildren(DItemContainer* container)
{
    if (container && container->child())
        doItemList(container->child());
}

void DIterator::doColors(DDocument* document)
{
    if (!document)
        return;
    for (DColor* color : document->colors())
        doColor(color);
}

void DIterator::doFonts(DDocument* document)
{
    if (!document)
        return;
    for (DFont* font : document->fonts())
        doFont(font);
}

void DIterator::doStyles(DDocument* document)
{
    if (!document)
        return;
    for (DStyle* style : document->styles())
        doStyle(style);
}

void DIterator::doTables(DDocument*)
{
}

void DIterator::doDocument(DDocument*)
{
}

void DIterator::doSection(DSection*)
{
}

void DIterator::doTitle(DTitle*)
{
}

void DIterator::doHeader(DHeader*)
{
}

void DIterator::doFooter(DFooter*)
{
}

void DIterator::doPageBreak(DPageBreak*)
{
}

void DIterator::doParagraph(DParagraph*)
{
}

void DIterator::doText(DText*)
{
}

void DIterator::doImage(DImage*)
{
}

void DIterator::doList(DList*)
{
}

void DIterator::doLink(DLink*)
{
}

void DIterator::doTag(DTag*)
{
}

void DIterator::doTable(DTable*)
{
}

void DIterator::doRow(DRow*)
{
}

void DIterator::doCell(DCell*)
{
}

void DIterator::doCellText(DCellText*)
{
}

void DIterator::doTagPointer(DTagPointer*)
{
}

void DIterator::doPopupLink(DPopupLink*)
{
}

void DIterator::doPopup(DPopup*)
{
}

void DIterator::doSummary(DSummary*)
{
}

void DIterator::doSEntry(DSEntry*)
{
}

void DIterator::doIndex(DIndex*)
{
}

void DIterator::doIEntry(DIEntry*)
{
}

void DIterator::doGraphic(DGraphic*)
{
}

void DIterator::doAxis(DAxis*)
{
}

void DIterator::doCurve(DCurve*)
{
}

void DIterator::doPoint(DPoint*)
{
}

void DIterator::doOther(DItem*)
{
}

void DIterator::doColor(DColor*)
{
}

void DIterator::doFont(DFont*)
{
}

void DIterator::doStyle(DStyle*)
{
}
