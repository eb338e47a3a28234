#include "rendoc/ditems.h"
#include "rendoc/dcolor.h"
#include "rendoc/dfont.h"
#include "rendoc/dstyle.h"
#include "rendoc/dtreeprinter.h"

#include <QFile>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A text item that counts its destructions, to prove what a deletion frees.
class CountedText : public DText
{
public:
    explicit CountedText(DItemContainer* parent = nullptr)
        : DText(QStringLiteral("x"), parent)
    {
    }
    ~CountedText() override { ++destroyed; }
    static int destroyed;
};
int CountedText::destroyed = 0;

DTag* someTag()
{
    static DTag tag(QStringLiteral("t"));
    return &tag;
}

DTitle* someTitle()
{
    static DTitle title(1);
    return &title;
}

// One item of the given kind with every field set to something other than its default.
DItem* makeItem(DItem::Kind kind)
{
    switch (kind) {
    case DItem::Document: return new DDocument(QStringLiteral("T"), QStringLiteral("n"));
    case DItem::Section: return new DSection(QStringLiteral("s"));
    case DItem::Title: {
        auto* t = new DTitle(2);
        t->setNumberText(QStringLiteral("1.1"));
        return t;
    }
    case DItem::Header: return new DHeader;
    case DItem::Footer: return new DFooter;
    case DItem::PageBreak: return new DPageBreak;
    case DItem::Paragraph: return new DParagraph;
    case DItem::Text: return new DText(QStringLiteral("hello"));
    case DItem::Image: return new DImage(QStringLiteral("a.png"), 10, 20);
    case DItem::List: {
        auto* l = new DList;
        l->setOrdered(true);
        return l;
    }
    case DItem::Link: return new DLink(QStringLiteral("::X"));
    case DItem::Tag: return new DTag(QString());
    case DItem::Table: {
        auto* t = new DTable(2);
        t->setWidth({0.5f, 0.5f});
        return t;
    }
    case DItem::Row: return new DRow;
    case DItem::Cell: return new DCell(1, 2);
    case DItem::CellText: return new DCellText(QStringLiteral("c"), 1, 0);
    case DItem::TagPointer: {
        auto* p = new DTagPointer(QStringLiteral("t"));
        p->setTag(someTag());
        return p;
    }
    case DItem::PopupLink: return new DPopupLink(QStringLiteral("p"));
    case DItem::Popup: return new DPopup(QStringLiteral("p"));
    case DItem::Summary: {
        auto* s = new DSummary;
        s->setTitles({someTitle()});
        return s;
    }
    case DItem::SEntry: return new DSEntry(QStringLiteral("1 Intro"), 1, someTitle());
    case DItem::Index: {
        auto* i = new DIndex;
        i->setEntries({someTag()});
        return i;
    }
    case DItem::IEntry: return new DIEntry(QStringLiteral("t"), someTag());
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
    switch (item->kind()) {
    case DItem::Document: return new DDocument(*item->toDocument());
    case DItem::Section: return new DSection(*item->toSection());
    case DItem::Title: return new DTitle(*item->toTitle());
    case DItem::Header: return new DHeader(*item->toHeader());
    case DItem::Footer: return new DFooter(*item->toFooter());
    case DItem::PageBreak: return new DPageBreak(*item->toPageBreak());
    case DItem::Paragraph: return new DParagraph(*item->toParagraph());
    case DItem::Text: return new DText(*item->toText());
    case DItem::Image: return new DImage(*item->toImage());
    case DItem::List: return new DList(*item->toList());
    case DItem::Link: return new DLink(*item->toLink());
    case DItem::Tag: return new DTag(*item->toTag());
    case DItem::Table: return new DTable(*item->toTable());
    case DItem::Row: return new DRow(*item->toRow());
    case DItem::Cell: return new DCell(*item->toCell());
    case DItem::CellText: return new DCellText(*item->toCellText());
    case DItem::TagPointer: return new DTagPointer(*item->toTagPointer());
    case DItem::PopupLink: return new DPopupLink(*item->toPopupLink());
    case DItem::Popup: return new DPopup(*item->toPopup());
    case DItem::Summary: return new DSummary(*item->toSummary());
    case DItem::SEntry: return new DSEntry(*item->toSEntry());
    case DItem::Index: return new DIndex(*item->toIndex());
    case DItem::IEntry: return new DIEntry(*item->toIEntry());
    case DItem::Graphic: return new DGraphic(*item->toGraphic());
    case DItem::Axis: return new DAxis(*item->toAxis());
    case DItem::Curve: return new DCurve(*item->toCurve());
    case DItem::Point: return new DPoint(*item->toPoint());
    }
    return nullptr;
}

// Every typed down-cast, in kind order.
const std::function<const void*(DItem*)> casts[DItem::KindCount] = {
    [](DItem* i) { return static_cast<const void*>(i->toDocument()); },
    [](DItem* i) { return static_cast<const void*>(i->toSection()); },
    [](DItem* i) { return static_cast<const void*>(i->toTitle()); },
    [](DItem* i) { return static_cast<const void*>(i->toHeader()); },
    [](DItem* i) { return static_cast<const void*>(i->toFooter()); },
    [](DItem* i) { return static_cast<const void*>(i->toPageBreak()); },
    [](DItem* i) { return static_cast<const void*>(i->toParagraph()); },
    [](DItem* i) { return static_cast<const void*>(i->toText()); },
    [](DItem* i) { return static_cast<const void*>(i->toImage()); },
    [](DItem* i) { return static_cast<const void*>(i->toList()); },
    [](DItem* i) { return static_cast<const void*>(i->toLink()); },
    [](DItem* i) { return static_cast<const void*>(i->toTag()); },
    [](DItem* i) { return static_cast<const void*>(i->toTable()); },
    [](DItem* i) { return static_cast<const void*>(i->toRow()); },
    [](DItem* i) { return static_cast<const void*>(i->toCell()); },
    [](DItem* i) { return static_cast<const void*>(i->toCellText()); },
    [](DItem* i) { return static_cast<const void*>(i->toTagPointer()); },
    [](DItem* i) { return static_cast<const void*>(i->toPopupLink()); },
    [](DItem* i) { return static_cast<const void*>(i->toPopup()); },
    [](DItem* i) { return static_cast<const void*>(i->toSummary()); },
    [](DItem* i) { return static_cast<const void*>(i->toSEntry()); },
    [](DItem* i) { return static_cast<const void*>(i->toIndex()); },
    [](DItem* i) { return static_cast<const void*>(i->toIEntry()); },
    [](DItem* i) { return static_cast<const void*>(i->toGraphic()); },
    [](DItem* i) { return static_cast<const void*>(i->toAxis()); },
    [](DItem* i) { return static_cast<const void*>(i->toCurve()); },
    [](DItem* i) { return static_cast<const void*>(i->toPoint()); },
};

QString readGolden(const QString& name)
{
    QFile file(QStringLiteral(KORVAT_TEST_DATA "/model/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

// The item model: kinds, copies, ownership, document-order walking and the tree printer.
class TestDItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void downCasts();
    void containerKinds();
    void copyKeepsFieldsDropsLinks();
    void deleteDeepDocument();
    void deleteOwnedChains_data();
    void deleteOwnedChains();
    void appendChild();
    void nextInDocument_data();
    void nextInDocument();
    void documentCopyOwnsItsDefinitions();
    void styleEquality_data();
    void styleEquality();
    void printSmallDocument();
    void printEscapesAndNulls();
};

Q_DECLARE_METATYPE(DItem::Kind)

void TestDItem::downCasts()
{
    for (int k = 0; k < DItem::KindCount; ++k) {
        std::unique_ptr<DItem> item(makeItem(static_cast<DItem::Kind>(k)));
        QVERIFY(item);
        QCOMPARE(int(item->kind()), k);
        for (int c = 0; c < DItem::KindCount; ++c) {
            const void* cast = casts[c](item.get());
            if (c == k)
                QCOMPARE(cast, static_cast<const void*>(item.get()));
            else
                QVERIFY2(!cast, qPrintable(QStringLiteral("%1 cast to %2")
                                               .arg(DItem::kindName(item->kind()),
                                                    DItem::kindName(DItem::Kind(c)))));
        }
    }
}

void TestDItem::containerKinds()
{
    const QSet<DItem::Kind> containers = {
        DItem::Document, DItem::Section, DItem::Title, DItem::Header, DItem::Footer,
        DItem::Paragraph, DItem::List, DItem::Link, DItem::PopupLink, DItem::Table,
        DItem::Row, DItem::Cell, DItem::CellText, DItem::Popup, DItem::Summary,
        DItem::Index, DItem::Graphic, DItem::Curve};
    for (int k = 0; k < DItem::KindCount; ++k) {
        std::unique_ptr<DItem> item(makeItem(static_cast<DItem::Kind>(k)));
        const bool expected = containers.contains(item->kind());
        QVERIFY2(item->isContainer() == expected, DItem::kindName(item->kind()));
        QCOMPARE(item->toContainer() != nullptr, expected);
    }
}

void TestDItem::copyKeepsFieldsDropsLinks()
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
        switch (item->kind()) {
        case DItem::TagPointer:
            expected.replace(QLatin1String("resolved=yes"), QLatin1String("resolved=no"));
            break;
        case DItem::SEntry:
        case DItem::IEntry:
            expected.replace(QLatin1String("target=yes"), QLatin1String("target=no"));
            break;
        case DItem::Summary:
            expected.replace(QLatin1String("titles=1"), QLatin1String("titles=0"));
            break;
        case DItem::Index:
            expected.replace(QLatin1String("entries=1"), QLatin1String("entries=0"));
            break;
        default:
            break;
        }
        QCOMPARE(DTreePrinter::line(copy.get()), expected);

        item->setParent(nullptr);
        item->setNext(nullptr);
        delete item;
        delete sibling;
    }
    const std::unique_ptr<DItem> tag(makeItem(DItem::Tag));
    const std::unique_ptr<DItem> tagCopy(copyOf(tag.get()));
    QVERIFY(tagCopy->toTag()->name().isNull());
}

void TestDItem::deleteDeepDocument()
{
    // Each level a container holding the next one: freeing must not recurse per level.
    CountedText::destroyed = 0;
    auto* document = new DDocument(QStringLiteral("deep"), QStringLiteral("deep"));
    DItemContainer* level = document;
    for (int i = 0; i < 100000; ++i) {
        auto* section = new DSection(QString(), level);
        level->setChild(section);
        level = section;
    }
    level->setChild(new CountedText(level));
    delete document;
    QCOMPARE(CountedText::destroyed, 1);
}

void TestDItem::deleteOwnedChains_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("expected");
    QTest::newRow("chained documents") << "chained" << 3;
    QTest::newRow("document inside a container") << "nested" << 2;
    QTest::newRow("leaf does not own its next") << "leaf" << 1;
}

void TestDItem::deleteOwnedChains()
{
    QFETCH(QString, layout);
    QFETCH(int, expected);
    CountedText::destroyed = 0;
    std::unique_ptr<CountedText> spare;
    if (layout == QLatin1String("chained")) {
        // Three documents chained through next, each holding one counted text.
        auto* first = new DDocument(QStringLiteral("a"), QStringLiteral("a"));
        DDocument* last = first;
        for (int i = 0; i < 3; ++i) {
            if (i > 0) {
                auto* document = new DDocument(QStringLiteral("b"), QStringLiteral("b"));
                last->setNext(document);
                last = document;
            }
            last->setChild(new CountedText(last));
        }
        delete first;
    } else if (layout == QLatin1String("nested")) {
        // Inside a container, the document's next sibling belongs to the container.
        auto* section = new DSection(QStringLiteral("s"));
        auto* document = new DDocument(QStringLiteral("a"), QStringLiteral("a"), section);
        section->setChild(document);
        document->setChild(new CountedText(document));
        auto* after = new CountedText(section);
        document->setNext(after);
        delete section;
    } else {
        spare = std::make_unique<CountedText>();
        auto* leaf = new CountedText;
        leaf->setNext(spare.get());
        delete leaf;
    }
    QCOMPARE(CountedText::destroyed, expected);
}

void TestDItem::appendChild()
{
    DRow row;
    auto* a = new DCell(0, 0);
    auto* b = new DCell(1, 0);
    row.appendChild(a);
    row.appendChild(b);
    row.appendChild(nullptr);
    QCOMPARE(row.child(), a);
    QCOMPARE(a->next(), b);
    QCOMPARE(row.lastChild(), b);
    QCOMPARE(b->parent(), &row);
}

void TestDItem::nextInDocument_data()
{
    // Tree: D( S1( P( a b ) c ) S2( d ) ), then document E( e ) chained to D.
    // Each step is written as the item reached and its depth change from the previous one.
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("withSiblings");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole chain") << "D" << true << "D S1+1 P+1 a+1 b+0 c-1 S2-1 d+1 E-2 e+1";
    QTest::newRow("one document") << "D" << false << "D S1+1 P+1 a+1 b+0 c-1 S2-1 d+1";
    QTest::newRow("subtree only") << "S1" << false << "S1 P+1 a+1 b+0 c-1";
    QTest::newRow("subtree and later siblings") << "S1" << true << "S1 P+1 a+1 b+0 c-1 S2-1 d+1";
    QTest::newRow("leaf alone") << "b" << false << "b";
    QTest::newRow("leaf and later siblings") << "a" << true << "a b+0";
    QTest::newRow("last leaf climbs nowhere") << "d" << false << "d";
    QTest::newRow("chained document alone") << "E" << false << "E e+1";
}

void TestDItem::nextInDocument()
{
    QFETCH(QString, start);
    QFETCH(bool, withSiblings);
    QFETCH(QString, expected);

    auto* d = new DDocument(QStringLiteral("D"), QStringLiteral("D"));
    const std::unique_ptr<DDocument> owner(d);
    auto* s1 = new DSection(QStringLiteral("S1"), d);
    auto* s2 = new DSection(QStringLiteral("S2"), d);
    auto* p = new DParagraph(s1);
    auto* a = new DText(QStringLiteral("a"), p);
    auto* b = new DText(QStringLiteral("b"), p);
    auto* c = new DText(QStringLiteral("c"), s1);
    auto* dd = new DText(QStringLiteral("d"), s2);
    auto* e = new DDocument(QStringLiteral("E"), QStringLiteral("E"));
    auto* ee = new DText(QStringLiteral("e"), e);
    d->setChild(s1);
    s1->setNext(s2);
    s1->setChild(p);
    p->setChild(a);
    a->setNext(b);
    p->setNext(c);
    s2->setChild(dd);
    d->setNext(e);
    e->setChild(ee);
    const QList<QPair<QString, DItem*>> named = {{"D", d}, {"S1", s1}, {"S2", s2}, {"P", p},
                                                 {"a", a}, {"b", b}, {"c", c}, {"d", dd},
                                                 {"E", e}, {"e", ee}};
    auto label = [&](const DItem* item) {
        for (const auto& entry : named) {
            if (entry.second == item)
                return entry.first;
        }
        return QStringLiteral("?");
    };
    auto find = [&](const QString& name) {
        for (const auto& entry : named) {
            if (entry.first == name)
                return entry.second;
        }
        return static_cast<DItem*>(nullptr);
    };

    const DItem* first = find(start);
    const DItem* stopAt = withSiblings ? first->parent() : first;
    QStringList walk{label(first)};
    int change = 0;
    for (const DItem* item = first->nextInDocument(stopAt, &change); item;
         item = item->nextInDocument(stopAt, &change)) {
        walk.append(label(item) + (change >= 0 ? "+" : "") + QString::number(change));
    }
    QCOMPARE(walk.join(QLatin1Char(' ')), expected);
}

void TestDItem::documentCopyOwnsItsDefinitions()
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

void TestDItem::styleEquality_data()
{
    QTest::addColumn<int>("field");
    const char* const names[] = {"name", "family", "point size", "bold", "italic", "underline",
                                 "foreground", "background", "alignment", "margin left",
                                 "margin top", "margin right", "margin bottom"};
    for (int f = 0; f < 13; ++f)
        QTest::newRow(names[f]) << f;
}

void TestDItem::styleEquality()
{
    QFETCH(int, field);
    DStyle a(QStringLiteral("s"));
    DStyle b(a);
    QVERIFY(a == b);
    switch (field) {
    case 0: b.setName(QStringLiteral("t")); break;
    case 1: b.setFamily(QStringLiteral("Serif")); break;
    case 2: b.setPointSize(12); break;
    case 3: b.setBold(true); break;
    case 4: b.setItalic(true); break;
    case 5: b.setUnderline(true); break;
    case 6: b.setForeground(Qt::red); break;
    case 7: b.setBackground(Qt::white); break;
    case 8: b.setAlignment(Qt::AlignRight); break;
    case 9: b.setMarginLeft(1); break;
    case 10: b.setMarginTop(1); break;
    case 11: b.setMarginRight(1); break;
    case 12: b.setMarginBottom(1); break;
    }
    QVERIFY(a != b);
}

void TestDItem::printSmallDocument()
{
    // The layout of the results header: a table with a linked name cell.
    DStyle array(QStringLiteral("Array"));
    auto* document = new DDocument(QStringLiteral("Results files"), QStringLiteral("h"));
    const std::unique_ptr<DDocument> owner(document);
    document->setStyle(&array);
    auto* section = new DSection(QStringLiteral("s"), document);
    document->setChild(section);
    auto* table = new DTable(2, section);
    table->setWidth({0.5f, 0.1f});
    table->setStyleName(QStringLiteral("Missing"));
    section->setChild(table);
    auto* row = new DRow(table);
    table->setChild(row);
    auto* cell = new DCell(0, 0, row);
    row->setChild(cell);
    auto* link = new DLink(QStringLiteral("::X"), cell);
    cell->setChild(link);
    link->setChild(new DText(QStringLiteral("a.xrd"), link));
    cell->setNext(new DCellText(QStringLiteral("Passed"), 1, 0, row));
    auto* tag = new DTag(QString(), section);
    table->setNext(tag);
    tag->setNext(new DTitle(1, section));

    QCOMPARE(DTreePrinter::print(document), readGolden(QStringLiteral("small.txt")));
}

void TestDItem::printEscapesAndNulls()
{
    DText text(QStringLiteral("a \"b\"\\\n"));
    QCOMPARE(DTreePrinter::line(&text), QStringLiteral("Text \"a \\\"b\\\"\\\\\\n\""));
    DTag unnamed{QString()};
    QCOMPARE(DTreePrinter::line(&unnamed), QStringLiteral("Tag name=<null>"));
    DTag empty{QStringLiteral("")};
    QCOMPARE(DTreePrinter::line(&empty), QStringLiteral("Tag name=\"\""));
    QCOMPARE(DTreePrinter::print(nullptr), QString());
}

QTEST_APPLESS_MAIN(TestDItem)
#include "tst_ditem.moc"
