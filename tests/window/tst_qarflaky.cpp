#include "korvatreporter/session/qareportsession.h"
#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"

#include <QIcon>
#include <QImage>
#include <QtTest>

#include <memory>

// Flaky and retried cases: their marks in the tree, the Flaky column of the
// summary table and the --summary line.
class TstQARFlaky : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    // Surefire's rerun elements: passed on a rerun, failed on every rerun, failed without
    // reruns, passed at once.
    const QString m_reruns = QStringLiteral(KORVAT_TEST_DATA "/reruns.xml");

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
    }

    void marks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("mark");
        QTest::newRow("flaky failure") << "flaky" << "ok" << "Flaky: passed on a rerun";
        QTest::newRow("flaky error") << "flakyError" << "ok" << "Flaky: passed on a rerun";
        QTest::newRow("failed on reruns") << "stubborn" << "ko" << "Failed on its reruns too";
        QTest::newRow("failed, no rerun") << "plain" << "ko" << "";
        QTest::newRow("passed") << "fine" << "ok" << "";
    }

    void marks()
    {
        QFETCH(QString, name);
        QFETCH(QString, verdict);
        QFETCH(QString, mark);
        const QString file = m_reruns;
        auto w = ReporterHost::open({file}, true);
        const QModelIndex row = w->treeModel()->findNode(file, QString(), "cart › " + name);
        QVERIFY(row.isValid());
        const QModelIndex cell = row.siblingAtColumn(QARTreeModel::VerdictColumn);
        QCOMPARE(cell.data(QAListView::VerdictRole).toString(), verdict);
        const QString tip = row.data(Qt::ToolTipRole).toString();
        QCOMPARE(tip.section('\n', 2, 2), mark);
        // A marked row's image differs from the plain verdict's.
        const QModelIndex plain = w->treeModel()->findNode(file, QString(), verdict == "ok" ? "cart › fine" : "cart › plain");
        const QImage image = cell.data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
        const QImage plainImage = plain.siblingAtColumn(QARTreeModel::VerdictColumn).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
        QCOMPARE(image != plainImage, !mark.isEmpty());
    }

    void summaryCountsFlaky_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("totals");
        QTest::newRow("flaky cases: a column and a line")
            << QStringList{m_reruns} << "Name\tStatus\tFailed\tPassed\tFlaky\tTotal"
            << "\t[3] Test Case Passed\n\t[2] Test Case Failed\n\t[2] Test Case Flaky\n";
        QTest::newRow("none: neither")
            << QStringList{QStringLiteral(KORVAT_TEST_DATA "/plain.xml")} << "Name\tStatus\tFailed\tPassed\tTotal"
            << "";
    }

    void summaryCountsFlaky()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, totals);
        auto w = ReporterHost::open(files, true);
        QTEST(w->plainText(QAStViewerWindow::SummaryText).section('\n', 0, 0), "heading");
        const QString text = w->reportSession()->totalsText(QString());
        if (totals.isEmpty())
            QVERIFY(!text.contains("Flaky"));
        else
            QCOMPARE(text, totals);
    }
};

QTEST_MAIN(TstQARFlaky)
#include "tst_qarflaky.moc"
