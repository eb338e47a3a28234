#include "rendoc/model/ditems.h"
#include "rendoc/aml/damlhandler.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/style/dcolor.h"
#include "rendoc/style/dfont.h"
#include "rendoc/model/diterator.h"
#include "rendoc/model/dprogressmonitor.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dtreeprinter.h"
#include "rendoc/model/dupdater.h"

#include <QFile>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

// Every item kind, in the order of DItem::Kind; each kind K has class DK and cast toK().
#define FOR_EACH_KIND(X)                                                                          \
    X(Document) X(Section) X(Title) X(Header) X(Footer) X(PageBreak) X(Paragraph) X(Text)         \
    X(Image) X(List) X(Link) X(Tag) X(Table) X(Row) X(Cell) X(CellText) X(TagPointer)             \
    X(PopupLink) X(Popup) X(Summary) X(SEntry) X(Index) X(IEntry) X(Graphic) X(Axis) X(Curve)     \
    X(Point)

namespace {

// A text item that counts its destructions, to prove what a deletion frees.
class CountedText : public DText
{
public:
    explicit CountedText(DItemContainer* parent = nullptr) : DText(QStringLiteral("x"), parent) {}
    ~CountedText() override { ++destroyed; }
    static int destroyed;
};
int CountedText::destroyed = 0;

// Returns item after applying set to it.
template <typename T, typename F>
T* with(T* item, F set)
{
    set(item);
    return item;
}

// One item of the given kind with every field set to something other than its default.
DItem* makeItem(DItem::Kind kind)
{
    // Targets that entries and pointers refer to, outside the item.
    static DTag someTag(QStringLiteral("t"));
    static DTitle someTitle(1);
    switch (kind) {
    case DItem::Document: return new DDocument(QStringLiteral("T"), QStringLiteral("n"));
    case DItem::Section: return new DSection(QStringLiteral("s"));
    case DItem::Title: return with(new DTitle(2), [](DTitle* t) { t->setNumberText("1.1"); });
    case DItem::Header: return new DHeader;
    case DItem::Footer: return new DFooter;
    case DItem::PageBreak: return new DPageBreak;
    case DItem::Paragraph: return new DParagraph;
    case DItem::Text: return new DText(QStringLiteral("hello"));
    case DItem::Image: return new DImage(QStringLiteral("a.png"), 10, 20);
    case DItem::List: return with(new DList, [](DList* l) { l->setOrdered(true); });
    case DItem::Link: return new DLink(QStringLiteral("::X"));
    case DItem::Tag: return new DTag(QString());
    case DItem::Table: return with(new DTable(2), [](DTable* t) { t->setWidth({0.5f, 0.5f}); });
    case DItem::Row: return new DRow;
    case DItem::Cell: return new DCell(1, 2);
    case DItem::CellText: return new DCellText(QStringLiteral("c"), 1, 0);
    case DItem::TagPointer:
        return with(new DTagPointer(QStringLiteral("t")), [](DTagPointer* p) { p->setTag(&someTag); });
    case DItem::PopupLink: return new DPopupLink(QStringLiteral("p"));
    case DItem::Popup: return new DPopup(QStringLiteral("p"));
    case DItem::Summary: return with(new DSummary, [](DSummary* s) { s->setTitles({&someTitle}); });
    case DItem::SEntry: return new DSEntry(QStringLiteral("1 Intro"), 1, &someTitle);
    case DItem::Index: return with(new DIndex, [](DIndex* i) { i->setEntries({&someTag}); });
    case DItem::IEntry: return new DIEntry(QStringLiteral("t"), &someTag);
    case DItem::Graphic: return new DGraphic(QStringLiteral("g"));
    case DItem::Axis: return new DAxis(Qt::Vertical, QStringLiteral("y"), -1.5, 3);
    case DItem::Curve: return new DCurve(QStringLiteral("c"));
    case DItem::Point: return new DPoint(1.25, -2);
    }
    return nullptr;
}

// The kind's own copy constructor, as a copying visitor calls it.
DItem* copyOf(DItem* item)
{
#define COPY(K) case DItem::K: return new D##K(*item->to##K());
    switch (item->kind()) { FOR_EACH_KIND(COPY) }
#undef COPY
    return nullptr;
}

// Records every operation it receives; optionally descends into containers the way a
// rendering visitor does.
class Recorder : public DIterator
{
public:
    explicit Recorder(DProgressMonitor* monitor = nullptr, bool descend = false)
        : DIterator(monitor), m_descend(descend)
    {
    }
    QStringList calls;
    QList<DItem*> items;

#define RECORD(K) void do##K(D##K* item) override { record(#K, item); }
    FOR_EACH_KIND(RECORD)
#undef RECORD
    void doTables(DDocument*) override { calls.append(QStringLiteral("Tables")); }
    void doColor(DColor* color) override { calls.append("Color " + color->name()); }
    void doFont(DFont* font) override { calls.append("Font " + font->name()); }
    void doStyle(DStyle* style) override { calls.append("Style " + style->name()); }

private:
    void record(const char* name, DItem* item)
    {
        calls.append(QLatin1String(name));
        items.append(item);
        if (m_descend && item->toContainer())
            doItemChildren(item->toContainer());
    }
    bool m_descend;
};

// Reports a cancel once the recorder has seen a given number of items; without one, at once.
class CancelAfter : public DProgressMonitor
{
public:
    explicit CancelAfter(int limit) : m_limit(limit) {}
    bool isCanceled() const override { return !recorder || recorder->items.size() >= m_limit; }
    const Recorder* recorder = nullptr;
    int m_limit;
};

// D( S1( P( a b ) c ) S2( d ) ), then document E( e ) chained to D.
std::unique_ptr<DDocument> sample()
{
    auto document = std::make_unique<DDocument>(QStringLiteral("t"), QStringLiteral("D"));
    auto* s1 = new DSection(QStringLiteral("S1"));
    auto* p = new DParagraph;
    auto* s2 = new DSection(QStringLiteral("S2"));
    document->appendChild(s1);
    s1->appendChild(p);
    p->appendChild(new DText(QStringLiteral("a")));
    p->appendChild(new DText(QStringLiteral("b")));
    s1->appendChild(new DText(QStringLiteral("c")));
    document->appendChild(s2);
    s2->appendChild(new DText(QStringLiteral("d")));
    auto* e = new DDocument(QStringLiteral("t2"), QStringLiteral("E"));
    e->appendChild(new DText(QStringLiteral("e")));
    document->setNext(e);
    return document;
}

// Builds a document by appending items in order; open() descends, close() climbs.
class Builder
{
public:
    explicit Builder(DItemContainer* container) : m_current(container) {}
    template <typename T>
    T* add(T* item)
    {
        m_current->appendChild(item);
        return item;
    }
    template <typename T>
    T* open(T* item)
    {
        m_current = add(item);
        return item;
    }
    void close() { m_current = m_current->parent(); }

private:
    DItemContainer* m_current;
};

DTitle* title(Builder& b, int level, const QString& text)
{
    DTitle* t = b.open(new DTitle(level));
    b.add(new DText(text));
    b.close();
    return t;
}

// The n-th item of a kind, in document order across chained documents.
DItem* nth(DItem* first, DItem::Kind kind, int n = 0)
{
    for (DItem* item = first; item; item = item->nextInDocument(nullptr))
        if (item->kind() == kind && n-- == 0)
            return item;
    return nullptr;
}

QStringList numbers(const QList<DTitle*>& titles)
{
    QStringList out;
    for (const DTitle* t : titles)
        out.append(t->numberText().isNull() ? QStringLiteral("-") : t->numberText());
    return out;
}

} // namespace

// The item model: kinds, copies, ownership, links, the visitor, and the update pass that
// completes documents built or copied in memory.
class TestDItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every kind answers its container cast consistently and reaches its own visitor operation.
    void kinds()
    {
        for (int k = 0; k < DItem::KindCount; ++k) {
            std::unique_ptr<DItem> item(makeItem(static_cast<DItem::Kind>(k)));
            QCOMPARE(item->toContainer() != nullptr, item->isContainer());
            Recorder recorder;
            recorder.doItem(item.get());
            QCOMPARE(recorder.calls, QStringList{QLatin1String(DItem::kindName(item->kind()))});
            QCOMPARE(recorder.items.value(0), item.get());
        }
    }

    void copyKeepsFieldsDropsLinks()
    {
        DStyle style(QStringLiteral("Array"));
        DSection parent(QStringLiteral("p"));
        for (int k = 0; k < DItem::KindCount; ++k) {
            DItem* item = makeItem(static_cast<DItem::Kind>(k));
            DText* sibling = new DText(QStringLiteral("after"));
            item->setStyle(&style);
            item->setStyleName(QStringLiteral("Array"));
            item->setParent(&parent);
            item->setNext(sibling);
            if (DItemContainer* container = item->toContainer())
                container->setChild(new DText(QStringLiteral("inside"), container));

            std::unique_ptr<DItem> copy(copyOf(item));
            QCOMPARE(copy->kind(), item->kind());
            QVERIFY(!copy->parent());
            QVERIFY(!copy->next());
            if (copy->toContainer())
                QVERIFY(!copy->toContainer()->child());
            QCOMPARE(copy->style(), &style);
            QCOMPARE(copy->styleName(), QStringLiteral("Array"));

            // Own fields survive; references into another tree are left for the update pass.
            QString expected = DTreePrinter::line(item);
            expected.replace(QLatin1String("resolved=yes"), QLatin1String("resolved=no"))
                .replace(QLatin1String("target=yes"), QLatin1String("target=no"))
                .replace(QLatin1String("titles=1"), QLatin1String("titles=0"))
                .replace(QLatin1String("entries=1"), QLatin1String("entries=0"));
            QCOMPARE(DTreePrinter::line(copy.get()), expected);

            item->setParent(nullptr);
            item->setNext(nullptr);
            delete item;
            delete sibling;
        }
        // A null tag name stays null, not empty.
        const std::unique_ptr<DItem> tag(makeItem(DItem::Tag));
        QVERIFY(std::unique_ptr<DItem>(copyOf(tag.get()))->toTag()->name().isNull());
    }

    // Style names are held apart from the items: each item keeps its own, null and empty
    // apart, through renames, drops and the end of other items.
    void styleNamesPerItem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("null") << QString();
        QTest::newRow("empty") << QString(QLatin1String(""));
        QTest::newRow("named") << QStringLiteral("Title2 Failed");
    }

    void styleNamesPerItem()
    {
        QFETCH(QString, name);
        DText kept(QStringLiteral("kept"));
        auto other = std::make_unique<DText>(QStringLiteral("other"));
        kept.setStyleName(QStringLiteral("first"));
        other->setStyleName(QStringLiteral("other"));
        kept.setStyleName(name);
        QCOMPARE(kept.styleName(), name);
        QCOMPARE(kept.styleName().isNull(), name.isNull());
        QCOMPARE(other->styleName(), QStringLiteral("other"));
        other.reset();
        QCOMPARE(kept.styleName(), name);
        const DText copy(kept);
        kept.setStyleName(QString());
        QVERIFY(kept.styleName().isNull());
        QCOMPARE(copy.styleName(), name);
        QCOMPARE(copy.styleName().isNull(), name.isNull());
    }

    // Items share one entry per distinct name: an item keeps its name when every other item
    // with it goes, and a name no item has any more makes room for another without
    // renaming anyone.
    void styleNamesShared()
    {
        DText kept(QStringLiteral("kept"));
        kept.setStyleName(QStringLiteral("Title2 Passed"));
        {
            std::vector<std::unique_ptr<DText>> others;
            for (int i = 0; i < 3; ++i) {
                others.push_back(std::make_unique<DText>(QStringLiteral("other")));
                others.back()->setStyleName(i == 1 ? QStringLiteral("Output") : QStringLiteral("Title2 Passed"));
            }
            others[2]->setStyleName(QStringLiteral("Title2 Passed")); // renamed to the name it has
            QCOMPARE(others[2]->styleName(), QStringLiteral("Title2 Passed"));
        }
        QCOMPARE(kept.styleName(), QStringLiteral("Title2 Passed"));
        // "Output" went with its last item; a new name may take its place.
        DText fresh(QStringLiteral("fresh"));
        fresh.setStyleName(QStringLiteral("Warning"));
        QCOMPARE(fresh.styleName(), QStringLiteral("Warning"));
        QCOMPARE(kept.styleName(), QStringLiteral("Title2 Passed"));
        const DText copy(fresh);
        fresh.setStyleName(QStringLiteral("Normal"));
        QCOMPARE(copy.styleName(), QStringLiteral("Warning"));
        QCOMPARE(fresh.styleName(), QStringLiteral("Normal"));
    }

    // Chained documents own the documents after them; inside a container, the container owns them.
    void deleteOwnedChains()
    {
        CountedText::destroyed = 0;
        auto* first = new DDocument("a", "a");
        first->setNext(new DDocument("b", "b"));
        first->next()->setNext(new DDocument("c", "c"));
        for (DItem* d = first; d; d = d->next())
            d->toDocument()->appendChild(new CountedText);
        delete first;
        QCOMPARE(CountedText::destroyed, 3);

        // Inside a container, the document's next sibling belongs to the container.
        CountedText::destroyed = 0;
        auto* section = new DSection(QStringLiteral("s"));
        auto* document = new DDocument(QStringLiteral("a"), QStringLiteral("a"));
        section->appendChild(document);
        document->appendChild(new CountedText);
        section->appendChild(new CountedText);
        delete section;
        QCOMPARE(CountedText::destroyed, 2);
    }

    void documentCopyOwnsItsDefinitions()
    {
        DDocument source(QStringLiteral("T"), QStringLiteral("n"));
        source.addColor(std::make_unique<DColor>(QStringLiteral("red"), QColor(Qt::red)));
        source.addFont(std::make_unique<DFont>(QStringLiteral("f"), QStringLiteral("Sans"), 9, true));
        auto style = std::make_unique<DStyle>(QStringLiteral("Array"));
        style->setBackground(QColor(Qt::yellow));
        source.addStyle(std::move(style));

        DDocument copy(source);
        QCOMPARE(copy.styles().size(), 1);
        QVERIFY(copy.findStyle(QStringLiteral("Array")) != source.findStyle(QStringLiteral("Array")));
        QCOMPARE(*copy.findStyle(QStringLiteral("Array")), *source.findStyle(QStringLiteral("Array")));
        QCOMPARE(*copy.findColor(QStringLiteral("red")), *source.findColor(QStringLiteral("red")));
        QCOMPARE(*copy.findFont(QStringLiteral("f")), *source.findFont(QStringLiteral("f")));
        QVERIFY(!copy.findStyle(QStringLiteral("array")));
    }

    void linkSplit_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("document");
        QTest::newRow("start of a document") << "::X" << "" << "" << "X";
        QTest::newRow("bare tag") << "T12" << "" << "T12" << "";
        QTest::newRow("tag in a document") << "T12:doc" << "" << "T12" << "doc";
        QTest::newRow("file, tag and document") << "a.xrd:T12:doc" << "a.xrd" << "T12" << "doc";
        QTest::newRow("drive letter stays in the file") << "C:/r/a.xrd:T1:d" << "C:/r/a.xrd" << "T1"
                                                       << "d";
        QTest::newRow("file only") << "a.xrd::" << "a.xrd" << "" << "";
        QTest::newRow("tag before empty document") << "T:" << "" << "T" << "";
        QTest::newRow("lone separator") << ":" << "" << "" << "";
        QTest::newRow("three separators") << ":::" << ":" << "" << "";
        QTest::newRow("spaces are kept") << " a : b " << "" << " a " << " b ";
        QTest::newRow("empty") << "" << "" << "" << "";
        QTest::newRow("null") << QString() << "" << "" << "";
        QTest::newRow("non-latin text") << QString::fromUtf8("r\u00e9sum\u00e9::\u00e9t\u00e9")
                                        << QString::fromUtf8("r\u00e9sum\u00e9") << ""
                                        << QString::fromUtf8("\u00e9t\u00e9");
    }

    void linkSplit()
    {
        QFETCH(QString, target);
        // Start from stale values: split must overwrite every part.
        QString gotFile = QStringLiteral("stale"), gotTag = gotFile, gotDocument = gotFile;
        DLink link(target);
        link.split(gotFile, gotTag, gotDocument);
        QTEST(gotFile, "file");
        QTEST(gotTag, "tag");
        QTEST(gotDocument, "document");
        QVERIFY(!gotFile.isNull() && !gotTag.isNull() && !gotDocument.isNull());
        QCOMPARE(link.target(), target);
    }

    void visitor()
    {
        // doAll: the document's tables first, then the top-level documents without descending.
        auto document = sample();
        document->addColor(std::make_unique<DColor>(QStringLiteral("red"), QColor(Qt::red)));
        document->addFont(std::make_unique<DFont>(QStringLiteral("f"), QString(), 0));
        document->addStyle(std::make_unique<DStyle>(QStringLiteral("s1")));
        document->addStyle(std::make_unique<DStyle>(QStringLiteral("s2")));
        Recorder flat;
        flat.doAll(document.get());
        QCOMPARE(flat.calls, (QStringList{"Color red", "Font f", "Style s1", "Style s2", "Tables",
                                          "Document", "Document"}));
        QCOMPARE(flat.items.value(1), document->next());

        // doItemList with descent into children: pre-order over the item and its siblings.
        Recorder deep(nullptr, true);
        deep.doItemList(document.get());
        QCOMPARE(deep.calls, (QStringList{"Document", "Section", "Paragraph", "Text", "Text", "Text",
                                          "Section", "Text", "Document", "Text"}));

        // A cancel stops the walk at once.
        CancelAfter monitor(4);
        Recorder cancelled(&monitor, true);
        monitor.recorder = &cancelled;
        cancelled.doItemList(document.get());
        QCOMPARE(cancelled.items.size(), 4);
        QVERIFY(cancelled.isCanceled());

        Recorder none;
        none.doAll(nullptr);
        none.doItem(nullptr);
        none.doItemList(nullptr);
        none.doItemChildren(nullptr);
        DSection empty(QStringLiteral("e"));
        none.doItemChildren(&empty);
        QVERIFY(none.calls.isEmpty());
    }

    void updaterNumbering_data()
    {
        // Title levels in document order, "|" starting the next document.
        QTest::addColumn<QString>("levels");
        QTest::addColumn<QString>("expected");
        QTest::newRow("flat") << "1 1 1" << "1 2 3";
        QTest::newRow("nested") << "1 2 2 1 2" << "1 1.1 1.2 2 2.1";
        QTest::newRow("deeper level resets") << "1 2 3 2 3" << "1 1.1 1.1.1 1.2 1.2.1";
        QTest::newRow("skipped level counts zero") << "1 3 2" << "1 1.0.1 1.1";
        QTest::newRow("starts below the top") << "2 2" << "0.1 0.2";
        QTest::newRow("document title unnumbered") << "0 1 0 1" << "- 1 - 2";
        QTest::newRow("six levels") << "1 2 3 4 5 6" << "1 1.1 1.1.1 1.1.1.1 1.1.1.1.1 1.1.1.1.1.1";
        QTest::newRow("restarts per document") << "1 1 | 1 2" << "1 2 1 1.1";
    }

    void updaterNumbering()
    {
        QFETCH(QString, levels);
        auto document = std::make_unique<DDocument>(QStringLiteral("a"), QStringLiteral("a"));
        auto* second = new DDocument(QStringLiteral("b"), QStringLiteral("b"));
        document->setNext(second);
        Builder b(document.get());
        // Titles sit at varying depths: numbering follows document order, not nesting.
        b.open(new DSection(QStringLiteral("s")));
        QList<DTitle*> titles;
        for (const QString& level : levels.split(QLatin1Char(' '))) {
            if (level == QLatin1String("|")) {
                b = Builder(second);
                continue;
            }
            if (titles.size() == 2)
                b.open(new DParagraph);
            titles.append(title(b, level.toInt(), QStringLiteral("x")));
        }
        DUpdater().doAll(document.get());
        QTEST(numbers(titles).join(QLatin1Char(' ')), "expected");
    }

    // Each cell names a style: the document's own come first, then the updater's list; names match
    // exactly, and a style already set is kept.
    void updaterStyles()
    {
        DStyle shared(QStringLiteral("Shared")), both(QStringLiteral("Both")), empty{QStringLiteral("")};
        DStyle preset(QStringLiteral("Preset"));
        DDocument document(QStringLiteral("t"), QStringLiteral("d"));
        document.addStyle(std::make_unique<DStyle>(QStringLiteral("Both")));
        auto* row = new DRow;
        document.appendChild(row);
        const QStringList names{"Both", "Shared", "Nothing", "shared", QString(), "", "Shared"};
        for (const QString& name : names) {
            row->appendChild(new DCell(0, 0));
            row->lastChild()->setStyleName(name);
        }
        row->lastChild()->setStyle(&preset);
        DUpdater updater;
        updater.setStyles({nullptr, &shared, &both, &empty});
        updater.doAll(&document);
        QList<DStyle*> got;
        for (DItem* cell = row->child(); cell; cell = cell->next())
            got.append(cell->style());
        QCOMPARE(got, (QList<DStyle*>{document.findStyle(QStringLiteral("Both")), &shared, nullptr, nullptr,
                                      nullptr, &empty, &preset}));
    }

    // doItem stays in its subtree, doItemList goes on to the siblings, a cancelled pass does nothing.
    void updaterPartialPasses()
    {
        DDocument document(QStringLiteral("t"), QStringLiteral("d"));
        Builder b(&document);
        DSection* first = b.open(new DSection(QStringLiteral("a")));
        DTitle* inside = title(b, 1, "in");
        b.close();
        DTitle* after = title(b, 1, "after");

        CancelAfter canceled(0);
        DUpdater(&canceled).doAll(&document);
        QVERIFY(inside->numberText().isNull());

        DUpdater updater;
        updater.doItem(first);
        QCOMPARE(inside->numberText(), QStringLiteral("1"));
        QVERIFY(after->numberText().isNull());
        updater.doItemList(first);
        QCOMPARE(after->numberText(), QStringLiteral("2"));
    }

    // Many tables over many titles or tags, short or long: the first of each kind is complete,
    // the rest together stay within the budgets of entries and of characters, so a small file
    // cannot expand into gigabytes of view, text or HTML.
    void updaterBoundsRepeatedTables_data()
    {
        QTest::addColumn<int>("tables");
        QTest::addColumn<int>("targets"); // titles, or named tags
        QTest::addColumn<int>("length");  // characters of each title or tag name
        QTest::addColumn<bool>("summaries"); // else indexes
        QTest::newRow("two summaries") << 2 << 50 << 2 << true;
        QTest::newRow("summaries beyond the budget") << 400 << 1000 << 3 << true;
        QTest::newRow("indexes beyond the budget") << 400 << 1000 << 3 << false;
        QTest::newRow("one long title, many summaries") << 2000 << 1 << 100000 << true;
        QTest::newRow("one long tag, many indexes") << 2000 << 1 << 100000 << false;
        QTest::newRow("a few long titles") << 300 << 5 << 30000 << true;
        QTest::newRow("long text that fits") << 20 << 3 << 1000 << true;
    }

    void updaterBoundsRepeatedTables()
    {
        QFETCH(int, tables);
        QFETCH(int, targets);
        QFETCH(int, length);
        QFETCH(bool, summaries);
        DDocument document(QStringLiteral("t"), QStringLiteral("d"));
        Builder b(&document);
        QList<DItem*> made;
        for (int i = 0; i < tables; ++i)
            made.append(summaries ? static_cast<DItem*>(b.add(new DSummary)) : b.add(new DIndex));
        qsizetype perTable = 0; // the characters of one complete table
        for (int i = 0; i < targets; ++i) {
            const QString text = QString::number(i).leftJustified(length, QLatin1Char('x'));
            title(b, 1, text);
            b.add(new DTag(text));
            perTable += summaries ? QString::number(i + 1).size() + length : length;
        }
        DUpdater().doAll(&document);
        const auto entries = [&](int i) {
            return summaries ? made.at(i)->toSummary()->titles().size() : made.at(i)->toIndex()->entries().size();
        };
        QCOMPARE(entries(0), targets);
        int filled = 0;
        for (int i = 1; i < tables; ++i) {
            QVERIFY(entries(i) == 0 || entries(i) == targets);
            filled += entries(i) == targets;
        }
        QCOMPARE(qsizetype(filled), std::min({qsizetype(tables - 1), DUpdater::MaxRepeatedEntries / targets,
                                              DUpdater::MaxRepeatedText / perTable}));
    }

    // Each level a container holding the next one: neither updating nor freeing may recurse per level.
    void deepDocument()
    {
        auto* document = new DDocument(QStringLiteral("t"), QStringLiteral("deep"));
        Builder b(document);
        b.add(new DTag(QStringLiteral("top")));
        for (int i = 0; i < 100000; ++i)
            b.open(new DSection(QString()));
        DTitle* bottom = title(b, 1, "bottom");
        DTagPointer* pointer = b.add(new DTagPointer(QStringLiteral("top")));
        pointer->setStyleName(QStringLiteral("S"));
        b.add(new CountedText);
        auto style = std::make_unique<DStyle>(QStringLiteral("S"));
        DStyle* s = style.get();
        document->addStyle(std::move(style));

        DUpdater().doAll(document);
        QCOMPARE(bottom->numberText(), QStringLiteral("1"));
        QVERIFY(pointer->tag());
        QCOMPARE(pointer->style(), s);
        CountedText::destroyed = 0;
        delete document;
        QCOMPARE(CountedText::destroyed, 1);
    }

    // Two documents read from AML and updated, against a reviewed dump; then the targets that the
    // dump shows only as resolved or not.
    void updatedDocuments()
    {
        QFile input(QStringLiteral(KORVAT_TEST_DATA "/model/updated.aml"));
        QVERIFY(input.open(QIODevice::ReadOnly));
        DAmlReader reader;
        QVERIFY2(reader.parse(&input), qPrintable(reader.errorString()));
        const std::unique_ptr<DDocument> first(reader.handler()->takeDocuments());
        DStyle array(QStringLiteral("Array"));
        DUpdater updater;
        updater.setStyles({&array});
        updater.doAll(first.get());
        QFile golden(QStringLiteral(KORVAT_TEST_DATA "/model/updated.txt"));
        QVERIFY(golden.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(DTreePrinter::print(first.get(), true), QString::fromUtf8(golden.readAll()));

        // Of two tags with one name the first is the target, in pointers and index entries.
        DTag* tagA = nth(first.get(), DItem::Tag)->toTag();
        QCOMPARE(nth(first.get(), DItem::TagPointer)->toTagPointer()->tag(), tagA);
        QCOMPARE(nth(first.get(), DItem::IEntry)->toIEntry()->target(), tagA);
        // A pointer may name a tag of a later document.
        QCOMPARE(nth(first.get(), DItem::TagPointer, 1)->toTagPointer()->tag(),
                 nth(first->next(), DItem::Tag)->toTag());
        // Summary entries find titles by number or by their whole text, markup included.
        QCOMPARE(nth(first.get(), DItem::SEntry)->toSEntry()->target(), nth(first.get(), DItem::Title, 2));
        QCOMPARE(nth(first.get(), DItem::SEntry, 1)->toSEntry()->target(), nth(first.get(), DItem::Title, 1));
        QCOMPARE(nth(first.get(), DItem::SEntry, 2)->toSEntry()->target(), nth(first.get(), DItem::Title, 3));
        // A summary lists the numbered titles of its own document only.
        QCOMPARE(numbers(nth(first.get(), DItem::Summary)->toSummary()->titles()),
                 (QStringList{"1", "1.1", "2"}));
        QCOMPARE(numbers(nth(first->next(), DItem::Summary)->toSummary()->titles()), QStringList{"1"});

        // A pointer whose tag is gone is reset by the next pass.
        DTag stale(QStringLiteral("stale"));
        DTagPointer* unknown = nth(first.get(), DItem::TagPointer, 3)->toTagPointer();
        unknown->setTag(&stale);
        updater.doAll(first.get());
        QCOMPARE(unknown->tag(), nullptr);
    }
};

QTEST_APPLESS_MAIN(TestDItem)
#include "tst_ditem.moc"
