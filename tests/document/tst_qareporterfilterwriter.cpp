#include "korvatreporter/document/qareporterfilterwriter.h"

#include "tests/support/goldenfile.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "rendoc/model/ditems.h"
#include "rendoc/model/dtreeprinter.h"
#include "rendoc/model/dupdater.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTest>

namespace {

using Record = std::unique_ptr<QAReporterData>;

// A report read from XRD text.
Record read(const QString &xml)
{
    QAstXmlRodReader reader;
    auto record = std::make_unique<QAReporterData>();
    if (reader.parseText(xml)) {
        record->document = std::unique_ptr<DDocument>(reader.takeDocument());
        record->dataTree = std::unique_ptr<QAReporterDataTree>(reader.takeDataTree());
    }
    return record;
}

// A report file of the test data folder.
Record load(const QString &file)
{
    QFile xrd(KORVAT_TEST_DATA "/" + file);
    return read(xrd.open(QIODevice::ReadOnly) ? QString::fromUtf8(xrd.readAll()) : QString());
}

QAReporterFilter makeFilter(bool failedOnly, const QStringList &hidden = {})
{
    QAReporterFilter filter;
    if (failedOnly)
        filter.set(QAReporterFilter::StateMatch, QRegularExpression("ko"));
    for (const QString &type : hidden)
        filter.set(QAReporterFilter::TypeExclusion, QRegularExpression(type));
    return filter;
}

// Where a node points: "#n Kind" for the n-th item (from 0, in document
// order) of the document and those chained after it, "null", or "FOREIGN"
// for an item outside them.
QString where(const DItem *item, const QHash<const DItem *, int> &index)
{
    if (!item)
        return "null";
    if (!index.contains(item))
        return "FOREIGN";
    return QStringLiteral("#%1 %2").arg(index.value(item)).arg(DItem::kindName(item->kind()));
}

QHash<const DItem *, int> indexItems(const DItem *document)
{
    QHash<const DItem *, int> index;
    for (const DItem *item = document; item; item = item->nextInDocument(nullptr))
        index.insert(item, int(index.size()));
    return index;
}

// Node pointers of the tree that lead outside the document.
int foreignPointers(QAReporterDataTree *tree, const DItem *document)
{
    const QHash<const DItem *, int> index = indexItems(document);
    int foreign = 0;
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QAReporterDataTree::Forward))
        foreign += int(where(n->startItem, index) == "FOREIGN") + int(where(n->endItem, index) == "FOREIGN");
    return foreign;
}

// The node tree, one indented line per node with its fields and anchors,
// then the document.
QString dumpRecord(QAReporterDataTree *tree, const DItem *document)
{
    const QHash<const DItem *, int> index = indexItems(document);
    const auto field = [](const char *name, const QString &value) {
        return value.isNull() ? QString() : QStringLiteral(" %1=\"%2\"").arg(name, value);
    };
    QString out = "tree:\n";
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QAReporterDataTree::Forward)) {
        out += QString(2 * (tree->depth() - 1), ' ') + "Node" + field("id", n->id) + field("name", n->name)
            + field("type", n->type) + field("state", n->state) + " start=" + where(n->startItem, index)
            + " end=" + where(n->endItem, index) + '\n';
    }
    return out + "document:\n" + DTreePrinter::print(document, true);
}

// Names of the nodes of a tree, in pre-order.
QStringList nodeNames(QAReporterDataTree *tree)
{
    QStringList names;
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QAReporterDataTree::Forward))
        names << (n->name.isNull() ? "<root>" : n->name);
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
// tree of sections, each node's first item a paragraph with its name.
QString randomReport(quint32 seed, int size)
{
    QRandomGenerator rng(seed);
    const QStringList states{"ok", "ko", "NE", QString(), "kox"};
    const QStringList typeNames{"Script", "TestCase", "Check", ""};
    QString xml = "<XROD><DOCUMENT>";
    QStringList open; // end tags of the open nodes and sections, innermost last
    for (int step = 0; step < size; ++step) {
        switch (const int draw = int(rng.bounded(6))) {
        case 0: { // a node start tag and its paragraph
            const QString state = states.at(rng.bounded(5));
            xml += QStringLiteral("<XROD:NODE name=\"n%1\" type=\"%2\"%3><P>n%1</P>")
                       .arg(step).arg(typeNames.at(rng.bounded(4)), state.isNull() ? "" : " state=\"" + state + '"');
            open << "</XROD:NODE>";
            break;
        }
        case 1: // a node closes in the section it was opened in, and the other way round
        case 2:
            if (!open.isEmpty() && open.last() == (draw == 1 ? "</XROD:NODE>" : "</SECTION>"))
                xml += open.takeLast();
            break;
        case 3:
            xml += "<SECTION>";
            open << "</SECTION>";
            break;
        case 4:
            xml += QStringLiteral("<TAG name=\"t%1\"/>").arg(step);
            break;
        default:
            xml += 'x';
        }
    }
    while (!open.isEmpty())
        xml += open.takeLast();
    return xml + "</DOCUMENT></XROD>";
}

// Sections nested `depth` deep, the innermost one holding `text`.
DSection *nestedSections(int depth, const QString &text)
{
    auto *outer = new DSection(QString());
    DSection *section = outer;
    for (int i = 1; i < depth; ++i) {
        section->setChild(new DSection(QString(), section));
        section = static_cast<DSection *>(section->child());
    }
    section->setChild(new DText(text, section));
    return outer;
}

// The copy the writer makes of a record, after the update pass the
// filtered list gives every copy.
Record writerCopy(const QAReporterData &source, const QAReporterFilter &filter)
{
    QAReporterFilterWriter writer(&filter);
    writer.run(source.dataTree.data(), source.document);
    auto copy = std::make_unique<QAReporterData>();
    copy->dataTree = writer.takeNewTree();
    copy->document = writer.takeDocument();
    DUpdater updater;
    if (copy->document)
        updater.doItemList(copy->document);
    return copy;
}

// The dump of the copy the writer makes, with the nested exclusions pruned
// from its anchor table or not; `writer` is left with the copy's figures.
QString prunedDump(QAReporterFilterWriter &writer, const QAReporterData &source, bool prune)
{
    writer.setPruning(prune);
    writer.run(source.dataTree.data(), source.document);
    std::unique_ptr<DDocument> copy = writer.takeDocument();
    std::unique_ptr<QAReporterDataTree> tree = writer.takeNewTree();
    return tree ? dumpRecord(tree.get(), copy.get()) : QString();
}

// One line per node in pre-order: its fields and the kinds of the items it
// is anchored on, which a complete copy and the record it repeats share.
// The root's end is left out: the reader leaves the root open (its span runs
// to the end of the file) while a copy closes it on the last node's end; the
// root has no base, so which links it holds changes no link.
QStringList nodeLines(QAReporterDataTree *tree)
{
    QStringList lines;
    const auto kind = [](const DItem *item) { return item ? DItem::kindName(item->kind()) : "null"; };
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QAReporterDataTree::Forward))
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7").arg(tree->depth()).arg(n->id.toString(), n->name, n->type, n->state)
                     .arg(kind(n->startItem), tree->depth() == 1 ? "-" : kind(n->endItem));
    return lines;
}

// The numbers of the titles of the walked document, in order.
QStringList titleNumbers(const DItem *document)
{
    QStringList out;
    for (const DItem *item = document; item; item = item->nextInDocument(nullptr)) {
        if (const DTitle *title = item->toTitle())
            out << title->numberText();
    }
    return out;
}

} // namespace

// Tests of the filtered copy of one report: the new tree, the new document
// and where the new nodes point.
class TestQAReporterFilterWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each file copied through a filter, checked against a golden dump; then
    // shown through the filtered list, which shows a record the filter keeps
    // whole (`shared`) as it is.
    void copies_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("failedOnly");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QString>("golden");
        QTest::addColumn<bool>("shared");

        const QStringList none;
        QTest::newRow("nested, no criterion") << "nested.xrd" << false << none << "nested_all.txt" << true;
        QTest::newRow("nested, failed only") << "nested.xrd" << true << none << "nested_failed.txt" << false;
        QTest::newRow("ko below ok, stateless below ko")
            << "mixed.xrd" << true << none << "mixed_failed.txt" << false;
        QTest::newRow("hidden type prefix, with subtree")
            << "types.xrd" << false << QStringList{"Test"} << "types_hide_test.txt" << false;
        QTest::newRow("hidden top type")
            << "types.xrd" << false << QStringList{"Script"} << "types_hide_script.txt" << false;
        QTest::newRow("hidden type inside the name only")
            << "types.xrd" << false << QStringList{"Case"} << "types_hide_case.txt" << true;
        QTest::newRow("hidden leaf type")
            << "types.xrd" << false << QStringList{"Check"} << "types_hide_check.txt" << false;
        QTest::newRow("start equals end") << "startisend.xrd" << true << none << "startisend_failed.txt" << false;
        QTest::newRow("axis takes no tag") << "graphic.xrd" << false << none << "graphic_all.txt" << true;
        QTest::newRow("unanchored nodes") << "unanchored.xrd" << false << none << "unanchored_all.txt" << true;
        QTest::newRow("range closes with its container")
            << "openrange.xrd" << true << none << "openrange_failed.txt" << false;
        QTest::newRow("two documents") << "twodocs.xrd" << false << none << "twodocs_all.txt" << true;
        QTest::newRow("walk moves replayed") << "moves.xrd" << true << none << "moves_failed.txt" << false;
        QTest::newRow("shared anchor") << "shared.xrd" << true << none << "shared_failed.txt" << false;
    }

    void copies()
    {
        QFETCH(QString, file);
        QFETCH(bool, failedOnly);
        QFETCH(QStringList, hidden);
        QFETCH(QString, golden);
        QFETCH(bool, shared);

        Record source = load(file);
        QVERIFY(source->dataTree);
        if (file == "openrange.xrd") {
            // E ends on the text inside its first paragraph, which the walk
            // never visits once the paragraph is dropped.
            source->dataTree->root();
            QAReporterNode *e = source->dataTree->next(QAReporterDataTree::Forward);
            e->endItem = e->startItem->toContainer()->child();
        }
        const QString sourceDump = dumpRecord(source->dataTree, source->document);

        // Copying warns of nothing.
        QTest::failOnWarning(QRegularExpression("."));
        const QAReporterFilter filter = makeFilter(failedOnly, hidden);
        const Record copy = writerCopy(*source, filter);
        QVERIFY(copy->dataTree && copy->document);
        QCOMPARE(foreignPointers(copy->dataTree, copy->document), 0);
        KORVAT_VERIFY_GOLDEN(golden, dumpRecord(copy->dataTree, copy->document));
        // The source is only read.
        QCOMPARE(dumpRecord(source->dataTree, source->document), sourceDump);

        // A record kept whole looks as its complete copy would: same nodes,
        // ids and anchors, same text and title numbers; the list never frees it.
        QCOMPARE(QAReporterFilteredList::keepsAll(filter, *source), shared);
        QPointer<QAReporterDataTree> tree = source->dataTree.data();
        {
            QAReporterFilteredList list;
            list.setFilter(filter);
            QVERIFY(list.buildFilteredReports(QList<QAReporterData *>{source.get()}));
            QCOMPARE(list.count(), 1);
            QCOMPARE(list.isShared(0), shared);
            QCOMPARE(list.at(0) == source.get(), shared);
            QCOMPARE(source->documentsCompleted, shared);
            const QAReporterData *shown = list.at(0);
            QCOMPARE(foreignPointers(shown->dataTree, shown->document), 0);
            // A copy moves G's end from the graphic onto its axis; the shared
            // record keeps the reader's anchor.
            if (file != "graphic.xrd")
                QCOMPARE(nodeLines(shown->dataTree), nodeLines(copy->dataTree));
            QCOMPARE(texts(shown->document), texts(copy->document));
            QCOMPARE(titleNumbers(shown->document), titleNumbers(copy->document));
            list.clear();
            QCOMPARE(list.count(), 0);
        }
        QVERIFY(tree);
        QVERIFY(source->document);

        // Completing is done once; showing the record again changes nothing.
        if (shared) {
            const QString dump = dumpRecord(source->dataTree, source->document);
            QAReporterFilteredList again;
            again.setFilter(filter);
            again.buildFilteredReports(QList<QAReporterData *>{source.get()});
            QCOMPARE(dumpRecord(source->dataTree, source->document), dump);
        }
    }

    void buildNewTreeFailures()
    {
        Record source = load("nested.xrd");
        QAReporterFilterWriter noFilter(nullptr);
        QVERIFY(!noFilter.buildNewTree(source->dataTree));
        QVERIFY(!noFilter.newTree());

        // A root that fails the filter: no tree, and the document is copied whole.
        source->dataTree->root()->state = "ok";
        const QAReporterFilter failed = makeFilter(true);
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

    void invariantOnGeneratedReports_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("failedOnly");
        QTest::addColumn<QStringList>("hidden");

        for (quint32 seed = 1; seed <= 12; ++seed) {
            QTest::addRow("seed %u, no criterion", seed) << seed << false << QStringList{};
            QTest::addRow("seed %u, failed only", seed) << seed << true << QStringList{};
            QTest::addRow("seed %u, failed, Check hidden", seed) << seed << true << QStringList{"Check"};
            QTest::addRow("seed %u, Script hidden", seed) << seed << false << QStringList{"Script"};
        }
    }

    void invariantOnGeneratedReports()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, failedOnly);
        QFETCH(QStringList, hidden);

        Record source = read(randomReport(seed, 400));
        QVERIFY(source->dataTree);
        const QString sourceDump = dumpRecord(source->dataTree, source->document);
        const QAReporterFilter filter = makeFilter(failedOnly, hidden);
        QAReporterFilterWriter writer(&filter);
        writer.run(source->dataTree, source->document);
        std::unique_ptr<DDocument> copy = writer.takeDocument();
        QVERIFY(copy);
        QCOMPARE(foreignPointers(writer.newTree(), copy.get()), 0);

        // Each node's own paragraph survives exactly when the node is kept.
        const QStringList kept = nodeNames(writer.newTree());
        const QStringList copied = texts(copy.get());
        for (const QString &name : nodeNames(source->dataTree).mid(1))
            QVERIFY2(copied.contains(name) == kept.contains(name), qPrintable(name));
        QCOMPARE(dumpRecord(source->dataTree, source->document), sourceDump);

        // Pruning nested exclusions from the anchor table changes nothing,
        // however the random nodes nest in the document.
        QAReporterFilterWriter full(&filter);
        QAReporterFilterWriter pruned(&filter);
        QCOMPARE(prunedDump(pruned, *source, true), prunedDump(full, *source, false));

        // Nor on a node tree that disagrees with its document: every fifth
        // node starts at a random item.
        std::vector<DItem *> items;
        for (DItem *item = source->document; item; item = item->nextInDocument(nullptr))
            items.push_back(item);
        QRandomGenerator rng(seed);
        int n = 0;
        for (QAReporterNode *node = source->dataTree->root(); node;
             node = source->dataTree->next(QAReporterDataTree::Forward)) {
            if (++n % 5 == 0)
                node->startItem = items.at(rng.bounded(quint32(items.size())));
        }
        QCOMPARE(prunedDump(pruned, *source, true), prunedDump(full, *source, false));
    }

    // Excluded nodes inside an excluded node's drop range get no entry in the
    // anchor table; a node tree whose nesting disagrees with the document is
    // noticed and copied again in full, with the same result as without
    // pruning.
    void prunedExclusions_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("moved");  // node whose first item is moved
        QTest::addColumn<QString>("movedTo"); // text of the paragraph it moves to
        QTest::addColumn<int>("pruned");
        QTest::addColumn<bool>("copiedAgain");

        const QString cases = "<XROD><DOCUMENT><TITLE level=\"0\">Run</TITLE>"
            "<XROD:NODE name=\"c1\" type=\"TestCase\" state=\"ok\"><P>case 1</P>"
            "<XROD:NODE name=\"c1a\" type=\"Check\" state=\"ok\"><P>check 1a</P></XROD:NODE>"
            "<XROD:NODE name=\"c1b\" type=\"Check\" state=\"ok\"><P>check 1b</P></XROD:NODE>"
            "</XROD:NODE>"
            "<XROD:NODE name=\"c2\" type=\"TestCase\" state=\"ko\"><P>case 2</P>"
            "<XROD:NODE name=\"c2a\" type=\"Check\" state=\"ok\"><P>check 2a</P></XROD:NODE>"
            "<XROD:NODE name=\"c2b\" type=\"Check\" state=\"ko\"><P>check 2b</P></XROD:NODE>"
            "</XROD:NODE>"
            "<XROD:NODE name=\"c3\" type=\"TestCase\" state=\"NE\"><SECTION><P>case 3</P>"
            "<XROD:NODE name=\"c3a\" type=\"Check\" state=\"NE\"><P>check 3a</P></XROD:NODE>"
            "</SECTION></XROD:NODE>"
            "<P>after</P></DOCUMENT></XROD>";
        // c1's checks are pruned; c2a has no children and c3 is one
        // section (its first item is its last), so neither opens a range
        // for nodes below it. A copy made again indexes every node.
        QTest::newRow("nested cases") << cases << QString() << QString() << 2 << false;
        QTest::newRow("first item inside a dropped paragraph")
            << cases << "c1a" << "check 1a>text" << 2 << false;
        QTest::newRow("first item before the parent's range")
            << cases << "c1b" << "Run" << 0 << true;
        QTest::newRow("first item after the parent's range")
            << cases << "c1a" << "after" << 0 << true;
        QTest::newRow("first item in a later kept case")
            << cases << "c1b" << "case 2" << 0 << true;
        // The other excluded nodes are met in walk order: c2a, c3, then c3a,
        // which lies inside c3's dropped section and is passed with it.
        QTest::newRow("excluded case before an earlier one")
            << cases << "c3" << "Run" << 0 << true;
        QTest::newRow("pruned case on the item of the node before, its range unopened")
            << cases << "c3" << "check 2a" << 0 << true;
        QTest::newRow("excluded node on the item of one further back")
            << cases << "c3a" << "check 2a" << 0 << true;
        QTest::newRow("excluded node inside a range passed before it is due")
            << cases << "c3a" << "check 1a>text" << 0 << true;
    }

    void prunedExclusions()
    {
        QFETCH(QString, xml);
        QFETCH(QString, moved);
        QFETCH(QString, movedTo);
        QFETCH(bool, copiedAgain);

        Record source = read(xml);
        QVERIFY(source->dataTree);
        if (!moved.isEmpty()) {
            // The paragraph holding the text, or with ">text" its text item.
            const bool inner = movedTo.endsWith(">text");
            const QString text = inner ? movedTo.chopped(5) : movedTo;
            DItem *target = nullptr;
            for (DItem *item = source->document; item && !target; item = item->nextInDocument(nullptr)) {
                if (item->toText() && item->toText()->text() == text)
                    target = inner ? item : static_cast<DItem *>(item->parent());
            }
            QVERIFY(target);
            bool found = false;
            for (QAReporterNode *n = source->dataTree->root(); n; n = source->dataTree->next(QAReporterDataTree::Forward)) {
                if (n->name == moved) {
                    n->startItem = target;
                    found = true;
                }
            }
            QVERIFY(found);
        }
        const QAReporterFilter filter = makeFilter(true);
        QAReporterFilterWriter full(&filter);
        const QString expected = prunedDump(full, *source, false);
        QCOMPARE(full.prunedNodes(), 0);
        QVERIFY(!full.copiedAgain());

        QAReporterFilterWriter writer(&filter);
        QCOMPARE(prunedDump(writer, *source, true), expected);
        QTEST(int(writer.prunedNodes()), "pruned");
        QCOMPARE(writer.copiedAgain(), copiedAgain);
    }

    void deepReport()
    {
        // Nodes nested in one another and sections nested in one another, far
        // deeper than a recursive walk could go: every node but the innermost
        // is kept with its own short section; the innermost is dropped with
        // its deep sections; the deep sections after it are kept whole.
        constexpr int depth = 100000;
        auto source = std::make_unique<QAReporterData>();
        source->document = std::make_unique<DDocument>("Title", "doc");
        DDocument *document = source->document;
        auto *root = new QAReporterNode;
        root->startItem = document;
        source->dataTree = std::make_unique<QAReporterDataTree>(root);
        QAReporterDataTree *tree = source->dataTree;
        DItem *last = nullptr;
        std::vector<QAReporterNode *> nodes;
        for (int i = 0; i < depth; ++i) {
            const bool innermost = i == depth - 1;
            DItem *item = nestedSections(innermost ? depth : 1, innermost ? "dropped" : "p");
            item->setParent(document);
            last ? last->setNext(item) : document->setChild(item);
            last = item;
            auto *node = new QAReporterNode;
            node->state = innermost ? "ok" : "ko";
            node->startItem = node->endItem = item;
            tree->insert(node);
            tree->toLastChild();
            nodes.push_back(node);
        }
        last->setNext(nestedSections(depth, "bottom"));
        last->next()->setParent(document);
        for (QAReporterNode *node : nodes)
            node->endItem = node == nodes.back() ? last : last->next();
        root->endItem = last->next();

        QAReporterFilteredList list;
        list.setFilter(makeFilter(true));
        QVERIFY(list.buildFilteredReports(QList<QAReporterData *>{source.get()}));
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
        const QStringList copied = texts(copy);
        QCOMPARE(copied.size(), depth);
        QCOMPARE(copied.last(), "bottom");
        QCOMPARE(nodeNames(list.at(0)->dataTree).size(), depth);
        QCOMPARE(foreignPointers(list.at(0)->dataTree, copy), 0);
    }

    void filteredList()
    {
        std::vector<Record> sources;
        sources.push_back(load("nested.xrd"));
        sources.push_back(load("mixed.xrd"));
        sources[0]->fileName = "dir/first.xrd";
        sources[0]->failed = 3;
        sources[1]->fileName = "second.xrd";

        QAReporterFilter filter = makeFilter(true);
        QAReporterFilteredList list;
        list.setFilter(filter);
        // The list holds its own copy: later changes of the window's filter do
        // not reach it.
        filter.clear(QAReporterFilter::StateMatch);
        QCOMPARE(list.filter().flags(), int(QAReporterFilter::StateMatch));

        QVERIFY(list.buildFilteredReports(sources));
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.at(0)->fileName, "dir/first.xrd");
        QCOMPARE(list.at(1)->fileName, "second.xrd");
        // The totals are not copied: the header counts the full records.
        QCOMPARE(list.at(0)->failed, 0);
        QCOMPARE(list.at(0)->inconclusive, -1);
        QVERIFY(list.at(0)->types.isEmpty());
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
};

QTEST_MAIN(TestQAReporterFilterWriter)
#include "tst_qareporterfilterwriter.moc"
