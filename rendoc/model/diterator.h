#pragma once

class DItem;
class DItemContainer;
class DProgressMonitor;
class DColor;
class DFont;
class DStyle;
class DDocument;
class DSection;
class DTitle;
class DHeader;
class DFooter;
class DPageBreak;
class DParagraph;
class DText;
class DImage;
class DList;
class DLink;
class DTag;
class DTable;
class DRow;
class DCell;
class DCellText;
class DTagPointer;
class DPopupLink;
class DPopup;
class DSummary;
class DSEntry;
class DIndex;
class DIEntry;
class DGraphic;
class DAxis;
class DCurve;
class DPoint;

// The visitor over document trees.
//
// doAll visits the document's tables (doColors, doFonts, doStyles, doTables) and then the
// document with its following siblings (doItemList). doItem dispatches an item to the
// operation of its kind; doItemList loops over an item and its following siblings (stopping
// early when the progress monitor reports a cancel); doItemChildren lists a container's
// children. doColors/doFonts/doStyles call doColor/doFont/doStyle for each local definition of
// the document; doTables and every per-kind operation do nothing: a visitor that wants to
// descend calls doItemChildren from its container operations. That descent recurses once per
// level; visitors of deep trees walk with DItem::nextInDocument instead.
class DIterator
{
public:
    // The monitor may be null; it is not owned.
    explicit DIterator(DProgressMonitor* monitor = nullptr);
    virtual ~DIterator();
    DIterator(const DIterator&) = delete;
    DIterator& operator=(const DIterator&) = delete;

    DProgressMonitor* monitor() const { return m_monitor; }
    void setMonitor(DProgressMonitor* monitor) { m_monitor = monitor; }
    // True when a monitor is set and reports a cancel.
    bool isCanceled() const;

    virtual void doAll(DDocument* document);
    virtual void doItem(DItem* item);
    virtual void doItemList(DItem* item);
    virtual void doItemChildren(DItemContainer* container);
    virtual void doColors(DDocument* document);
    virtual void doFonts(DDocument* document);
    virtual void doStyles(DDocument* document);
    virtual void doTables(DDocument* document);

    virtual void doDocument(DDocument* item);
    virtual void doSection(DSection* item);
    virtual void doTitle(DTitle* item);
    virtual void doHeader(DHeader* item);
    virtual void doFooter(DFooter* item);
    virtual void doPageBreak(DPageBreak* item);
    virtual void doParagraph(DParagraph* item);
    virtual void doText(DText* item);
    virtual void doImage(DImage* item);
    virtual void doList(DList* item);
    virtual void doLink(DLink* item);
    virtual void doTag(DTag* item);
    virtual void doTable(DTable* item);
    virtual void doRow(DRow* item);
    virtual void doCell(DCell* item);
    virtual void doCellText(DCellText* item);
    virtual void doTagPointer(DTagPointer* item);
    virtual void doPopupLink(DPopupLink* item);
    virtual void doPopup(DPopup* item);
    virtual void doSummary(DSummary* item);
    virtual void doSEntry(DSEntry* item);
    virtual void doIndex(DIndex* item);
    virtual void doIEntry(DIEntry* item);
    virtual void doGraphic(DGraphic* item);
    virtual void doAxis(DAxis* item);
    virtual void doCurve(DCurve* item);
    virtual void doPoint(DPoint* item);
    // Reached by doItem for an item whose kind has no operation of its own (none today).
    virtual void doOther(DItem* item);

    virtual void doColor(DColor* color);
    virtual void doFont(DFont* font);
    virtual void doStyle(DStyle* style);

private:
    DProgressMonitor* m_monitor;
};
