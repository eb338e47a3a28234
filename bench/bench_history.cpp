// Fills a results store with many runs and times what the history views ask of it, on SQLite
// (a file in the temporary folder) and on a throwaway PostgreSQL server in a temporary folder:
// - recording: the mean time of one run;
// - "last N runs of all tests": reading the window, classifying every test and formatting the
//   table, as `--history --last N` does (best of three);
// - "one test over the last N runs", as the History dock does (best of three, over several tests);
// - bytes per result: the store's size divided by the number of results.
// Times are wall time and, in brackets, this process's processor time, which other programs on
// a shared machine disturb far less (a PostgreSQL server's own work is in the wall time only).
// Usage: bench_history [--runs 200] [--tests 10000] [--last 50] [--only sqlite|postgresql]

#include "historybenchsetup.h"

#include "history/historyclassifier.h"
#include "history/historystore.h"
#include "history/historytext.h"
#include "tests/support/postgrestestserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>

namespace {

struct Options
{
    int runs = 200;
    int tests = 10000;
    int last = 50;
};

// Processor time of this process, in milliseconds.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Wall and processor time since start(); take() keeps the best of several.
struct Stopwatch
{
    QElapsedTimer wall;
    double cpuStart = 0;
    double bestWall = 1e12;
    double bestCpu = 1e12;

    void start()
    {
        wall.start();
        cpuStart = cpuMs();
    }
    double wallMs() const { return wall.nsecsElapsed() / 1e6; }
    double cpu() const { return cpuMs() - cpuStart; }
    void take()
    {
        bestWall = std::min(bestWall, wallMs());
        bestCpu = std::min(bestCpu, cpu());
    }
};

// Run `index` of a campaign: about 3 % of the tests fail for good, 1 % flip now and then,
// a few pass after a retry, and one test in a hundred is missing from the run.
HistoryRun makeRun(int index, int tests)
{
    QRandomGenerator random(quint32(index) * 7919u + 1u);
    HistoryRun run;
    run.label = QStringLiteral("build %1").arg(index + 1);
    run.contentHash = QStringLiteral("bench-%1").arg(index);
    run.results.reserve(tests);
    for (int t = 0; t < tests; ++t) {
        if (random.bounded(100) == 0)
            continue;
        HistoryResult result;
        result.document = QStringLiteral("Campaign %1").arg(t / 1000);
        result.path = QStringLiteral("suite %1/feature %2/case %3").arg(t / 100).arg(t / 10).arg(t);
        const bool failing = t % 33 == 0 || (t % 100 == 1 && random.bounded(4) == 0);
        result.verdict = failing ? HistoryResult::Verdict::Ko : HistoryResult::Verdict::Ok;
        result.passedAfterRetry = !failing && random.bounded(500) == 0;
        result.durationMs = random.bounded(5000);
        if (failing)
            result.fingerprint = HistoryResult::fingerprintOf(QStringLiteral("expected %1").arg(t % 7));
        run.results.append(result);
    }
    return run;
}

// Bytes the store at `url` takes: the SQLite file, or PostgreSQL's size of the store's tables
// with their indexes.
qint64 storeBytes(const QString &url, const PostgresTestServer *server, const QString &database)
{
    if (server == nullptr) {
        const QString path = url.mid(QStringLiteral("sqlite:").size());
        return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
    }
    qint64 bytes = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("size"));
        db.setHostName(server->socketDir());
        db.setUserName(PostgresTestServer::userName());
        db.setDatabaseName(database);
        QSqlQuery query(db);
        // Each table with its indexes (and TOAST table, if any), as pg_total_relation_size counts.
        if (db.open() && query.exec(QStringLiteral("VACUUM ANALYZE"))
            && query.exec(QStringLiteral("SELECT relname, pg_total_relation_size(oid) FROM pg_class "
                                         "WHERE relkind = 'r' AND relnamespace = 'public'::regnamespace"))) {
            while (query.next()) {
                std::printf("postgresql: table %s with its indexes: %lld bytes\n", qPrintable(query.value(0).toString()),
                            static_cast<long long>(query.value(1).toLongLong()));
                bytes += query.value(1).toLongLong();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("size"));
    return bytes;
}

bool bench(const QString &name, const QString &url, const Options &options,
           const std::function<qint64()> &size)
{
    QString error;
    std::unique_ptr<HistoryStore> store = HistoryStore::open(url, &error);
    if (!store) {
        std::printf("%s: %s\n", qPrintable(name), qPrintable(error));
        return false;
    }
    Stopwatch timer;
    double recordWall = 0;
    double recordCpu = 0;
    qint64 results = 0;
    for (int r = 0; r < options.runs; ++r) {
        const HistoryRun run = makeRun(r, options.tests);
        results += run.results.size();
        timer.start();
        if (!store->recordRun(run)) {
            std::printf("%s: %s\n", qPrintable(name), qPrintable(store->errorString()));
            return false;
        }
        recordWall += timer.wallMs();
        recordCpu += timer.cpu();
    }
    std::printf("%s: recorded %d runs, %lld results, %.1f ms (%.1f) a run\n", qPrintable(name), options.runs,
                static_cast<long long>(results), recordWall / options.runs, recordCpu / options.runs);

    Stopwatch read;
    Stopwatch table;
    qsizetype lines = 0;
    for (int i = 0; i < 3; ++i) {
        read.start();
        table.start();
        const auto window = store->recentRuns(options.last);
        read.take();
        QStringList labels;
        for (const HistoryRun &run : *window)
            labels.append(run.label);
        const QList<HistoryLine> classified = HistoryClassifier::classify(*window);
        const QString text = HistoryText::history(labels, classified);
        table.take();
        lines = classified.size();
    }
    std::printf("%s: last %d runs of all tests: read %.0f ms (%.0f), read + classify + table %.0f ms (%.0f), "
                "%lld lines\n",
                qPrintable(name), options.last, read.bestWall, read.bestCpu, table.bestWall, table.bestCpu,
                static_cast<long long>(lines));

    Stopwatch one;
    for (int i = 0; i < 9; ++i) {
        const int t = (i * 1237) % options.tests;
        one.start();
        const auto found = store->testHistory(QStringLiteral("Campaign %1").arg(t / 1000),
                                              QStringLiteral("suite %1/feature %2/case %3").arg(t / 100).arg(t / 10).arg(t),
                                              options.last);
        one.take();
        if (!found || found->size() != std::min(options.last, options.runs))
            std::printf("%s: one test over the window failed\n", qPrintable(name));
    }
    std::printf("%s: one test over the last %d runs: %.2f ms (%.2f)\n", qPrintable(name), options.last,
                one.bestWall, one.bestCpu);
    store.reset();
    const qint64 bytes = size();
    std::printf("%s: %lld bytes, %.1f bytes a result\n", qPrintable(name), static_cast<long long>(bytes),
                double(bytes) / double(std::max<qint64>(results, 1)));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    HistoryBenchSetup setup(app.arguments());
    Options options;
    options.runs = setup.number("--runs", options.runs);
    options.tests = setup.number("--tests", options.tests);
    options.last = setup.number("--last", options.last);
    const QString database = QStringLiteral("bench");
    const bool ok = setup.run([&](const QString &backend, const HistoryBenchSetup::NewStore &newStore) {
        const QString url = newStore(database);
        if (url.isEmpty()) {
            std::printf("%s: no store\n", qPrintable(backend));
            return false;
        }
        return bench(backend, url, options, [&] { return storeBytes(url, setup.server(), database); });
    });
    return ok ? 0 : 1;
}
