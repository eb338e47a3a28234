#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qtree.h"
#include "korvatreporter/data/qtreeiterator.h"
#include "rendoc/model/ddocument.h"

#include <QPointer>
#include <QStringList>
#include <QTest>

#include <memory>

namespace {

// A datum that counts its live instances, to see who deletes what.
struct Item
{
    explicit Item(const QString &n) : name(n) { ++live; }
    ~Item() { --live; }
    QString name;
    static int live;
};
int Item::live = 0;

// A report node sharing the text `probe` as its name: while any such node
// lives, the probe is not detached.
QAReporterNode *probedNode(const QString &probe)
{
    auto *node = new QAReporterNode;
    node->name = probe;
    return node;
}

// A document that reports its own destruction.
struct WatchedDocument : DDocument
{
    explicit WatchedDocument(bool *deleted) : DDocument("title", "name"), deleted(deleted) {}
    ~WatchedDocument() override { *deleted = true; }
    bool *deleted;
};

using Tree = QTree<Item>;
using Cursor = QTreeIterator<Item>;

QString nameOf(const Item *item) { return item ? item->name : QStringLiteral("<null>"); }

// R with children A (children A1, A2) and B; the tree owns its items.
std::unique_ptr<Tree> sampleTree()
{
    auto tree = std::make_unique<Tree>(new Item("R"));
    tree->setAutoDelete(true);
    tree->insert(new Item("A"));
    tree->insert(new Item("B"));
    tree->next(Tree::Forward);
    tree->insert(new Item("A1"));
    tree->insert(new Item("A2"));
    tree->root();
    return tree;
}

// Puts the cursor on the node called name by a forward walk from the root.
void moveTo(Tree &tree, const QString &name)
{
    for (Item *item = tree.root(); item; item = tree.next(Tree::Forward)) {
        if (item->name == name)
            return;
    }
    QFAIL(qPrintable("no node " + name));
}

QStringList walk(Tree &tree, int mode)
{
    QStringList seen;
    tree.root();
    while (Item *item = tree.next(mode))
        seen << item->name;
    return seen;
}

} // namespace

// Tests of the generic tree (walks, move log, insertion, ownership, cursor)
// and of the report node tree and file record built on it.
class TestQTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QCOMPARE(Item::live, 0);
    }

    void walks_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("forward is document order") << int(Tree::Forward) << QStringList{"A", "A1", "A2", "B"};
        QTest::newRow("backward takes last sibling first") << int(Tree::Backward) << QStringList{"B", "A", "A2", "A1"};
    }

    void walks()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, expected);
        auto tree = sampleTree();
        QCOMPARE(walk(*tree, mode), expected);
        // The end of a walk leaves the cursor on the root, ready for another.
        QCOMPARE(tree->depth(), 1);
        QCOMPARE(nameOf(tree->current()), "R");
        QCOMPARE(walk(*tree, mode), expected);

        Tree lone(new Item("R"));
        lone.setAutoDelete(true);
        QVERIFY(!lone.next(mode));
        QVERIFY(lone.moveLog().isEmpty());
    }

    void moveLogAfterStep_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QList<int>>("log");

        const char *null = "<null>";
        QTest::newRow("forward: to first child") << "R" << "forward" << "A" << "A" << QList<int>{2};
        QTest::newRow("forward: leaf to next sibling") << "A1" << "forward" << "A2" << "A2" << QList<int>{3};
        QTest::newRow("forward: climb then sibling") << "A2" << "forward" << "B" << "B" << QList<int>{1, 3};
        QTest::newRow("forward: end on the root") << "B" << "forward" << null << "R" << QList<int>{1};
        QTest::newRow("backward: to last child") << "R" << "backward" << "B" << "B" << QList<int>{2};
        QTest::newRow("backward: to previous sibling") << "B" << "backward" << "A" << "A" << QList<int>{4};
        QTest::newRow("backward: into last child") << "A" << "backward" << "A2" << "A2" << QList<int>{2};
        QTest::newRow("backward: end climbs two levels") << "A1" << "backward" << null << "R" << QList<int>{1, 1};
        QTest::newRow("sibling only: next sibling") << "A" << "sibling" << "B" << "B" << QList<int>{};
        QTest::newRow("sibling only: none left") << "B" << "sibling" << null << "B" << QList<int>{};
        QTest::newRow("unknown mode: no move") << "A" << "mode 3" << null << "A" << QList<int>{};
        QTest::newRow("to parent") << "A1" << "parent" << "A" << "A" << QList<int>{1};
        QTest::newRow("to parent at the root") << "R" << "parent" << null << "R" << QList<int>{1};
        QTest::newRow("to last child") << "R" << "last child" << "B" << "B" << QList<int>{2};
        QTest::newRow("to last child of a leaf") << "A1" << "last child" << null << "A1" << QList<int>{2};
        QTest::newRow("insert") << "A" << "insert" << "true" << "A" << QList<int>{0};
    }

    void moveLogAfterStep()
    {
        QFETCH(QString, from);
        QFETCH(QString, operation);
        QFETCH(QList<int>, log);
        auto tree = sampleTree();
        moveTo(*tree, from);

        // The walk modes by their value, then the other moves.
        const int mode = QStringList{"forward", "backward", "sibling", "mode 3"}.indexOf(operation);
        if (operation == "sibling")
            QTest::ignoreMessage(QtWarningMsg, "Not implemented...");
        const QString got = mode >= 0 ? nameOf(tree->next(mode))
            : operation == "parent"   ? nameOf(tree->toParent())
            : operation == "insert"   ? QString(tree->insert(new Item("N")) ? "true" : "false")
                                      : nameOf(tree->toLastChild());
        QTEST(got, "result");
        QTEST(nameOf(tree->current()), "after");
        QCOMPARE(tree->moveLog(), log);
        // Moving to the root keeps the log of the last operation.
        tree->root();
        QCOMPARE(tree->moveLog(), log);
    }

    void insertPositions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("children");
        QTest::newRow("negative appends") << -1 << QStringList{"X", "Y", "N"};
        QTest::newRow("first") << 0 << QStringList{"N", "X", "Y"};
        QTest::newRow("middle") << 1 << QStringList{"X", "N", "Y"};
        QTest::newRow("one past the end appends") << 2 << QStringList{"X", "Y", "N"};
        QTest::newRow("far past the end appends") << 5 << QStringList{"X", "Y", "N"};
    }

    void insertPositions()
    {
        QFETCH(int, index);
        Tree tree(new Item("R"));
        tree.setAutoDelete(true);
        QVERIFY(tree.insert(new Item("X")));
        QVERIFY(tree.insert(new Item("Y")));
        QVERIFY(tree.insert(new Item("N"), index));
        // Insertion leaves the cursor on the parent.
        QCOMPARE(nameOf(tree.current()), "R");
        QTEST(walk(tree, Tree::Forward), "children");
        // Every child knows its parent and its row, also after an insertion
        // in front of it.
        const auto *root = tree.rootNode();
        QVERIFY(!root->parent());
        QCOMPARE(root->row(), 0);
        for (int row = 0; row < root->children().size(); ++row) {
            QCOMPARE(root->children().at(row)->parent(), root);
            QCOMPARE(root->children().at(row)->row(), row);
        }
    }

    // Children past the few a list holds in itself, inserted anywhere, then removed from the
    // back: the children, their rows and the items freed follow a plain list doing the same.
    void manyChildren_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::newRow("the list's own room, appended") << 4 << -1;
        QTest::newRow("one past it, each in front") << 5 << 0;
        QTest::newRow("several arrays, in front and in the middle by turns") << 40 << 2;
        QTest::newRow("a large suite, in front every third") << 3000 << 3;
    }

    void manyChildren()
    {
        QFETCH(int, count);
        QFETCH(int, step);
        Tree tree(new Item("R"));
        tree.setAutoDelete(true);
        QStringList model;
        for (int i = 0; i < count; ++i) {
            const QString name = QString::number(i);
            const int index = step < 0 ? -1 : step == 0 || i % step == 0 ? 0 : int(model.size()) / 2;
            QVERIFY(tree.insert(new Item(name), index));
            model.insert(index < 0 ? model.size() : index, name);
        }
        const auto &children = tree.rootNode()->children();
        QCOMPARE(children.size(), model.size());
        for (int row = 0; row < children.size(); ++row) {
            QCOMPARE(children.at(row)->data()->name, model.at(row));
            QCOMPARE(children.at(row)->row(), row);
        }
        // The cursor steps through them as the list holds them.
        Cursor cursor(tree.rootNode());
        QVERIFY(cursor.toLastChild());
        QVERIFY(cursor.toPrevSibling());
        QCOMPARE(nameOf(cursor.current()), model.at(model.size() - 2));
        while (!model.isEmpty()) {
            QVERIFY(tree.removeLastChild());
            model.removeLast();
            QCOMPARE(Item::live, 1 + int(model.size()));
        }
        QVERIFY(!tree.removeLastChild());
    }

    void nothingToWalk()
    {
        Tree empty;
        Tree fromNull(nullptr);
        for (Tree *tree : {&empty, &fromNull}) {
            Item item("I");
            QVERIFY(!tree->insert(&item));
            QVERIFY(!tree->current() && !tree->root() && !tree->rootNode());
            QVERIFY(!tree->next(Tree::Forward) && !tree->next(Tree::Backward));
            QVERIFY(!tree->next(Tree::SiblingOnly));
            QVERIFY(!tree->toParent() && !tree->toLastChild());
            QCOMPARE(tree->depth(), 0);
            QVERIFY(tree->moveLog().isEmpty());
            QVERIFY(!tree->iterator().isValid());
        }

        // A cursor made on no node, with a warning, or by default, without.
        QTest::ignoreMessage(QtWarningMsg, "QTreeIterator<type>::QTreeIterator<type> : Null parameter");
        Cursor cursor(static_cast<Cursor::Node *>(nullptr));
        QVERIFY(!cursor.isValid() && !cursor.current());
        QCOMPARE(cursor.depth(), 0);
        QVERIFY(!cursor.toFirstChild() && !cursor.toLastChild() && !cursor.toNextSibling());
        QVERIFY(!cursor.toPrevSibling() && !cursor.toParent() && !cursor.toRoot());
        QVERIFY(!Cursor().isValid());
    }

    void autoDelete()
    {
        // Off, the data outlive the tree; on, they go with it.
        for (const bool autoDelete : {false, true}) {
            QList<Item *> items;
            {
                auto tree = sampleTree();
                tree->setAutoDelete(autoDelete);
                for (Item *item = tree->root(); item; item = tree->next(Tree::Forward))
                    items << item;
            }
            QCOMPARE(Item::live, autoDelete ? 0 : 5);
            if (!autoDelete)
                qDeleteAll(items);
        }
    }

    void deepTree()
    {
        // Building, walking and freeing must not recurse once per level.
        const int levels = 100000;
        Tree tree(new Item("0"));
        tree.setAutoDelete(true);
        for (int i = 1; i < levels; ++i) {
            QVERIFY(tree.insert(new Item(QString::number(i))));
            QVERIFY(tree.toLastChild());
        }
        QCOMPARE(tree.depth(), levels);

        // The last forward step climbs every level in one go.
        QCOMPARE(tree.next(Tree::Forward), nullptr);
        QCOMPARE(tree.moveLog().size(), levels - 1);
        QCOMPARE(tree.depth(), 1);

        // Backward, down to the deepest node, then up in one go.
        while (tree.next(Tree::Backward)) {
        }
        QCOMPARE(tree.moveLog(), QList<int>(levels - 1, 1));
    }

    void iteratorMoves()
    {
        auto tree = sampleTree();
        Cursor cursor(tree->rootNode());
        QVERIFY(!cursor.parent());
        // Failed moves leave the cursor where it was.
        QVERIFY(!cursor.toParent() && !cursor.toNextSibling() && !cursor.toPrevSibling());
        QCOMPARE(nameOf(cursor.current()), "R");

        QVERIFY(cursor.toFirstChild());
        QVERIFY(!cursor.toPrevSibling());
        QVERIFY(cursor.toNextSibling());
        QVERIFY(!cursor.toNextSibling() && !cursor.toFirstChild() && !cursor.toLastChild());
        QCOMPARE(nameOf(cursor.current()), "B");

        QVERIFY(cursor.toPrevSibling() && cursor.toLastChild());
        QCOMPARE(nameOf(cursor.current()), "A2");
        QCOMPARE(nameOf(cursor.parent()), "A");
        QCOMPARE(cursor.depth(), 3);

        QVERIFY(cursor.toRoot());
        QCOMPARE(nameOf(cursor.current()), "R");
        QCOMPARE(cursor.depth(), 1);

        // The cursor's root is the node it was made on.
        moveTo(*tree, "A");
        Cursor sub(tree->currentNode());
        QVERIFY(sub.toLastChild() && sub.toRoot());
        QCOMPARE(nameOf(sub.current()), "A");

        // A cursor finds itself again after an insertion in front of it.
        moveTo(*tree, "A2");
        Cursor onA2 = tree->iterator();
        tree->toParent();
        QVERIFY(tree->insert(new Item("N"), 0));
        QVERIFY(onA2.toPrevSibling());
        QCOMPARE(nameOf(onA2.current()), "A1");
        QVERIFY(onA2.toPrevSibling());
        QCOMPARE(nameOf(onA2.current()), "N");
        QVERIFY(!onA2.toPrevSibling());
    }

    void recordOwnsTreeAndDocument()
    {
        bool documentDeleted = false;
        QString first = QString::fromLatin1("first tree"); // on the heap: a literal is never detached
        QString second = QString::fromLatin1("second tree");
        auto record = std::make_unique<QAReporterData>();
        record->dataTree = std::make_unique<QAReporterDataTree>(probedNode(first));
        record->dataTree->insert(probedNode(first));
        record->document = std::make_unique<WatchedDocument>(&documentDeleted);
        QPointer<QAReporterDataTree> guard(record->dataTree);
        // A tree handed over in place of another frees the first one.
        record->dataTree = std::make_unique<QAReporterDataTree>(probedNode(second));
        QVERIFY(guard.isNull());
        QVERIFY(first.isDetached());
        QVERIFY(!second.isDetached());
        record.reset();
        QVERIFY(second.isDetached());
        QVERIFY(documentDeleted);
    }
};

QTEST_GUILESS_MAIN(TestQTree)
#include "tst_qtree.moc"
