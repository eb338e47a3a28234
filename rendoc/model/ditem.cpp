#include "rendoc/model/ditem.h"

#include "rendoc/model/ditemcontainer.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/dsection.h"
#include "rendoc/model/dtitle.h"
#include "rendoc/model/dheader.h"
#include "rendoc/model/dfooter.h"
#include "rendoc/model/dpagebreak.h"
#include "rendoc/model/dparagraph.h"
#include "rendoc/model/dtext.h"
#include "rendoc/model/dimage.h"
#include "rendoc/model/dlist.h"
#include "rendoc/model/dlink.h"
#include "rendoc/model/dtag.h"
#include "rendoc/model/dtable.h"
#include "rendoc/model/drow.h"
#include "rendoc/model/dcell.h"
#include "rendoc/model/dcelltext.h"
#include "rendoc/model/dtagpointer.h"
#include "rendoc/model/dpopuplink.h"
#include "rendoc/model/dpopup.h"
#include "rendoc/model/dsummary.h"
#include "rendoc/model/dsentry.h"
#include "rendoc/model/dindex.h"
#include "rendoc/model/dientry.h"
#include "rendoc/model/dgraphic.h"
#include "rendoc/model/daxis.h"
#include "rendoc/model/dcurve.h"
#include "rendoc/model/dpoint.h"

#include <QHash>

#include <deque>
#include <mutex>
#include <vector>

namespace {

// The style names items carry, each distinct name once, by number from 1. An item keeps the
// number of its name; a name goes when the last item that has it goes or renames, and its
// number is given to the next new name. Entries never move, so a reference handed out stays
// valid while an item still has that name. Items are made and freed on any thread: every
// call is made under `lock`.
class StyleNameTable
{
public:
    std::mutex lock;

    std::uint32_t acquire(const QString& name)
    {
        // Builders name item after item alike: the name given last is compared first.
        std::uint32_t id = m_last;
        if (!id || m_entries[id - 1].refs == 0 || m_entries[id - 1].name != name) {
            id = m_ids.value(name, 0);
            if (!id) {
                if (m_free.empty()) {
                    m_entries.push_back({name, 0});
                    id = std::uint32_t(m_entries.size());
                } else {
                    id = m_free.back();
                    m_free.pop_back();
                    m_entries[id - 1].name = name;
                }
                m_ids.insert(name, id);
            }
        }
        ++m_entries[id - 1].refs;
        m_last = id;
        return id;
    }
    void retain(std::uint32_t id) { ++m_entries[id - 1].refs; }
    void release(std::uint32_t id)
    {
        Entry& entry = m_entries[id - 1];
        if (--entry.refs > 0)
            return;
        m_ids.remove(entry.name);
        entry.name = QString();
        m_free.push_back(id);
    }
    const QString& name(std::uint32_t id) const { return m_entries[id - 1].name; }

private:
    struct Entry
    {
        QString name;
        std::uint32_t refs;
    };
    std::deque<Entry> m_entries; // by number - 1; a deque keeps them in place as it grows
    QHash<QString, std::uint32_t> m_ids;
    std::vector<std::uint32_t> m_free; // numbers of names no item has any more
    std::uint32_t m_last = 0;
};

StyleNameTable& styleNameTable()
{
    // Never destroyed: items may still be freed while static objects are.
    static auto* table = new StyleNameTable;
    return *table;
}

} // namespace

// Items come by the million: the base stays at five words.
static_assert(sizeof(void*) != 8 || sizeof(DItem) == 40, "an item's base is five words");

DItem::DItem(Kind kind, DItemContainer* parent, DItem* next)
    : m_kind(kind), m_next(next), m_parent(parent)
{
}

DItem::DItem(const DItem& other)
    : m_kind(other.m_kind), m_next(nullptr), m_parent(nullptr), m_style(other.m_style)
{
    if (other.m_styleName) {
        StyleNameTable& table = styleNameTable();
        const std::lock_guard<std::mutex> guard(table.lock);
        table.retain(other.m_styleName);
        m_styleName = other.m_styleName;
    }
}

DItem::~DItem()
{
    if (m_styleName)
        dropStyleName();
}

const QString& DItem::noStyleName()
{
    static const QString none;
    return none;
}

const QString& DItem::namedStyle() const
{
    StyleNameTable& table = styleNameTable();
    const std::lock_guard<std::mutex> guard(table.lock);
    return table.name(m_styleName);
}

void DItem::dropStyleName()
{
    StyleNameTable& table = styleNameTable();
    const std::lock_guard<std::mutex> guard(table.lock);
    table.release(m_styleName);
    m_styleName = 0;
}

void DItem::setStyleName(const QString& name)
{
    if (name.isNull()) {
        if (m_styleName)
            dropStyleName();
        return;
    }
    StyleNameTable& table = styleNameTable();
    const std::lock_guard<std::mutex> guard(table.lock);
    // The new name is taken before the old one is let go: renaming to the same name keeps it.
    const std::uint32_t id = table.acquire(name);
    if (m_styleName)
        table.release(m_styleName);
    m_styleName = id;
}

bool DItem::isContainer() const
{
    switch (m_kind) {
    case Document:
    case Section:
    case Title:
    case Header:
    case Footer:
    case Paragraph:
    case List:
    case Link:
    case PopupLink:
    case Table:
    case Row:
    case Cell:
    case CellText:
    case Popup:
    case Summary:
    case Index:
    case Graphic:
    case Curve:
        return true;
    default:
        return false;
    }
}

const char* DItem::kindName(Kind kind)
{
    static const char* const names[KindCount] = {
        "Document",
        "Section",
        "Title",
        "Header",
        "Footer",
        "PageBreak",
        "Paragraph",
        "Text",
        "Image",
        "List",
        "Link",
        "Tag",
        "Table",
        "Row",
        "Cell",
        "CellText",
        "TagPointer",
        "PopupLink",
        "Popup",
        "Summary",
        "SEntry",
        "Index",
        "IEntry",
        "Graphic",
        "Axis",
        "Curve",
        "Point"
    };
    return kind >= 0 && kind < KindCount ? names[kind] : "Unknown";
}

DItem* DItem::nextInDocument(const DItem* stopAt, int* depthChange) const
{
    if (const DItemContainer* container = toContainer()) {
        if (container->child()) {
            if (depthChange)
                *depthChange = 1;
            return container->child();
        }
    }
    if (this == stopAt)
        return nullptr;
    int climbed = 0;
    for (const DItem* item = this; item && item != stopAt; item = item->parent(), ++climbed) {
        if (item->next()) {
            if (depthChange)
                *depthChange = -climbed;
            return item->next();
        }
    }
    return nullptr;
}

void DItem::deleteChain(DItem* item)
{
    // Detach every subtree onto a work list so that no destructor ever sees a child chain:
    // freeing stays iterative whatever the depth.
    std::vector<DItem*> work;
    for (DItem* sibling = item; sibling; sibling = sibling->next())
        work.push_back(sibling);
    while (!work.empty()) {
        DItem* current = work.back();
        work.pop_back();
        if (DItemContainer* container = current->toContainer()) {
            for (DItem* child = container->child(); child; child = child->next())
                work.push_back(child);
            container->setChild(nullptr);
        }
        current->setNext(nullptr);
        delete current;
    }
}

DItemContainer* DItem::toContainer()
{
    return isContainer() ? static_cast<DItemContainer*>(this) : nullptr;
}

const DItemContainer* DItem::toContainer() const
{
    return isContainer() ? static_cast<const DItemContainer*>(this) : nullptr;
}

DDocument* DItem::toDocument()
{
    return m_kind == Document ? static_cast<DDocument*>(this) : nullptr;
}

const DDocument* DItem::toDocument() const
{
    return m_kind == Document ? static_cast<const DDocument*>(this) : nullptr;
}

DSection* DItem::toSection()
{
    return m_kind == Section ? static_cast<DSection*>(this) : nullptr;
}

const DSection* DItem::toSection() const
{
    return m_kind == Section ? static_cast<const DSection*>(this) : nullptr;
}

DTitle* DItem::toTitle()
{
    return m_kind == Title ? static_cast<DTitle*>(this) : nullptr;
}

const DTitle* DItem::toTitle() const
{
    return m_kind == Title ? static_cast<const DTitle*>(this) : nullptr;
}

DHeader* DItem::toHeader()
{
    return m_kind == Header ? static_cast<DHeader*>(this) : nullptr;
}

const DHeader* DItem::toHeader() const
{
    return m_kind == Header ? static_cast<const DHeader*>(this) : nullptr;
}

DFooter* DItem::toFooter()
{
    return m_kind == Footer ? static_cast<DFooter*>(this) : nullptr;
}

const DFooter* DItem::toFooter() const
{
    return m_kind == Footer ? static_cast<const DFooter*>(this) : nullptr;
}

DPageBreak* DItem::toPageBreak()
{
    return m_kind == PageBreak ? static_cast<DPageBreak*>(this) : nullptr;
}

const DPageBreak* DItem::toPageBreak() const
{
    return m_kind == PageBreak ? static_cast<const DPageBreak*>(this) : nullptr;
}

DParagraph* DItem::toParagraph()
{
    return m_kind == Paragraph ? static_cast<DParagraph*>(this) : nullptr;
}

const DParagraph* DItem::toParagraph() const
{
    return m_kind == Paragraph ? static_cast<const DParagraph*>(this) : nullptr;
}

DText* DItem::toText()
{
    return m_kind == Text ? static_cast<DText*>(this) : nullptr;
}

const DText* DItem::toText() const
{
    return m_kind == Text ? static_cast<const DText*>(this) : nullptr;
}

DImage* DItem::toImage()
{
    return m_kind == Image ? static_cast<DImage*>(this) : nullptr;
}

const DImage* DItem::toImage() const
{
    return m_kind == Image ? static_cast<const DImage*>(this) : nullptr;
}

DList* DItem::toList()
{
    return m_kind == List ? static_cast<DList*>(this) : nullptr;
}

const DList* DItem::toList() const
{
    return m_kind == List ? static_cast<const DList*>(this) : nullptr;
}

DLink* DItem::toLink()
{
    return m_kind == Link ? static_cast<DLink*>(this) : nullptr;
}

const DLink* DItem::toLink() const
{
    return m_kind == Link ? static_cast<const DLink*>(this) : nullptr;
}

DTag* DItem::toTag()
{
    return m_kind == Tag ? static_cast<DTag*>(this) : nullptr;
}

const DTag* DItem::toTag() const
{
    return m_kind == Tag ? static_cast<const DTag*>(this) : nullptr;
}

DTable* DItem::toTable()
{
    return m_kind == Table ? static_cast<DTable*>(this) : nullptr;
}

const DTable* DItem::toTable() const
{
    return m_kind == Table ? static_cast<const DTable*>(this) : nullptr;
}

DRow* DItem::toRow()
{
    return m_kind == Row ? static_cast<DRow*>(this) : nullptr;
}

const DRow* DItem::toRow() const
{
    return m_kind == Row ? static_cast<const DRow*>(this) : nullptr;
}

DCell* DItem::toCell()
{
    return m_kind == Cell ? static_cast<DCell*>(this) : nullptr;
}

const DCell* DItem::toCell() const
{
    return m_kind == Cell ? static_cast<const DCell*>(this) : nullptr;
}

DCellText* DItem::toCellText()
{
    return m_kind == CellText ? static_cast<DCellText*>(this) : nullptr;
}

const DCellText* DItem::toCellText() const
{
    return m_kind == CellText ? static_cast<const DCellText*>(this) : nullptr;
}

DTagPointer* DItem::toTagPointer()
{
    return m_kind == TagPointer ? static_cast<DTagPointer*>(this) : nullptr;
}

const DTagPointer* DItem::toTagPointer() const
{
    return m_kind == TagPointer ? static_cast<const DTagPointer*>(this) : nullptr;
}

DPopupLink* DItem::toPopupLink()
{
    return m_kind == PopupLink ? static_cast<DPopupLink*>(this) : nullptr;
}

const DPopupLink* DItem::toPopupLink() const
{
    return m_kind == PopupLink ? static_cast<const DPopupLink*>(this) : nullptr;
}

DPopup* DItem::toPopup()
{
    return m_kind == Popup ? static_cast<DPopup*>(this) : nullptr;
}

const DPopup* DItem::toPopup() const
{
    return m_kind == Popup ? static_cast<const DPopup*>(this) : nullptr;
}

DSummary* DItem::toSummary()
{
    return m_kind == Summary ? static_cast<DSummary*>(this) : nullptr;
}

const DSummary* DItem::toSummary() const
{
    return m_kind == Summary ? static_cast<const DSummary*>(this) : nullptr;
}

DSEntry* DItem::toSEntry()
{
    return m_kind == SEntry ? static_cast<DSEntry*>(this) : nullptr;
}

const DSEntry* DItem::toSEntry() const
{
    return m_kind == SEntry ? static_cast<const DSEntry*>(this) : nullptr;
}

DIndex* DItem::toIndex()
{
    return m_kind == Index ? static_cast<DIndex*>(this) : nullptr;
}

const DIndex* DItem::toIndex() const
{
    return m_kind == Index ? static_cast<const DIndex*>(this) : nullptr;
}

DIEntry* DItem::toIEntry()
{
    return m_kind == IEntry ? static_cast<DIEntry*>(this) : nullptr;
}

const DIEntry* DItem::toIEntry() const
{
    return m_kind == IEntry ? static_cast<const DIEntry*>(this) : nullptr;
}

DGraphic* DItem::toGraphic()
{
    return m_kind == Graphic ? static_cast<DGraphic*>(this) : nullptr;
}

const DGraphic* DItem::toGraphic() const
{
    return m_kind == Graphic ? static_cast<const DGraphic*>(this) : nullptr;
}

DAxis* DItem::toAxis()
{
    return m_kind == Axis ? static_cast<DAxis*>(this) : nullptr;
}

const DAxis* DItem::toAxis() const
{
    return m_kind == Axis ? static_cast<const DAxis*>(this) : nullptr;
}

DCurve* DItem::toCurve()
{
    return m_kind == Curve ? static_cast<DCurve*>(this) : nullptr;
}

const DCurve* DItem::toCurve() const
{
    return m_kind == Curve ? static_cast<const DCurve*>(this) : nullptr;
}

DPoint* DItem::toPoint()
{
    return m_kind == Point ? static_cast<DPoint*>(this) : nullptr;
}

const DPoint* DItem::toPoint() const
{
    return m_kind == Point ? static_cast<const DPoint*>(this) : nullptr;
}
