// bench_saveas: times save-as's copy of one large report (line ends
// rewritten, through a temporary file) against QFile::copy of the same
// file, and prints the ratio.
//
//   bench_saveas [REPORT.xrd]
//
// Without a file, xrdgen (next to this program) writes its default report of
// about 60 MB into the temporary folder first.

#include "korvatreporter/export/qareportersaveas.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString file = BenchSupport::reportFile(argc, argv);
    QTemporaryDir dir;
    if (file.isEmpty() || !dir.isValid()) {
        std::fprintf(stderr, "bench_saveas: no report or no temporary folder\n");
        return 1;
    }
    // Best of three runs each, alternating, so that both see a warm cache.
    double plainMs = 1e300, saveAsMs = 1e300;
    for (int run = 0; run < 3; ++run) {
        const QString plain = dir.filePath(QStringLiteral("plain.xrd"));
        const QString copy = dir.filePath(QStringLiteral("copy.xrd"));
        QFile::remove(plain);
        QElapsedTimer timer;
        timer.start();
        if (!QFile::copy(file, plain))
            return 1;
        plainMs = std::min(plainMs, BenchSupport::elapsedMs(timer));
        timer.restart();
        if (QAReporterSaveAs::copy(file, copy) != QAReporterSaveAs::Copied)
            return 1;
        saveAsMs = std::min(saveAsMs, BenchSupport::elapsedMs(timer));
    }
    std::printf("report: %s, %.1f MB\n", qPrintable(file), BenchSupport::megabytes(file));
    std::printf("save-as copy / QFile::copy: %.2f\n", saveAsMs / plainMs);
    return 0;
}
