#include "rendoc/diterator.h"
#include "rendoc/dcolor.h"
#include "rendoc/ditems.h"
#include "rendoc/dfont.h"
#include "rendoc/dprogressmonitor.h"
#include "rendoc/dstyle.h"

#include <QtTest>

#include <memory>

namespace {

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

    void doTables(DDocument*) override { calls.append(QStringLiteral("Tables")); }
    void doDocument(DDocument* item) override { record("Document", item); }
    void doSection(DSection* item) override { record("Section", item); }
    void doTitle(DTitle* item) override { record("Title", item); }
    void doHeader(DHeader* item) override { record("Header", item); }
    void doFooter(DFooter* item) override { record("Footer", item); }
    void doPageBreak(DPageBreak* item) override { record("PageBreak", item); }
    void doParagraph(DParagraph* item) override { record("Paragraph", item); }
    void doText(DText* item) override { record("Text", item); }
    void doImage(DImage* item) override { record("Image", item); }
    void doList(DList* item) override { record("List", item); }
    void doLink(DLink* item) override { record("Link", item); }
    void doTag(DTag* item) override { record("Tag", item); }
    void doTable(DTable* item) override { record("Table", item); }
    void doRow(DRow* item) override { record("Row", item); }
    void doCell(DCell* item) override { record("Cell", item); }
    void doCellText(DCellText* item) override { record("CellText", item); }
    void doTagPointer(DTagPointer* item) override { record("TagPointer", item); }
    void doPopupLink(DPopupLink* item) override { record("PopupLink", item); }
    void doPopup(DPopup* item) override { record("Popup", item); }
    void doSummary(DSummary* item) override { record("Summary", item); }
    void doSEntry(DSEntry* item) override { record("SEntry", item); }
    void doIndex(DIndex* item) override { record("Index", item); }
    void doIEntry(DIEntry* item) override { record("IEntry", item); }
    void doGraphic(DGraphic* item) override { record("Graphic", item); }
    void doAxis(DAxis* item) override { record("Axis", item); }
    void doCurve(DCurve* item) override { record("Curve", item); }
    void doPoint(DPoint* item) override { record("Point", item); }
    void doOther(DItem* item) override { record("Other", item); }
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

// Reports a cancel once the recorder has seen a given number of items.
class CancelAfter : public DProgressMonitor
{
public:
    CancelAfter(const Recorder* recorder, int limit) : m_recorder(recorder), m_limit(limit) {}
    bool isCanceled() const override { return m_recorder && m_recorder->items.size() >= m_limit; }
    const Recorder* m_recorder;
    int m_limit;
};

DItem* makeItem(DItem::Kind kind)
{
    switch (kind) {
    case DItem::Document: return new DDocument(QString(), QString());
    case DItem::Section: return new DSection(QString());
    case DItem::Title: return new DTitle(1);
    case DItem::Header: return new DHeader;
    case DItem::Footer: return new DFooter;
    case DItem::PageBreak: return new DPageBreak;
    case DItem::Paragraph: return new DParagraph;
    case DItem::Text: return new DText(QString());
    case DItem::Image: return new DImage(QString(), 0, 0);
    case DItem::List: return new DList;
    case DItem::Link: return new DLink(QString());
    case DItem::Tag: return new DTag(QString());
    case DItem::Table: return new DTable(0);
    case DItem::Row: return new DRow;
    case DItem::Cell: return new DCell(0, 0);
    case DItem::CellText: return new DCellText(QString(), 0, 0);
    case DItem::TagPointer: return new DTagPointer(QString());
    case DItem::PopupLink: return new DPopupLink(QString());
    case DItem::Popup: return new DPopup(QString());
    case DItem::Summary: return new DSummary;
    case DItem::SEntry: return new DSEntry(QString(), 1, nullptr);
    case DItem::Index: return new DIndex;
    case DItem::IEntry: return new DIEntry(QString(), nullptr);
    case DItem::Graphic: return new DGraphic(QString());
    case DItem::Axis: return new DAxis(Qt::Horizontal, QString(), 0, 1);
    case DItem::Curve: return new DCurve(QString());
    case DItem::Point: return new DPoint(0, 0);
    }
    return nullptr;
}

// D( S( P( "a" "b" ) ) T ), then D2 chained after D.
std::unique_ptr<DDocument> smallChain()
{
    auto document = std::make_unique<DDocument>(QStringLiteral("t"), QStringLiteral("D"));
    auto* section = new DSection(QStringLiteral("S"), document.get());
    document->setChild(section);
    auto* paragraph = new DParagraph(section);
    section->setChild(paragraph);
    paragraph->appendChild(new DText(QStringLiteral("a")));
    paragraph->appendChild(new DText(QStringLiteral("b")));
    section->setNext(new DTag(QStringLiteral("T"), document.get()));
    document->setNext(new DDocument(QStringLiteral("t2"), QStringLiteral("D2")));
    return document;
}

} // namespace

Q_DECLARE_METATYPE(DItem::Kind)

// The visitor's dispatch, list walking, table visits and cancelling.
class TestDIterator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dispatch_data();
    void dispatch();
    void doAllVisitsTablesThenTopLevel();
    void descentIsPreOrder();
    void cancelStopsTheList();
    void nullArguments();
    void defaultsDoNothing();
};

void TestDIterator::dispatch_data()
{
    QTest::addColumn<DItem::Kind>("kind");
    for (int k = 0; k < DItem::KindCount; ++k)
        QTest::newRow(DItem::kindName(DItem::Kind(k))) << DItem::Kind(k);
}

void TestDIterator::dispatch()
{
    QFETCH(DItem::Kind, kind);
    std::unique_ptr<DItem> item(makeItem(kind));
    Recorder recorder;
    recorder.doItem(item.get());
    QCOMPARE(recorder.calls, QStringList{QLatin1String(DItem::kindName(kind))});
    QCOMPARE(recorder.items.value(0), item.get());
}

void TestDIterator::doAllVisitsTablesThenTopLevel()
{
    auto document = smallChain();
    document->addColor(std::make_unique<DColor>(QStringLiteral("red"), QColor(Qt::red)));
    document->addFont(std::make_unique<DFont>(QStringLiteral("f"), QString(), 0));
    document->addStyle(std::make_unique<DStyle>(QStringLiteral("s1")));
    document->addStyle(std::make_unique<DStyle>(QStringLiteral("s2")));
    Recorder recorder;
    recorder.doAll(document.get());
    const QStringList expected{"Color red", "Font f", "Style s1", "Style s2", "Tables",
                               "Document", "Document"};
    QCOMPARE(recorder.calls, expected);
    QCOMPARE(recorder.items.value(1), document->next());
}

void TestDIterator::descentIsPreOrder()
{
    auto document = smallChain();
    Recorder recorder(nullptr, true);
    recorder.doItemList(document.get());
    const QStringList expected{"Document", "Section", "Paragraph", "Text", "Text", "Tag",
                               "Document"};
    QCOMPARE(recorder.calls, expected);
}

void TestDIterator::cancelStopsTheList()
{
    auto document = smallChain();
    CancelAfter monitor(nullptr, 4);
    Recorder cancelled(&monitor, true);
    monitor.m_recorder = &cancelled;
    QVERIFY(!cancelled.isCanceled());
    cancelled.doItemList(document.get());
    QCOMPARE(cancelled.items.size(), 4);
    QVERIFY(cancelled.isCanceled());
}

void TestDIterator::nullArguments()
{
    Recorder recorder;
    recorder.doAll(nullptr);
    recorder.doItem(nullptr);
    recorder.doItemList(nullptr);
    recorder.doItemChildren(nullptr);
    DSection empty(QStringLiteral("e"));
    recorder.doItemChildren(&empty);
    QVERIFY(recorder.calls.isEmpty());
}

void TestDIterator::defaultsDoNothing()
{
    // The base visitor walks the top level and changes nothing.
    auto document = smallChain();
    DIterator plain;
    plain.doAll(document.get());
    QVERIFY(!plain.isCanceled());
    QCOMPARE(document->name(), QStringLiteral("D"));
    QVERIFY(document->child());
}

QTEST_APPLESS_MAIN(TestDIterator)
#include "tst_diterator.moc"
