// Reads large files of the test runners' own formats (Qt Test XML and
// lightxml, Catch2 XML, TAP, GoogleTest JSON, CTRF JSON) and prints, from one
// run, for each format: the reader alone on 10,000 and on 100,000 test cases
// and the ratio of their times per case (1.0 is linear), the open of the 100,000-case file in a report window to
// its first paint, and that open as a ratio to L, the bare Qt parse of an XRD
// file of the same size (BenchSupport::bareQtSeconds). Times are wall
// milliseconds, each the best of three runs. runnergen and xrdgen, beside
// the program, write the files into the temporary folder first.
// Usage: bench_runners [qtest|lightxml|catch2|tap|gtest|ctrf]... (all six by default)

#include "benchsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/data/qareportreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/window/qareporter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Runs = 3;

QString tool(const char *name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

// The file of `cases` cases of `format`, generated once into the temporary folder.
QString generate(const QString &format, int cases)
{
    const QString suffix = format == QLatin1String("tap")        ? QStringLiteral(".tap")
                           : format == QLatin1String("lightxml") ? QStringLiteral(".txt")
                           : format == QLatin1String("gtest") || format == QLatin1String("ctrf")
                               ? QStringLiteral(".json")
                               : QStringLiteral(".xml");
    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("bench_runners_%1_%2%3").arg(format).arg(cases).arg(suffix));
    if (QFileInfo(path).size() > 0)
        return path;
    const int rc = QProcess::execute(tool("runnergen"),
                                     {QStringLiteral("--format"), format, QStringLiteral("--cases"),
                                      QString::number(cases), path});
    return rc == 0 ? path : QString();
}

// An XRD file about as large as `other`.
QString sameSizedXrd(const QString &other)
{
    const QString path = other + QStringLiteral(".xrd");
    if (QFileInfo(path).size() > 0)
        return path;
    const QString megabytes = QString::number(QFileInfo(other).size() / 1e6, 'f', 2);
    const int rc = QProcess::execute(tool("xrdgen"), {QStringLiteral("--size"), megabytes, path});
    return rc == 0 ? path : QString();
}

// Best wall time in milliseconds of the format's reader over `path`; negative on failure.
double readMs(const QString &path)
{
    double best = 1e12;
    for (int run = 0; run < Runs; ++run) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        const QAReportFormat *format = QAReportFormats::recognise(QAReportFormat::head(file));
        if (!format)
            return -1;
        const std::unique_ptr<QAReportReader> reader = format->createReader();
        QAReporterData record;
        QElapsedTimer timer;
        timer.start();
        if (!reader->read(file, nullptr, {}, record)) {
            std::fprintf(stderr, "bench_runners: %s\n", qPrintable(reader->errorString()));
            return -1;
        }
        best = std::min(best, BenchSupport::elapsedMs(timer));
    }
    return best;
}

// Best wall time in milliseconds from opening `path` in a report window to its first paint.
double openMs(const QString &path)
{
    double best = 1e12;
    for (int run = 0; run < Runs; ++run) {
        QAReporter window(QStringLiteral("Test Report"), QPixmap());
        window.resize(1200, 800);
        window.show();
        QCoreApplication::processEvents();
        QStringList files{path};
        QElapsedTimer timer;
        timer.start();
        window.setFiles(&files, nullptr, ViewerNormal);
        if (window.grab().isNull())
            return -1;
        best = std::min(best, BenchSupport::elapsedMs(timer));
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList formats;
    for (int i = 1; i < argc; ++i)
        formats << QString::fromLocal8Bit(argv[i]);
    if (formats.isEmpty())
        formats = {QStringLiteral("qtest"), QStringLiteral("lightxml"), QStringLiteral("catch2"),
                   QStringLiteral("tap"),   QStringLiteral("gtest"),    QStringLiteral("ctrf")};
    QAReporterPref pref(nullptr);
    QAReporterPref::setInstance(&pref);
    std::printf("format  MB(100k)  read 10k ms  read 100k ms  per-case ratio  open 100k ms  L ms  open/L\n");
    int status = 0;
    for (const QString &format : formats) {
        const QString small = generate(format, 10000);
        const QString large = generate(format, 100000);
        const QString xrd = large.isEmpty() ? QString() : sameSizedXrd(large);
        if (small.isEmpty() || large.isEmpty() || xrd.isEmpty()) {
            std::fprintf(stderr, "bench_runners: cannot generate the %s files\n", qPrintable(format));
            status = 1;
            continue;
        }
        const double read10 = readMs(small);
        const double read100 = readMs(large);
        const double open100 = openMs(large);
        double bare = 1e12;
        for (int run = 0; run < Runs; ++run)
            bare = std::min(bare, BenchSupport::bareQtSeconds(xrd) * 1e3);
        if (read10 < 0 || read100 < 0 || open100 < 0 || bare < 0) {
            status = 1;
            continue;
        }
        std::printf("%-6s  %8.1f  %11.1f  %12.1f  %14.2f  %12.1f  %4.0f  %6.2f\n", qPrintable(format),
                    BenchSupport::megabytes(large), read10, read100, (read100 / 100000) / (read10 / 10000), open100,
                    bare, open100 / bare);
    }
    QAReporterPref::setInstance(nullptr);
    return status;
}
