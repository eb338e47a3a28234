#pragma once

#include "rendoc/model/dpool.h"

#include <QString>

#include <cstdint>
#include <memory>

class DItemContainer;
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

// The base of every item of a document tree.
//
// Items are linked by hand: `next` is the following sibling, `parent` the enclosing container,
// and DItemContainer::child() the first child. Constructors record the parent and next pointers
// they are given but link nothing into the parent: the caller sets the parent's child or the
// previous sibling's next.
//
// Ownership: a container owns its child chain (the first child and everything reachable through
// next from it, with their subtrees); a DDocument without a parent also owns the documents
// chained after it through next. Nothing else owns an item's next. Destruction walks the tree
// with a work list, so arbitrarily deep trees are freed without recursion.
//
// Items are allocated from DPool: a report has them by the million.
//
// Copy constructors copy the item's own fields (kind, style pointer, style name and the kind's
// data) and none of its links: a copy has no parent, no next and no child.
//
// Every item carries a style name (the `style` attribute as written, null when absent) beside
// its DStyle pointer, which is not owned.
class DItem
{
public:
    // One value per kind, in the visitor's slot order.
    enum Kind {
        Document,
        Section,
        Title,
        Header,
        Footer,
        PageBreak,
        Paragraph,
        Text,
        Image,
        List,
        Link,
        Tag,
        Table,
        Row,
        Cell,
        CellText,
        TagPointer,
        PopupLink,
        Popup,
        Summary,
        SEntry,
        Index,
        IEntry,
        Graphic,
        Axis,
        Curve,
        Point
    };
    static constexpr int KindCount = Point + 1;

    virtual ~DItem();
    DItem& operator=(const DItem&) = delete;

    // The virtual destructor hands the derived class's size to the sized delete.
    static void* operator new(std::size_t size) { return DPool::allocate(size); }
    static void operator delete(void* block, std::size_t size) noexcept { DPool::release(block, size); }

    Kind kind() const { return m_kind; }
    bool isContainer() const;
    // The kind's name without the D prefix ("Document", "CellText", ...).
    static const char* kindName(Kind kind);

    DItem* next() const { return m_next; }
    void setNext(DItem* next) { m_next = next; }
    DItemContainer* parent() const { return m_parent; }
    void setParent(DItemContainer* parent) { m_parent = parent; }

    DStyle* style() const { return m_style; }
    void setStyle(DStyle* style) { m_style = style; }
    const QString& styleName() const { return m_styleName ? namedStyle() : noStyleName(); }
    // A null name removes it.
    void setStyleName(const QString& name);

    // The item after this one in document (pre-order) order: the first child, else the next
    // sibling, else the next sibling of the nearest ancestor that has one. The climb never goes
    // to stopAt or above it, so `for (i = x; i; i = i->nextInDocument(x))` walks the subtree of
    // x, and passing x->parent() (null at the top level) walks x, its following siblings and all
    // their subtrees. When depthChange is given it receives the depth of the result relative to
    // this item (+1 for a child, 0 for a sibling, -n after climbing n levels). No recursion.
    DItem* nextInDocument(const DItem* stopAt, int* depthChange = nullptr) const;

    // Deletes item, its following siblings and all their subtrees without recursion.
    // The chain must not be linked anywhere any more.
    static void deleteChain(DItem* item);

    // Typed down-casts: the item itself when it is of that kind, else null.
    DItemContainer* toContainer();
    const DItemContainer* toContainer() const;
    DDocument* toDocument();
    const DDocument* toDocument() const;
    DSection* toSection();
    const DSection* toSection() const;
    DTitle* toTitle();
    const DTitle* toTitle() const;
    DHeader* toHeader();
    const DHeader* toHeader() const;
    DFooter* toFooter();
    const DFooter* toFooter() const;
    DPageBreak* toPageBreak();
    const DPageBreak* toPageBreak() const;
    DParagraph* toParagraph();
    const DParagraph* toParagraph() const;
    DText* toText();
    const DText* toText() const;
    DImage* toImage();
    const DImage* toImage() const;
    DList* toList();
    const DList* toList() const;
    DLink* toLink();
    const DLink* toLink() const;
    DTag* toTag();
    const DTag* toTag() const;
    DTable* toTable();
    const DTable* toTable() const;
    DRow* toRow();
    const DRow* toRow() const;
    DCell* toCell();
    const DCell* toCell() const;
    DCellText* toCellText();
    const DCellText* toCellText() const;
    DTagPointer* toTagPointer();
    const DTagPointer* toTagPointer() const;
    DPopupLink* toPopupLink();
    const DPopupLink* toPopupLink() const;
    DPopup* toPopup();
    const DPopup* toPopup() const;
    DSummary* toSummary();
    const DSummary* toSummary() const;
    DSEntry* toSEntry();
    const DSEntry* toSEntry() const;
    DIndex* toIndex();
    const DIndex* toIndex() const;
    DIEntry* toIEntry();
    const DIEntry* toIEntry() const;
    DGraphic* toGraphic();
    const DGraphic* toGraphic() const;
    DAxis* toAxis();
    const DAxis* toAxis() const;
    DCurve* toCurve();
    const DCurve* toCurve() const;
    DPoint* toPoint();
    const DPoint* toPoint() const;

protected:
    DItem(Kind kind, DItemContainer* parent, DItem* next);
    DItem(const DItem& other);

private:
    static const QString& noStyleName();
    // The style name of an item that has one.
    const QString& namedStyle() const;
    void dropStyleName();

    Kind m_kind;
    // The number of the item's style name in a table of the distinct names in use, 0 when it
    // has none: a report repeats a few dozen names over hundreds of thousands of items, and
    // the number fits in the word the kind leaves free.
    std::uint32_t m_styleName = 0;
    DItem* m_next;
    DItemContainer* m_parent;
    DStyle* m_style = nullptr;
};
