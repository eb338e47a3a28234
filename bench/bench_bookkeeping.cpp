// bench_bookkeeping: the per-item bookkeeping of large reports, each case timed at n and at
// 10 n in one run. A ratio near 10 (up to about 13 for n log n) shows linear growth; a
// quadratic step would give about 100.
//
//   bench_bookkeeping
//
// Cases: collecting the node types of a report whose every node has its own type; exporting
// a report whose links name report files that do not exist; exporting a report that links one
// report file under many spellings.

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/export/qareporterhtmlexport.h"
#include "korvatreporter/session/qareportsession.h"

#include "benchsupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A one-document report: `nodes` nodes, node i of type typeOf(i) holding linkOf(i).
QByteArray report(int nodes, const std::function<QString(int)>& typeOf,
                  const std::function<QString(int)>& linkOf)
{
    QByteArray xml = "<XROD><DOCUMENT name=\"d\">";
    for (int i = 0; i < nodes; ++i) {
        xml += QStringLiteral("<XROD:NODE name=\"n%1\" type=\"%2\" state=\"ok\" sum=\"1\"><P>x%3</P>"
                              "</XROD:NODE>")
                   .arg(i)
                   .arg(typeOf(i), linkOf(i))
                   .toUtf8();
    }
    return xml + "</DOCUMENT></XROD>";
}

QString link(const QString& target)
{
    return QStringLiteral("<LINK target=\"xrdlink://%1\">l</LINK>").arg(target);
}

// Milliseconds to load a report whose n nodes each have their own type into a session.
double distinctTypes(int n)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("types.xrd"));
    if (!writeFile(file, report(n, [](int i) { return QStringLiteral("T%1").arg(i); },
                                [](int) { return QString(); })))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QAReportSession session(nullptr);
    session.load({file});
    session.settleTypes();
    return session.types().size() == n ? BenchSupport::elapsedMs(timer) : -1;
}

// Milliseconds to export a report of n nodes, node i linking the file linkOf(i).
double exportLinks(int n, const std::function<QString(int)>& linkOf)
{
    QTemporaryDir in;
    QTemporaryDir out;
    const QString file = in.filePath(QStringLiteral("main.xrd"));
    if (!writeFile(file, report(n, [](int) { return QStringLiteral("T"); },
                                [&](int i) { return link(linkOf(i)); }))
        || !writeFile(in.filePath(QStringLiteral("a.xrd")),
                      report(1, [](int) { return QStringLiteral("T"); }, [](int) { return QString(); })))
        return -1;
    QAReporterData record;
    record.fileName = file;
    if (QAReporterLoader::readRecord(record, {}) != QAReporterLoader::Read)
        return -1;
    const QList<QAReporterData*> records{&record};
    QAReporterHTMLExport exporter(out.path(), out.filePath(QStringLiteral("none.cfg")), QString());
    QElapsedTimer timer;
    timer.start();
    exporter.run(records, &records, nullptr, nullptr, nullptr);
    return BenchSupport::elapsedMs(timer);
}

void print(const char* name, int n, const std::function<double(int)>& measure)
{
    const double small = measure(n);
    const double large = measure(10 * n);
    if (small < 0 || large < 0) {
        std::printf("%-24s failed\n", name);
        return;
    }
    std::printf("%-24s n=%-6d %9.1f ms  10n %9.1f ms  ratio %5.1f\n", name, n, small, large,
                large / (small > 0 ? small : 0.001));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    print("distinct node types", 6200, distinctTypes);
    print("missing linked files", 4000, [](int n) {
        return exportLinks(n, [](int i) { return QStringLiteral("gone%1.xrd").arg(i); });
    });
    print("spellings of one file", 2048, [](int n) {
        return exportLinks(n, [](int i) { return QStringLiteral("x%1/../a.xrd").arg(i); });
    });
    return 0;
}
