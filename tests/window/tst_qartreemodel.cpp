#include "korvatreporter/window/qartreemodel.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/window/qareporterimages.h"
#include "rendoc/model/dtext.h"
#include "sdk/qalistview.h"
#include "sdk/qapixmapcenter.h"
#include "tests/support/recorddump.h"
#include "tests/support/reporttrees.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using ReportTrees::buildTree;
using ReportTrees::allRows;

namespace {

bool sameImage(const QVariant &decoration, const QPixmap &pixmap)
{
    const QIcon icon = decoration.value<QIcon>();
    if (icon.isNull() || pixmap.isNull())
        return icon.isNull() && pixmap.isNull();
    return icon.pixmap(pixmap.size()).toImage().convertToFormat(QImage::Format_ARGB32)
        == pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}
} // namespace

// The report tree model: structure checked by QAbstractItemModelTester on
// the example reports and on a very deep tree, and what each row shows.
class TstQARTreeModel : public QObject
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

    void examples_data()
    {
        QTest::addColumn<QStringList>("files");
        const QDir examples(QStringLiteral(KORVAT_EXAMPLES));
        QStringList all;
        for (const QString &name : examples.entryList({"*.xrd", "*.xml"}, QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(name)) << QStringList{examples.filePath(name)};
            all << examples.filePath(name);
        }
        QVERIFY(all.size() >= 4);
        QTest::newRow("every example in one model") << all;
    }

    void examples()
    {
        QFETCH(QStringList, files);
        RecordDump::Records records;
        QList<QARTreeModel::File> shown;
        qint64 nodes = 0;
        for (const QString &file : files) {
            QVERIFY(records.read(file));
            shown.append({file, records.list.last()->dataTree});
            std::vector<const QARTreeModel::Node *> pending{records.list.last()->dataTree->rootNode()};
            while (!pending.empty()) {
                const QARTreeModel::Node *node = pending.back();
                pending.pop_back();
                ++nodes;
                pending.insert(pending.end(), node->children().cbegin(), node->children().cend());
            }
        }

        QARTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setFiles(shown);
        // One row per file (its tree's root) and per node.
        const QModelIndexList rows = allRows(model);
        QCOMPARE(rows.size(), nodes);
        QCOMPARE(model.rowCount(), files.size());
        for (const QModelIndex &row : rows) {
            QCOMPARE(model.isFile(row), !row.parent().isValid());
            QCOMPARE(model.indexOf(static_cast<const QARTreeModel::Node *>(row.internalPointer())), row);
        }
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void deepTree()
    {
        // Far deeper than a recursive walk or free could be trusted with.
        constexpr int Levels = 10000;
        auto tree = std::make_unique<QAReporterDataTree>(new QAReporterNode);
        for (int i = 0; i < Levels; ++i) {
            auto *node = new QAReporterNode;
            node->name = QString::number(i);
            node->state = i == Levels - 1 ? "ko" : "ok";
            tree->insert(node);
            tree->toLastChild();
        }
        QARTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setFiles({{"deep.xrd", tree.get()}});

        QModelIndex index = model.index(0, 0);
        for (int level = 0; level < Levels; ++level) {
            QCOMPARE(model.rowCount(index), 1);
            const QModelIndex child = model.index(0, 0, index);
            QCOMPARE(child.parent(), index);
            index = child;
        }
        QCOMPARE(model.rowCount(index), 0);
        QCOMPARE(index.data().toString(), QString::number(Levels - 1));
        QVERIFY(model.isFailed(index));
        QCOMPARE(model.filePath(index), "deep.xrd");

        // Resetting the model lets go of the tree, which then frees its
        // whole depth without recursion.
        model.clear();
        tree.reset();
    }

    void fileRows()
    {
        auto a = buildTree({"a1:ok", ".a11:ok", ".a12:ko", "a2:ok"});
        auto b = buildTree({"b1:NE", "b2:ok"});
        DText start("start");
        a->rootNode()->data()->startItem = &start;
        QAReporterDataTree rootless(nullptr);
        QARTreeModel model;
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.setFiles({{"/reports/a.xrd", a.get()}, {"x.xrd", &rootless}, {"/reports/dir/b.xrd", b.get()}});
        QCOMPARE(reset.count(), 1);

        // A tree without a root shows nothing; files keep their order.
        QStringList names;
        for (const QModelIndex &row : allRows(model))
            names << row.data().toString();
        QCOMPARE(names, QStringList({"a.xrd", "a1", "a11", "a12", "a2", "b.xrd", "b1", "b2"}));

        const QModelIndex file = model.index(0, 0);
        QVERIFY(model.isFile(file));
        QVERIFY(!model.node(file));
        QCOMPARE(model.filePath(file), "/reports/a.xrd");
        QCOMPARE(model.anchor(file), &start);
        QCOMPARE(file.data(Qt::ToolTipRole).toString(), "/reports/a.xrd");
        // A file row is never a failed test, even over failed nodes.
        QVERIFY(!model.isFailed(file));
        QVERIFY(sameImage(file.data(Qt::DecorationRole), QAReporterImages::pixmap(QAReporterImages::Reporter)));
        QVERIFY(!file.siblingAtColumn(1).data(Qt::DecorationRole).isValid());
        QVERIFY(!file.siblingAtColumn(1).data(QAListView::VerdictRole).isValid());

        const QModelIndex b2 = model.index(1, 0, model.index(1, 0));
        QCOMPARE(model.node(b2), b->rootNode()->children().at(1)->data());
        QCOMPARE(model.filePath(b2), "/reports/dir/b.xrd");
    }

    void nodeRows_data()
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

    void nodeRows()
    {
        QFETCH(QString, state);
        QFETCH(QString, icone);
        QFETCH(QPixmap, verdict);
        QFETCH(QPixmap, icon);
        // The parent is failed: a child's verdict is its own.
        auto tree = buildTree({"parent:ko", ".child"});
        QAReporterNode *node = tree->current();
        node->state = state;
        node->icone = icone;
        DText text("child");
        node->startItem = &text;
        QARTreeModel model;
        model.setFiles({{"v.xrd", tree.get()}});

        const QModelIndex child = model.index(0, 0, model.index(0, 0, model.index(0, 0)));
        QCOMPARE(child.data().toString(), "child");
        QCOMPARE(model.node(child), node);
        QCOMPARE(model.anchor(child), &text);
        QTEST(model.isFailed(child), "failed");
        // Only a node row without children tells the view it never has any:
        // the view then never asks whether it is open.
        QVERIFY(model.flags(child) & Qt::ItemNeverHasChildren);
        QVERIFY(!(model.flags(child.parent()) & Qt::ItemNeverHasChildren));
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemNeverHasChildren));
        const QModelIndex verdictCell = child.siblingAtColumn(1);
        QVERIFY(sameImage(verdictCell.data(Qt::DecorationRole), verdict));
        QVERIFY(sameImage(child.data(Qt::DecorationRole), icon));
        QCOMPARE(verdictCell.data(QAListView::VerdictRole), verdict.isNull() ? QVariant() : QVariant(state));
        QVERIFY(!verdictCell.data(Qt::DisplayRole).isValid());
        const QString tip = verdictCell.data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains("TestCase") && tip.contains(state.isNull() ? "none" : state), qPrintable(tip));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TstQARTreeModel)
#include "tst_qartreemodel.moc"
