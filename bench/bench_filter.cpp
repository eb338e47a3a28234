// bench_filter: times the filtered copies of one large report against the
// time it takes to read that report, and prints the ratios.
//
//   bench_filter [--runs R] [REPORT.xrd]
//
// The failed-only copy is made R times (default 5); its median wall and
// processor times are printed, the latter being what a loaded machine
// disturbs least.
// Without a file, xrdgen (next to this program) writes its default report of
// about 60 MB into the temporary folder first.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"

#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Processor time of this process so far, in milliseconds.
double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Milliseconds of one filtered copy of `records` with `filter`.
// With `cpuMs`, also its processor time.
double copyTime(const std::vector<std::unique_ptr<QAReporterData>> &records,
                const QAReporterFilter &filter, int *kept, double *cpuMs = nullptr)
{
    QAReporterFilteredList list;
    list.setFilter(filter);
    QElapsedTimer timer;
    const double cpu0 = processorMs();
    timer.start();
    list.buildFilteredReports(records);
    const double ms = BenchSupport::elapsedMs(timer);
    if (cpuMs)
        *cpuMs = processorMs() - cpu0;
    *kept = 0;
    if (QAReporterDataTree *tree = list.at(0) ? list.at(0)->dataTree.data() : nullptr) {
        for (QAReporterNode *n = tree->root(); n; n = tree->next(QTree<QAReporterNode>::Forward))
            ++*kept;
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int runs = 5;
    const QStringList args = app.arguments();
    const int runsAt = int(args.indexOf(QStringLiteral("--runs")));
    if (runsAt > 0 && runsAt + 1 < args.size())
        runs = std::max(1, args.at(runsAt + 1).toInt());
    // The report file is the last argument that is not an option's value.
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (i == runsAt || i == runsAt + 1)
            continue;
        rest.push_back(argv[i]);
    }
    const QString file = BenchSupport::reportFile(int(rest.size()), rest.data());
    if (file.isEmpty()) {
        std::fprintf(stderr, "bench_filter: no report to read\n");
        return 1;
    }

    std::vector<std::unique_ptr<QAReporterData>> records;
    records.push_back(std::make_unique<QAReporterData>());
    records.back()->fileName = file;
    QElapsedTimer timer;
    const double readCpu0 = processorMs();
    timer.start();
    if (QAReporterLoader::readRecord(*records.back(), {}) != QAReporterLoader::Read) {
        std::fprintf(stderr, "bench_filter: cannot read %s\n", qPrintable(file));
        return 1;
    }
    const double readMs = BenchSupport::elapsedMs(timer);
    const double readCpuMs = processorMs() - readCpu0;

    int total = 0;
    const double allMs = copyTime(records, QAReporterFilter(), &total);
    QAReporterFilter failed;
    failed.set(QAReporterFilter::StateMatch, QRegularExpression(QStringLiteral("ko")));
    int kept = 0;
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int run = 0; run < runs; ++run) {
        double cpu = 0;
        walls.push_back(copyTime(records, failed, &kept, &cpu));
        cpus.push_back(cpu);
    }
    const double failedMs = median(walls);
    const double failedCpuMs = median(cpus);

    std::printf("report %s: %.1f MB, %d nodes\n", qPrintable(file),
                BenchSupport::megabytes(file), total);
    std::printf("read                 %9.1f ms  (processor %.1f ms)\n", readMs, readCpuMs);
    std::printf("copy, no criterion   %9.1f ms  ratio to read %.3f\n", allMs, allMs / readMs);
    std::printf("copy, failed only    %9.1f ms  ratio to read %.3f  (%d nodes kept; median of %d)\n",
                failedMs, failedMs / readMs, kept, runs);
    std::printf("  processor time     %9.1f ms  ratio to read's %.3f\n", failedCpuMs,
                failedCpuMs / readCpuMs);
    return 0;
}
