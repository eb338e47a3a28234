#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarshownrows.h"

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterprefgeneral.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporttrees.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using ReportTrees::buildTree;

namespace {

// A chain of `levels` nested nodes, only the innermost one failed.
QStringList chain(int levels)
{
    QStringList lines;
    for (int i = 0; i < levels; ++i)
        lines << QString(i, '.') + (i == levels - 1 ? "n:ko" : "n:ok");
    return lines;
}

// A campaign with failed tests at several depths.
const QStringList campaign{"S1:ok", ".T1:ok", ".T2:ko", "..C1:ko", "S2:ok", ".T3:ok", "S3:ko", ".T4:ko"};

// A view showing one report file, opened to `depth` as the report window
// opens it.
struct Shown
{
    explicit Shown(const QStringList &nodes, int depth = QAReporterPrefGeneral::DefaultAutoDepth)
        : tree(buildTree(nodes))
    {
        view.setTreeModel(&model);
        model.setFiles({{"f.xrd", tree.get()}});
        view.openToDepth(depth);
    }
    // Every row in display order, collapsed branches included.
    QModelIndexList rows() const { return ReportTrees::allRows(model); }
    // Names of the opened rows with children below the file row.
    QStringList opened() const
    {
        QStringList out;
        for (const QModelIndex &row : rows()) {
            if (row.parent().isValid() && model.hasChildren(row) && view.isOpen(row))
                out << row.data().toString();
        }
        return out;
    }
    QModelIndex item(const QString &name) const
    {
        for (const QModelIndex &row : rows()) {
            if (row.data().toString() == name)
                return row;
        }
        return QModelIndex();
    }
    void show(int height)
    {
        view.resize(300, height);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    std::unique_ptr<QAReporterDataTree> tree;
    QARTreeModel model;
    QARListView view;
};

} // namespace

// The report tree view over the tree model: how far it opens, stepping
// to failed tests and double clicks.
class TstQARListView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void openToDepth_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QStringList>("open");
        // Rows with children: S1, T2 (under S1), S2, S3.
        QTest::newRow("0 opens the file only") << 0 << QStringList();
        QTest::newRow("1") << 1 << QStringList();
        QTest::newRow("2") << 2 << QStringList({"S1", "S2", "S3"});
        QTest::newRow("3") << 3 << QStringList({"S1", "T2", "S2", "S3"});
        QTest::newRow("default") << int(QAReporterPrefGeneral::DefaultAutoDepth)
                                 << QStringList({"S1", "T2", "S2", "S3"});
    }

    void openToDepth()
    {
        QFETCH(int, depth);
        Shown shown(campaign, depth);
        QVERIFY(shown.view.isOpen(shown.model.index(0, 0)));
        QTEST(shown.opened(), "open");
    }

    void stepToFailed_data()
    {
        QTest::addColumn<QString>("start"); // empty: no current row
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("expected"); // empty: nothing happens
        QTest::addColumn<int>("depth");        // 1: every branch collapsed

        QTest::newRow("no current, next") << QString() << true << QString() << 3;
        QTest::newRow("no current, previous") << QString() << false << QString() << 3;
        QTest::newRow("file row, next") << "f.xrd" << true << "T2" << 3;
        QTest::newRow("failed to its failed child") << "T2" << true << "C1" << 3;
        QTest::newRow("skips passed") << "C1" << true << "S3" << 3;
        QTest::newRow("last failed, next") << "T4" << true << QString() << 3;
        QTest::newRow("previous over passed") << "S3" << false << "C1" << 3;
        QTest::newRow("first failed, previous") << "T2" << false << QString() << 3;
        QTest::newRow("file row, previous") << "f.xrd" << false << QString() << 3;
        QTest::newRow("collapsed branch, next") << "f.xrd" << true << "T2" << 1;
        QTest::newRow("collapsed two levels, previous") << "S3" << false << "C1" << 1;
    }

    void stepToFailed()
    {
        QFETCH(QString, start);
        QFETCH(bool, forward);
        QFETCH(QString, expected);
        QFETCH(int, depth);
        Shown shown(campaign, depth);
        QARListView &view = shown.view;
        shown.show(120);
        const QModelIndex startRow = start.isEmpty() ? QModelIndex() : shown.item(start);
        view.setCurrentRow(startRow);
        const QModelIndexList selectedBefore = view.selectionModel()->selectedRows();
        QSignalSpy doubleClicked(&view, &QAListView::doubleClicked);
        QSignalSpy current(&view, &QAListView::currentIndexChanged);

        forward ? view.nextFailed() : view.previousFailed();

        const QModelIndex target = expected.isEmpty() ? startRow : shown.item(expected);
        QCOMPARE(view.currentRow(), target);
        QCOMPARE(view.selectionModel()->selectedRows(),
                 expected.isEmpty() ? selectedBefore
                                     : QModelIndexList({view.shownRows()->rowIndex(target)}));
        QCOMPARE(current.count(), expected.isEmpty() ? 0 : 1);
        QCOMPARE(doubleClicked.count(), expected.isEmpty() ? 0 : 1);
        if (!expected.isEmpty()) {
            QCOMPARE(doubleClicked.at(0).at(0).toModelIndex(), target);
            // The found row is opened and scrolled into view.
            for (QModelIndex up = target.parent(); up.isValid(); up = up.parent())
                QVERIFY(view.isOpen(up));
            const QRect rect = view.visualRect(view.shownRows()->rowIndex(target));
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
        const QModelIndex parent = shown.item("S1");
        shown.view.setOpen(parent, expanded);
        shown.show(300);

        QSignalSpy doubleClicked(&shown.view, &QAListView::doubleClicked);
        const QRect rect = shown.view.visualRect(shown.view.shownRows()->rowIndex(parent));
        QVERIFY(!rect.isEmpty());
        QTest::mouseDClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(shown.view.isOpen(parent), expanded);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0).at(0).toModelIndex(), parent);

        // Over empty space nothing is reported.
        QTest::mouseDClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier,
                           QPoint(5, shown.view.viewport()->height() - 2));
        QCOMPARE(doubleClicked.count(), 1);
    }

    void arrowClickOpensAndCloses_data()
    {
        QTest::addColumn<bool>("expanded");
        QTest::newRow("opens") << false;
        QTest::newRow("closes") << true;
    }

    void arrowClickOpensAndCloses()
    {
        QFETCH(bool, expanded);
        Shown shown(campaign);
        const QModelIndex s1 = shown.item("S1");
        shown.view.setOpen(s1, expanded);
        shown.show(300);
        QSignalSpy current(&shown.view, &QAListView::currentIndexChanged);
        const QModelIndex row = shown.view.shownRows()->rowIndex(s1);
        const QRect cell = shown.view.visualRect(row);
        const int indent = shown.view.indentation();
        // S1 is one level below the file row: its arrow is the second step.
        const QPoint arrow(cell.left() + indent + indent / 2, cell.center().y());
        QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier, arrow);
        QCOMPARE(shown.view.isOpen(s1), !expanded);
        QCOMPARE(current.count(), 0);
        // A click on the name makes the row current and leaves it as it is.
        QTest::mouseClick(shown.view.viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(cell.left() + 3 * indent, cell.center().y()));
        QCOMPARE(shown.view.isOpen(s1), !expanded);
        QCOMPARE(shown.view.currentRow(), s1);
    }

    void closingMovesCurrentToTheClosedRow()
    {
        Shown shown(campaign);
        shown.show(300);
        shown.view.setCurrentRow(shown.item("C1"));
        QSignalSpy current(&shown.view, &QAListView::currentIndexChanged);
        shown.view.setOpen(shown.item("S1"), false);
        QCOMPARE(shown.view.currentRow(), shown.item("S1"));
        QCOMPARE(current.count(), 1);
        QCOMPARE(current.at(0).at(0).toModelIndex(), shown.item("S1"));
        // Closing a branch away from the current row leaves it.
        shown.view.setOpen(shown.item("S3"), false);
        QCOMPARE(shown.view.currentRow(), shown.item("S1"));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("startOpen");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("open"); // of the start row afterwards

        QTest::newRow("Right opens") << "S1" << false << int(Qt::Key_Right) << "S1" << true;
        QTest::newRow("Right on open goes to the first child")
            << "S1" << true << int(Qt::Key_Right) << "T1" << true;
        QTest::newRow("Left closes") << "S1" << true << int(Qt::Key_Left) << "S1" << false;
        QTest::newRow("Left on closed goes to the parent")
            << "S1" << false << int(Qt::Key_Left) << "f.xrd" << false;
        QTest::newRow("Left on a leaf goes to the parent")
            << "T1" << false << int(Qt::Key_Left) << "S1" << false;
        QTest::newRow("plus") << "S1" << false << int(Qt::Key_Plus) << "S1" << true;
        QTest::newRow("minus") << "S1" << true << int(Qt::Key_Minus) << "S1" << false;
        QTest::newRow("Down moves") << "S1" << true << int(Qt::Key_Down) << "T1" << true;
    }

    void keys()
    {
        QFETCH(QString, start);
        QFETCH(bool, startOpen);
        QFETCH(int, key);
        Shown shown(campaign, 1);
        const QModelIndex from = shown.item(start);
        shown.view.setCurrentRow(from);
        shown.view.setOpen(from, startOpen);
        shown.show(300);
        QTest::keyClick(&shown.view, Qt::Key(key));
        QTEST(shown.view.currentRow().data().toString(), "current");
        QTEST(shown.view.isOpen(from), "open");
    }

    void asteriskOpensEverythingBelow()
    {
        Shown shown(campaign, 1);
        shown.view.setCurrentRow(shown.model.index(0, 0));
        shown.show(300);
        QTest::keyClick(&shown.view, Qt::Key_Asterisk);
        QCOMPARE(shown.opened(), QStringList({"S1", "T2", "S2", "S3"}));
    }

    void failedAtReaderDepth()
    {
        // The deepest failed test a report file can hold is found and opened.
        Shown shown(chain(QAstXmlRodReader::MaxDepth), 1);
        shown.view.setCurrentRow(shown.model.index(0, 0));
        shown.view.nextFailed();
        const QModelIndex current = shown.view.currentRow();
        QVERIFY(shown.model.isFailed(current));
        int depth = 0;
        for (QModelIndex up = current.parent(); up.isValid(); up = up.parent())
            ++depth;
        QCOMPARE(depth, QAstXmlRodReader::MaxDepth);
        QVERIFY(shown.view.isOpen(current.parent()));
    }
};

QTEST_MAIN(TstQARListView)
#include "tst_qarlistview.moc"
