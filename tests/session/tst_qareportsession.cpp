// The report session on its own, under a core application (no widget can
// exist here): loading and its signals, the filter and the shown list, the
// printed forms against the command line's golden files, and what an HTML
// export says it wrote.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/document/qareporterfilteredlist.h"
#include "korvatreporter/session/qareportsession.h"
#include "sdk/qaiprogressmonitor.h"
#include "tests/support/recordinglog.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// The command line's test reports and golden files.
QString cliData(const char *name)
{
    return QDir::cleanPath(QStringLiteral(KORVAT_TEST_DATA "/../../xrdview/data/") + QLatin1String(name));
}

// The session's outline, every line with its line end.
QString outlineOf(QAReportSession &session)
{
    QString text;
    session.outlineText([&text](QStringView line) {
        text += line;
        text += QLatin1Char('\n');
    });
    return text;
}

// Calls `step` with the page count each time the export finishes a page.
class StepMonitor : public QAIProgressMonitor
{
public:
    std::function<void(int)> step;
    bool isCanceled() const override { return false; }
    void setProgress(int value) override
    {
        if (step)
            step(value);
    }
};

// A report whose nodes have the given types, in order, one node each.
QByteArray reportOfTypes(const QStringList &types)
{
    QByteArray xml = "<XROD><DOCUMENT name=\"d\">";
    for (qsizetype i = 0; i < types.size(); ++i)
        xml += QStringLiteral("<XROD:NODE name=\"n%1\" type=\"%2\" state=\"ok\" sum=\"1\"><P>x</P>"
                              "</XROD:NODE>")
                   .arg(i)
                   .arg(types.at(i))
                   .toUtf8();
    return xml + "</DOCUMENT></XROD>";
}

// "T<first>" … "T<first + count - 1>".
QStringList typeNames(int first, int count)
{
    QStringList names;
    for (int i = first; i < first + count; ++i)
        names << QStringLiteral("T%1").arg(i);
    return names;
}

} // namespace

class tst_QAReportSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void load()
    {
        QAReportSession session(nullptr);
        QSignalSpy loaded(&session, &QAReportSession::recordsLoaded);
        RecordingLog log;
        const QString missing = cliData("nothing-here.xrd");
        const QStringList unreadable = session.load({cliData("tiny.xrd"), missing}, &log);
        QCOMPARE(unreadable, QStringList{missing});
        QCOMPARE(session.unreadableFiles(), unreadable);
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().first().toStringList(), unreadable);
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().contains(missing));
        QCOMPARE(session.records().size(), size_t(1));
        QVERIFY(!session.types().isEmpty());
        // Loading the same file again reads nothing new.
        const QAReporterData *first = session.records().front().get();
        QVERIFY(session.load({cliData("tiny.xrd")}).isEmpty());
        QCOMPARE(session.records().front().get(), first);
        // A reload reads every file anew, after telling the views.
        QSignalSpy aboutToReload(&session, &QAReportSession::recordsAboutToReload);
        QVERIFY(session.reload().isEmpty());
        QCOMPARE(aboutToReload.count(), 1);
        QCOMPARE(session.records().size(), size_t(1));
    }

    // The shown list is rebuilt only when the records or the filter changed,
    // with the "about to" signal before and the other after.
    void refresh()
    {
        QAReportSession session(nullptr);
        session.load({cliData("tiny.xrd")});
        QVERIFY(!session.shownList());
        QStringList order;
        connect(&session, &QAReportSession::shownAboutToChange, this, [&] { order << "about"; });
        connect(&session, &QAReportSession::shownChanged, this, [&] { order << "changed"; });
        QVERIFY(session.refresh());
        QVERIFY(session.shownList() && session.summary());
        QVERIFY(!session.refresh());
        session.setFailedOnly(true);
        QVERIFY(session.failedOnly());
        QVERIFY(session.refresh());
        QCOMPARE(order, (QStringList{"about", "changed", "about", "changed"}));
        // The replaced list stays until released: a view may still point into it.
        session.releaseRetired();
        QCOMPARE(session.shownList()->count(), 1);
    }

    void types()
    {
        QAReportSession session(nullptr);
        session.load({cliData("tiny.xrd")});
        const QString type = session.types().first();
        QVERIFY(session.isTypeShown(type));
        session.hideType(type);
        QVERIFY(!session.isTypeShown(type));
        session.settleTypes();
        QCOMPARE(session.filter().typePatterns().size(), 1);
        session.setTypeShown(type, true);
        QVERIFY(session.isTypeShown(type));
        QCOMPARE(session.filter().typePatterns().size(), 0);
        // Settled, a type met later starts hidden.
        QVERIFY(!session.isTypeShown(QStringLiteral("NeverSeen")));
    }

    // Types of every file, each once, in order of first appearance, also after a reload;
    // thousands of distinct types stay cheap to collect.
    void typesInOrder_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("repeats in and across files")
            << QStringList{"B", "A", "B"} << QStringList{"C", "A", "D", "C"}
            << QStringList{"B", "A", "C", "D"};
        QTest::newRow("every node its own type")
            << typeNames(0, 5000) << typeNames(2500, 5000) << typeNames(0, 7500);
    }

    void typesInOrder()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.xrd"));
        const QString b = dir.filePath(QStringLiteral("b.xrd"));
        QVERIFY(TestFiles::writeFile(a, reportOfTypes(first)));
        QVERIFY(TestFiles::writeFile(b, reportOfTypes(second)));
        QAReportSession session(nullptr);
        QVERIFY(session.load({a, b}).isEmpty());
        QTEST(session.types(), "expected");
        session.reload();
        QTEST(session.types(), "expected");
    }

    void printed_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("failedOnly");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("golden");
        const QStringList tiny{cliData("tiny.xrd")};
        const QStringList examples{TestFiles::example("campaign.xrd"), TestFiles::example("smoke.xrd")};
        QTest::newRow("tree") << tiny << false << QString() << "outline" << "tree-tiny.txt";
        QTest::newRow("tree, failed only") << tiny << true << QString() << "outline" << "tree-tiny-failed.txt";
        QTest::newRow("tree, hidden type") << tiny << false << "Check" << "outline" << "tree-tiny-nocheck.txt";
        QTest::newRow("tree, examples") << examples << false << QString() << "outline" << "tree-examples.txt";
        QTest::newRow("totals") << QStringList{TestFiles::example("campaign.xrd")} << false << QString() << "totals"
                                << "summary-campaign.txt";
        QTest::newRow("totals beyond 32 bits")
            << QStringList{cliData("bigsums.xrd")} << false << QString() << "totals" << "summary-bigsums.txt";
    }

    void printed()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, failedOnly);
        QFETCH(QString, hidden);
        QFETCH(QString, part);
        QAReportSession session(nullptr);
        session.setFailedOnly(failedOnly);
        if (!hidden.isEmpty())
            session.hideType(hidden);
        QVERIFY(session.load(files).isEmpty());
        const QString text = part == QLatin1String("outline") ? outlineOf(session) : session.totalsText(QString());
        QFETCH(QString, golden);
        QCOMPARE(text, TestFiles::readText(cliData(qPrintable(golden))));
    }

    // Every leaf test with its verdict, named by document and tree path, in
    // document order and whatever the filter shows.
    void testResults()
    {
        QAReportSession session(nullptr);
        session.setFailedOnly(true);
        session.load({cliData("run-new.xrd")});
        QStringList got;
        for (const QAStTestResult &test : session.testResults())
            got << test.document + QLatin1Char('|') + test.path + QLatin1Char('|')
                       + QString::number(int(test.verdict));
        QCOMPARE(got, (QStringList{"nightly|suite/a|1", "nightly|suite/b|0", "nightly|suite/c|1",
                                   "nightly|suite/new|0"}));
    }

    // The one-pass detailed tests are what the generic merge of testResults() and fileResults()
    // gives: the same tests in the same order, with the same case details and retry marks; a
    // read for the tests alone gives the same tests and, reading again where a message is
    // wanted, the same details.
    void detailedTestResults_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"campaign.xrd", "regression.xrd", "inconclusive.xrd", "smoke.xrd", "junit-surefire.xml",
                                 "qtest-results.xml", "catch2-results.xml", "googletest.json", "jest-ctrf.json",
                                 "node-test.tap"})
            QTest::newRow(name) << QStringLiteral(KORVAT_EXAMPLES "/") + QLatin1String(name);
        QTest::newRow("history details") << cliData("history-details/1/results.xml");
        QTest::newRow("nameless document") << QStringLiteral(KORVAT_TEST_DATA "/nameless.xrd");
    }
    void detailedTestResults()
    {
        QFETCH(QString, file);
        QAReportSession session(nullptr);
        QVERIFY(session.load({file}).isEmpty());
        const auto describe = [](const QList<QAStTestResult> &tests) {
            QStringList lines;
            for (const QAStTestResult &test : tests)
                lines << QStringList{test.document, test.path, QString::number(int(test.verdict)),
                                     QString::number(int(test.passedAfterRetry)), test.suite, test.name,
                                     test.message, test.sourceFile, QString::number(test.sourceLine),
                                     QString::number(test.seconds)}
                             .join(QLatin1Char('|'));
            return lines;
        };
        const QStringList merged = describe(session.QAStReportSession::detailedTestResults());
        QVERIFY(!merged.isEmpty());
        QCOMPARE(describe(session.detailedTestResults()), merged);

        // A session told it needs the tests alone names and judges them alike.
        QAReportSession light(nullptr);
        light.setTestsOnly(true);
        QVERIFY(light.load({file}).isEmpty());
        QCOMPARE(describe(light.testResults()), describe(session.testResults()));
        QCOMPARE(describe(light.detailedTestResults()), merged);
        QCOMPARE(light.resultTotals()->failed, session.resultTotals()->failed);

        // Handing the tests over as they are listed changes none of that, and what was handed
        // over (unless superseded) with the unlisted tests is every test in detail.
        QAReportSession listing(nullptr);
        listing.setTestsOnly(true);
        QList<QAStListedTests> batches;
        listing.setTestsListed([&batches](const QAStListedTests &batch) { batches.append(batch); });
        QVERIFY(listing.load({file}).isEmpty());
        QCOMPARE(describe(listing.testResults()), describe(session.testResults()));
        QCOMPARE(describe(listing.detailedTestResults()), merged);
        QStringList superseded;
        QList<QAStTestResult> handed;
        for (const QAStListedTests &batch : std::as_const(batches)) {
            QCOMPARE(batch.file, file);
            for (qsizetype i = 0; i < batch.paths.size(); ++i) {
                const QAStListedTests::Outcome &outcome = batch.outcomes.at(i);
                QAStTestResult &test = handed.emplaceBack();
                test.document = batch.document;
                test.path = batch.paths.at(i);
                test.verdict = outcome.verdict;
                test.passedAfterRetry = outcome.passedAfterRetry;
                test.seconds = outcome.seconds;
                if (outcome.suiteLength >= 0) {
                    test.suite = test.path.left(outcome.suiteLength);
                    test.name = outcome.suiteLength == 0 ? test.path : test.path.mid(outcome.suiteLength + 1);
                }
            }
        }
        const QList<QAStTestResult> unlisted = listing.unlistedTestResults(&superseded);
        if (!superseded.isEmpty()) {
            QCOMPARE(superseded, QStringList{file});
            handed.clear();
        }
        QCOMPARE(describe(handed + unlisted), merged);
    }

    // Two files naming their documents alike: the second one's document is renamed once read,
    // so the tests handed over under the first name are superseded.
    void listedUnderARenamedDocument()
    {
        QTemporaryDir dir;
        const QString xml = QStringLiteral("<XROD><DOCUMENT name=\"d\"><XROD:NODE name=\"t\" type=\"T\" "
                                           "state=\"ok\"><P>x</P></XROD:NODE></DOCUMENT></XROD>");
        const QStringList files{dir.filePath(QStringLiteral("1.xrd")), dir.filePath(QStringLiteral("2.xrd"))};
        for (const QString &name : files) {
            QFile out(name);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(xml.toUtf8());
        }
        QAReportSession session(nullptr);
        session.setTestsOnly(true);
        QStringList documents;
        session.setTestsListed([&documents](const QAStListedTests &batch) { documents.append(batch.document); });
        QVERIFY(session.load(files).isEmpty());
        QCOMPARE(documents, (QStringList{"d", "d"}));
        QStringList superseded;
        const QList<QAStTestResult> unlisted = session.unlistedTestResults(&superseded);
        QCOMPARE(superseded, QStringList{files.at(1)});
        QCOMPARE(unlisted.size(), 1);
        QCOMPARE(unlisted.first().document, QStringLiteral("d1"));
        QCOMPARE(unlisted.first().path, QStringLiteral("t"));
    }

    void emptySession()
    {
        QAReportSession session(nullptr);
        QVERIFY(!session.resultTotals());
        QVERIFY(session.summaryText().isEmpty());
        QVERIFY(outlineOf(session).isEmpty());
    }

    // The result lists exactly the pages written; a page that cannot be
    // written makes the export fail, and a file another process puts into
    // the folder meanwhile is not among what the export wrote.
    void exportResult()
    {
        QAReportSession session(nullptr);
        QVERIFY(session.load({cliData("tiny.xrd"), cliData("allpassed.xrd")}).isEmpty());
        QTemporaryDir out;
        // The second page's name is taken by a folder: it cannot be written.
        QVERIFY(QDir(out.path()).mkdir(QStringLiteral("allpassed.html")));
        StepMonitor progress;
        progress.step = [&](int page) {
            if (page == 1)
                QVERIFY(TestFiles::writeFile(out.filePath(QStringLiteral("precious.txt")), "mine"));
        };
        RecordingLog log;
        const QAStExportResult result = session.exportHtml(out.path(), &progress, &log);
        QVERIFY(!result.ok());
        QCOMPARE(result.failedPages, QStringList{"allpassed.html"});
        QCOMPARE(result.written, (QStringList{out.filePath("tiny.html"), out.filePath("index.html")}));
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("precious.txt"))));
    }
};

QTEST_GUILESS_MAIN(tst_QAReportSession)
#include "tst_qareportsession.moc"
