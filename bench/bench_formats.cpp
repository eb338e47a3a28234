// Times the readers of the test runners' formats (Qt Test xml and lightxml,
// Catch2 XML, TAP, GoogleTest JSON, CTRF JSON) on files runnergen writes
// and prints, from one run: the reader alone on 10,000 and 100,000 test
// cases with the ratio of their times per case (linear reading gives about
// 1), and the open of the 100,000-case file in a report window to its
// first paint against the open of an XRD report of the same size (xrdgen
// --size), also as multiples of L, the bare Qt pass over that XRD file. Times are the best of three, in the thread's
// processor time, which other processes on a shared machine disturb far
// less than wall time. Usage: bench_formats [FORMAT...] (qtest, lightxml,
// catch2, tap, gtest, ctrf; all by default).

#include "benchsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/data/qareportreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/window/qareporter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr int Runs = 3;

// Processor time of this thread, in milliseconds.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

QString tool(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// A generated file in the temporary folder, written once.
QString generate(const QString &name, const QString &program, const QStringList &args)
{
    const QString path = QDir(QDir::tempPath()).filePath(name);
    if (QFileInfo(path).size() > 0)
        return path;
    return QProcess::execute(program, args + QStringList{path}) == 0 ? path : QString();
}

// Best processor time of the file's reader alone; negative when it fails.
double readMs(const QString &path)
{
    double best = 1e12;
    for (int run = 0; run < Runs; ++run) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QAReportFormat &format = QAReportFormats::forDevice(file);
        std::unique_ptr<QAReportReader> reader = format.createReader();
        QAReporterData record;
        const double start = cpuMs();
        if (!reader->read(file, nullptr, {}, record)) {
            std::fprintf(stderr, "bench_formats: %s\n", qPrintable(reader->errorString()));
            return -1;
        }
        best = std::min(best, cpuMs() - start);
    }
    return best;
}

// Best processor time from opening the file in a report window to its first paint.
double openMs(const QString &path)
{
    double best = 1e12;
    for (int run = 0; run < Runs; ++run) {
        QAReporter window(QStringLiteral("Test Report"), QPixmap());
        window.resize(1200, 800);
        window.show();
        QCoreApplication::processEvents();
        QStringList files{path};
        const double start = cpuMs();
        window.setFiles(&files, nullptr, ViewerNormal);
        const QPixmap first = window.grab();
        best = std::min(best, cpuMs() - start);
        if (first.isNull())
            return -1;
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QAReporterPref pref(nullptr);
    QAReporterPref::setInstance(&pref);
    QStringList formats = app.arguments().mid(1);
    if (formats.isEmpty())
        formats = {QStringLiteral("qtest"), QStringLiteral("lightxml"), QStringLiteral("catch2"),
                   QStringLiteral("tap"),   QStringLiteral("gtest"),    QStringLiteral("ctrf")};

    std::printf("format     MB   read 10k ms  read 100k ms  per-case ratio  open ms  XRD open ms  ratio  "
                "open/L  XRD open/L\n");
    int status = 0;
    for (const QString &format : formats) {
        const QString small = generate("bench_" + format + "_10k.xml", tool("runnergen"),
                                       {"--format", format, "--cases", "10000"});
        const QString large = generate("bench_" + format + "_100k.xml", tool("runnergen"),
                                       {"--format", format, "--cases", "100000"});
        if (small.isEmpty() || large.isEmpty()) {
            std::fprintf(stderr, "bench_formats: runnergen failed for %s\n", qPrintable(format));
            return 1;
        }
        const long mb = std::max(1L, std::lround(BenchSupport::megabytes(large)));
        const QString xrd = generate(QStringLiteral("bench_formats_%1mb.xrd").arg(mb), tool("xrdgen"),
                                     {"--size", QString::number(mb)});
        const double readSmall = readMs(small);
        const double readLarge = readMs(large);
        const double open = openMs(large);
        const double openXrd = openMs(xrd);
        const double l = BenchSupport::bareQtSeconds(xrd) * 1e3;
        if (readSmall < 0 || readLarge < 0 || open < 0 || openXrd < 0 || l <= 0) {
            status = 1;
            continue;
        }
        std::printf("%-9s %4.1f %12.1f %13.1f %15.2f %8.1f %12.1f %6.2f %7.2f %11.2f\n", qPrintable(format),
                    BenchSupport::megabytes(large), readSmall, readLarge, (readLarge / 100000) / (readSmall / 10000),
                    open, openXrd, open / openXrd, open / l, openXrd / l);
    }
    QAReporterPref::setInstance(nullptr);
    return status;
}
