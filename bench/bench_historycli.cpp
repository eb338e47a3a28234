// The history modes of xrdview on a large report, against L (the bare Qt pass over it):
// - reading: `xrdview --summary NEW`;
// - recording: `xrdview --record NEW` into a new SQLite file, and into a new database of a
//   throwaway PostgreSQL server; what recording adds is its time less the reading's;
// - comparing: `xrdview --compare OLD NEW`, two reports of the same size.
// The reports are written by xrdgen (next to this program) with two seeds. Wall time of each
// xrdview run, best of --runs.
// Usage: bench_historycli [--cases 100000] [--runs 1] [--only sqlite|postgresql]

#include "benchsupport.h"
#include "historybenchsetup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QString program(const char *name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// Seconds of one xrdview run; negative when it fails (status 0 and 1 are a report's verdicts).
double timed(const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program("xrdview"), args);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1)
        return -1;
    return BenchSupport::elapsedMs(timer) / 1000.0;
}

// The best of `runs` runs; `args` is asked for each run's arguments (a new store each time).
double best(int runs, const std::function<QStringList(int)> &args)
{
    double fastest = -1;
    for (int run = 0; run < runs; ++run) {
        const double seconds = timed(args(run));
        if (seconds < 0)
            return -1;
        fastest = fastest < 0 ? seconds : std::min(fastest, seconds);
    }
    return fastest;
}

void line(const char *what, double seconds, double l)
{
    std::printf("%-42s %7.2f s  %5.2f x L\n", what, seconds, seconds / l);
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
    const double l = BenchSupport::bareQtSeconds(newer);
    std::printf("%d cases, %.0f MB; L %.2f s\n", cases, BenchSupport::megabytes(newer), l);
    const double summary = best(runs, [&](int) { return QStringList{QStringLiteral("--summary"), newer}; });
    line("read: --summary", summary, l);

    const bool ok = setup.run([&](const QString &backend, const HistoryBenchSetup::NewStore &newStore) {
        const double seconds = best(runs, [&](int run) {
            return QStringList{QStringLiteral("--record"), QStringLiteral("--db"),
                               newStore(QStringLiteral("r%1").arg(run)), newer};
        });
        const QString what = QStringLiteral("read and record: --record, ") + backend;
        line(qPrintable(what), seconds, l);
        line("  added to reading", seconds - summary, l);
        return seconds >= 0;
    });
    line("compare: --compare OLD NEW", best(runs, [&](int) {
             return QStringList{QStringLiteral("--compare"), older, newer};
         }), l);
    return ok ? 0 : 1;
}
