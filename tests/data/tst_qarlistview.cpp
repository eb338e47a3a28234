#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterimages.h"
#include "korvatreporter/data/qareporternode.h"
#include "korvatreporter/data/qarlistview.h"
#include "korvatreporter/data/qarlistviewitem.h"
#include "korvatreporter/data/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "rendoc/ddocument.h"
#include "rendoc/dtext.h"
#include "sdk/qapixmapcenter.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <QXmlInputSource>

#include <memory>
#include <vector>

namespace {

// One node of a hand-built report: its depth below the root (1 for a
// child of the root), name, verdict and icon file; a null QString leaves
// the attribute out.
struct NodeSpec
{
    int level;
    QString name;
    QString state;
    QString icone = QString();
};

std::unique_ptr<QAReporterDataTree> buildTree(const std::vector<NodeSpec> &nodes)
{
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    tree->root();
    for (const NodeSpec &row : nodes) {
        while (tree->depth() > row.level)
            tree->toParent();
        auto *node = new QAReporterNode;
        node->name = row.name;
        node->state = row.state;
        node->icone = row.icone;
        node->type = QStringLiteral("TestCase");
        tree->insert(node);
        tree->toLastChild();
    }
    return tree;
}

// Display order of every item, collapsed ones included, by column 0 text.
QStringList displayOrder(QTreeWidget &view)
{
    QStringList names;
    for (QTreeWidgetItemIterator it(&view); *it; ++it)
        names << (*it)->text(0);
    return names;
}

QTreeWidgetItem *findItem(QTreeWidget &view, const QString &name)
{
    for (QTreeWidgetItemIterator it(&view); *it; ++it) {
        if ((*it)->text(0) == name)
            return *it;
    }
    return nullptr;
}

bool sameImage(const QIcon &icon, const QPixmap &pixmap)
{
    if (icon.isNull() || pixmap.isNull())
        return icon.isNull() && pixmap.isNull();
    return icon.pixmap(pixmap.size()).toImage().convertToFormat(QImage::Format_ARGB32)
        == pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// A campaign with failed tests at several depths:
//   S1 (ok) { T1 (ok), T2 (ko) { C1 (ko) } }, S2 (ok) { T3 (ok) }, S3 (ko) { T4 (ko) }
std::vector<NodeSpec> campaign()
{
    return {
        {1, QStringLiteral("S1"), QStringLiteral("ok")},
        {2, QStringLiteral("T1"), QStringLiteral("ok")},
        {2, QStringLiteral("T2"), QStringLiteral("ko")},
        {3, QStringLiteral("C1"), QStringLiteral("ko")},
        {1, QStringLiteral("S2"), QStringLiteral("ok")},
        {2, QStringLiteral("T3"), QStringLiteral("ok")},
        {1, QStringLiteral("S3"), QStringLiteral("ko")},
        {2, QStringLiteral("T4"), QStringLiteral("ko")},
    };
}

} // namespace

class TstQARListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void fillTwoFilesInOrder();
    void fillTopLevelItem();
    void fillEmptyTree();
    void verdict_data();
    void verdict();
    void nodeIcon_data();
    void nodeIcon();
    void autoDepth_data();
    void autoDepth();
    void fillRealReport();
    void stepToFailed_data();
    void stepToFailed();
    void failedInCollapsedBranch();
    void doubleClickKeepsExpansion_data();
    void doubleClickKeepsExpansion();
    void deepTreeFreed();
    void failedAtReaderDepth();

private:
    QTemporaryDir m_dir;
};

void TstQARListView::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    pixmapcenter()->addSearchDirectory(m_dir.path());
}

void TstQARListView::cleanup()
{
    QAReporterPref::setInstance(nullptr);
}

void TstQARListView::fillTwoFilesInOrder()
{
    auto a = buildTree({{1, QStringLiteral("a1"), QStringLiteral("ok")},
                        {2, QStringLiteral("a11"), QStringLiteral("ok")},
                        {2, QStringLiteral("a12"), QStringLiteral("ko")},
                        {1, QStringLiteral("a2"), QStringLiteral("ok")}});
    auto b = buildTree({{1, QStringLiteral("b1"), QStringLiteral("NE")},
                        {1, QStringLiteral("b2"), QStringLiteral("ok")}});
    QARListView view;
    view.setColumnCount(2);
    // The report window fills from the last record to the first.
    b->fill(&view, QStringLiteral("/reports/b.xrd"));
    a->fill(&view, QStringLiteral("/reports/a.xrd"));

    QCOMPARE(view.topLevelItemCount(), 2);
    QCOMPARE(displayOrder(view),
             QStringList({"a.xrd", "a1", "a11", "a12", "a2", "b.xrd", "b1", "b2"}));
}

void TstQARListView::fillTopLevelItem()
{
    auto tree = buildTree({{1, QStringLiteral("a1"), QStringLiteral("ko")}});
    DText anchor(QStringLiteral("start"));
    tree->root()->startItem = &anchor;
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("/reports/dir/failing.xrd"));

    QARListViewItem *top = QARListViewItem::fromItem(view.topLevelItem(0));
    QVERIFY(top);
    QCOMPARE(top->text(0), QStringLiteral("failing.xrd"));
    QCOMPARE(top->fileInfo().filePath(), QStringLiteral("/reports/dir/failing.xrd"));
    QCOMPARE(top->anchor, &anchor);
    QVERIFY(!top->node);
    // A file item is never a failed test, even over failed nodes.
    QVERIFY(!top->failedFlag);
    QVERIFY(top->isExpanded());
    QVERIFY(sameImage(top->icon(0), QAReporterImages::pixmap(QAReporterImages::Reporter)));
    QVERIFY(top->icon(1).isNull());
    QVERIFY(!top->data(1, QAListView::VerdictRole).isValid());
}

void TstQARListView::fillEmptyTree()
{
    QAReporterDataTree rootless(nullptr);
    QARListView view;
    rootless.fill(&view, QStringLiteral("x.xrd"));
    QCOMPARE(view.topLevelItemCount(), 0);

    // A root without nodes still shows its file.
    auto onlyRoot = buildTree({});
    onlyRoot->fill(&view, QStringLiteral("y.xrd"));
    QCOMPARE(view.topLevelItemCount(), 1);
    QCOMPARE(view.topLevelItem(0)->childCount(), 0);
}

void TstQARListView::verdict_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<int>("image"); // -1: none
    QTest::addColumn<QVariant>("verdictText");

    QTest::newRow("ok") << QStringLiteral("ok") << false << int(QAReporterImages::TestOk)
                        << QVariant(QStringLiteral("ok"));
    QTest::newRow("ko") << QStringLiteral("ko") << true << int(QAReporterImages::TestsFailed)
                        << QVariant(QStringLiteral("ko"));
    QTest::newRow("NE") << QStringLiteral("NE") << false << int(QAReporterImages::TestUnknow)
                        << QVariant(QStringLiteral("NE"));
    QTest::newRow("absent") << QString() << false << -1 << QVariant();
    QTest::newRow("empty") << QStringLiteral("") << false << -1 << QVariant();
    QTest::newRow("other case") << QStringLiteral("KO") << false << -1 << QVariant();
}

void TstQARListView::verdict()
{
    QFETCH(QString, state);
    QFETCH(bool, failed);
    QFETCH(int, image);
    QFETCH(QVariant, verdictText);

    // The parent is failed, so a child must not simply inherit the flag.
    auto tree = buildTree({{1, QStringLiteral("parent"), QStringLiteral("ko")},
                           {2, QStringLiteral("child"), state}});
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("v.xrd"));

    auto *item = QARListViewItem::fromItem(findItem(view, QStringLiteral("child")));
    QVERIFY(item);
    QCOMPARE(item->failedFlag, failed);
    const QPixmap expected =
        image < 0 ? QPixmap() : QAReporterImages::pixmap(QAReporterImages::Image(image));
    QVERIFY(sameImage(item->icon(1), expected));
    QCOMPARE(item->data(1, QAListView::VerdictRole), verdictText);
    // The model answers the same, for hosts that read it through an index.
    const QModelIndex index = view.indexFromItem(item, 1);
    QCOMPARE(index.data(QAListView::VerdictRole), verdictText);
    const QString tip = index.data(Qt::ToolTipRole).toString();
    QVERIFY2(tip.contains(QStringLiteral("TestCase")), qPrintable(tip));
    if (!state.isNull())
        QVERIFY2(tip.contains(state), qPrintable(tip));
}

void TstQARListView::nodeIcon_data()
{
    QTest::addColumn<QString>("icone");
    QTest::addColumn<QString>("expected"); // "none", "unknown" or "file"

    QTest::newRow("no icone") << QString() << "none";
    QTest::newRow("missing file") << QStringLiteral("no-such-icon.png") << "unknown";
    QTest::newRow("found file") << QStringLiteral("script.png") << "file";
}

void TstQARListView::nodeIcon()
{
    QFETCH(QString, icone);
    QFETCH(QString, expected);

    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(m_dir.filePath(QStringLiteral("script.png"))));

    auto tree = buildTree({{1, QStringLiteral("node"), QStringLiteral("ok"), icone}});
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("i.xrd"));
    QTreeWidgetItem *item = findItem(view, QStringLiteral("node"));
    QVERIFY(item);

    if (expected == QLatin1String("none"))
        QVERIFY(item->icon(0).isNull());
    else if (expected == QLatin1String("unknown"))
        QVERIFY(sameImage(item->icon(0), QAReporterImages::pixmap(QAReporterImages::TestUnknow)));
    else
        QVERIFY(sameImage(item->icon(0), QPixmap::fromImage(red)));
}

void TstQARListView::autoDepth_data()
{
    QTest::addColumn<int>("depth"); // 0: no preference object
    QTest::addColumn<QStringList>("open");

    // Items with children: S1, T2 (under S1), S2, S3.
    QTest::newRow("no preferences") << 0 << QStringList({"S1", "T2", "S2", "S3"});
    QTest::newRow("1") << 1 << QStringList();
    QTest::newRow("2") << 2 << QStringList({"S1", "S2", "S3"});
    QTest::newRow("3") << 3 << QStringList({"S1", "T2", "S2", "S3"});
}

void TstQARListView::autoDepth()
{
    QFETCH(int, depth);
    QFETCH(QStringList, open);

    std::unique_ptr<QAReporterPref> pref;
    if (depth > 0) {
        pref = std::make_unique<QAReporterPref>(nullptr);
        pref->general()->setAutoDepth(depth);
        QAReporterPref::setInstance(pref.get());
    }
    auto tree = buildTree(campaign());
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("d.xrd"));

    QVERIFY(view.topLevelItem(0)->isExpanded());
    QStringList opened;
    for (QTreeWidgetItemIterator it(&view); *it; ++it) {
        if ((*it)->parent() && (*it)->childCount() > 0 && (*it)->isExpanded())
            opened << (*it)->text(0);
    }
    QCOMPARE(opened, open);
}

void TstQARListView::fillRealReport()
{
    QFile file(QStringLiteral(KORVAT_EXAMPLES "/campaign.xrd"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlInputSource source(&file);
    QAstXmlRodReader reader;
    QVERIFY2(reader.parse(&source, &file, nullptr), qPrintable(reader.errorString()));
    std::unique_ptr<QAReporterDataTree> tree(reader.takeDataTree());
    std::unique_ptr<DDocument> document(reader.takeDocument());
    QVERIFY(tree);

    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, file.fileName());

    // Every node has its item, in document order, pointing at it and at
    // its text; the failed flags match the verdicts.
    QTreeWidgetItemIterator it(view.topLevelItem(0));
    QCOMPARE(QARListViewItem::fromItem(*it)->anchor, tree->root()->startItem);
    int nodes = 0;
    int failed = 0;
    while (QAReporterNode *node = tree->next(QAReporterDataTree::Forward)) {
        ++it;
        QARListViewItem *item = QARListViewItem::fromItem(*it);
        QVERIFY(item);
        QCOMPARE(item->node, node);
        QCOMPARE(item->anchor, node->startItem);
        QCOMPARE(item->depth(), tree->depth() - 1);
        QCOMPARE(item->failedFlag, node->state == QLatin1String("ko"));
        ++nodes;
        failed += item->failedFlag ? 1 : 0;
    }
    ++it;
    QVERIFY(!*it);
    QVERIFY(nodes > 5);
    QVERIFY(failed > 0);
}

void TstQARListView::stepToFailed_data()
{
    QTest::addColumn<QString>("start"); // empty: no current item
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QString>("expected"); // empty: nothing happens

    QTest::newRow("no current, next") << QString() << true << QString();
    QTest::newRow("no current, previous") << QString() << false << QString();
    QTest::newRow("file item, next") << "f.xrd" << true << "T2";
    QTest::newRow("failed to its failed child") << "T2" << true << "C1";
    QTest::newRow("skips passed") << "C1" << true << "S3";
    QTest::newRow("last failed, next") << "T4" << true << QString();
    QTest::newRow("previous over passed") << "S3" << false << "C1";
    QTest::newRow("first failed, previous") << "T2" << false << QString();
    QTest::newRow("file item, previous") << "f.xrd" << false << QString();
}

void TstQARListView::stepToFailed()
{
    QFETCH(QString, start);
    QFETCH(bool, forward);
    QFETCH(QString, expected);

    auto tree = buildTree(campaign());
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("f.xrd"));
    view.setCurrentItem(nullptr);
    QTreeWidgetItem *startItem = nullptr;
    if (!start.isEmpty()) {
        startItem = findItem(view, start);
        QVERIFY(startItem);
        view.setCurrentItem(startItem);
    }
    const QList<QTreeWidgetItem *> selectedBefore = view.selectedItems();
    QSignalSpy doubleClicked(&view, &QAListView::doubleClicked);
    QSignalSpy selection(&view, &QAListView::selectionChanged);

    if (forward)
        view.nextFailed();
    else
        view.previousFailed();

    if (expected.isEmpty()) {
        QCOMPARE(doubleClicked.count(), 0);
        QCOMPARE(selection.count(), 0);
        QCOMPARE(view.currentItem(), startItem);
        QCOMPARE(view.selectedItems(), selectedBefore);
        return;
    }
    QTreeWidgetItem *target = findItem(view, expected);
    QCOMPARE(view.currentItem(), target);
    QCOMPARE(view.selectedItems(), QList<QTreeWidgetItem *>({target}));
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.at(0).at(0).value<QTreeWidgetItem *>(), target);
    QCOMPARE(selection.count(), 1);
}

void TstQARListView::failedInCollapsedBranch()
{
    std::unique_ptr<QAReporterPref> pref = std::make_unique<QAReporterPref>(nullptr);
    pref->general()->setAutoDepth(1);
    QAReporterPref::setInstance(pref.get());

    auto tree = buildTree({{1, QStringLiteral("S1"), QStringLiteral("ok")},
                           {2, QStringLiteral("T1"), QStringLiteral("ok")},
                           {3, QStringLiteral("C1"), QStringLiteral("ok")},
                           {3, QStringLiteral("C2"), QStringLiteral("ko")}});
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("c.xrd"));
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentItem(view.topLevelItem(0));

    QTreeWidgetItem *s1 = findItem(view, QStringLiteral("S1"));
    QTreeWidgetItem *t1 = findItem(view, QStringLiteral("T1"));
    QTreeWidgetItem *c2 = findItem(view, QStringLiteral("C2"));
    QVERIFY(!s1->isExpanded());
    QVERIFY(!t1->isExpanded());
    QVERIFY(view.visualItemRect(c2).isEmpty());

    QSignalSpy doubleClicked(&view, &QAListView::doubleClicked);
    view.nextFailed();
    QCOMPARE(view.currentItem(), c2);
    QVERIFY(s1->isExpanded());
    QVERIFY(t1->isExpanded());
    QCOMPARE(doubleClicked.count(), 1);
    const QRect shown = view.visualItemRect(c2);
    QVERIFY(!shown.isEmpty());
    QVERIFY(view.viewport()->rect().contains(shown));
}

void TstQARListView::doubleClickKeepsExpansion_data()
{
    QTest::addColumn<bool>("expanded");
    QTest::newRow("open") << true;
    QTest::newRow("closed") << false;
}

void TstQARListView::doubleClickKeepsExpansion()
{
    QFETCH(bool, expanded);

    auto tree = buildTree(campaign());
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("dc.xrd"));
    QTreeWidgetItem *parent = findItem(view, QStringLiteral("S1"));
    parent->setExpanded(expanded);
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QSignalSpy doubleClicked(&view, &QAListView::doubleClicked);
    const QRect rect = view.visualItemRect(parent);
    QVERIFY(!rect.isEmpty());
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());

    QCOMPARE(parent->isExpanded(), expanded);
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.at(0).at(0).value<QTreeWidgetItem *>(), parent);

    // Over empty space nothing is reported.
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(5, view.viewport()->height() - 2));
    QCOMPARE(doubleClicked.count(), 1);
}

void TstQARListView::deepTreeFreed()
{
    // Far deeper than a recursive free could survive.
    constexpr int Levels = 200000;
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    for (int i = 0; i < Levels; ++i) {
        tree->insert(new QAReporterNode);
        tree->toLastChild();
    }
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("deep.xrd"));
    QTreeWidgetItem *last = view.topLevelItem(0);
    while (last->childCount() > 0)
        last = last->child(0);
    QCOMPARE(QARListViewItem::fromItem(last)->depth(), Levels);

    view.clear();
    QCOMPARE(view.topLevelItemCount(), 0);

    // An item deleted while in the view takes its subtree along too.
    tree->fill(&view, QStringLiteral("deep.xrd"));
    delete view.topLevelItem(0)->child(0);
    QCOMPARE(view.topLevelItem(0)->childCount(), 0);
    tree->fill(&view, QStringLiteral("deep.xrd"));
    QCOMPARE(view.topLevelItemCount(), 2);
    delete view.topLevelItem(0);
    QCOMPARE(view.topLevelItemCount(), 1);
}

void TstQARListView::failedAtReaderDepth()
{
    // The deepest failed test a report file can hold is found and opened.
    constexpr int Levels = QAstXmlRodReader::MaxDepth;
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    for (int i = 0; i < Levels; ++i) {
        auto *node = new QAReporterNode;
        node->state = (i == Levels - 1) ? QStringLiteral("ko") : QStringLiteral("ok");
        tree->insert(node);
        tree->toLastChild();
    }
    QARListView view;
    view.setColumnCount(2);
    tree->fill(&view, QStringLiteral("deep.xrd"));
    view.setCurrentItem(view.topLevelItem(0));
    view.nextFailed();
    auto *current = QARListViewItem::fromItem(view.currentItem());
    QVERIFY(current && current->failedFlag);
    QCOMPARE(current->depth(), Levels);
    QVERIFY(current->parent()->isExpanded());
}

QTEST_MAIN(TstQARListView)
#include "tst_qarlistview.moc"
