#include "rendoc/dupdater.h"
#include "rendoc/ditems.h"
#include "rendoc/dprogressmonitor.h"
#include "rendoc/dstyle.h"
#include "rendoc/dtreeprinter.h"

#include <QFile>
#include <QtTest>

#include <memory>

namespace {

// Builds a document by appending items in order; open() descends, close() climbs.
class Builder
{
public:
    explicit Builder(DDocument* document) : m_current(document) {}

    template <typename T>
    T* add(T* item)
    {
        item->setParent(m_current);
        if (m_last.value(m_current))
            m_last.value(m_current)->setNext(item);
        else
            m_current->setChild(item);
        m_last.insert(m_current, item);
        return item;
    }
    template <typename T>
    T* open(T* item)
    {
        add(item);
        m_current = item;
        return item;
    }
    void close() { m_current = m_current->parent(); }

private:
    DItemContainer* m_current;
    QHash<DItemContainer*, DItem*> m_last;
};

DTitle* title(Builder& b, int level, const QString& text)
{
    DTitle* t = b.open(new DTitle(level));
    b.add(new DText(text));
    b.close();
    return t;
}

QStringList numbers(const QList<DTitle*>& titles)
{
    QStringList out;
    for (const DTitle* t : titles)
        out.append(t->numberText().isNull() ? QStringLiteral("-") : t->numberText());
    return out;
}

class AlwaysCanceled : public DProgressMonitor
{
public:
    bool isCanceled() const override { return true; }
};

} // namespace

// The update pass that completes documents built or copied in memory.
class TestDUpdater : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbering_data();
    void numbering();
    void numberingRestartsPerDocument();
    void summaryAndIndex();
    void references_data();
    void references();
    void styleResolution_data();
    void styleResolution();
    void doItemStaysInItsSubtree();
    void deepDocument();
    void cancelledPassChangesNothing();
    void updatedDocumentGolden();
};

void TestDUpdater::numbering_data()
{
    QTest::addColumn<QList<int>>("levels");
    QTest::addColumn<QString>("expected");
    QTest::newRow("flat") << QList<int>{1, 1, 1} << "1 2 3";
    QTest::newRow("nested") << QList<int>{1, 2, 2, 1, 2} << "1 1.1 1.2 2 2.1";
    QTest::newRow("deeper level resets") << QList<int>{1, 2, 3, 2, 3} << "1 1.1 1.1.1 1.2 1.2.1";
    QTest::newRow("skipped level counts zero") << QList<int>{1, 3, 2} << "1 1.0.1 1.1";
    QTest::newRow("starts below the top") << QList<int>{2, 2} << "0.1 0.2";
    QTest::newRow("document title unnumbered") << QList<int>{0, 1, 0, 1} << "- 1 - 2";
    QTest::newRow("six levels") << QList<int>{1, 2, 3, 4, 5, 6} << "1 1.1 1.1.1 1.1.1.1 1.1.1.1.1 1.1.1.1.1.1";
}

void TestDUpdater::numbering()
{
    QFETCH(QList<int>, levels);
    QFETCH(QString, expected);
    DDocument document(QStringLiteral("t"), QStringLiteral("d"));
    Builder b(&document);
    QList<DTitle*> titles;
    // Titles sit at varying depths: numbering follows document order, not nesting.
    b.open(new DSection(QStringLiteral("s")));
    for (int i = 0; i < levels.size(); ++i) {
        if (i == 2)
            b.open(new DParagraph);
        titles.append(title(b, levels.at(i), QStringLiteral("x")));
    }
    DUpdater updater;
    updater.doAll(&document);
    QCOMPARE(numbers(titles).join(QLatin1Char(' ')), expected);
}

void TestDUpdater::numberingRestartsPerDocument()
{
    auto first = std::make_unique<DDocument>(QStringLiteral("a"), QStringLiteral("a"));
    auto* second = new DDocument(QStringLiteral("b"), QStringLiteral("b"));
    first->setNext(second);
    Builder b1(first.get());
    Builder b2(second);
    QList<DTitle*> titles{title(b1, 1, "a"), title(b1, 1, "b"), title(b2, 1, "c"),
                          title(b2, 2, "d")};
    DUpdater updater;
    updater.doAll(first.get());
    QCOMPARE(numbers(titles), (QStringList{"1", "2", "1", "1.1"}));
}

void TestDUpdater::summaryAndIndex()
{
    auto first = std::make_unique<DDocument>(QStringLiteral("a"), QStringLiteral("a"));
    auto* second = new DDocument(QStringLiteral("b"), QStringLiteral("b"));
    first->setNext(second);
    Builder b1(first.get());
    Builder b2(second);
    // A summary before the titles it lists, and an index before the tags.
    DSummary* summary = b1.add(new DSummary);
    DIndex* index = b1.add(new DIndex);
    title(b1, 0, "Doc");
    DTitle* t1 = title(b1, 1, "One");
    DTag* tagA = b1.add(new DTag(QStringLiteral("A")));
    b1.add(new DTag(QString()));
    b1.add(new DTag(QStringLiteral("")));
    DTitle* t2 = title(b1, 2, "Two");
    DSummary* summary2 = b2.add(new DSummary);
    DTitle* t3 = title(b2, 1, "Three");
    DTag* tagB = b2.add(new DTag(QStringLiteral("B")));

    DUpdater updater;
    updater.doAll(first.get());
    QCOMPARE(summary->titles(), (QList<DTitle*>{t1, t2}));
    QCOMPARE(summary2->titles(), QList<DTitle*>{t3});
    QCOMPARE(index->entries(), (QList<DTag*>{tagA, tagB}));
}

void TestDUpdater::references_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pointer to a tag") << "pointer" << "A" << "A1";
    QTest::newRow("pointer to a later tag in another document") << "pointer" << "B" << "B";
    QTest::newRow("pointer to nothing") << "pointer" << "Z" << "";
    QTest::newRow("pointer names are case-sensitive") << "pointer" << "a" << "";
    QTest::newRow("stale pointer is reset") << "stale" << "Z" << "";
    QTest::newRow("index entry by text") << "ientry" << "A" << "A1";
    QTest::newRow("index entry unknown") << "ientry" << "Q" << "";
    QTest::newRow("summary entry by number") << "sentry" << "1.1" << "Two";
    QTest::newRow("summary entry by text") << "sentry" << "One" << "One";
    QTest::newRow("summary entry by text with markup") << "sentry" << "Bold end" << "Bold end";
    QTest::newRow("summary entry unknown") << "sentry" << "Nine" << "";
}

void TestDUpdater::references()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    auto first = std::make_unique<DDocument>(QStringLiteral("a"), QStringLiteral("a"));
    auto* second = new DDocument(QStringLiteral("b"), QStringLiteral("b"));
    first->setNext(second);
    Builder b1(first.get());
    Builder b2(second);
    DTagPointer* pointer = nullptr;
    DIEntry* ientry = nullptr;
    DSEntry* sentry = nullptr;
    DTag stale(QStringLiteral("stale"));
    if (kind == QLatin1String("pointer") || kind == QLatin1String("stale")) {
        pointer = b1.add(new DTagPointer(name));
        if (kind == QLatin1String("stale"))
            pointer->setTag(&stale);
    } else if (kind == QLatin1String("ientry")) {
        ientry = b1.add(new DIEntry(name, nullptr));
    } else {
        sentry = b1.add(new DSEntry(name, 1, nullptr));
    }
    DTag* a1 = b1.add(new DTag(QStringLiteral("A")));
    b1.add(new DTag(QStringLiteral("A")));
    DTitle* one = title(b1, 1, "One");
    DTitle* two = title(b1, 2, "Two");
    DTitle* bold = b1.open(new DTitle(1));
    b1.add(new DText(QStringLiteral("Bold")));
    b1.open(new DParagraph);
    b1.add(new DText(QStringLiteral(" end")));
    b1.close();
    b1.close();
    DTag* b = b2.add(new DTag(QStringLiteral("B")));
    title(b2, 1, "Nine");

    const QHash<QString, const void*> targets{{"A1", a1}, {"B", b}, {"One", one},
                                              {"Two", two}, {"Bold end", bold}};
    DUpdater updater;
    updater.doAll(first.get());
    const void* got = pointer ? static_cast<const void*>(pointer->tag())
                    : ientry  ? static_cast<const void*>(ientry->target())
                              : static_cast<const void*>(sentry->target());
    QCOMPARE(got, targets.value(expected));
}

void TestDUpdater::styleResolution_data()
{
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<bool>("preset");
    QTest::addColumn<QString>("expected");
    QTest::newRow("document style wins") << "Both" << false << "local";
    QTest::newRow("updater list") << "Shared" << false << "shared";
    QTest::newRow("unknown name") << "Nothing" << false << "";
    QTest::newRow("case-sensitive") << "shared" << false << "";
    QTest::newRow("no name") << QString() << false << "";
    QTest::newRow("empty name matches empty-named style") << "" << false << "empty";
    QTest::newRow("style already set is kept") << "Shared" << true << "preset";
}

void TestDUpdater::styleResolution()
{
    QFETCH(QString, styleName);
    QFETCH(bool, preset);
    QFETCH(QString, expected);

    DStyle shared(QStringLiteral("Shared"));
    DStyle both(QStringLiteral("Both"));
    DStyle empty{QStringLiteral("")};
    DStyle presetStyle(QStringLiteral("Preset"));
    auto local = std::make_unique<DStyle>(QStringLiteral("Both"));
    DStyle* localStyle = local.get();

    DDocument document(QStringLiteral("t"), QStringLiteral("d"));
    document.addStyle(std::move(local));
    Builder b(&document);
    b.open(new DTable(1));
    DCell* cell = b.open(new DCell(0, 0));
    cell->setStyleName(styleName);
    if (preset)
        cell->setStyle(&presetStyle);

    DUpdater updater;
    updater.setStyles({nullptr, &shared, &both, &empty});
    updater.doAll(&document);
    const QHash<QString, DStyle*> styles{{"local", localStyle}, {"shared", &shared},
                                         {"empty", &empty}, {"preset", &presetStyle}};
    QCOMPARE(cell->style(), styles.value(expected));
}

void TestDUpdater::doItemStaysInItsSubtree()
{
    DDocument document(QStringLiteral("t"), QStringLiteral("d"));
    Builder b(&document);
    DSection* first = b.open(new DSection(QStringLiteral("a")));
    DTitle* inside = title(b, 1, "in");
    b.close();
    DTitle* after = title(b, 1, "after");

    DUpdater updater;
    updater.doItem(first);
    QCOMPARE(inside->numberText(), QStringLiteral("1"));
    QVERIFY(after->numberText().isNull());

    updater.doItemList(first);
    QCOMPARE(after->numberText(), QStringLiteral("2"));
}

void TestDUpdater::deepDocument()
{
    // A chain of 100,000 nested sections with a title and a tag pointer at the bottom.
    auto document = std::make_unique<DDocument>(QStringLiteral("t"), QStringLiteral("deep"));
    Builder b(document.get());
    b.add(new DTag(QStringLiteral("top")));
    for (int i = 0; i < 100000; ++i)
        b.open(new DSection(QString()));
    DTitle* bottom = title(b, 1, "bottom");
    DTagPointer* pointer = b.add(new DTagPointer(QStringLiteral("top")));
    pointer->setStyleName(QStringLiteral("S"));
    auto style = std::make_unique<DStyle>(QStringLiteral("S"));
    DStyle* s = style.get();
    document->addStyle(std::move(style));

    DUpdater updater;
    updater.doAll(document.get());
    QCOMPARE(bottom->numberText(), QStringLiteral("1"));
    QVERIFY(pointer->tag());
    QCOMPARE(pointer->style(), s);
}

void TestDUpdater::cancelledPassChangesNothing()
{
    DDocument document(QStringLiteral("t"), QStringLiteral("d"));
    Builder b(&document);
    DTitle* t = title(b, 1, "x");
    AlwaysCanceled monitor;
    DUpdater updater(&monitor);
    updater.doAll(&document);
    QVERIFY(t->numberText().isNull());
}

void TestDUpdater::updatedDocumentGolden()
{
    auto document = std::make_unique<DDocument>(QStringLiteral("Report"), QStringLiteral("r"));
    DStyle array(QStringLiteral("Array"));
    Builder b(document.get());
    b.add(new DSummary);
    title(b, 0, "Report");
    title(b, 1, "Intro");
    b.open(new DParagraph);
    b.add(new DTag(QStringLiteral("T1")));
    b.add(new DText(QStringLiteral("see ")));
    b.add(new DTagPointer(QStringLiteral("T1")));
    b.add(new DTagPointer(QStringLiteral("T9")));
    b.close();
    title(b, 2, "Detail");
    DTable* table = b.open(new DTable(2));
    table->setStyleName(QStringLiteral("Array"));
    table->setWidth({0.6f, 0.4f});
    b.open(new DRow);
    b.add(new DCellText(QStringLiteral("k"), 0, 0));
    b.close();
    b.close();
    b.open(new DIndex);
    b.add(new DIEntry(QStringLiteral("T1"), nullptr));
    b.close();

    DUpdater updater;
    updater.setStyles({&array});
    updater.doAll(document.get());

    QFile golden(QStringLiteral(KORVAT_TEST_DATA "/model/updated.txt"));
    QVERIFY(golden.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(DTreePrinter::print(document.get()), QString::fromUtf8(golden.readAll()));
}

QTEST_APPLESS_MAIN(TestDUpdater)
#include "tst_dupdater.moc"
