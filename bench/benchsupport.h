#pragma once

#include <QString>

class QElapsedTimer;

// Helpers shared by the benchmarks that time work on one large generated report: finding or
// generating that report, and turning timers and file sizes into printable figures.
namespace BenchSupport {

// The report named on the command line, else the default report that xrdgen (next to the
// running program) writes into the temporary folder once and all benchmarks then share.
// Empty when the generator fails.
QString reportFile(int argc, char **argv);

// Milliseconds since `timer` was last started.
double elapsedMs(const QElapsedTimer &timer);

// Size of `file` in (decimal) megabytes.
double megabytes(const QString &file);

// Seconds of a bare Qt pass over the XML file (QXmlStreamReader, one attribute looked at per
// element, every text run counted): L, the unit of the ratios. Negative when it fails.
double bareQtSeconds(const QString &file);
// Seconds of a bare expat pass doing the same (blocks of 64 KiB): E, the floor of a streaming
// reader. Negative when it fails.
double bareExpatSeconds(const QString &file);

} // namespace BenchSupport
