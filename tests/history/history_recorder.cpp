// Records one generated run into a results store, for the store test's child processes:
//   history_recorder URL LABEL HASH TESTS [hang|ahead|ahead-hang]
// prints the run's id; with "hang" it stops for good after the first batch of results is
// written, inside the transaction, and prints "written N" so that the test can kill it there.
// With "ahead" the tests go to the store first in batches, as a reader lists them, and the run
// is recorded through a recorder thread; "ahead-hang" stops for good once they are stored,
// printing "written ahead".
#include "history/historyrecorder.h"
#include "history/historystore.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

// Hands the run's tests to the store in batches of 100, then records the run.
int recordAhead(const QString &url, const HistoryRun &run, bool hang)
{
    QStringList paths;
    const auto hand = [&paths](HistoryRecorder &to) {
        to.prepareTests(QStringLiteral("suite"), paths);
        paths.clear();
    };
    if (hang) {
        QString error;
        const std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
        if (!store) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        for (const HistoryResult &result : run.results)
            paths.append(result.path);
        store->prepareTests(QStringLiteral("suite"), paths);
        std::printf("written ahead\n");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    HistoryRecorder recorder(url);
    for (const HistoryResult &result : run.results) {
        paths.append(result.path);
        if (paths.size() == 100)
            hand(recorder);
    }
    hand(recorder);
    const HistoryRecorder::Outcome outcome = recorder.record(run);
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
