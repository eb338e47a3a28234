#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporternode.h"

#include "rendoc/ddocument.h"

#include <QPointer>
#include <QTest>

namespace {

// A report node that counts its live instances; the tree deletes its
// nodes through QAReporterNode pointers.
class CountedNode : public QAReporterNode
{
public:
    CountedNode() { ++live; }
    ~CountedNode() override { --live; }
    static int live;
};
int CountedNode::live = 0;

// A document that reports its own destruction.
class WatchedDocument : public DDocument
{
public:
    explicit WatchedDocument(bool *deleted)
        : DDocument(QStringLiteral("title"), QStringLiteral("name")), m_deleted(deleted)
    {
    }
    ~WatchedDocument() override { *m_deleted = true; }

private:
    bool *m_deleted;
};

enum class Text { Null, Empty, Value };

QString text(Text kind, const char *value)
{
    switch (kind) {
    case Text::Null:
        return QString();
    case Text::Empty:
        return QString(QLatin1String(""));
    case Text::Value:
        break;
    }
    return QString::fromLatin1(value);
}

// Builds a full tree of counted nodes: width children under every node
// down to depth levels below the root. One forward walk does it, since the
// walk goes on into the children just inserted.
QAReporterDataTree *countedTree(int width, int depth)
{
    auto *tree = new QAReporterDataTree(new CountedNode);
    for (QAReporterNode *node = tree->root(); node;
         node = tree->next(QTree<QAReporterNode>::Forward)) {
        if (tree->depth() <= depth) {
            for (int i = 0; i < width; ++i)
                tree->insert(new CountedNode);
        }
    }
    return tree;
}

} // namespace

// Tests of the report node, the node tree of a file and the file record.
class TestQAReporterData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QCOMPARE(CountedNode::live, 0); }

    void nodeDefaults();
    void nodeCopyKeepsNullAndEmpty_data();
    void nodeCopyKeepsNullAndEmpty();
    void dataTreeIsAQObjectAndATree();
    void dataTreeDestroysItsNodes_data();
    void dataTreeDestroysItsNodes();
    void recordDefaults();
    void recordOwnsTreeAndDocument();
    void recordSkipsTreeDestroyedElsewhere();
};

void TestQAReporterData::nodeDefaults()
{
    const QAReporterNode node;
    QVERIFY(!node.startItem);
    QVERIFY(!node.endItem);
    for (const QString *field :
         {&node.id, &node.name, &node.type, &node.state, &node.icone, &node.base})
        QVERIFY(field->isNull());
}

void TestQAReporterData::nodeCopyKeepsNullAndEmpty_data()
{
    QTest::addColumn<Text>("kind");

    QTest::newRow("null") << Text::Null;
    QTest::newRow("empty") << Text::Empty;
    QTest::newRow("value") << Text::Value;
}

void TestQAReporterData::nodeCopyKeepsNullAndEmpty()
{
    QFETCH(Text, kind);

    DDocument anchor(QStringLiteral("t"), QStringLiteral("n"));
    QAReporterNode node;
    node.startItem = &anchor;
    node.id = text(kind, "7");
    node.name = text(kind, "check");
    node.type = text(kind, "TestCase");
    node.state = text(kind, "ko");
    node.icone = text(kind, "case.png");
    node.base = text(kind, "D:/proj/");
    QCOMPARE(node.state.isNull(), kind == Text::Null);
    QCOMPARE(node.state.isEmpty(), kind != Text::Value);

    const QAReporterNode copy(node);
    QAReporterNode assigned;
    assigned.endItem = &anchor;
    assigned = node;

    const QAReporterNode *copies[] = {&copy, &assigned};
    for (const QAReporterNode *other : copies) {
        QCOMPARE(other->startItem, node.startItem);
        QVERIFY(!other->endItem);
        const QList<QPair<QString, QString>> fields{
            {other->id, node.id},       {other->name, node.name},   {other->type, node.type},
            {other->state, node.state}, {other->icone, node.icone}, {other->base, node.base}};
        for (const auto &field : fields) {
            QCOMPARE(field.first, field.second);
            QCOMPARE(field.first.isNull(), kind == Text::Null);
        }
    }
}

void TestQAReporterData::dataTreeIsAQObjectAndATree()
{
    auto *root = new QAReporterNode;
    QAReporterDataTree tree(root);

    QObject *object = &tree;
    QCOMPARE(object->metaObject()->className(), "QAReporterDataTree");
    QCOMPARE(qobject_cast<QAReporterDataTree *>(object), &tree);
    QCOMPARE(tree.tree(), static_cast<QTree<QAReporterNode> *>(&tree));

    QVERIFY(tree.autoDelete());
    QCOMPARE(tree.current(), root);
    QCOMPARE(tree.depth(), 1);
    QCOMPARE(tree.rootNode()->data(), root);
}

void TestQAReporterData::dataTreeDestroysItsNodes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("depth");

    QTest::newRow("root only") << 0 << 0;
    QTest::newRow("flat") << 4 << 1;
    QTest::newRow("bushy") << 3 << 4;
    QTest::newRow("deep chain") << 1 << 100000;
}

void TestQAReporterData::dataTreeDestroysItsNodes()
{
    QFETCH(int, width);
    QFETCH(int, depth);

    auto *tree = countedTree(width, depth);
    int expected = 1;
    for (int d = 1, level = 1; d <= depth; ++d) {
        level *= width;
        expected += level;
    }
    QCOMPARE(CountedNode::live, expected);

    QPointer<QAReporterDataTree> guard(tree);
    delete tree;
    QVERIFY(guard.isNull());
    QCOMPARE(CountedNode::live, 0);
}

void TestQAReporterData::recordDefaults()
{
    const QAReporterData record;
    QVERIFY(record.fileName.isEmpty());
    QVERIFY(record.dataTree.isNull());
    QVERIFY(!record.document);
    QVERIFY(record.types.isEmpty());
    QCOMPARE(record.failed, 0);
    QCOMPARE(record.passed, 0);
    QCOMPARE(record.inconclusive, -1);
}

void TestQAReporterData::recordOwnsTreeAndDocument()
{
    bool documentDeleted = false;
    auto *record = new QAReporterData;
    record->fileName = QStringLiteral("a.xrd");
    record->dataTree = new QAReporterDataTree(new CountedNode);
    record->dataTree->insert(new CountedNode);
    record->document = new WatchedDocument(&documentDeleted);
    QPointer<QAReporterDataTree> guard(record->dataTree);

    delete record;
    QVERIFY(guard.isNull());
    QCOMPARE(CountedNode::live, 0);
    QVERIFY(documentDeleted);
}

void TestQAReporterData::recordSkipsTreeDestroyedElsewhere()
{
    auto record = std::make_unique<QAReporterData>();
    record->dataTree = new QAReporterDataTree(new CountedNode);
    record->dataTree->insert(new CountedNode);

    delete record->dataTree.data();
    QVERIFY(record->dataTree.isNull());
    QCOMPARE(CountedNode::live, 0);

    // Destroying the record now frees nothing twice (checked under the
    // address sanitizer) and leaves no node behind.
    record.reset();
    QCOMPARE(CountedNode::live, 0);
}

QTEST_GUILESS_MAIN(TestQAReporterData)
#include "tst_qareporterdata.moc"
