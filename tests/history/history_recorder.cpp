// Records one generated run into a results store, for the store test's child processes:
//   history_recorder URL LABEL HASH TESTS [hang]
// prints the run's id; with "hang" it stops for good after the first batch of results is
// written, inside the transaction, and prints "written N" so that the test can kill it there.
#include "history/historystore.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: history_recorder URL LABEL HASH TESTS [hang]\n");
        return 2;
    }
    QString error;
    const std::unique_ptr<HistoryStore> store = HistoryStore::open(args.at(1), &error);
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
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
    const bool hang = args.size() > 5 && args.at(5) == QLatin1String("hang");
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
