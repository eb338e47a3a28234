// bench_filter: times the filtered copies of one large report against the
// time it takes to read that report, and prints the ratios.
//
//   bench_filter [REPORT.xrd]
//
// Without a file, xrdgen (next to this program) writes its default report of
// about 60 MB into the temporary folder first.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/document/qareporterfilter.h"
#include "korvatreporter/document/qareporterfilteredlist.h"

#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

namespace {

// Milliseconds of one filtered copy of `records` with `filter`.
double copyTime(const std::vector<std::unique_ptr<QAReporterData>> &records,
                const QAReporterFilter &filter, int *kept)
{
    QAReporterFilteredList list;
    list.setFilter(filter);
    QElapsedTimer timer;
    timer.start();
    list.buildFilteredReports(records);
    const double ms = BenchSupport::elapsedMs(timer);
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
    const QString file = BenchSupport::reportFile(argc, argv);
    if (file.isEmpty()) {
        std::fprintf(stderr, "bench_filter: no report to read\n");
        return 1;
    }

    std::vector<std::unique_ptr<QAReporterData>> records;
    records.push_back(std::make_unique<QAReporterData>());
    records.back()->fileName = file;
    QElapsedTimer timer;
    timer.start();
    if (QAReporterLoader::readRecord(*records.back(), {}) != QAReporterLoader::Read) {
        std::fprintf(stderr, "bench_filter: cannot read %s\n", qPrintable(file));
        return 1;
    }
    const double readMs = BenchSupport::elapsedMs(timer);

    int total = 0;
    const double allMs = copyTime(records, QAReporterFilter(), &total);
    QAReporterFilter failed;
    failed.set(QAReporterFilter::StateMatch, QRegularExpression(QStringLiteral("ko")));
    int kept = 0;
    const double failedMs = copyTime(records, failed, &kept);

    std::printf("report %s: %.1f MB, %d nodes\n", qPrintable(file),
                BenchSupport::megabytes(file), total);
    std::printf("read                 %9.1f ms\n", readMs);
    std::printf("copy, no criterion   %9.1f ms  ratio to read %.3f\n", allMs, allMs / readMs);
    std::printf("copy, failed only    %9.1f ms  ratio to read %.3f  (%d nodes kept)\n", failedMs,
                failedMs / readMs, kept);
    return 0;
}
