#include "korvatreporter/window/qareporterstate.h"
#include "korvatreporter/window/qarfailuresdock.h"
#include "korvatreporter/window/qarfailuresmodel.h"
#include "korvatreporter/window/qartreefilterline.h"
#include "korvatreporter/window/qartreemodel.h"
#include "tests/support/reporterhost.h"
#include "tests/support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

// The group rows as "message|count" and each group's case paths.
QStringList groups(const QARFailuresModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex group = model.index(row, 0);
        QStringList cases;
        for (int child = 0; child < model.rowCount(group); ++child)
            cases << model.index(child, 0, group).data().toString();
        rows << group.data().toString() + "|" + model.index(row, 1).data().toString() + "|"
                    + cases.join(",");
    }
    return rows;
}

} // namespace

// The Failures dock's model: messages masked into groups, largest first,
// read from XRD and JUnit reports, and a click on a case moving the tree.
class TstQARFailuresModel : public QObject
{
    Q_OBJECT

    ReporterHost m_host;
    // A JUnit file whose failures differ only in numbers, addresses and temporary paths, plus
    // one other cause and a passing case.
    const QString m_cart = QStringLiteral(KORVAT_TEST_DATA "/cart.xml");

    std::unique_ptr<QAReporter> window(const QStringList &files)
    {
        auto w = ReporterHost::open(files, true);
        w->toggleFailures();
        return w;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_host.setUp();
    }

    void normalise_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("masked");
        QTest::newRow("line number") << "NullPointerException at Cart.java:74"
                                     << "NullPointerException at Cart.java:#";
        QTest::newRow("decimal") << "took 12.5 s, limit 10" << "took # s, limit #";
        QTest::newRow("address") << "segfault at 0x7ffd3a2b10 in parse()" << "segfault at 0x… in parse()";
        QTest::newRow("temp path") << "cannot open /tmp/pytest-of-ci/pytest-12/test_a0/x.txt: denied"
                                   << "cannot open <tmp>: denied";
        QTest::newRow("macOS temp") << "no /var/folders/x1/T/abc.json" << "no <tmp>";
        QTest::newRow("Windows temp") << R"(C:\Users\ci\AppData\Local\Temp\q1\out.txt missing)"
                                      << "<tmp> missing";
        QTest::newRow("project path and names stay")
            << "/builds/inv/target/tmp/ledger.csv in org.opentest4j" << "/builds/inv/target/tmp/ledger.csv in org.opentest4j";
        QTest::newRow("words stay") << "expected <a> but was <b>" << "expected <a> but was <b>";
    }

    void normalise()
    {
        QFETCH(QString, message);
        QTEST(QARFailuresModel::normalise(message), "masked");
    }

    void groupsOfReports_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("groups");
        QTest::newRow("JUnit, masked causes, largest first")
            << QStringList{m_cart}
            << QStringList{"Failure: NullPointerException at Cart.java:#|2|cart › a,cart › c",
                           "Failure: timeout after # s|2|cart › b,cart › f",
                           "Error: NullPointerException at Cart.java:#|1|cart › d"};
        QTest::newRow("XRD, the failed check's text")
            << QStringList{TestFiles::example("campaign.xrd")}
            << QStringList{"Expected depth #, actual depth #.|1|libtext-2.4-rc1 › parser_tests › nested lists",
                           "Expected at most # ms, actual # ms|1|libtext-2.4-rc1 › render_tests › layout timing"};
    }

    void groupsOfReports()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, groups);
        auto w = window(files);
        QARFailuresModel *model = w->failuresDock()->model();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(::groups(*model), groups);
    }

    void clickSelectsNode()
    {
        auto w = window({TestFiles::example("campaign.xrd"), m_cart});
        QARFailuresDock *dock = w->failuresDock();
        const QARFailuresModel *model = dock->model();
        // Every failed case of both files, whatever the filters show.
        int cases = 0;
        for (int row = 0; row < model->rowCount(); ++row)
            cases += model->rowCount(model->index(row, 0));
        QCOMPARE(cases, 7);

        // A case hidden by the tree filter: the click clears the filter.
        w->treeFilter()->setText("render");
        const QModelIndex caseRow = model->index(0, 0, model->index(0, 0));
        QVERIFY(model->failure(caseRow));
        Q_EMIT dock->view()->clicked(caseRow);
        QVERIFY(w->treeFilter()->text().isEmpty());
        const QModelIndex current = w->treeView()->currentRow();
        QCOMPARE(current.data().toString(), model->failure(caseRow)->path.section(" › ", -1));
        QCOMPARE(w->treeModel()->filePath(current), model->failure(caseRow)->file);

        // Failed-only shows copies; the case is found in them too.
        w->failedtests();
        const QModelIndex other = model->index(0, 0, model->index(1, 0));
        Q_EMIT dock->view()->clicked(other);
        QCOMPARE(w->treeView()->currentRow().data().toString(),
                 model->failure(other)->path.section(" › ", -1));
        w->alltests();
    }
};

QTEST_MAIN(TstQARFailuresModel)
#include "tst_qarfailuresmodel.moc"
