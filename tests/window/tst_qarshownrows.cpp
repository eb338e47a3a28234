#include "korvatreporter/window/qarshownrows.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "tests/support/reporttrees.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using ReportTrees::buildTree;

namespace {

// Two suites with tests and checks; T2 has two checks.
const QStringList campaign{"S1:ok", ".T1:ok", ".T2:ko", "..C1:ko", "..C2:ok", "S2:ok", ".T3:ok"};

// The flat rows over a tree model showing `campaign` as file "f.xrd".
struct Rows
{
    Rows()
        : tree(buildTree(campaign))
    {
        model.setFiles({{"f.xrd", tree.get()}});
    }
    // The names of the shown rows, indented by a dot per level.
    QStringList names() const
    {
        QStringList out;
        for (int row = 0; row < rows.rowCount(); ++row) {
            const QModelIndex at = rows.index(row, 0);
            out << QString(at.data(QARShownRows::DepthRole).toInt(), '.') + at.data().toString();
        }
        return out;
    }
    QModelIndex item(const QString &name) const
    {
        for (const QModelIndex &row : ReportTrees::allRows(model)) {
            if (row.data().toString() == name)
                return row;
        }
        return QModelIndex();
    }
    void open(const QStringList &names)
    {
        for (const QString &name : names)
            rows.setOpen(item(name), true);
    }

    std::unique_ptr<QAReporterDataTree> tree;
    QARTreeModel model;
    QARShownRows rows{&model};
    QAbstractItemModelTester tester{&rows, QAbstractItemModelTester::FailureReportingMode::QtTest};
};

} // namespace

// The flat list of shown rows: what opening, closing, hiding, sorting and
// filtering leave shown, and the mapping to the tree model's indexes.
class TstQARShownRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void openAndClose_data()
    {
        QTest::addColumn<QStringList>("open");  // opened in this order
        QTest::addColumn<QStringList>("close"); // then closed
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("nothing open") << QStringList() << QStringList() << QStringList{"f.xrd"};
        QTest::newRow("file row") << QStringList{"f.xrd"} << QStringList()
                                  << QStringList{"f.xrd", ".S1", ".S2"};
        QTest::newRow("inner first, then outer")
            << QStringList{"T2", "S1", "f.xrd"} << QStringList()
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", "...C1", "...C2", ".S2"};
        QTest::newRow("closing keeps the inner state")
            << QStringList{"f.xrd", "S1", "T2"} << QStringList{"S1"}
            << QStringList{"f.xrd", ".S1", ".S2"};
        QTest::newRow("closing an inner row")
            << QStringList{"f.xrd", "S1", "T2", "S2"} << QStringList{"T2"}
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", ".S2", "..T3"};
        QTest::newRow("leaf rows do not open") << QStringList{"f.xrd", "T3"} << QStringList()
                                                << QStringList{"f.xrd", ".S1", ".S2"};
    }

    void openAndClose()
    {
        QFETCH(QStringList, open);
        QFETCH(QStringList, close);
        Rows rows;
        rows.open(open);
        for (const QString &name : close)
            rows.rows.setOpen(rows.item(name), false);
        QTEST(rows.names(), "shown");
        // Reopening restores what was open below.
        for (const QString &name : close) {
            rows.rows.setOpen(rows.item(name), true);
            QVERIFY(rows.rows.isOpen(rows.item(name)));
        }
    }

    void openToDepthThenRows_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QStringList>("toggles"); // "+name" opens, "-name" closes, in order
        QTest::addColumn<int>("depthAfter");       // opened to this depth last; 0: not
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("depth 0 opens the file row")
            << 0 << QStringList() << 0 << QStringList{"f.xrd", ".S1", ".S2"};
        QTest::newRow("closing above the depth")
            << 2 << QStringList{"-S1"} << 0 << QStringList{"f.xrd", ".S1", ".S2", "..T3"};
        QTest::newRow("opening below the depth")
            << 2 << QStringList{"+T2"} << 0
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", "...C1", "...C2", ".S2", "..T3"};
        QTest::newRow("a row opened below stays open under a closed one")
            << 2 << QStringList{"+T2", "-S1", "+S1"} << 0
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", "...C1", "...C2", ".S2", "..T3"};
        QTest::newRow("the same depth again reopens what was closed")
            << 2 << QStringList{"-S1", "-f.xrd"} << 2
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", ".S2", "..T3"};
        QTest::newRow("a smaller depth closes nothing")
            << 3 << QStringList() << 1
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", "...C1", "...C2", ".S2", "..T3"};
        QTest::newRow("a smaller depth keeps a row closed below it")
            << 3 << QStringList{"-S1"} << 1 << QStringList{"f.xrd", ".S1", ".S2", "..T3"};
        QTest::newRow("a deeper depth opens a row closed above it")
            << 2 << QStringList{"+T2", "-T2"} << 3
            << QStringList{"f.xrd", ".S1", "..T1", "..T2", "...C1", "...C2", ".S2", "..T3"};
    }

    void openToDepthThenRows()
    {
        QFETCH(int, depth);
        QFETCH(QStringList, toggles);
        QFETCH(int, depthAfter);
        Rows rows;
        rows.rows.openToDepth(depth);
        for (const QString &toggle : toggles) {
            const QModelIndex item = rows.item(toggle.mid(1));
            const bool open = toggle.startsWith('+');
            rows.rows.setOpen(item, open);
            QCOMPARE(rows.rows.isOpen(item), open);
        }
        if (depthAfter > 0)
            rows.rows.openToDepth(depthAfter);
        QTEST(rows.names(), "shown");
        // Every shown row's arrow agrees with the rows below it.
        const QStringList names = rows.names();
        for (int row = 0; row < names.size(); ++row) {
            const int branch = rows.rows.index(row, 0).data(QARShownRows::BranchRole).toInt();
            const bool below = row + 1 < names.size()
                && rows.rows.index(row + 1, 0).data(QARShownRows::DepthRole).toInt()
                    > rows.rows.index(row, 0).data(QARShownRows::DepthRole).toInt();
            if (branch != QARShownRows::NoBranch)
                QCOMPARE(branch == QARShownRows::Open, below);
        }
    }

    void branchRole()
    {
        Rows rows;
        rows.open({"f.xrd"});
        QCOMPARE(rows.rows.index(1, 0).data(QARShownRows::BranchRole).toInt(),
                 int(QARShownRows::Closed));
        QSignalSpy changed(&rows.rows, &QAbstractItemModel::dataChanged);
        rows.open({"S1"});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(rows.rows.index(1, 0).data(QARShownRows::BranchRole).toInt(),
                 int(QARShownRows::Open));
        QCOMPARE(rows.rows.index(2, 0).data(QARShownRows::BranchRole).toInt(),
                 int(QARShownRows::NoBranch));
    }

    void mapping()
    {
        Rows rows;
        rows.rows.openToDepth(3);
        for (const QModelIndex &tree : ReportTrees::allRows(rows.model)) {
            const QModelIndex row = rows.rows.rowIndex(tree, 2);
            QVERIFY(row.isValid());
            QCOMPARE(row.column(), 2);
            QCOMPARE(rows.rows.treeIndex(row), tree.siblingAtColumn(2));
            QCOMPARE(row.data(), tree.siblingAtColumn(2).data());
        }
        // A row under a closed one has no flat row.
        rows.rows.setOpen(rows.item("T2"), false);
        QVERIFY(!rows.rows.rowIndex(rows.item("C1")).isValid());
        QVERIFY(!rows.rows.treeIndex(QModelIndex()).isValid());
    }

    void openToKeepsCurrent()
    {
        Rows rows;
        rows.open({"f.xrd"});
        const QPersistentModelIndex s2 = rows.rows.index(2, 0);
        QCOMPARE(s2.data().toString(), QStringLiteral("S2"));
        rows.rows.openTo(rows.item("C1"), false);
        QCOMPARE(rows.names(), QStringList({"f.xrd", ".S1", "..T1", "..T2", "...C1", "...C2", ".S2"}));
        QCOMPARE(s2.row(), 6);
    }

    void hiddenNodes()
    {
        Rows rows;
        rows.rows.openToDepth(3);
        const auto node = [&rows](const QString &name) { return rows.model.nodeOf(rows.item(name)); };
        // A hidden row takes its subtree along; file rows are never hidden.
        rows.rows.setHiddenNodes({node("T2"), node("f.xrd")});
        QCOMPARE(rows.names(), QStringList({"f.xrd", ".S1", "..T1", ".S2", "..T3"}));
        QVERIFY(rows.rows.isHidden(rows.item("T2")));
        rows.rows.setHiddenNodes({});
        QCOMPARE(rows.rows.rowCount(), 8);
    }

    void sortKeepsOpenRows()
    {
        Rows rows;
        rows.open({"f.xrd", "S1", "T2"});
        const QPersistentModelIndex c2 = rows.rows.rowIndex(rows.item("C2"));
        rows.rows.sort(QARTreeModel::NameColumn, Qt::DescendingOrder);
        QCOMPARE(rows.names(), QStringList({"f.xrd", ".S2", ".S1", "..T2", "...C2", "...C1", "..T1"}));
        QCOMPARE(c2.data().toString(), QStringLiteral("C2"));
        QCOMPARE(c2.row(), 4);
    }

    void resetForgetsOpenRows()
    {
        Rows rows;
        rows.rows.openToDepth(3);
        // The filter keeps the ways to its matches; nothing is open.
        rows.model.setFilterText("C2");
        QCOMPARE(rows.names(), QStringList({"f.xrd"}));
        QVERIFY(!rows.rows.isOpen(rows.item("f.xrd")));
        rows.model.clear();
        QCOMPARE(rows.rows.rowCount(), 0);
    }
};

QTEST_MAIN(TstQARShownRows)
#include "tst_qarshownrows.moc"
