#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterimages.h"
#include "korvatreporter/data/qarlistview.h"
#include "korvatreporter/data/qarlistviewitem.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "rendoc/model/dtext.h"
#include "sdk/qapixmapcenter.h"

#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include <memory>

namespace {

// A node tree from "name:state" lines (the state may be left out), the
// depth below the root's children given as leading dots.
std::unique_ptr<QAReporterDataTree> buildTree(const QStringList &nodes)
{
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    for (const QString &line : nodes) {
        const int level = int(line.indexOf(QRegularExpression("[^.]")));
        while (tree->depth() > level + 1)
            tree->toParent();
        const QStringList fields = line.mid(level).split(':');
        auto *node = new QAReporterNode;
        node->name = fields.at(0);
        node->state = fields.value(1);
        node->type = "TestCase";
        tree->insert(node);
        tree->toLastChild();
    }
    return tree;
}

// A chain of `levels` nested nodes, only the innermost one failed.
std::unique_ptr<QAReporterDataTree> chain(int levels)
{
    auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
    for (int i = 0; i < levels; ++i) {
        auto *node = new QAReporterNode;
        node->state = i == levels - 1 ? "ko" : "ok";
        tree->insert(node);
        tree->toLastChild();
    }
    return tree;
}

// A campaign with failed tests at several depths.
const QStringList campaign{"S1:ok", ".T1:ok", ".T2:ko", "..C1:ko", "S2:ok", ".T3:ok", "S3:ko", ".T4:ko"};

// A view showing one report file, as the report window fills it.
struct Shown
{
    explicit Shown(const QStringList &nodes, const QString &file = "f.xrd") : Shown(buildTree(nodes), file) {}
    Shown(std::unique_ptr<QAReporterDataTree> t, const QString &file) : tree(std::move(t))
    {
        view.setColumnCount(2);
        tree->fill(&view, file);
    }
    // Texts of every item in display order, or of the opened items with
    // children below the file item only.
    QStringList names(bool openedOnly = false)
    {
        QStringList out;
        for (QTreeWidgetItemIterator it(&view); *it; ++it) {
            if (!openedOnly || ((*it)->parent() && (*it)->childCount() > 0 && (*it)->isExpanded()))
                out << (*it)->text(0);
        }
        return out;
    }
    QTreeWidgetItem *item(const QString &name)
    {
        for (QTreeWidgetItemIterator it(&view); *it; ++it) {
            if ((*it)->text(0) == name)
                return *it;
        }
        return nullptr;
    }
    void show(int height)
    {
        view.resize(300, height);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    std::unique_ptr<QAReporterDataTree> tree;
    QARListView view;
};

bool sameImage(const QIcon &icon, const QPixmap &pixmap)
{
    if (icon.isNull() || pixmap.isNull())
        return icon.isNull() && pixmap.isNull();
    return icon.pixmap(pixmap.size()).toImage().convertToFormat(QImage::Format_ARGB32)
        == pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TstQARListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        pixmapcenter()->addSearchDirectory(m_dir.path());
        QImage red(8, 8, QImage::Format_ARGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(m_dir.filePath("script.png")));
    }

    void fileItems()
    {
        // The report window fills from the last record to the first.
        Shown two({"b1:NE", "b2:ok"}, "/reports/b.xrd");
        auto a = buildTree({"a1:ok", ".a11:ok", ".a12:ko", "a2:ok"});
        a->fill(&two.view, "/reports/a.xrd");
        QCOMPARE(two.view.topLevelItemCount(), 2);
        QCOMPARE(two.names(), QStringList({"a.xrd", "a1", "a11", "a12", "a2", "b.xrd", "b1", "b2"}));


        auto tree = buildTree({"a1:ko"});
        DText anchor("start");
        DText text("a1");
        QAReporterNode *node = tree->current();
        node->startItem = &text;
        tree->root()->startItem = &anchor;
        Shown shown(std::move(tree), "/reports/dir/failing.xrd");

        QARListViewItem *top = QARListViewItem::fromItem(shown.view.topLevelItem(0));
        QVERIFY(top);
        QCOMPARE(top->text(0), "failing.xrd");
        QCOMPARE(top->fileInfo().filePath(), "/reports/dir/failing.xrd");
        QCOMPARE(top->anchor, &anchor);
        QVERIFY(!top->node);
        // A file item is never a failed test, even over failed nodes.
        QVERIFY(!top->failedFlag);
        QVERIFY(top->isExpanded());
        QVERIFY(sameImage(top->icon(0), QAReporterImages::pixmap(QAReporterImages::Reporter)));
        QVERIFY(top->icon(1).isNull());
        QVERIFY(!top->data(1, QAListView::VerdictRole).isValid());
        // A node's item shows the node and leads to its text.
        auto *item = QARListViewItem::fromItem(top->child(0));
        QVERIFY(item && item->node == node && item->anchor == &text);

        // A tree without a root shows nothing; a root without nodes its file.
        QAReporterDataTree rootless(nullptr);
        rootless.fill(&shown.view, "x.xrd");
        QCOMPARE(shown.view.topLevelItemCount(), 1);
        buildTree({})->fill(&shown.view, "y.xrd");
        QCOMPARE(shown.view.topLevelItemCount(), 2);
        QCOMPARE(shown.view.topLevelItem(0)->childCount(), 0);
    }

    void images_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("icone");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<QPixmap>("verdict"); // column 1; null: none
        QTest::addColumn<QPixmap>("icon");    // column 0; null: none

        const auto image = [](QAReporterImages::Image i) { return QAReporterImages::pixmap(i); };
        const QPixmap none;
        QTest::newRow("ok") << "ok" << QString() << false << image(QAReporterImages::TestOk) << none;
        QTest::newRow("ko") << "ko" << QString() << true << image(QAReporterImages::TestsFailed) << none;
        QTest::newRow("NE") << "NE" << QString() << false << image(QAReporterImages::TestUnknow) << none;
        QTest::newRow("absent state") << QString() << QString() << false << none << none;
        QTest::newRow("empty state") << "" << QString() << false << none << none;
        QTest::newRow("state in other case") << "KO" << QString() << false << none << none;
        QTest::newRow("missing icon file") << "NE" << "no-such-icon.png" << false
                                           << image(QAReporterImages::TestUnknow) << image(QAReporterImages::TestUnknow);
        QTest::newRow("found icon file") << "ok" << "script.png" << false << image(QAReporterImages::TestOk)
                                         << QPixmap(m_dir.filePath("script.png"));
    }

    void images()
    {
        QFETCH(QString, state);
        QFETCH(QString, icone);
        QFETCH(QPixmap, verdict);
        QFETCH(QPixmap, icon);
        // The parent is failed, so a child must not simply inherit the flag.
        auto tree = buildTree({"parent:ko", ".child"});
        QAReporterNode *node = tree->current();
        node->state = state;
        node->icone = icone;
        Shown shown(std::move(tree), "v.xrd");

        auto *item = QARListViewItem::fromItem(shown.item("child"));
        QVERIFY(item);
        QTEST(item->failedFlag, "failed");
        QVERIFY(sameImage(item->icon(1), verdict));
        QVERIFY(sameImage(item->icon(0), icon));
        QCOMPARE(item->data(1, QAListView::VerdictRole), verdict.isNull() ? QVariant() : QVariant(state));
        const QString tip = item->data(1, Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains("TestCase") && tip.contains(state), qPrintable(tip));
    }

    void autoDepth_data()
    {
        QTest::addColumn<int>("depth"); // 0: no preference object
        QTest::addColumn<QStringList>("open");
        // Items with children: S1, T2 (under S1), S2, S3.
        QTest::newRow("no preferences") << 0 << QStringList({"S1", "T2", "S2", "S3"});
        QTest::newRow("1") << 1 << QStringList();
        QTest::newRow("2") << 2 << QStringList({"S1", "S2", "S3"});
        QTest::newRow("3") << 3 << QStringList({"S1", "T2", "S2", "S3"});
    }

    void autoDepth()
    {
        QFETCH(int, depth);
        QAReporterPref pref(nullptr);
        pref.general()->setAutoDepth(depth);
        if (depth > 0)
            QAReporterPref::setInstance(&pref);
        Shown shown(campaign);

        QVERIFY(shown.view.topLevelItem(0)->isExpanded());
        QTEST(shown.names(true), "open");
    }

    void stepToFailed_data()
    {
        QTest::addColumn<QString>("start"); // empty: no current item
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("expected"); // empty: nothing happens
        QTest::addColumn<int>("autoDepth");    // 1: every branch collapsed

        QTest::newRow("no current, next") << QString() << true << QString() << 3;
        QTest::newRow("no current, previous") << QString() << false << QString() << 3;
        QTest::newRow("file item, next") << "f.xrd" << true << "T2" << 3;
        QTest::newRow("failed to its failed child") << "T2" << true << "C1" << 3;
        QTest::newRow("skips passed") << "C1" << true << "S3" << 3;
        QTest::newRow("last failed, next") << "T4" << true << QString() << 3;
        QTest::newRow("previous over passed") << "S3" << false << "C1" << 3;
        QTest::newRow("first failed, previous") << "T2" << false << QString() << 3;
        QTest::newRow("file item, previous") << "f.xrd" << false << QString() << 3;
        QTest::newRow("collapsed branch, next") << "f.xrd" << true << "T2" << 1;
        QTest::newRow("collapsed two levels, previous") << "S3" << false << "C1" << 1;
    }

    void stepToFailed()
    {
        QFETCH(QString, start);
        QFETCH(bool, forward);
        QFETCH(QString, expected);
        QFETCH(int, autoDepth);
        QAReporterPref pref(nullptr);
        pref.general()->setAutoDepth(autoDepth);
        QAReporterPref::setInstance(&pref);
        Shown shown(campaign);
        QARListView &view = shown.view;
        shown.show(120);
        QTreeWidgetItem *startItem = start.isEmpty() ? nullptr : shown.item(start);
        view.setCurrentItem(startItem);
        const QList<QTreeWidgetItem *> selectedBefore = view.selectedItems();
        QSignalSpy doubleClicked(&view, &QAListView::doubleClicked);
        QSignalSpy selection(&view, &QAListView::selectionChanged);

        forward ? view.nextFailed() : view.previousFailed();

        QTreeWidgetItem *target = expected.isEmpty() ? startItem : shown.item(expected);
        QCOMPARE(view.currentItem(), target);
        QCOMPARE(view.selectedItems(), expected.isEmpty() ? selectedBefore : QList<QTreeWidgetItem *>({target}));
        QCOMPARE(selection.count(), expected.isEmpty() ? 0 : 1);
        QCOMPARE(doubleClicked.count(), expected.isEmpty() ? 0 : 1);
        if (!expected.isEmpty()) {
            QCOMPARE(doubleClicked.at(0).at(0).value<QTreeWidgetItem *>(), target);
            // The found item is opened and scrolled into view.
            const QRect rect = view.visualItemRect(target);
            QVERIFY(!rect.isEmpty() && view.viewport()->rect().contains(rect));
        }
    }

    void doubleClickKeepsExpansion_data()
    {
        QTest::addColumn<bool>("expanded");
        QTest::newRow("open") << true;
        QTest::newRow("closed") << false;
    }

    void doubleClickKeepsExpansion()
    {
        QFETCH(bool, expanded);
        Shown shown(campaign);
        QTreeWidgetItem *parent = shown.item("S1");
        parent->setExpanded(expanded);
        shown.show(300);

        QSignalSpy doubleClicked(&shown.view, &QAListView::doubleClicked);
        const QRect rect = shown.view.visualItemRect(parent);
        QVERIFY(!rect.isEmpty());
        QTest::mouseDClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(parent->isExpanded(), expanded);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0).at(0).value<QTreeWidgetItem *>(), parent);

        // Over empty space nothing is reported.
        QTest::mouseDClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier,
                           QPoint(5, shown.view.viewport()->height() - 2));
        QCOMPARE(doubleClicked.count(), 1);
    }

    void deepTreeFreed()
    {
        // Far deeper than a recursive free could survive.
        constexpr int Levels = 200000;
        Shown shown(chain(Levels), "deep.xrd");
        QTreeWidgetItem *last = shown.view.topLevelItem(0);
        while (last->childCount() > 0)
            last = last->child(0);
        QCOMPARE(QARListViewItem::fromItem(last)->depth(), Levels);
        shown.view.clear();
        QCOMPARE(shown.view.topLevelItemCount(), 0);

        // An item deleted while in the view takes its subtree along too.
        shown.tree->fill(&shown.view, "deep.xrd");
        delete shown.view.topLevelItem(0)->child(0);
        QCOMPARE(shown.view.topLevelItem(0)->childCount(), 0);
        shown.tree->fill(&shown.view, "deep.xrd");
        delete shown.view.topLevelItem(0);
        QCOMPARE(shown.view.topLevelItemCount(), 1);
    }

    void failedAtReaderDepth()
    {
        // The deepest failed test a report file can hold is found and opened.
        Shown shown(chain(QAstXmlRodReader::MaxDepth), "deep.xrd");
        shown.view.setCurrentItem(shown.view.topLevelItem(0));
        shown.view.nextFailed();
        auto *current = QARListViewItem::fromItem(shown.view.currentItem());
        QVERIFY(current && current->failedFlag);
        QCOMPARE(current->depth(), QAstXmlRodReader::MaxDepth);
        QVERIFY(current->parent()->isExpanded());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TstQARListView)
#include "tst_qarlistview.moc"
