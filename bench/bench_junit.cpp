// Opens a large JUnit XML file in a report window and prints, from one run,
// the time of a bare parse of the file (a QXmlStreamReader that only walks
// its tokens), the time of the JUnit reader alone, and the time from opening
// the file in a window to its first paint, with their ratios to the bare
// parse, each the best of three runs. Usage: bench_junit [file.xml]; without
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

double ms(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

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
    double bare = 1e12;
    QElapsedTimer timer;
    for (int run = 0; run < Runs; ++run) {
        timer.start();
        if (!bareParse(path, &elements)) {
            std::fprintf(stderr, "bench_junit: the file is not well-formed XML\n");
            return 1;
        }
        bare = std::min(bare, ms(timer));
    }

    double readerOnly = 1e12;
    for (int run = 0; run < Runs; ++run) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QAReporterData record;
        QAJUnitReader reader;
        timer.restart();
        if (!reader.read(file, nullptr, {}, record)) {
            std::fprintf(stderr, "bench_junit: %s\n", qPrintable(reader.errorString()));
            return 1;
        }
        readerOnly = std::min(readerOnly, ms(timer));
    }

    double open = 1e12;
    QPixmap first;
    for (int run = 0; run < Runs; ++run) {
        QAReporter window(QStringLiteral("Test Report"), QPixmap());
        window.resize(1200, 800);
        window.show();
        QCoreApplication::processEvents();
        QStringList files{path};
        timer.restart();
        window.setFiles(&files, nullptr, ViewerNormal);
        first = window.grab();
        open = std::min(open, ms(timer));
    }

    std::printf("file                      %s (%.1f MB, %lld elements)\n", qPrintable(path),
                QFileInfo(path).size() / 1048576.0, elements);
    std::printf("bare parse                %9.1f ms\n", bare);
    std::printf("JUnit reader              %9.1f ms   ratio to bare parse %.2f\n", readerOnly,
                readerOnly / bare);
    std::printf("open to first paint       %9.1f ms   ratio to bare parse %.2f\n", open, open / bare);
    if (qEnvironmentVariableIsSet("KORVAT_VIEW_SHOT"))
        first.save(qEnvironmentVariable("KORVAT_VIEW_SHOT"));
    QAReporterPref::setInstance(nullptr);
    return first.isNull() ? 1 : 0;
}
