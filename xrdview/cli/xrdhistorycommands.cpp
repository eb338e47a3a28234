#include "xrdview/cli/xrdhistorycommands.h"

#include "history/historyclassifier.h"
#include "history/historycomparison.h"
#include "history/historyrecorder.h"
#include "history/historystore.h"
#include "history/historytext.h"
#include "sdk/qastreportsession.h"
#include "xrdview/cli/xrdheadlessrunner.h"
#include "xrdview/cli/xrdhistoryoutput.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>

namespace {

QString text(const char* source)
{
    return QCoreApplication::translate("XrdHistoryCommands", source);
}

// A store error names the store; the library's message says what failed.
void storeError(const QString& message)
{
    XrdHeadlessRunner::printError(QStringLiteral("xrdview: ") + message);
}

} // namespace

QString XrdHistoryCommands::storeUrl(const XrdCommandLine& line)
{
    return line.dbUrl.isEmpty() ? qEnvironmentVariable("KORVAT_DB") : line.dbUrl;
}

std::unique_ptr<HistoryStore> XrdHistoryCommands::openStore(const XrdCommandLine& line)
{
    QString error;
    std::unique_ptr<HistoryStore> store = HistoryStore::open(storeUrl(line), &error);
    if (!store)
        storeError(error);
    return store;
}

HistoryResult::Verdict XrdHistoryCommands::verdictOf(QAStTestResult::Verdict verdict)
{
    return verdict == QAStTestResult::Failed         ? HistoryResult::Verdict::Ko
           : verdict == QAStTestResult::Inconclusive ? HistoryResult::Verdict::Inconclusive
                                                     : HistoryResult::Verdict::Ok;
}

QList<HistoryResult> XrdHistoryCommands::historyResults(const QList<QAStTestResult>& tests)
{
    QList<HistoryResult> results;
    results.reserve(tests.size());
    for (const QAStTestResult& test : tests) {
        HistoryResult result;
        result.document = test.document;
        result.path = test.path;
        result.verdict = verdictOf(test.verdict);
        result.passedAfterRetry = test.passedAfterRetry && result.verdict == HistoryResult::Verdict::Ok;
        result.durationMs = HistoryResult::durationOf(test.seconds);
        result.fingerprint = HistoryResult::fingerprintOf(test.message);
        results.append(result);
    }
    return results;
}

std::future<XrdHistoryCommands::ContentHash> XrdHistoryCommands::hashInBackground(const QStringList& files)
{
    return std::async(std::launch::async, [files]() {
        ContentHash content;
        content.hash = HistoryRun::contentHashOf(files, &content.error);
        content.sha256 = HistoryRun::sha256Of(files);
        return content;
    });
}

HistoryListedTests XrdHistoryCommands::historyListed(const QAStListedTests& tests)
{
    HistoryListedTests listed;
    listed.listing = tests.file;
    listed.document = tests.document;
    listed.paths = tests.paths;
    listed.outcomes.reserve(size_t(tests.outcomes.size()));
    for (const QAStListedTests::Outcome& outcome : tests.outcomes) {
        HistoryResult result;
        result.verdict = verdictOf(outcome.verdict);
        result.passedAfterRetry = outcome.passedAfterRetry && result.verdict == HistoryResult::Verdict::Ok;
        result.durationMs = HistoryResult::durationOf(outcome.seconds);
        listed.outcomes.push_back(HistoryListedTests::outcomeOf(result));
    }
    return listed;
}

std::unique_ptr<HistoryRecorder> XrdHistoryCommands::startRecorder(const XrdCommandLine& line,
                                                                  QAStReportSession* session)
{
    auto recorder = std::make_unique<HistoryRecorder>(storeUrl(line));
    HistoryRecorder* to = recorder.get();
    session->setTestsListed([to](const QAStListedTests& tests) { to->prepareTests(historyListed(tests)); });
    return recorder;
}

int XrdHistoryCommands::record(const XrdCommandLine& line, const ContentHash& content, QAStReportSession* session,
                               HistoryRecorder* recorder)
{
    session->setTestsListed({});
    if (content.hash.isEmpty()) {
        storeError(content.error);
        return XrdHeadlessRunner::Error;
    }
    HistoryRun run;
    run.contentHash = content.hash;
    run.sha256 = content.sha256;
    run.label = line.runLabel;
    run.time = QDateTime::currentDateTimeUtc();
    // The recorder holds the tests handed over while reading; the run adds what they lack.
    run.results = historyResults(session->unlistedTestResults(&run.supersededListings));
    // Whether a test failed is asked before the run goes to the recorder's thread.
    const std::optional<QAStResultTotals> totals = session->resultTotals();
    const bool failed = totals ? totals->failed > 0
                               : std::any_of(run.results.cbegin(), run.results.cend(), [](const HistoryResult& r) {
                                     return r.verdict == HistoryResult::Verdict::Ko;
                                 });
    const HistoryRecorder::Outcome outcome = recorder->record(std::move(run));
    if (!outcome.id) {
        storeError(outcome.error);
        return XrdHeadlessRunner::Error;
    }
    const qint64 id = *outcome.id;
    XrdHeadlessRunner::print(QString::number(id) + QLatin1Char('\n'));
    if (!outcome.created)
        XrdHeadlessRunner::printError(text("The same reports were recorded before, as run %1.").arg(id));
    return failed ? XrdHeadlessRunner::Failed : XrdHeadlessRunner::Passed;
}

int XrdHistoryCommands::history(const XrdCommandLine& line)
{
    const std::unique_ptr<HistoryStore> store = openStore(line);
    if (!store)
        return XrdHeadlessRunner::Error;
    const QString prefix = line.files.value(0);
    std::optional<QList<HistoryRun>> runs = store->recentRuns(line.lastRuns, prefix);
    if (!runs) {
        storeError(store->errorString());
        return XrdHeadlessRunner::Error;
    }
    // An unlabelled run is named by its id.
    for (HistoryRun& run : *runs)
        if (run.label.isEmpty())
            run.label = QStringLiteral("#%1").arg(run.id);
    const QList<HistoryLine> lines = HistoryClassifier::classify(*runs, prefix);
    if (line.outputFormat == QLatin1String("markdown"))
        XrdHeadlessRunner::print(XrdHistoryOutput::markdown(*runs, lines));
    else if (line.outputFormat == QLatin1String("json"))
        XrdHeadlessRunner::print(XrdHistoryOutput::json(*runs, lines));
    else
        XrdHeadlessRunner::print(HistoryText::history(XrdHistoryOutput::labels(*runs), lines));
    return XrdHeadlessRunner::Passed;
}

int XrdHistoryCommands::compareRuns(const XrdCommandLine& line)
{
    const std::unique_ptr<HistoryStore> store = openStore(line);
    if (!store)
        return XrdHeadlessRunner::Error;
    const std::optional<QList<HistoryRun>> runs = store->runs(0);
    if (!runs) {
        storeError(store->errorString());
        return XrdHeadlessRunner::Error;
    }
    QList<QList<HistoryResult>> results;
    for (const qint64 id : line.runIds) {
        const bool known = std::any_of(runs->cbegin(), runs->cend(), [id](const HistoryRun& r) { return r.id == id; });
        if (!known) {
            storeError(text("The store holds no run %1.").arg(id));
            return XrdHeadlessRunner::Error;
        }
        std::optional<QList<HistoryResult>> ofRun = store->results(id);
        if (!ofRun) {
            storeError(store->errorString());
            return XrdHeadlessRunner::Error;
        }
        results.append(std::move(*ofRun));
    }
    // The sections point into the sorted runs, which live until the text is written.
    const HistoryComparison::Sorted older = HistoryComparison::sorted(results.at(0));
    const HistoryComparison::Sorted newer = HistoryComparison::sorted(results.at(1));
    const HistoryComparison::Sections sections = HistoryComparison::sections(older, newer);
    XrdHeadlessRunner::printUtf8(HistoryText::comparisonUtf8(sections));
    return sections[0].empty() ? XrdHeadlessRunner::Passed : XrdHeadlessRunner::Failed;
}
