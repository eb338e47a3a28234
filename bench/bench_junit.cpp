// Opens a large JUnit XML file in a report window and prints, from one run,
// the time of a bare parse of the file (a QXmlStreamReader that only walks
// its tokens), the time of the JUnit reader alone, and the time from opening
// the file in a window to its first paint, with their ratios to the bare
// parse, each the best of three runs, in wall time and in the thread's
// processor time (the ratios use the latter, which other processes on a
// shared machine disturb far less). Usage: bench_junit [file.xml]; without
// a file, junitgen writes 100,000 test cases (about 25 MB) to the temporary
// directory first.

#include "korvatreporter/data/junit/qajunitreader.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/window/qareporter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

QString generate()
{
    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("bench_junit.xml"));
    if (QFileInfo(path).size() > 20 * 1024 * 1024)
        return path;
    const QString generator =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("junitgen"));
    std::printf("generating %s with %s\n", qPrintable(path), qPrintable(generator));
    const int rc = QProcess::execute(generator, {QStringLiteral("--cases"), QStringLiteral("100000"), path});
    return rc == 0 ? path : QString();
}

// Processor time of this thread, in milliseconds. Everything measured runs in
// the one GUI thread, and unlike wall time this hardly changes when other
// processes share the machine.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Wall and processor time since start().
struct Stopwatch
{
    QElapsedTimer wall;
    double cpuStart = 0;

    void start()
    {
        wall.start();
        cpuStart = cpuMs();
    }
    double wallMs() const { return wall.nsecsElapsed() / 1e6; }
    double cpu() const { return cpuMs() - cpuStart; }
};

// The best of several runs, in wall and processor time.
struct Best
{
    double wall = 1e12;
    double cpu = 1e12;

    void take(const Stopwatch &watch)
    {
        wall = std::min(wall, watch.wallMs());
        cpu = std::min(cpu, watch.cpu());
    }
};

// Walks every token of the file, as the cheapest possible reader would.
bool bareParse(const QString &path, qint64 *elements)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    *elements = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            ++*elements;
    }
    return !xml.hasError();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : generate();
    if (path.isEmpty() || !QFile::exists(path)) {
        std::fprintf(stderr, "bench_junit: no results file\n");
        return 1;
    }
    QAReporterPref pref(nullptr);
    QAReporterPref::setInstance(&pref);

    // Each figure is the best of three runs, so that other work on the
    // machine disturbs the ratios as little as possible; the first walk also
    // puts the file in the page cache.
    constexpr int Runs = 3;
    qint64 elements = 0;
    Best bare;
    Stopwatch timer;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        if (!bareParse(path, &elements)) {
            std::fprintf(stderr, "bench_junit: the file is not well-formed XML\n");
            return 1;
        }
        bare.take(timer);
    }

    Best readerOnly;
    for (int run = 0; run < Runs; ++run) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QAReporterData record;
        QAJUnitReader reader;
        timer.start();
        if (!reader.read(file, nullptr, {}, record)) {
            std::fprintf(stderr, "bench_junit: %s\n", qPrintable(reader.errorString()));
            return 1;
        }
        readerOnly.take(timer);
    }

    Best open;
    QPixmap first;
    for (int run = 0; run < Runs; ++run) {
        QAReporter window(QStringLiteral("Test Report"), QPixmap());
        window.resize(1200, 800);
        window.show();
        QCoreApplication::processEvents();
        QStringList files{path};
        timer.start();
        window.setFiles(&files, nullptr, ViewerNormal);
        first = window.grab();
        open.take(timer);
    }

    std::printf("file                      %s (%.1f MB, %lld elements)\n", qPrintable(path),
                QFileInfo(path).size() / 1048576.0, elements);
    std::printf("                          wall ms   cpu ms   cpu ratio to bare parse\n");
    std::printf("bare parse                %8.1f %8.1f\n", bare.wall, bare.cpu);
    std::printf("JUnit reader              %8.1f %8.1f   %.2f\n", readerOnly.wall, readerOnly.cpu,
                readerOnly.cpu / bare.cpu);
    std::printf("open to first paint       %8.1f %8.1f   %.2f\n", open.wall, open.cpu, open.cpu / bare.cpu);
    if (qEnvironmentVariableIsSet("KORVAT_VIEW_SHOT"))
        first.save(qEnvironmentVariable("KORVAT_VIEW_SHOT"));
    QAReporterPref::setInstance(nullptr);
    return first.isNull() ? 1 : 0;
}
