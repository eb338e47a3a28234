#include "korvatreporter/document/qareporterfilterwriter.h"

#include "goldenfile.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "nodetreeprinter.h"
#include "reportbuilder.h"
#include "rendoc/ditems.h"
#include "rendoc/dtreeprinter.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

using Record = std::unique_ptr<QAReporterData>;
using TreeNode = QTree<QAReporterNode>::QTreeNode;

const QString ok = QStringLiteral("ok");
const QString ko = QStringLiteral("ko");

// A paragraph holding one text, as most report text comes.
void para(ReportBuilder &b, const QString &text)
{
    b.open(new DParagraph());
    b.text(text);
    b.close();
}

// A node whose text is one paragraph, with children built by `inside`.
void node(ReportBuilder &b, const QString &name, const QString &type, const QString &state,
          const std::function<void()> &inside = {})
{
    b.beginNode(name, type, state);
    para(b, name);
    if (inside)
        inside();
    b.endNode();
}

// Root with children A "ok" (child A1 "ok") and B "ko" (children B1 "ok"
// and B2 "ko"), between an introduction and a closing paragraph.
Record nested()
{
    ReportBuilder b;
    b.add(new DTitle(0));
    para(b, QStringLiteral("intro"));
    node(b, QStringLiteral("A"), QStringLiteral("Script"), ok,
         [&] { node(b, QStringLiteral("A1"), QStringLiteral("TestCase"), ok); });
    node(b, QStringLiteral("B"), QStringLiteral("Script"), ko, [&] {
        node(b, QStringLiteral("B1"), QStringLiteral("TestCase"), ok);
        node(b, QStringLiteral("B2"), QStringLiteral("TestCase"), ko);
    });
    para(b, QStringLiteral("closing"));
    return b.take();
}

// A "ko" node below an "ok" one, and a node without state below a "ko" one.
Record mixedStates()
{
    ReportBuilder b;
    node(b, QStringLiteral("S1"), QStringLiteral("Script"), ok,
         [&] { node(b, QStringLiteral("K"), QStringLiteral("TestCase"), ko); });
    node(b, QStringLiteral("S2"), QStringLiteral("Script"), ko,
         [&] { node(b, QStringLiteral("N"), QStringLiteral("Note"), QString()); });
    return b.take();
}

// Types sharing a prefix, for the type exclusions.
Record types()
{
    ReportBuilder b;
    node(b, QStringLiteral("S1"), QStringLiteral("Script"), ok, [&] {
        node(b, QStringLiteral("T1"), QStringLiteral("TestCase"), ok,
             [&] { node(b, QStringLiteral("C1"), QStringLiteral("Check"), ok); });
        node(b, QStringLiteral("T2"), QStringLiteral("TestStep"), ok);
    });
    node(b, QStringLiteral("S2"), QStringLiteral("Script"), ok,
         [&] { node(b, QStringLiteral("C2"), QStringLiteral("Check"), ko); });
    return b.take();
}

// A dropped node whose text is one table, so it starts and ends there.
Record startIsEnd()
{
    ReportBuilder b;
    b.beginNode(QStringLiteral("X"), QStringLiteral("TestCase"), ok);
    b.open(new DTable(1));
    b.open(new DRow());
    b.open(new DCellText(QStringLiteral("inside"), 0, 0));
    b.close();
    b.close();
    b.close();
    b.endNode();
    node(b, QStringLiteral("Y"), QStringLiteral("TestCase"), ko);
    return b.take();
}

// A graphic whose axis is the first item of a node: an axis takes no tag.
Record graphic()
{
    ReportBuilder b;
    node(b, QStringLiteral("G"), QStringLiteral("TestCase"), ko, [&] {
        b.open(new DGraphic(QStringLiteral("speed")));
        b.beginNode(QStringLiteral("Axis"), QStringLiteral("Check"), ko);
        b.add(new DAxis(Qt::Horizontal, QStringLiteral("t"), 0, 10));
        b.endNode();
        b.open(new DCurve(QStringLiteral("v")));
        b.add(new DPoint(1.5, 2));
        b.add(new DPoint(3, 4));
        b.close();
        b.close();
    });
    return b.take();
}

// Nodes that never get an anchor: a leaf, and a parent whose only child has
// one. The cursor must pass them on to the anchored nodes after them.
Record unanchored()
{
    ReportBuilder b;
    node(b, QStringLiteral("P"), QStringLiteral("Script"), ko, [&] {
        b.beginNode(QStringLiteral("U"), QStringLiteral("TestCase"), ko);
        b.endNode();
        node(b, QStringLiteral("V"), QStringLiteral("TestCase"), ko);
    });
    b.beginNode(QStringLiteral("W"), QStringLiteral("Script"), ko);
    b.endNode();
    node(b, QStringLiteral("Z"), QStringLiteral("Script"), ko);
    return b.take();
}

// A dropped node whose end item lies where the walk never comes (inside a
// dropped container): its range closes with the section that holds it.
Record openRange()
{
    ReportBuilder b;
    b.open(new DSection(QStringLiteral("s")));
    b.beginNode(QStringLiteral("E"), QStringLiteral("TestCase"), ok);
    b.open(new DParagraph());
    DItem *hidden = b.text(QStringLiteral("E"));
    b.close();
    para(b, QStringLiteral("more of E"));
    b.endNode();
    para(b, QStringLiteral("after E, same section"));
    b.close();
    node(b, QStringLiteral("F"), QStringLiteral("TestCase"), ko);
    Record record = b.take();
    // E's end: the text inside its dropped paragraph.
    QTreeIterator<QAReporterNode> it(*record->dataTree);
    it.toFirstChild();
    it.current()->endItem = hidden;
    return record;
}

// Two kept nodes sharing one anchor (back to back, then an item), under a
// node that is dropped in failed-only mode after them.
Record sharedAnchor()
{
    ReportBuilder b;
    b.beginNode(QStringLiteral("K1"), QStringLiteral("Script"), ko);
    b.beginNode(QStringLiteral("K2"), QStringLiteral("TestCase"), ko);
    para(b, QStringLiteral("K1 and K2"));
    b.endNode();
    node(b, QStringLiteral("O"), QStringLiteral("TestCase"), ok);
    b.endNode();
    para(b, QStringLiteral("tail"));
    return b.take();
}

Record makeFixture(const QString &name)
{
    static const QHash<QString, std::function<Record()>> fixtures{
        {QStringLiteral("nested"), nested},       {QStringLiteral("mixed"), mixedStates},
        {QStringLiteral("types"), types},         {QStringLiteral("startisend"), startIsEnd},
        {QStringLiteral("graphic"), graphic},     {QStringLiteral("unanchored"), unanchored},
        {QStringLiteral("openrange"), openRange}, {QStringLiteral("shared"), sharedAnchor},
    };
    return fixtures.value(name)();
}

QAReporterFilter makeFilter(bool failedOnly, const QStringList &hidden)
{
    QAReporterFilter filter;
    if (failedOnly)
        filter.set(QAReporterFilter::StateMatch, QRegularExpression(ko));
    for (const QString &type : hidden)
        filter.set(QAReporterFilter::TypeExclusion, QRegularExpression(type));
    return filter;
}

QString dumpRecord(QAReporterDataTree *tree, const DItem *document)
{
    return QStringLiteral("tree:\n") + NodeTreePrinter::print(tree, document)
        + QStringLiteral("document:\n") + DTreePrinter::print(document, true);
}

// Names of the nodes of a tree, in pre-order.
QStringList nodeNames(QAReporterDataTree *tree)
{
    QStringList names;
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QTree<QAReporterNode>::Forward))
        names << (n->name.isNull() ? QStringLiteral("<root>") : n->name);
    return names;
}

// The names a filter must keep: accepted nodes whose parent was kept.
QStringList expectedKept(QAReporterDataTree *tree, const QAReporterFilter &filter)
{
    QStringList names;
    QSet<const QAReporterNode *> dropped;
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QTree<QAReporterNode>::Forward)) {
        const QAReporterNode *parent = tree->iterator().parent();
        if (filter.match(*n) != QAReporterFilter::Accepted || dropped.contains(parent))
            dropped.insert(n);
        else
            names << (n->name.isNull() ? QStringLiteral("<root>") : n->name);
    }
    return names;
}

// Every DText of the walked document, in order.
QStringList texts(const DItem *document)
{
    QStringList out;
    for (const DItem *item = document; item; item = item->nextInDocument(nullptr)) {
        if (const DText *t = item->toText())
            out << t->text();
    }
    return out;
}

// A random report: nodes opened and closed at random points of a random
// tree of containers, each node's first item a paragraph with its name.
Record randomReport(quint32 seed, int size)
{
    QRandomGenerator rng(seed);
    ReportBuilder b(QStringLiteral("r%1").arg(seed));
    const QStringList states{ok, ko, QStringLiteral("NE"), QString(), QStringLiteral("kox")};
    const QStringList typeNames{QStringLiteral("Script"), QStringLiteral("TestCase"),
                                QStringLiteral("Check"), QString()};
    int openNodes = 0;
    int openContainers = 0;
    std::vector<int> nodesAtLevel{0}; // nodes opened in each open container
    int counter = 0;
    for (int step = 0; step < size; ++step) {
        switch (rng.bounded(6)) {
        case 0:
            b.beginNode(QStringLiteral("n%1").arg(++counter),
                        typeNames.at(int(rng.bounded(typeNames.size()))),
                        states.at(int(rng.bounded(states.size()))));
            para(b, QStringLiteral("n%1").arg(counter));
            ++openNodes;
            ++nodesAtLevel.back();
            break;
        case 1:
            // Nodes close in the container they were opened in.
            if (nodesAtLevel.back() > 0) {
                b.endNode();
                --openNodes;
                --nodesAtLevel.back();
            }
            break;
        case 2:
            b.open(new DSection(QString()));
            ++openContainers;
            nodesAtLevel.push_back(0);
            break;
        case 3:
            if (openContainers > 0 && nodesAtLevel.back() == 0) {
                b.close();
                --openContainers;
                nodesAtLevel.pop_back();
            }
            break;
        case 4:
            b.add(new DTag(QStringLiteral("t%1").arg(step)));
            break;
        default:
            b.text(QStringLiteral("x"));
            break;
        }
    }
    while (!nodesAtLevel.empty()) {
        for (; nodesAtLevel.back() > 0; --nodesAtLevel.back())
            b.endNode();
        nodesAtLevel.pop_back();
        if (openContainers > 0) {
            b.close();
            --openContainers;
        }
    }
    Q_UNUSED(openNodes);
    return b.take();
}

} // namespace

// Tests of the filtered copy of one report: the new tree, the new document
// and where the new nodes point.
class TestQAReporterFilterWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copies_data();
    void copies();
    void xrdSamples_data();
    void xrdSamples();
    void buildNewTreeFailures();
    void treeReplaysMoves_data();
    void treeReplaysMoves();
    void invariantOnGeneratedReports_data();
    void invariantOnGeneratedReports();
    void deepDocument();
    void deepTree();
    void filteredList();
    void severalDocuments();
};

void TestQAReporterFilterWriter::copies_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("failedOnly");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QString>("golden");

    const QStringList none;
    QTest::newRow("nested, no criterion") << "nested" << false << none << "nested_all.txt";
    QTest::newRow("nested, failed only") << "nested" << true << none << "nested_failed.txt";
    QTest::newRow("ko below ok, stateless below ko")
        << "mixed" << true << none << "mixed_failed.txt";
    QTest::newRow("hidden type prefix") << "types" << false << QStringList{"Test"}
                                        << "types_hide_test.txt";
    QTest::newRow("hidden type with subtree") << "types" << false << QStringList{"Script"}
                                              << "types_hide_script.txt";
    QTest::newRow("hidden type inside the name only") << "types" << false << QStringList{"Case"}
                                                      << "types_hide_case.txt";
    QTest::newRow("start equals end") << "startisend" << true << none << "startisend_failed.txt";
    QTest::newRow("axis takes no tag") << "graphic" << false << none << "graphic_all.txt";
    QTest::newRow("unanchored nodes") << "unanchored" << false << none << "unanchored_all.txt";
    QTest::newRow("range closes with its container")
        << "openrange" << true << none << "openrange_failed.txt";
    QTest::newRow("shared anchor") << "shared" << true << none << "shared_failed.txt";
}

void TestQAReporterFilterWriter::copies()
{
    QFETCH(QString, fixture);
    QFETCH(bool, failedOnly);
    QFETCH(QStringList, hidden);
    QFETCH(QString, golden);

    Record source = makeFixture(fixture);
    const QString sourceDump = dumpRecord(source->dataTree, source->document);
    const QAReporterFilter filter = makeFilter(failedOnly, hidden);

    QAReporterFilterWriter writer(&filter);
    writer.run(source->dataTree, source->document);
    QVERIFY(writer.newTree());
    std::unique_ptr<DDocument> copy = writer.takeDocument();
    QVERIFY(copy);
    QCOMPARE(writer.currentDocument(), copy.get());

    QCOMPARE(NodeTreePrinter::foreignPointers(writer.newTree(), copy.get()), 0);
    QCOMPARE(nodeNames(writer.newTree()), expectedKept(source->dataTree, filter));
    QString message;
    QVERIFY2(GoldenFile::check(golden, dumpRecord(writer.newTree(), copy.get()), &message),
             qPrintable(message));
    // The source is only read.
    QCOMPARE(dumpRecord(source->dataTree, source->document), sourceDump);
}

void TestQAReporterFilterWriter::xrdSamples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("failedOnly");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QString>("golden");

    QTest::newRow("nested, no criterion") << "nested.xrd" << false << QStringList{}
                                          << "nested_xrd_all.txt";
    QTest::newRow("nested, failed only") << "nested.xrd" << true << QStringList{}
                                         << "nested_xrd_failed.txt";
    QTest::newRow("types, Check hidden") << "types.xrd" << false << QStringList{"Check"}
                                         << "types_xrd_hide_check.txt";
    QTest::newRow("types, failed, Test hidden") << "types.xrd" << true << QStringList{"Test"}
                                                << "types_xrd_failed_hide_test.txt";
}

void TestQAReporterFilterWriter::xrdSamples()
{
    QFETCH(QString, file);
    QFETCH(bool, failedOnly);
    QFETCH(QStringList, hidden);
    QFETCH(QString, golden);

    std::vector<Record> sources;
    sources.push_back(std::make_unique<QAReporterData>());
    sources.back()->fileName = QStringLiteral(KORVAT_TEST_DATA "/") + file;
    QVERIFY(QAReporterLoader::readRecord(*sources.back()));

    QAReporterFilteredList list;
    list.setFilter(makeFilter(failedOnly, hidden));
    QVERIFY(list.buildFilteredReports(sources));
    const QAReporterData *copy = list.at(0);
    QCOMPARE(NodeTreePrinter::foreignPointers(copy->dataTree, copy->document), 0);
    QString message;
    QVERIFY2(GoldenFile::check(golden, dumpRecord(copy->dataTree, copy->document), &message),
             qPrintable(message));
}

void TestQAReporterFilterWriter::buildNewTreeFailures()
{
    Record source = nested();
    QAReporterFilterWriter noFilter(nullptr);
    QVERIFY(!noFilter.buildNewTree(source->dataTree));
    QVERIFY(!noFilter.newTree());

    // A root that fails the filter: no tree, and the document is copied whole.
    source->dataTree->root()->state = ok;
    const QAReporterFilter failed = makeFilter(true, {});
    QAReporterFilterWriter writer(&failed);
    QVERIFY(!writer.buildNewTree(source->dataTree));
    writer.run(source->dataTree, source->document);
    QVERIFY(!writer.newTree());
    std::unique_ptr<DDocument> copy = writer.takeDocument();
    QCOMPARE(texts(copy.get()), texts(source->document));

    const QAReporterFilter none;
    QAReporterFilterWriter noTree(&none);
    QVERIFY(!noTree.buildNewTree(nullptr));
    noTree.run(nullptr, nullptr);
    QVERIFY(!noTree.takeDocument());
}

void TestQAReporterFilterWriter::treeReplaysMoves_data()
{
    // Trees given as "name:state" per node with the depth as leading dots.
    QTest::addColumn<QStringList>("nodes");
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("siblings") << QStringList{"a:ko", "b:ok", "c:ko"}
                              << QStringList{"<root>", "a", "c"};
    QTest::newRow("dropped parent with deep subtree, then a sibling")
        << QStringList{"a:ko", ".a0:ko", ".a1:ok", "..a2:ko", "...a3:ko", "b:ko"}
        << QStringList{"<root>", "a", "a0", "b"};
    QTest::newRow("climb several levels after a failed descent")
        << QStringList{"a:ok", ".b:ko", "..c:ko", "d:ko", ".e:ko"}
        << QStringList{"<root>", "d", "e"};
    QTest::newRow("kept child after dropped sibling with children")
        << QStringList{"a:ko", ".b:ok", "..c:ko", ".d:ko", "..e:ko"}
        << QStringList{"<root>", "a", "d", "e"};
    QTest::newRow("every node dropped") << QStringList{"a:ok", ".b:ok", "c:NE"}
                                        << QStringList{"<root>"};
}

void TestQAReporterFilterWriter::treeReplaysMoves()
{
    QFETCH(QStringList, nodes);
    QFETCH(QStringList, kept);

    ReportBuilder b;
    int depth = 0;
    for (const QString &line : nodes) {
        const int level = int(line.indexOf(QRegularExpression(QStringLiteral("[^.]"))));
        for (; depth > level; --depth)
            b.endNode();
        const QStringList parts = line.mid(level).split(QLatin1Char(':'));
        b.beginNode(parts.at(0), QStringLiteral("T"), parts.at(1));
        para(b, parts.at(0));
        ++depth;
    }
    for (; depth > 0; --depth)
        b.endNode();
    Record source = b.take();

    const QAReporterFilter filter = makeFilter(true, {});
    QAReporterFilterWriter writer(&filter);
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QVERIFY(writer.buildNewTree(source->dataTree));
    QCOMPARE(nodeNames(writer.newTree()), kept);
    QCOMPARE(writer.excludedNodes().size(), nodes.size() + 1 - kept.size());
}

void TestQAReporterFilterWriter::invariantOnGeneratedReports_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("failedOnly");
    QTest::addColumn<QStringList>("hidden");

    for (quint32 seed = 1; seed <= 12; ++seed) {
        QTest::addRow("seed %u, no criterion", seed) << seed << false << QStringList{};
        QTest::addRow("seed %u, failed only", seed) << seed << true << QStringList{};
        QTest::addRow("seed %u, failed, Check hidden", seed)
            << seed << true << QStringList{QStringLiteral("Check")};
        QTest::addRow("seed %u, Script hidden", seed)
            << seed << false << QStringList{QStringLiteral("Script")};
    }
}

void TestQAReporterFilterWriter::invariantOnGeneratedReports()
{
    QFETCH(quint32, seed);
    QFETCH(bool, failedOnly);
    QFETCH(QStringList, hidden);

    Record source = randomReport(seed, 400);
    const QString sourceDump = dumpRecord(source->dataTree, source->document);
    const QAReporterFilter filter = makeFilter(failedOnly, hidden);
    QAReporterFilterWriter writer(&filter);
    writer.run(source->dataTree, source->document);
    std::unique_ptr<DDocument> copy = writer.takeDocument();
    QVERIFY(copy);

    QCOMPARE(NodeTreePrinter::foreignPointers(writer.newTree(), copy.get()), 0);
    const QStringList kept = expectedKept(source->dataTree, filter);
    QCOMPARE(nodeNames(writer.newTree()), kept);

    // Each node's own paragraph survives exactly when the node is kept.
    const QStringList copied = texts(copy.get());
    const QSet<QString> copiedTexts(copied.cbegin(), copied.cend());
    const QStringList all = nodeNames(source->dataTree);
    for (const QString &name : all) {
        if (name == QLatin1String("<root>"))
            continue;
        QVERIFY2(copiedTexts.contains(name) == kept.contains(name), qPrintable(name));
    }
    QCOMPARE(dumpRecord(source->dataTree, source->document), sourceDump);
}

void TestQAReporterFilterWriter::deepDocument()
{
    // Sections nested far deeper than a recursive walk could go.
    constexpr int depth = 100000;
    ReportBuilder b;
    node(b, QStringLiteral("top"), QStringLiteral("T"), ko, [&] {
        for (int i = 0; i < depth; ++i)
            b.open(new DSection(QString()));
        b.text(QStringLiteral("bottom"));
        for (int i = 0; i < depth; ++i)
            b.close();
    });
    node(b, QStringLiteral("dropped"), QStringLiteral("T"), ok, [&] {
        for (int i = 0; i < depth; ++i)
            b.open(new DSection(QString()));
        for (int i = 0; i < depth; ++i)
            b.close();
    });
    std::vector<Record> sources;
    sources.push_back(b.take());

    QAReporterFilteredList list;
    list.setFilter(makeFilter(true, {}));
    QVERIFY(list.buildFilteredReports(sources));
    const DItem *copy = list.at(0)->document;
    int maxDepth = 0;
    int level = 0;
    for (const DItem *item = copy; item;) {
        int change = 0;
        item = item->nextInDocument(nullptr, &change);
        level += change;
        maxDepth = qMax(maxDepth, level);
    }
    QCOMPARE(maxDepth, depth + 1); // the sections below the document, then the text
    QCOMPARE(texts(copy).last(), QStringLiteral("bottom"));
    QCOMPARE(NodeTreePrinter::foreignPointers(list.at(0)->dataTree, copy), 0);
}

void TestQAReporterFilterWriter::deepTree()
{
    // Nodes nested inside each other, each with a short paragraph.
    constexpr int depth = 100000;
    ReportBuilder b;
    for (int i = 0; i < depth; ++i) {
        b.beginNode(QStringLiteral("n"), QStringLiteral("T"), i == depth - 1 ? ok : ko);
        para(b, QStringLiteral("p"));
    }
    for (int i = 0; i < depth; ++i)
        b.endNode();
    Record source = b.take();

    const QAReporterFilter filter = makeFilter(true, {});
    QAReporterFilterWriter writer(&filter);
    writer.run(source->dataTree, source->document);
    std::unique_ptr<DDocument> copy = writer.takeDocument();
    QCOMPARE(writer.excludedNodes().size(), 1);
    QCOMPARE(NodeTreePrinter::foreignPointers(writer.newTree(), copy.get()), 0);
    QCOMPARE(texts(copy.get()).size(), depth - 1);
}

void TestQAReporterFilterWriter::filteredList()
{
    std::vector<Record> sources;
    sources.push_back(nested());
    sources.push_back(mixedStates());
    sources[0]->fileName = QStringLiteral("dir/first.xrd");
    sources[0]->failed = 3;
    sources[1]->fileName = QStringLiteral("second.xrd");

    QAReporterFilter filter = makeFilter(true, {});
    QAReporterFilteredList list;
    list.setFilter(filter);
    // The list holds its own copy: later changes of the window's filter do
    // not reach it.
    filter.clear(QAReporterFilter::StateMatch);
    QCOMPARE(list.filter().flags(), int(QAReporterFilter::StateMatch));

    QVERIFY(list.buildFilteredReports(sources));
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.at(0)->fileName, QStringLiteral("dir/first.xrd"));
    QCOMPARE(list.at(1)->fileName, QStringLiteral("second.xrd"));
    QCOMPARE(list.at(0)->failed, 0);
    QCOMPARE(list.at(0)->inconclusive, -1);
    QVERIFY(list.at(0)->types.isEmpty());
    QCOMPARE(nodeNames(list.at(0)->dataTree), (QStringList{"<root>", "B", "B2"}));
    QVERIFY(list.at(0)->document != sources[0]->document);
    QVERIFY(!list.at(2));

    // Building again appends; clearing frees the trees.
    QVERIFY(list.buildFilteredReports(QList<QAReporterData *>{sources[1].get()}));
    QCOMPARE(list.count(), 3);
    QPointer<QAReporterDataTree> tree = list.at(0)->dataTree.data();
    list.clear();
    QCOMPARE(list.count(), 0);
    QVERIFY(tree.isNull());
    QVERIFY(sources[0]->dataTree);
}

void TestQAReporterFilterWriter::severalDocuments()
{
    // A file with two documents: both copies stay alive, chained, and nodes
    // anchored in either point into them.
    Record source = nested();
    auto *second = new DDocument(QStringLiteral("Second"), QStringLiteral("doc2"));
    source->document->setNext(second);
    auto *p = new DParagraph(second);
    second->setChild(p);
    p->setChild(new DText(QStringLiteral("in doc2"), p));
    // The last node of the tree starts in the second document.
    QAReporterDataTree *tree = source->dataTree;
    tree->root();
    QAReporterNode *last = nullptr;
    while (QAReporterNode *n = tree->next(QTree<QAReporterNode>::Forward))
        last = n;
    last->startItem = p;
    last->endItem = p;

    const QAReporterFilter filter;
    QAReporterFilterWriter writer(&filter);
    writer.run(source->dataTree, source->document);
    std::unique_ptr<DDocument> copy = writer.takeDocument();
    QVERIFY(copy && copy->next());
    QCOMPARE(copy->next()->toDocument()->name(), QStringLiteral("doc2"));
    QCOMPARE(writer.currentDocument(), copy->next());
    QCOMPARE(NodeTreePrinter::foreignPointers(writer.newTree(), copy.get()), 0);
    QCOMPARE(writer.newTree()->root()->id, QStringLiteral("doc"));
}

QTEST_MAIN(TestQAReporterFilterWriter)
#include "tst_qareporterfilterwriter.moc"
