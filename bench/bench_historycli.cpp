// The history modes of xrdview on a large report, against L (the bare Qt pass over it):
// - reading: `xrdview --summary NEW`;
// - recording: `xrdview --record NEW` into a new SQLite file, and into a new database of a
//   throwaway PostgreSQL server; what recording adds is its time less the reading's;
// - comparing: `xrdview --compare OLD NEW`, two reports of the same size.
// The reports are written by xrdgen (next to this program) with two seeds. Wall time and
// processor time of each xrdview run (its threads added up), best of --runs.
// Usage: bench_historycli [--cases 100000] [--runs 1] [--only sqlite|postgresql]

#include "benchsupport.h"
#include "historybenchsetup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

QString program(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// Wall time and processor time (user and system), in seconds. On a shared machine the
// processor time is disturbed far less by the other programs.
struct Timing
{
    double wall = -1;
    double cpu = -1;

    Timing operator-(const Timing &other) const { return {wall - other.wall, cpu - other.cpu}; }
};

// Processor time of the children waited for so far, in seconds.
double childrenCpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Processor time of this process, in seconds.
double ownCpu()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// One xrdview run; negative times when it fails (status 0 and 1 are a report's verdicts).
Timing timed(const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    const double cpuBefore = childrenCpu();
    timer.start();
    process.start(program("xrdview"), args);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1)
        return {};
    return {BenchSupport::elapsedMs(timer) / 1000.0, childrenCpu() - cpuBefore};
}

// The best of `runs` runs (each time on its own); `args` is asked for each run's arguments
// (a new store each time).
Timing best(int runs, const std::function<QStringList(int)> &args)
{
    Timing fastest;
    for (int run = 0; run < runs; ++run) {
        const Timing t = timed(args(run));
        if (t.wall < 0)
            return {};
        fastest.wall = fastest.wall < 0 ? t.wall : std::min(fastest.wall, t.wall);
        fastest.cpu = fastest.cpu < 0 ? t.cpu : std::min(fastest.cpu, t.cpu);
    }
    return fastest;
}

void line(const char *what, const Timing &t, const Timing &l)
{
    std::printf("%-40s %7.2f s %5.2f x L   processor %6.2f s %5.2f x L\n", what, t.wall, t.wall / l.wall, t.cpu,
                t.cpu / l.cpu);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    HistoryBenchSetup setup(app.arguments());
    const int cases = setup.number("--cases", 100000);
    const int runs = std::max(1, setup.number("--runs", 1));
    const QString older = setup.filePath(QStringLiteral("old.xrd"));
    const QString newer = setup.filePath(QStringLiteral("new.xrd"));
    for (const auto &[file, seed] : {std::pair{older, 1}, std::pair{newer, 2}}) {
        const QStringList args{QStringLiteral("--cases"), QString::number(cases), QStringLiteral("--seed"),
                               QString::number(seed), file};
        if (QProcess::execute(program("xrdgen"), args) != 0) {
            std::printf("xrdgen failed\n");
            return 1;
        }
    }
    const double cpuBefore = ownCpu();
    Timing l;
    l.wall = BenchSupport::bareQtSeconds(newer);
    l.cpu = ownCpu() - cpuBefore;
    std::printf("%d cases, %.0f MB; L %.2f s, processor %.2f s\n", cases, BenchSupport::megabytes(newer), l.wall,
                l.cpu);
    const Timing summary = best(runs, [&](int) { return QStringList{QStringLiteral("--summary"), newer}; });
    line("read: --summary", summary, l);

    const bool ok = setup.run([&](const QString &backend, const HistoryBenchSetup::NewStore &newStore) {
        const Timing seconds = best(runs, [&](int run) {
            return QStringList{QStringLiteral("--record"), QStringLiteral("--db"),
                               newStore(QStringLiteral("r%1").arg(run)), newer};
        });
        const QString what = QStringLiteral("read and record: --record, ") + backend;
        line(qPrintable(what), seconds, l);
        line("  added to reading", seconds - summary, l);
        return seconds.wall >= 0;
    });
    line("compare: --compare OLD NEW", best(runs, [&](int) {
             return QStringList{QStringLiteral("--compare"), older, newer};
         }), l);
    return ok ? 0 : 1;
}
