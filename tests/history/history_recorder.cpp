// Records one generated run into a results store, for the store test's child processes:
//   history_recorder URL LABEL HASH TESTS [hang|ahead|ahead-hang]
// prints the run's id; with "hang" it stops for good after the first batch of results is
// written, inside the transaction, and prints "written N" so that the test can kill it there.
// With "ahead" the tests and their results go to the store first in batches, as a reader lists
// them, and the run is recorded through a recorder thread; "ahead-hang" stops for good once they are stored,
// printing "written ahead".
#include "history/historyrecorder.h"
#include "history/historystore.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <utility>

namespace {

// Hands the run's tests with their results to the store in batches of 100, then records the
// run, which then holds no result of its own.
int recordAhead(const QString &url, const HistoryRun &run, bool hang)
{
    HistoryListedTests batch;
    const auto add = [&batch](const HistoryResult &result) {
        batch.listing = QStringLiteral("generated");
        batch.document = result.document;
        batch.paths.append(result.path);
        batch.outcomes.push_back(HistoryListedTests::outcomeOf(result));
    };
    if (hang) {
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        if (!store) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        for (const HistoryResult &result : run.results)
            add(result);
        store->prepareTests(batch);
        std::printf("written ahead\n");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    HistoryRecorder recorder(url);
    for (const HistoryResult &result : run.results) {
        add(result);
        if (batch.paths.size() == 100)
            recorder.prepareTests(std::exchange(batch, HistoryListedTests()));
    }
    recorder.prepareTests(std::move(batch));
    HistoryRun own = run;
    own.results.clear();
    const HistoryRecorder::Outcome outcome = recorder.record(std::move(own));
    if (!outcome.id) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.error));
        return 2;
    }
    std::printf("%lld\n", static_cast<long long>(*outcome.id));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: history_recorder URL LABEL HASH TESTS [hang|ahead|ahead-hang]\n");
        return 2;
    }
    const QString mode = args.value(5);
    HistoryRun run;
    run.label = args.at(2);
    run.contentHash = args.at(3);
    const int tests = args.at(4).toInt();
    for (int i = 0; i < tests; ++i) {
        HistoryResult result;
        result.document = QStringLiteral("suite");
        result.path = QStringLiteral("case%1").arg(i, 5, 10, QLatin1Char('0'));
        result.verdict = i % 7 == 0 ? HistoryResult::Verdict::Ko : HistoryResult::Verdict::Ok;
        result.durationMs = i;
        run.results.append(result);
    }
    if (mode.startsWith(QLatin1String("ahead")))
        return recordAhead(args.at(1), run, mode == QLatin1String("ahead-hang"));
    QString error;
    const std::unique_ptr<HistoryStore> store = HistoryStore::open(args.at(1), &error);
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    const bool hang = mode == QLatin1String("hang");
    const auto progress = [hang](qsizetype written) {
        if (!hang)
            return;
        std::printf("written %lld\n", static_cast<long long>(written));
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    };
    const std::optional<qint64> id = store->recordRun(run, nullptr, progress);
    if (!id) {
        std::fprintf(stderr, "%s\n", qPrintable(store->errorString()));
        return 2;
    }
    std::printf("%lld\n", static_cast<long long>(*id));
    return 0;
}
