#include "sdk/qalistview.h"
#include "sdk/qalistviewitem.h"

#include <QSignalSpy>
#include <QTest>

// The list view's item-based signals and item depth.
class tst_QAListView : public QObject
{
    Q_OBJECT

private:
    struct Tree
    {
        QAListView view;
        QAListViewItem* top = nullptr;
        QAListViewItem* child = nullptr;
        QAListViewItem* grandChild = nullptr;
        QAListViewItem* second = nullptr;

        Tree()
        {
            view.setColumnCount(2);
            view.resize(300, 300);
            top = new QAListViewItem(&view);
            top->setText(0, QStringLiteral("top"));
            child = new QAListViewItem(top);
            child->setText(0, QStringLiteral("child"));
            grandChild = new QAListViewItem(child);
            grandChild->setText(0, QStringLiteral("grand child"));
            second = new QAListViewItem(&view);
            second->setText(0, QStringLiteral("second"));
            view.expandAll();
            view.show();
        }
    };

private Q_SLOTS:
    void depth()
    {
        Tree tree;
        QCOMPARE(tree.top->depth(), 0);
        QCOMPARE(tree.child->depth(), 1);
        QCOMPARE(tree.grandChild->depth(), 2);
        QCOMPARE(tree.second->depth(), 0);
        // Items appear in the order they were made.
        QCOMPARE(tree.view.topLevelItem(0), tree.top);
        QCOMPARE(tree.view.topLevelItem(1), tree.second);
    }

    void selectionChanged()
    {
        Tree tree;
        QSignalSpy spy(&tree.view, &QAListView::selectionChanged);
        tree.view.setCurrentItem(tree.child);
        tree.view.setCurrentItem(tree.child);
        tree.view.setCurrentItem(tree.second);
        tree.view.setCurrentItem(nullptr);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0).at(0).value<QTreeWidgetItem*>(), tree.child);
        QCOMPARE(spy.at(1).at(0).value<QTreeWidgetItem*>(), tree.second);
        QCOMPARE(spy.at(2).at(0).value<QTreeWidgetItem*>(), nullptr);
    }

    void doubleClicked()
    {
        Tree tree;
        QSignalSpy spy(&tree.view, &QAListView::doubleClicked);
        QVERIFY(QTest::qWaitForWindowExposed(&tree.view));
        const QPoint pos = tree.view.visualItemRect(tree.child).center();
        QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, {}, pos);
        QTest::mouseDClick(tree.view.viewport(), Qt::LeftButton, {}, pos);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<QTreeWidgetItem*>(), tree.child);
    }

    void contextMenu_data()
    {
        QTest::addColumn<QString>("where"); // item text, or "" for empty space
        QTest::addColumn<int>("column");

        QTest::newRow("item column 0") << "child" << 0;
        QTest::newRow("item column 1") << "second" << 1;
        QTest::newRow("empty space") << "" << 0;
    }

    void contextMenu()
    {
        QFETCH(QString, where);
        QFETCH(int, column);
        Tree tree;
        tree.view.setColumnWidth(0, 150);
        QTreeWidgetItem* item = nullptr;
        QPoint pos;
        if (!where.isEmpty()) {
            item = tree.view.findItems(where, Qt::MatchExactly | Qt::MatchRecursive).value(0);
            QVERIFY(item);
            const QRect row = tree.view.visualItemRect(item);
            pos = QPoint(tree.view.columnViewportPosition(column) + 5, row.center().y());
        } else {
            pos = QPoint(10, tree.view.viewport()->height() - 5);
            QVERIFY(!tree.view.itemAt(pos));
        }
        QSignalSpy menu(&tree.view, &QAListView::contextMenuRequested);
        QSignalSpy right(&tree.view, &QAListView::rightButtonClicked);
        Q_EMIT tree.view.customContextMenuRequested(pos);
        QCOMPARE(menu.count(), 1);
        QCOMPARE(right.count(), 1);
        for (const QSignalSpy* spy : { &menu, &right }) {
            const QList<QVariant> args = spy->at(0);
            QCOMPARE(args.at(0).value<QTreeWidgetItem*>(), item);
            QCOMPARE(args.at(1).toPoint(), tree.view.viewport()->mapToGlobal(pos));
            QCOMPARE(args.at(2).toInt(), column);
        }
    }

    void verdictRole()
    {
        QCOMPARE(QAListView::VerdictRole, int(Qt::UserRole) + 1);
        Tree tree;
        tree.child->setData(1, QAListView::VerdictRole, QStringLiteral("ko"));
        QCOMPARE(tree.child->data(1, QAListView::VerdictRole).toString(), QStringLiteral("ko"));
        QVERIFY(tree.child->data(0, QAListView::VerdictRole).isNull());
    }
};

QTEST_MAIN(tst_QAListView)
#include "tst_qalistview.moc"
