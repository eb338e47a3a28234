#include "korvatreporter/window/qareporter.h"
#include "korvatreporter/window/qarfailuresdock.h"
#include "korvatreporter/window/qarslowestmodel.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The names of the rows under `parent`, in the order shown.
QStringList names(const QAbstractItemModel *model, const QModelIndex &parent)
{
    QStringList rows;
    for (int row = 0; row < model->rowCount(parent); ++row)
        rows << model->index(row, 0, parent).data().toString();
    return rows;
}

} // namespace

// Durations in the report tree: read from XRD `time` and JUnit `time`,
// summed on rows with children, sorted on, and the slowest cases listed.
class TstQARDuration : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    QTemporaryDir m_dir;
    // Durations on cases, one on a script, and values the reader must ignore.
    const QString m_xrd = QStringLiteral(KORVAT_TEST_DATA "/timed.xrd");
    // A suite's own time wins over the sum of its cases.
    const QString m_junit = QStringLiteral(KORVAT_TEST_DATA "/timed.xml");

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
        QVERIFY(m_dir.isValid());
    }

    void durationColumn_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        const QString xrd = m_xrd;
        const QString junit = m_junit;
        QTest::newRow("XRD case") << xrd << "summed › fast" << "0.250 s";
        QTest::newRow("XRD over a minute") << xrd << "summed › slow" << "1 min 15 s";
        QTest::newRow("XRD negative ignored") << xrd << "summed › negative" << "";
        QTest::newRow("XRD words ignored") << xrd << "summed › words" << "";
        QTest::newRow("XRD sum of the cases") << xrd << "summed" << "1 min 18 s";
        QTest::newRow("XRD own time wins") << xrd << "own" << "9.000 s";
        QTest::newRow("XRD nothing timed below") << xrd << "untimed" << "";
        QTest::newRow("JUnit suite's time wins") << junit << "said" << "3.500 s";
        QTest::newRow("JUnit counted, nan ignored") << junit << "counted" << "0.500 s";
    }

    void durationColumn()
    {
        QFETCH(QString, file);
        QFETCH(QString, path);
        auto w = ReporterHost::open({file}, true);
        const QARTreeModel *model = w->treeModel();
        const QModelIndex row = model->findNode(file, QString(), path);
        QVERIFY(row.isValid());
        const QModelIndex duration = row.siblingAtColumn(QARTreeModel::DurationColumn);
        QTEST(duration.data().toString(), "shown");
        QCOMPARE(duration.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    }

    void sortingKeepsTheCurrentRow()
    {
        const QString file = m_xrd;
        auto w = ReporterHost::open({file}, true);
        QARTreeModel *model = w->treeModel();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex summed = model->findNode(file, QString(), "summed");
        const QStringList documentOrder = names(model, summed);
        w->treeView()->setCurrentRow(model->findNode(file, QString(), "summed › fast"));

        w->treeView()->sortByColumn(QARTreeModel::DurationColumn, Qt::DescendingOrder);
        QCOMPARE(names(model, summed), (QStringList{"slow", "middle", "fast", "negative", "words"}));
        QCOMPARE(w->treeView()->currentRow().data().toString(), QString("fast"));
        QCOMPARE(w->treeView()->currentRow().row(), 2);
        QCOMPARE(model->parent(w->treeView()->currentRow()), summed);

        // Untimed rows stay last going up too; the sort survives a refresh.
        w->treeView()->sortByColumn(QARTreeModel::DurationColumn, Qt::AscendingOrder);
        w->failedtests();
        w->alltests();
        QCOMPARE(names(model, model->findNode(file, QString(), "summed")),
                 (QStringList{"fast", "middle", "slow", "negative", "words"}));

        w->treeView()->sortByColumn(-1, Qt::AscendingOrder);
        QCOMPARE(names(model, model->findNode(file, QString(), "summed")), documentOrder);
    }

    void slowestTests()
    {
        // 60 timed cases in two files: the 50 slowest, longest first.
        QByteArray many = "<testsuite name=\"many\">";
        for (int i = 1; i <= 60; ++i)
            many += QByteArray("<testcase name=\"c") + QByteArray::number(i) + "\" time=\""
                + QByteArray::number(i) + "\"/>";
        many += "</testsuite>";
        QVERIFY(TestFiles::writeFile(m_dir.filePath("many.xml"), many));
        auto w = ReporterHost::open({m_xrd, m_dir.filePath("many.xml")}, true);
        w->toggleFailures();
        QARFailuresDock *dock = w->failuresDock();
        QARSlowestModel *slowest = dock->slowestModel();
        QAbstractItemModelTester tester(slowest, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(slowest->rowCount(), QARSlowestModel::Limit);
        QCOMPARE(slowest->index(0, QARSlowestModel::TestColumn).data().toString(), QString("summed › slow"));
        QCOMPARE(slowest->index(1, QARSlowestModel::TestColumn).data().toString(), QString("many › c60"));
        QCOMPARE(slowest->index(49, QARSlowestModel::DurationColumn).data().toString(), QString("12.0 s"));
        QCOMPARE(slowest->index(1, QARSlowestModel::FileColumn).data().toString(), QString("many.xml"));

        // A click selects the case in the tree.
        Q_EMIT dock->slowestView()->clicked(slowest->index(3, QARSlowestModel::TestColumn));
        QCOMPARE(w->treeView()->currentRow().data().toString(), QString("c58"));
    }
};

QTEST_MAIN(TstQARDuration)
#include "tst_qarduration.moc"
