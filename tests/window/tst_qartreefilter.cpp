#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"
#include "tests/support/reporttrees.h"
#include "tests/support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFont>
#include <QtTest>

using ReportTrees::allRows;
using ReportTrees::buildTree;

namespace {

// The names of the rows a model shows, in display order, file rows left out.
QStringList shownNames(const QAbstractItemModel &model)
{
    QStringList names;
    for (const QModelIndex &row : allRows(model)) {
        if (row.parent().isValid())
            names << row.data().toString();
    }
    return names;
}

// Two small report files: a campaign of scripts and a second file.
const QStringList CampaignLines{
    "parser_tests:ko", ".empty input:ok", "..item count is 0:ok", ".nested lists:ko",
    "..depth of innermost list:ko", "..item count:ok", "render_tests:ko", ".layout timing:ko",
    "..worst case within budget:ko", "install_tests:ok", ".pkg-config file:ok",
};
const QStringList SmokeLines{"smoke:ok", ".starts:ok", ".item count:ok"};

} // namespace

// The tree filter: which rows the model keeps for the words typed, and the
// filter line in a report window with the other filters and the failed-test
// navigation.
class TstQARTreeFilter : public QObject
{
    Q_OBJECT

    ReporterHost m_host;

private Q_SLOTS:
    void initTestCase() { m_host.setUp(); }

    void init() { QAReporterState::setFailedOnly(false); }

    void modelRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("bold");

        const QStringList all = CampaignLines.join('\n').remove(QRegularExpression(":[a-z]+"))
                                    .remove('.').split('\n') + QStringList{"smoke", "starts", "item count"};
        QTest::newRow("no words") << "  " << all << QStringList();
        QTest::newRow("ignores case, keeps ancestors")
            << "NESTED" << QStringList{"parser_tests", "nested lists", "depth of innermost list", "item count"}
            << QStringList{"nested lists"};
        QTest::newRow("words on different levels")
            << "parser count" << QStringList{"parser_tests", "empty input", "item count is 0",
                                             "nested lists", "item count"}
            << QStringList{"parser_tests", "item count is 0", "item count"};
        QTest::newRow("matches in both files")
            << "item count" << QStringList{"parser_tests", "empty input", "item count is 0", "nested lists",
                                           "item count", "smoke", "item count"}
            << QStringList{"item count is 0", "item count", "item count"};
        QTest::newRow("a match shows its whole subtree")
            << "render" << QStringList{"render_tests", "layout timing", "worst case within budget"}
            << QStringList{"render_tests"};
        QTest::newRow("every word must occur") << "render parser" << QStringList() << QStringList();
        QTest::newRow("nothing") << "zzz" << QStringList() << QStringList();
    }

    void modelRows()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, bold);
        const auto campaign = buildTree(CampaignLines);
        const auto smoke = buildTree(SmokeLines);
        QARTreeModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setFiles({{"campaign.xrd", campaign.get()}, {"smoke.xrd", smoke.get()}});
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QCOMPARE(model.setFilterText(text), !text.trimmed().isEmpty());
        QCOMPARE(shownNames(model), rows);
        // File rows stay; their rows are only those that lead to a match.
        QCOMPARE(model.rowCount(), 2);
        QStringList boldRows;
        for (const QModelIndex &row : allRows(model)) {
            if (row.data(Qt::FontRole).value<QFont>().bold())
                boldRows << row.data().toString();
        }
        QCOMPARE(boldRows, bold);
        // The same words again (other spaces, other case is a change) reset nothing.
        resets.clear();
        QVERIFY(!model.setFilterText(" " + text + " "));
        QCOMPARE(resets.count(), 0);
        // New files keep the filter.
        model.setFiles({{"smoke.xrd", smoke.get()}, {"campaign.xrd", campaign.get()}});
        QCOMPARE(shownNames(model).size(), rows.size());
    }

    void deepChain()
    {
        // A chain far deeper than the stack allows recursion for.
        QStringList lines;
        for (int depth = 0; depth < 10000; ++depth)
            lines << QString(depth, '.') + (depth == 9999 ? "needle" : "level");
        const auto tree = buildTree(lines);
        QARTreeModel model;
        model.setFiles({{"deep.xrd", tree.get()}});
        model.setFilterText("needle");
        QModelIndex index = model.index(0, 0);
        int depth = 0;
        while (model.rowCount(index) == 1) {
            index = model.index(0, 0, index);
            ++depth;
        }
        QCOMPARE(depth, 10000);
        QCOMPARE(index.data().toString(), QStringLiteral("needle"));
        QVERIFY(model.filter().isShown(static_cast<const QARTreeFilter::Node *>(index.internalPointer())));
    }

    void inWindow()
    {
        const auto window = ReporterHost::open({TestFiles::example("campaign.xrd")});
        QAReporter &w = *window;
        w.activated();
        QARTreeModel *model = w.treeModel();
        QARTreeFilterLine *line = w.treeFilter();
        QVERIFY(line);
        QCOMPARE(w.treeView()->topWidget(), line);

        // Ctrl+K reaches the line through the host's window actions.
        QAction *focusKey = nullptr;
        for (QAction *action : m_host.mainWindow.actions()) {
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_K))
                focusKey = action;
        }
        QVERIFY(focusKey);
        line->setText("tim");
        line->deselect();
        focusKey->trigger();
        QCOMPARE(line->selectedText(), QStringLiteral("tim"));
        line->clear();

        // The current row stays current when it is still shown.
        const QModelIndex render = model->index(1, 0, model->index(0, 0, model->index(0, 0)));
        const QModelIndex layout = model->index(1, 0, render);
        QCOMPARE(layout.data().toString(), QStringLiteral("layout timing"));
        w.treeView()->setCurrentRow(layout);
        line->setText("timing");
        QCOMPARE(shownNames(*model),
                 (QStringList{"libtext-2.4-rc1", "render_tests", "layout timing", "worst case within budget"}));
        QCOMPARE(w.treeView()->currentRow().data().toString(), QStringLiteral("layout timing"));
        QVERIFY(w.treeView()->isOpen(w.treeView()->currentRow().parent()));

        // Failed-only and hidden types narrow the same rows further.
        line->setText("item");
        QCOMPARE(shownNames(*model).filter("item").size(), 2);
        w.failedtests();
        QCOMPARE(shownNames(*model), QStringList());
        w.alltests();
        w.hideType("Check");
        QCOMPARE(shownNames(*model), QStringList());
        line->setText("lists");
        QCOMPARE(shownNames(*model), (QStringList{"libtext-2.4-rc1", "parser_tests", "nested lists"}));

        // Next failed steps through the shown rows only.
        line->setText("a");
        w.treeView()->setCurrentRow(model->index(0, 0));
        QStringList stops;
        for (int i = 0; i < 6; ++i) {
            w.nextKO();
            stops << w.treeView()->currentRow().data().toString();
        }
        stops.removeDuplicates();
        QCOMPARE(stops, (QStringList{"libtext-2.4-rc1", "parser_tests", "nested lists", "render_tests",
                                     "layout timing"}));

        // Escape clears the line and shows every row again.
        QTest::keyClick(line, Qt::Key_Escape);
        QVERIFY(line->text().isEmpty());
        QVERIFY(!model->filter().isActive());
        QCOMPARE(shownNames(*model).size(), 11); // the Check nodes stay hidden
    }
};

QTEST_MAIN(TstQARTreeFilter)
#include "tst_qartreefilter.moc"
