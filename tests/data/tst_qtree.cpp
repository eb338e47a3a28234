#include "korvatreporter/data/qtree.h"
#include "korvatreporter/data/qtreeiterator.h"

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

using Tree = QTree<Item>;
using Cursor = QTreeIterator<Item>;

QString nameOf(const Item *item)
{
    return item ? item->name : QStringLiteral("<null>");
}

// R with children A (children A1, A2) and B; the tree owns its items.
std::unique_ptr<Tree> sampleTree()
{
    auto tree = std::make_unique<Tree>(new Item(QStringLiteral("R")));
    tree->setAutoDelete(true);
    tree->insert(new Item(QStringLiteral("A")));
    tree->insert(new Item(QStringLiteral("B")));
    tree->next(Tree::Forward);
    tree->insert(new Item(QStringLiteral("A1")));
    tree->insert(new Item(QStringLiteral("A2")));
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
    QFAIL(qPrintable(QStringLiteral("no node ") + name));
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

// Tests of the generic tree: walks, move log, insertion and ownership.
class TestQTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QCOMPARE(Item::live, 0); }

    void walks_data();
    void walks();
    void moveLogAfterStep_data();
    void moveLogAfterStep();
    void moveLogIsACopy();
    void insertPositions_data();
    void insertPositions();
    void depth_data();
    void depth();
    void treeWithoutRoot();
    void autoDelete_data();
    void autoDelete();
    void deepTree();
    void wideTree();
    void iteratorNullParameter();
    void iteratorMoves();
    void iteratorCopiesAreIndependent();
    void iteratorFindsItselfAfterInsertInFront();
};

void TestQTree::walks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("forward is document order") << int(Tree::Forward)
                                               << QStringList{"A", "A1", "A2", "B"};
    QTest::newRow("backward takes last sibling first") << int(Tree::Backward)
                                                       << QStringList{"B", "A", "A2", "A1"};
}

void TestQTree::walks()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);

    auto tree = sampleTree();
    QCOMPARE(walk(*tree, mode), expected);
    // The end of a walk leaves the cursor on the root.
    QCOMPARE(tree->depth(), 1);
    QCOMPARE(nameOf(tree->current()), QStringLiteral("R"));
    // A walk can be started again.
    QCOMPARE(walk(*tree, mode), expected);

    Tree lone(new Item(QStringLiteral("R")));
    lone.setAutoDelete(true);
    QVERIFY(!lone.next(mode));
    QVERIFY(lone.moveLog().isEmpty());
}

void TestQTree::moveLogAfterStep_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<int>>("log");

    const QString fwd = QStringLiteral("forward");
    const QString bwd = QStringLiteral("backward");
    const QString null = QStringLiteral("<null>");

    QTest::newRow("forward: to first child") << "R" << fwd << "A" << "A" << QList<int>{2};
    QTest::newRow("forward: leaf to next sibling") << "A1" << fwd << "A2" << "A2" << QList<int>{3};
    QTest::newRow("forward: climb then sibling") << "A2" << fwd << "B" << "B" << QList<int>{1, 3};
    QTest::newRow("forward: end on the root") << "B" << fwd << null << "R" << QList<int>{1};
    QTest::newRow("backward: to last child") << "R" << bwd << "B" << "B" << QList<int>{2};
    QTest::newRow("backward: to previous sibling") << "B" << bwd << "A" << "A" << QList<int>{4};
    QTest::newRow("backward: into last child") << "A" << bwd << "A2" << "A2" << QList<int>{2};
    QTest::newRow("backward: end climbs two levels") << "A1" << bwd << null << "R"
                                                     << QList<int>{1, 1};
    QTest::newRow("sibling only: next sibling") << "A" << "sibling" << "B" << "B" << QList<int>{};
    QTest::newRow("sibling only: none left") << "B" << "sibling" << null << "B" << QList<int>{};
    QTest::newRow("unknown mode: no move") << "A" << "mode 3" << null << "A" << QList<int>{};
    QTest::newRow("to parent") << "A1" << "parent" << "A" << "A" << QList<int>{1};
    QTest::newRow("to parent at the root") << "R" << "parent" << null << "R" << QList<int>{1};
    QTest::newRow("to last child") << "R" << "last child" << "B" << "B" << QList<int>{2};
    QTest::newRow("to last child of a leaf") << "A1" << "last child" << null << "A1"
                                             << QList<int>{2};
    QTest::newRow("insert") << "A" << "insert" << "true" << "A" << QList<int>{0};
}

void TestQTree::moveLogAfterStep()
{
    QFETCH(QString, from);
    QFETCH(QString, operation);
    QFETCH(QString, result);
    QFETCH(QString, after);
    QFETCH(QList<int>, log);

    auto tree = sampleTree();
    moveTo(*tree, from);

    QString got;
    if (operation == QLatin1String("forward")) {
        got = nameOf(tree->next(Tree::Forward));
    } else if (operation == QLatin1String("backward")) {
        got = nameOf(tree->next(Tree::Backward));
    } else if (operation == QLatin1String("sibling")) {
        QTest::ignoreMessage(QtWarningMsg, "Not implemented...");
        got = nameOf(tree->next(Tree::SiblingOnly));
    } else if (operation == QLatin1String("mode 3")) {
        got = nameOf(tree->next(3));
    } else if (operation == QLatin1String("parent")) {
        got = nameOf(tree->toParent());
    } else if (operation == QLatin1String("last child")) {
        got = nameOf(tree->toLastChild());
    } else {
        got = tree->insert(new Item(QStringLiteral("N"))) ? QStringLiteral("true")
                                                          : QStringLiteral("false");
    }

    QCOMPARE(got, result);
    QCOMPARE(nameOf(tree->current()), after);
    QCOMPARE(tree->moveLog(), log);

    // Moving to the root keeps the log of the last operation.
    tree->root();
    QCOMPARE(tree->moveLog(), log);
}

void TestQTree::moveLogIsACopy()
{
    auto tree = sampleTree();
    moveTo(*tree, QStringLiteral("A2"));
    tree->next(Tree::Forward);
    const QList<int> kept = tree->moveLog();
    QCOMPARE(kept.last(), 3);

    tree->next(Tree::Forward);
    QCOMPARE(kept, (QList<int>{1, 3}));
    QCOMPARE(tree->moveLog(), QList<int>{1});
}

void TestQTree::insertPositions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("children");

    QTest::newRow("negative appends") << -1 << QStringList{"X", "Y", "N"};
    QTest::newRow("first") << 0 << QStringList{"N", "X", "Y"};
    QTest::newRow("middle") << 1 << QStringList{"X", "N", "Y"};
    QTest::newRow("one past the end appends") << 2 << QStringList{"X", "Y", "N"};
    QTest::newRow("far past the end appends") << 5 << QStringList{"X", "Y", "N"};
}

void TestQTree::insertPositions()
{
    QFETCH(int, index);
    QFETCH(QStringList, children);

    Tree tree(new Item(QStringLiteral("R")));
    tree.setAutoDelete(true);
    QVERIFY(tree.insert(new Item(QStringLiteral("X"))));
    QVERIFY(tree.insert(new Item(QStringLiteral("Y"))));
    QVERIFY(tree.insert(new Item(QStringLiteral("N")), index));

    // Insertion leaves the cursor on the parent.
    QCOMPARE(nameOf(tree.current()), QStringLiteral("R"));
    QCOMPARE(walk(tree, Tree::Forward), children);

    QStringList fromNodes;
    for (const auto *node : tree.rootNode()->children())
        fromNodes << node->data()->name;
    QCOMPARE(fromNodes, children);

    // The reader's pattern: insert, then stand on the new node.
    tree.root();
    QVERIFY(tree.insert(new Item(QStringLiteral("Z")), -1));
    QCOMPARE(nameOf(tree.toLastChild()), QStringLiteral("Z"));
    QCOMPARE(tree.depth(), 2);
}

void TestQTree::depth_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("depth");

    QTest::newRow("root") << "R" << 1;
    QTest::newRow("child of the root") << "B" << 2;
    QTest::newRow("grandchild") << "A2" << 3;
}

void TestQTree::depth()
{
    QFETCH(QString, node);
    QFETCH(int, depth);

    auto tree = sampleTree();
    moveTo(*tree, node);
    QCOMPARE(tree->depth(), depth);
    QCOMPARE(tree->iterator().depth(), depth);
}

void TestQTree::treeWithoutRoot()
{
    Tree empty;
    Tree fromNull(nullptr);
    for (Tree *tree : {&empty, &fromNull}) {
        Item item(QStringLiteral("I"));
        QVERIFY(!tree->insert(&item));
        QVERIFY(!tree->current());
        QVERIFY(!tree->root());
        QVERIFY(!tree->next(Tree::Forward));
        QVERIFY(!tree->next(Tree::Backward));
        QVERIFY(!tree->next(Tree::SiblingOnly));
        QVERIFY(!tree->toParent());
        QVERIFY(!tree->toLastChild());
        QCOMPARE(tree->depth(), 0);
        QVERIFY(tree->moveLog().isEmpty());
        QVERIFY(!tree->rootNode());
        QVERIFY(!tree->iterator().isValid());
    }
}

void TestQTree::autoDelete_data()
{
    QTest::addColumn<bool>("autoDelete");
    QTest::addColumn<int>("survivors");

    QTest::newRow("off: data outlive the tree") << false << 5;
    QTest::newRow("on: data go with the tree") << true << 0;
}

void TestQTree::autoDelete()
{
    QFETCH(bool, autoDelete);
    QFETCH(int, survivors);

    QList<Item *> items;
    {
        auto tree = sampleTree();
        tree->setAutoDelete(autoDelete);
        QCOMPARE(tree->autoDelete(), autoDelete);
        for (Item *item = tree->root(); item; item = tree->next(Tree::Forward))
            items << item;
        QCOMPARE(Item::live, 5);
    }
    QCOMPARE(Item::live, survivors);
    if (!autoDelete)
        qDeleteAll(items);
}

void TestQTree::deepTree()
{
    // Building, walking and freeing must not recurse once per level.
    const int levels = 100000;
    {
        Tree tree(new Item(QStringLiteral("0")));
        tree.setAutoDelete(true);
        for (int i = 1; i < levels; ++i) {
            QVERIFY(tree.insert(new Item(QString::number(i))));
            QVERIFY(tree.toLastChild());
        }
        QCOMPARE(tree.depth(), levels);
        QCOMPARE(Item::live, levels);

        // The last forward step climbs every level in one go.
        QCOMPARE(tree.next(Tree::Forward), nullptr);
        QCOMPARE(tree.moveLog().size(), levels - 1);
        QCOMPARE(tree.depth(), 1);

        int seen = 0;
        while (tree.next(Tree::Backward))
            ++seen;
        QCOMPARE(seen, levels - 1);
        QCOMPARE(tree.moveLog(), QList<int>(levels - 1, 1));
    }
}

void TestQTree::wideTree()
{
    const int width = 50000;
    Tree tree(new Item(QStringLiteral("R")));
    tree.setAutoDelete(true);
    for (int i = 0; i < width; ++i)
        tree.insert(new Item(QString::number(i)));

    int seen = 0;
    tree.root();
    while (Item *item = tree.next(Tree::Forward)) {
        QCOMPARE(item->name, QString::number(seen));
        ++seen;
    }
    QCOMPARE(seen, width);

    seen = 0;
    while (Item *item = tree.next(Tree::Backward)) {
        QCOMPARE(item->name, QString::number(width - 1 - seen));
        ++seen;
    }
    QCOMPARE(seen, width);
}

void TestQTree::iteratorNullParameter()
{
    QTest::ignoreMessage(QtWarningMsg, "QTreeIterator<type>::QTreeIterator<type> : Null parameter");
    Cursor cursor(static_cast<Cursor::Node *>(nullptr));
    QVERIFY(!cursor.isValid());
    QVERIFY(!cursor.current());
    QCOMPARE(cursor.depth(), 0);
    QVERIFY(!cursor.toFirstChild());
    QVERIFY(!cursor.toLastChild());
    QVERIFY(!cursor.toNextSibling());
    QVERIFY(!cursor.toPrevSibling());
    QVERIFY(!cursor.toParent());
    QVERIFY(!cursor.toRoot());

    // A default cursor is on nothing too, without a warning.
    QVERIFY(!Cursor().isValid());
}

void TestQTree::iteratorMoves()
{
    auto tree = sampleTree();
    Cursor cursor(tree->rootNode());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("R"));
    QVERIFY(!cursor.parent());

    // Failed moves at the root leave the cursor alone.
    QVERIFY(!cursor.toParent());
    QVERIFY(!cursor.toNextSibling());
    QVERIFY(!cursor.toPrevSibling());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("R"));

    QVERIFY(cursor.toFirstChild());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("A"));
    QVERIFY(!cursor.toPrevSibling());
    QVERIFY(cursor.toNextSibling());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("B"));
    QVERIFY(!cursor.toNextSibling());
    QVERIFY(!cursor.toFirstChild());
    QVERIFY(!cursor.toLastChild());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("B"));

    QVERIFY(cursor.toPrevSibling());
    QVERIFY(cursor.toLastChild());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("A2"));
    QCOMPARE(nameOf(cursor.parent()), QStringLiteral("A"));
    QCOMPARE(cursor.depth(), 3);
    QCOMPARE(cursor.currentNode()->children().size(), 0);

    QVERIFY(cursor.toRoot());
    QCOMPARE(nameOf(cursor.current()), QStringLiteral("R"));
    QCOMPARE(cursor.depth(), 1);

    // The cursor's root is the node it was made on.
    moveTo(*tree, QStringLiteral("A"));
    Cursor sub(tree->currentNode());
    QVERIFY(sub.toLastChild());
    QVERIFY(sub.toRoot());
    QCOMPARE(nameOf(sub.current()), QStringLiteral("A"));
}

void TestQTree::iteratorCopiesAreIndependent()
{
    auto tree = sampleTree();
    moveTo(*tree, QStringLiteral("A1"));

    Cursor copy = tree->iterator();
    const Cursor fromTree(*tree);
    QCOMPARE(copy.currentNode(), tree->currentNode());
    QCOMPARE(copy.depth(), 3);

    // The parent of the current node, as the filter asks for it.
    Cursor up = copy;
    QVERIFY(up.toParent());
    QCOMPARE(nameOf(up.current()), QStringLiteral("A"));
    QCOMPARE(nameOf(copy.current()), QStringLiteral("A1"));

    QVERIFY(copy.toRoot());
    QCOMPARE(nameOf(tree->current()), QStringLiteral("A1"));
    QCOMPARE(tree->depth(), 3);
    QCOMPARE(nameOf(fromTree.current()), QStringLiteral("A1"));
    QCOMPARE(nameOf(up.current()), QStringLiteral("A"));

    // A copy keeps the ancestor stack: it can climb and move across.
    Cursor again = fromTree;
    QVERIFY(again.toNextSibling());
    QVERIFY(again.toParent());
    QVERIFY(again.toNextSibling());
    QCOMPARE(nameOf(again.current()), QStringLiteral("B"));
}

void TestQTree::iteratorFindsItselfAfterInsertInFront()
{
    auto tree = sampleTree();
    moveTo(*tree, QStringLiteral("A2"));
    Cursor onA2 = tree->iterator();

    tree->toParent();
    QVERIFY(tree->insert(new Item(QStringLiteral("N")), 0));

    QVERIFY(onA2.toPrevSibling());
    QCOMPARE(nameOf(onA2.current()), QStringLiteral("A1"));
    QVERIFY(onA2.toPrevSibling());
    QCOMPARE(nameOf(onA2.current()), QStringLiteral("N"));
    QVERIFY(!onA2.toPrevSibling());
}

QTEST_GUILESS_MAIN(TestQTree)
#include "tst_qtree.moc"
