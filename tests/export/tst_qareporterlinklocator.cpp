#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/export/qareporterlinklocator.h"
#include "rendoc/ditems.h"

#include <QtTest>

#include <memory>

// The span test and the search for the node that holds a link.
class TestLinkLocator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void span_data();
    void span();
    void deepSpan();
    void findNode();
};

namespace {

// doc: p1(t1, l1), p2(l2(t2)), p3, p4
struct Sample
{
    Sample()
    {
        doc = std::make_unique<DDocument>(QStringLiteral("d"), QStringLiteral("d"));
        p1 = new DParagraph(doc.get());
        p2 = new DParagraph(doc.get());
        p3 = new DParagraph(doc.get());
        p4 = new DParagraph(doc.get());
        doc->setChild(p1);
        p1->setNext(p2);
        p2->setNext(p3);
        p3->setNext(p4);
        t1 = new DText(QStringLiteral("a"), p1);
        l1 = new DLink(QStringLiteral("x"), p1);
        p1->setChild(t1);
        t1->setNext(l1);
        l2 = new DLink(QStringLiteral("y"), p2);
        p2->setChild(l2);
        t2 = new DText(QStringLiteral("b"), l2);
        l2->setChild(t2);
    }
    std::unique_ptr<DDocument> doc;
    DParagraph *p1, *p2, *p3, *p4;
    DText *t1, *t2;
    DLink *l1, *l2;
};

} // namespace

void TestLinkLocator::span_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<bool>("inside");
    QTest::newRow("first itself") << "p2" << "p2" << "p3" << true;
    QTest::newRow("last itself") << "p3" << "p1" << "p3" << true;
    QTest::newRow("child of first") << "l1" << "p1" << "p2" << true;
    QTest::newRow("child of last") << "l2" << "p1" << "p2" << true;
    QTest::newRow("grandchild of last") << "t2" << "p1" << "p2" << true;
    QTest::newRow("after last") << "p4" << "p1" << "p2" << false;
    QTest::newRow("before first") << "l1" << "p2" << "p4" << false;
    QTest::newRow("ran off chain") << "p1" << "t1" << "p4" << false;
    QTest::newRow("last inside first") << "p2" << "p1" << "t1" << false;
}

void TestLinkLocator::span()
{
    QFETCH(QString, link);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(bool, inside);
    Sample s;
    const QHash<QString, DItem *> items{{"p1", s.p1}, {"p2", s.p2}, {"p3", s.p3},
                                        {"p4", s.p4}, {"t1", s.t1}, {"t2", s.t2},
                                        {"l1", s.l1}, {"l2", s.l2}};
    QCOMPARE(QAReporterLinkLocator::inSpan(items[link], items[first], items[last]), inside);
}

void TestLinkLocator::deepSpan()
{
    // A chain far deeper than any stack would allow recursing through.
    auto doc = std::make_unique<DDocument>(QStringLiteral("d"), QStringLiteral("d"));
    DItemContainer *parent = doc.get();
    DItem *first = nullptr;
    for (int i = 0; i < 200000; ++i) {
        auto *section = new DSection(QString(), parent);
        parent->setChild(section);
        if (!first)
            first = section;
        parent = section;
    }
    auto *deepest = new DLink(QStringLiteral("z"), parent);
    parent->setChild(deepest);
    QVERIFY(QAReporterLinkLocator::inSpan(deepest, first, nullptr));
}

void TestLinkLocator::findNode()
{
    Sample s;
    auto *root = new QAReporterNode;
    QAReporterDataTree tree(root);
    tree.setAutoDelete(true);
    root->startItem = s.p1;
    root->endItem = s.p4;
    auto *script = new QAReporterNode;
    script->base = QStringLiteral("D:/p/");
    script->startItem = s.p1;
    script->endItem = s.p2;
    auto *check = new QAReporterNode;
    check->startItem = s.p2;
    check->endItem = s.p2;
    tree.root();
    tree.insert(script);
    tree.next(QTree<QAReporterNode>::Forward);
    tree.insert(check);

    // Innermost holder without a base: its parent answers.
    QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l2), script);
    // Held by the script itself, which has a base.
    QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l1), script);
    // Only the root's span holds p4.
    QCOMPARE(QAReporterLinkLocator::findNode(tree, s.p4), root);

    // An innermost holder with an empty base gives its parent even when that
    // parent's base is empty too; each level up applies the same rule.
    script->base.clear();
    QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l2), root);
    check->base = QStringLiteral("E:/");
    QCOMPARE(QAReporterLinkLocator::findNode(tree, s.l2), check);
}

QTEST_GUILESS_MAIN(TestLinkLocator)
#include "tst_qareporterlinklocator.moc"
