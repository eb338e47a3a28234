// The History dock through a report window: opened reports recorded when the
// preference asks for it, the dock's rows and chart for the selected node,
// the Test Report menu's History item, and an unusable store.

#include "history/historystore.h"
#include "korvatreporter/prefs/qareporterprefhistory.h"
#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarhistorydock.h"
#include "korvatreporter/window/qarhistorymodel.h"
#include "korvatreporter/window/qarlistview.h"
#include "korvatreporter/window/qarmenu.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"
#include "tests/support/reporttrees.h"
#include "tests/support/testfiles.h"

#include <QBarSet>
#include <QChart>
#include <QLabel>
#include <QStackedBarSeries>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using ReportTrees::rowAt;

namespace {

QString runFile(const char *name)
{
    return QStringLiteral(KORVAT_SOURCE_DIR "/tests/xrdview/data/") + QLatin1String(name);
}

} // namespace

class TestHistoryDock : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_dir;

    std::unique_ptr<QAReporter> window(const QString &file) { return ReporterHost::open({file}); }

    // Records the older run then the newer one by opening them.
    void recordBothRuns(const QString &store)
    {
        m_host.pref->history()->setStoreUrl(store);
        m_host.pref->history()->setRecordOpened(true);
        window(runFile("run-old.xrd"));
        window(runFile("run-new.xrd"));
        m_host.pref->history()->setRecordOpened(false);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        QVERIFY(m_dir.isValid());
    }

    // Each node over the two recorded runs: its verdict letters, and the
    // failed tests under it per run, which the chart stacks.
    void rows_data()
    {
        QTest::addColumn<QStringList>("node");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QList<qreal>>("failed");
        QTest::addColumn<QList<qreal>>("passed");
        QTest::newRow("new failure") << QStringList{ "suite", "a" } << "PF" << QList<qreal>{ 0, 1 } << QList<qreal>{ 1, 0 };
        QTest::newRow("fixed") << QStringList{ "suite", "b" } << "FP" << QList<qreal>{ 1, 0 } << QList<qreal>{ 0, 1 };
        QTest::newRow("added") << QStringList{ "suite", "new" } << "-P" << QList<qreal>{ 0, 0 } << QList<qreal>{ 0, 1 };
        QTest::newRow("suite, the worst of its tests")
            << QStringList{ "suite" } << "FF" << QList<qreal>{ 2, 2 } << QList<qreal>{ 2, 2 };
    }
    void rows()
    {
        QFETCH(QStringList, node);
        recordBothRuns(QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("rows-%1.sqlite").arg(QTest::currentDataTag())));

        auto w = window(runFile("run-new.xrd"));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->activated();
        // The History item of the Test Report menu shows the dock.
        w->updateToolMenu();
        QVERIFY(!w->commandsMenu()->isItemChecked(w->historyItem()));
        Q_EMIT w->commandsMenu()->activated(w->historyItem());
        QARHistoryDock *dock = w->historyDock();
        QVERIFY(dock->isVisible());
        w->treeView()->setCurrentRow(rowAt(w->treeModel(), node));
        QCOMPARE(dock->shownKey(), QStringLiteral("nightly/") + node.join(QLatin1Char('/')));

        QString shown;
        for (int row = 0; row < dock->model()->rowCount(); ++row)
            shown += dock->model()->index(row, 0).data(QARHistoryModel::VerdictRole).toString();
        QTEST(shown, "letters");
        QVERIFY(dock->model()->index(0, 0).data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("#1, recorded ")));

        const QList<QAbstractSeries *> series = dock->chart()->series();
        QCOMPARE(series.size(), 1);
        const QList<QBarSet *> sets = static_cast<QStackedBarSeries *>(series.first())->barSets();
        QCOMPARE(sets.size(), 3);
        QList<qreal> chartPassed, chartFailed;
        for (int run = 0; run < sets.at(0)->count(); ++run) {
            chartPassed << sets.at(0)->at(run);
            chartFailed << sets.at(1)->at(run);
        }
        QTEST(chartFailed, "failed");
        if (node.size() > 1)
            QTEST(chartPassed, "passed");
        w->desactivated();
    }

    // Opening reports records nothing unless the preference asks for it.
    void recordingIsOptIn()
    {
        const QString file = m_dir.filePath(QStringLiteral("optin.sqlite"));
        m_host.pref->history()->setStoreUrl(QStringLiteral("sqlite:") + file);
        window(runFile("run-old.xrd"));
        QVERIFY(!QFile::exists(file));
        m_host.pref->history()->setRecordOpened(true);
        window(runFile("run-old.xrd"));
        window(runFile("run-old.xrd"));
        m_host.pref->history()->setRecordOpened(false);
        QString error;
        std::unique_ptr<HistoryStore> store = HistoryStore::open(QStringLiteral("sqlite:") + file, &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->runs(0)->size(), 1); // the same content twice is one run
    }

    // A store that cannot be opened: the dock says why and the file stays as it was.
    void unusableStore()
    {
        const QString file = m_dir.filePath(QStringLiteral("notastore.sqlite"));
        QVERIFY(TestFiles::writeFile(file, QByteArray(2048, 'x')));
        m_host.pref->history()->setStoreUrl(QStringLiteral("sqlite:") + file);
        m_host.pref->history()->setRecordOpened(true);
        auto w = window(runFile("run-new.xrd"));
        m_host.pref->history()->setRecordOpened(false);
        w->show();
        w->historyDock()->show();
        w->treeView()->setCurrentRow(rowAt(w->treeModel(), { "suite", "a" }));
        QCOMPARE(w->historyDock()->model()->rowCount(), 0);
        QVERIFY2(w->historyDock()->messageLabel()->text().contains(file),
                 qPrintable(w->historyDock()->messageLabel()->text()));
        QCOMPARE(TestFiles::readBytes(file), QByteArray(2048, 'x'));
    }
};

QTEST_MAIN(TestHistoryDock)
#include "tst_qarhistorydock.moc"
