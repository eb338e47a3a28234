// bench_export: times the full HTML export of one large report against the time it takes to
// read that report, in one run, and prints the ratio and how much the peak memory grew while
// exporting.
//
//   bench_export [REPORT.xrd]
//
// Without a file, xrdgen (next to this program) writes its default report of about 60 MB into
// the temporary folder first.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"

#include "benchsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString file = BenchSupport::reportFile(argc, argv);
    if (file.isEmpty()) {
        std::fprintf(stderr, "bench_export: no report to read\n");
        return 1;
    }
    QAReporterData record;
    record.fileName = file;
    QElapsedTimer timer;
    timer.start();
    if (QAReporterLoader::readRecord(record, {}) != QAReporterLoader::Read) {
        std::fprintf(stderr, "bench_export: cannot read %s\n", qPrintable(file));
        return 1;
    }
    const double readMs = BenchSupport::elapsedMs(timer);
    const long afterRead = peakKiB();

    QTemporaryDir out;
    QAReporterHTMLExport exporter(out.path(), out.filePath(QStringLiteral("none.cfg")), QString());
    const QList<QAReporterData*> records{&record};
    timer.restart();
    exporter.run(records, &records, nullptr, nullptr, nullptr);
    const double exportMs = BenchSupport::elapsedMs(timer);
    const long afterExport = peakKiB();

    qint64 written = 0;
    for (const QString& page : exporter.writtenFiles())
        written += QFileInfo(page).size();
    std::printf("report %s: %.1f MB, %lld failed, %lld passed\n", qPrintable(file),
                BenchSupport::megabytes(file), (long long)record.failed, (long long)record.passed);
    std::printf("read        %9.1f ms  peak %ld MiB\n", readMs, afterRead / 1024);
    std::printf("export      %9.1f ms  ratio to read %.3f  %.1f MB of HTML in %d file(s)\n",
                exportMs, exportMs / readMs, double(written) / 1e6,
                int(exporter.writtenFiles().size()));
    std::printf("peak memory grew by %ld MiB while exporting (%.3f of the peak after reading)\n",
                (afterExport - afterRead) / 1024, double(afterExport - afterRead) / afterRead);
    return exporter.failedPages().isEmpty() ? 0 : 1;
}
