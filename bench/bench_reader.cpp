// Reads one large XRD file with the report reader and, in the same run,
// with a bare Qt pass (L) and a bare expat pass (E), and prints the time of
// each and the reader's ratios to both. Usage: bench_reader [file.xrd [megabytes]]; a
// missing file is generated (default 60 MB, in the temporary directory).

#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/data/qtreeiterator.h"
#include "rendoc/model/ddocument.h"
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <sys/resource.h>

namespace {

long peakKiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Campaigns of scripts of test cases, each with a title, text, a table and
// a link, and every tenth script holding a chain of nested checks 400 deep,
// so that nesting as well as volume is exercised.
bool generate(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XROD>\n<DOCUMENT name=\"bench\" title=\"Bench\">\n"
           "<TITLE level=\"0\">Generated report</TITLE>\n";
    int script = 0;
    int test = 0;
    while (file.pos() < bytes) {
        ++script;
        out << "<XROD:NODE name=\"script " << script << "\" type=\"Script\">\n"
            << "<TITLE level=\"1\">Script " << script << "</TITLE>\n";
        for (int t = 0; t < 20; ++t) {
            ++test;
            const char *state = test % 7 == 0 ? "ko" : test % 11 == 0 ? "NE" : "ok";
            out << "<XROD:NODE name=\"test " << test << "\" type=\"TestCase\" state=\"" << state
                << "\" sum=\"1\">\n<TAG name=\"T" << test << "\"/>\n<TITLE level=\"2\">Test case "
                << test << "</TITLE>\n<P>Checked the value of register " << test
                << " against the expected reference; see <LINK target=\"src/check.c line " << t
                << "\">check.c:" << t << "</LINK> for details.</P>\n"
                << "<TABLE border=\"1\"><ROW><CELLTEXT text=\"expected\"/><CELLTEXT text=\"" << test
                << "\"/></ROW><ROW><CELLTEXT text=\"got\"/><CELL><P>" << test
                << "</P></CELL></ROW></TABLE>\n</XROD:NODE>\n";
        }
        if (script % 10 == 0) {
            for (int d = 0; d < 400; ++d)
                out << "<XROD:NODE name=\"c" << d << "\" type=\"Check\"><P>level " << d << "</P>";
            for (int d = 0; d < 400; ++d)
                out << "</XROD:NODE>";
            out << '\n';
        }
        out << "</XROD:NODE>\n";
        out.flush();
    }
    out << "</DOCUMENT>\n</XROD>\n";
    return true;
}

double timeReport(const QString &path, int *nodes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QAstXmlRodReader reader;
    QElapsedTimer timer;
    timer.start();
    const bool ok = reader.parse(&file, &file, nullptr);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!ok) {
        std::fprintf(stderr, "report reader failed: %s\n", qPrintable(reader.errorString()));
        return -1;
    }
    *nodes = 0;
    std::unique_ptr<QAReporterDataTree> tree(reader.takeDataTree());
    std::unique_ptr<DDocument> document(reader.takeDocument());
    QTreeIterator<QAReporterNode> it(tree->rootNode());
    for (;;) {
        if (it.toFirstChild()) {
            ++*nodes;
            continue;
        }
        bool moved = false;
        while (!(moved = it.toNextSibling()) && it.toParent()) {
        }
        if (!moved)
            break;
        ++*nodes;
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString path = args.size() > 1 ? args.at(1)
                                   : QDir::tempPath() + QStringLiteral("/bench_reader.xrd");
    const qint64 megabytes = args.size() > 2 ? args.at(2).toLongLong() : 60;
    if (!QFile::exists(path)) {
        std::printf("generating %s (%lld MB)\n", qPrintable(path), megabytes);
        if (!generate(path, megabytes * 1024 * 1024)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("file: %s, %lld bytes\n", qPrintable(path), QFile(path).size());

    const long before = peakKiB();
    const double bareQt = BenchSupport::bareQtSeconds(path) * 1000;
    const double bareExpat = BenchSupport::bareExpatSeconds(path) * 1000;
    const long afterBare = peakKiB();
    int nodes = 0;
    const double report = timeReport(path, &nodes);
    const long afterReport = peakKiB();
    if (bareQt < 0 || bareExpat < 0 || report < 0)
        return 1;
    std::printf("L bare Qt pass:    %.0f ms\n", bareQt);
    std::printf("E bare expat pass: %.0f ms (%.2f x L)\n", bareExpat, bareExpat / bareQt);
    std::printf("report reader:     %.0f ms, %d nodes (peak %ld KiB, +%ld KiB)\n", report,
                nodes, afterReport, afterReport - qMax(before, afterBare));
    std::printf("ratio report/L: %.2f, report/E: %.2f\n", report / bareQt, report / bareExpat);
    return 0;
}
