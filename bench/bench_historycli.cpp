// The history modes of xrdview on a large report, against L (the bare Qt pass over it):
// - reading: `xrdview --summary NEW`;
// - recording: `xrdview --record NEW` into a new SQLite file, and into a new database of a
//   throwaway PostgreSQL server; what recording adds is its time less the reading's;
// - comparing: `xrdview --compare OLD NEW`, two reports of the same size.
// The reports are written by xrdgen (next to this program) with two seeds. Wall time of each
// xrdview run, best of --runs.
// Usage: bench_historycli [--cases 100000] [--runs 1] [--only sqlite|postgresql]

#include "benchsupport.h"
#include "tests/support/postgrestestserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Options
{
    int cases = 100000;
    int runs = 1;
    QString only;
};

Options parse(const QStringList &args)
{
    Options options;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--cases"))
            options.cases = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--runs"))
            options.runs = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--only"))
            options.only = args.at(i + 1);
    }
    return options;
}

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
    const Options options = parse(app.arguments());
    QTemporaryDir dir;
    const QString older = dir.filePath(QStringLiteral("old.xrd"));
    const QString newer = dir.filePath(QStringLiteral("new.xrd"));
    for (const auto &[file, seed] : {std::pair{older, 1}, std::pair{newer, 2}}) {
        const QStringList args{QStringLiteral("--cases"), QString::number(options.cases), QStringLiteral("--seed"),
                               QString::number(seed), file};
        if (QProcess::execute(program("xrdgen"), args) != 0) {
            std::printf("xrdgen failed\n");
            return 1;
        }
    }
    const double l = BenchSupport::bareQtSeconds(newer);
    std::printf("%d cases, %.0f MB; L %.2f s\n", options.cases, BenchSupport::megabytes(newer), l);
    const double summary = best(options.runs, [&](int) { return QStringList{QStringLiteral("--summary"), newer}; });
    line("read: --summary", summary, l);

    const auto record = [&](const char *what, const std::function<QString(int)> &store) {
        const double seconds = best(options.runs, [&](int run) {
            return QStringList{QStringLiteral("--record"), QStringLiteral("--db"), store(run), newer};
        });
        line(what, seconds, l);
        std::printf("%-42s %7.2f s  %5.2f x L\n", "  added to reading", seconds - summary, (seconds - summary) / l);
    };
    if (options.only.isEmpty() || options.only == QLatin1String("sqlite")) {
        record("read and record: --record, SQLite", [&](int run) {
            return QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("r%1.sqlite").arg(run));
        });
    }
    if (options.only.isEmpty() || options.only == QLatin1String("postgresql")) {
        PostgresTestServer server;
        if (!server.start()) {
            std::printf("postgresql: %s\n", qPrintable(server.errorString()));
            return 1;
        }
        record("read and record: --record, PostgreSQL", [&](int run) {
            const QString name = QStringLiteral("r%1").arg(run);
            return server.createDatabase(name) ? server.url(name) : QString();
        });
    }
    line("compare: --compare OLD NEW", best(options.runs, [&](int) {
             return QStringList{QStringLiteral("--compare"), older, newer};
         }), l);
    return 0;
}
