// Runs the real xrdview on one report and prints, from one run, each figure
// as a ratio:
//   L       a bare Qt XML pass over the file in this process (the mean of
//           one pass before and one after the xrdview runs)
//   gui     xrdview FILE, offscreen, from process start to the end of its
//           first paint pass (report, header and tree), in L
//   toggle  "Failed Tests Only" to the end of the next paint pass, in L
//   cli     xrdview --summary FILE, start to exit, in L
//   mem     peak resident memory of the GUI run and of the --summary run,
//           in file sizes
//   settled with --settled, the peak of one more GUI run that stays until
//           the report view has laid out the whole report after its first
//           paint (what the open holds once done), in file sizes
// The GUI run gets the probe bench_gui_probe preloaded, which reports the
// paint times. Usage:
//   bench_gui [--runs R] [--cases N] [--settled] [FILE]
// With --cases and no FILE, xrdgen writes a report of N test cases to the
// temporary directory first (default 100,000 cases).

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "benchsupport.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double monotonicNow()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

struct ChildRun
{
    bool ok = false;
    double start = 0;   // monotonic time of the fork
    double seconds = 0; // fork to exit
    long peakKiB = 0;
    QByteArray errors;  // what the child wrote on standard error
};

// Runs program with args and extra environment, standard output discarded.
ChildRun runChild(const QString &program, const QStringList &args, const QStringList &env,
                  const QString &errorFile)
{
    ChildRun run;
    std::vector<QByteArray> argBytes { QFile::encodeName(program) };
    for (const QString &a : args)
        argBytes.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : argBytes)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> envBytes;
    for (const QString &e : env)
        envBytes.push_back(e.toLocal8Bit());

    run.start = monotonicNow();
    const pid_t pid = fork();
    if (pid < 0)
        return run;
    if (pid == 0) {
        for (QByteArray &e : envBytes)
            putenv(e.data());
        const int out = open("/dev/null", O_WRONLY);
        const int err = open(QFile::encodeName(errorFile).constData(),
                             O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0)
            dup2(out, 1);
        if (err >= 0)
            dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = monotonicNow() - run.start;
    run.peakKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) != 127;
    QFile errors(errorFile);
    if (errors.open(QIODevice::ReadOnly))
        run.errors = errors.readAll();
    return run;
}

// The number after "BENCH_GUI key" in the probe's output, or -1.
double probeValue(const QByteArray &errors, const char *key)
{
    const QByteArray prefix = QByteArray("BENCH_GUI ") + key + ' ';
    for (const QByteArray &line : errors.split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).toDouble();
    }
    return -1;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString binDir = QCoreApplication::applicationDirPath();
    QString xrdview = binDir + QStringLiteral("/xrdview");
    QString probe = QStringLiteral(BENCH_GUI_PROBE);
    int runs = 3;
    long long cases = 100000;
    bool settled = false;
    QString path;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = qMax(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--cases") && i + 1 < args.size())
            cases = args[++i].toLongLong();
        else if (args[i] == QLatin1String("--xrdview") && i + 1 < args.size())
            xrdview = args[++i];
        else if (args[i] == QLatin1String("--settled"))
            settled = true;
        else
            path = args[i];
    }
    if (path.isEmpty()) {
        path = QDir::tempPath() + QStringLiteral("/bench_gui_%1.xrd").arg(cases);
        if (!QFile::exists(path)) {
            std::printf("generating %s (%lld test cases)\n", qPrintable(path), cases);
            const ChildRun gen = runChild(binDir + QStringLiteral("/xrdgen"),
                                          { QStringLiteral("--cases"), QString::number(cases), path },
                                          {}, QDir::tempPath() + QStringLiteral("/bench_gui_gen.err"));
            if (!gen.ok || !QFile::exists(path)) {
                std::fprintf(stderr, "bench_gui: xrdgen failed\n");
                return 1;
            }
        }
    }
    const double size = double(QFileInfo(path).size());
    if (size <= 0) {
        std::fprintf(stderr, "bench_gui: cannot read %s\n", qPrintable(path));
        return 1;
    }

    // A scratch home, so that the user's settings and open windows play no part.
    QTemporaryDir home;
    const QStringList env {
        QStringLiteral("QT_QPA_PLATFORM=offscreen"), QStringLiteral("HOME=") + home.path(),
        QStringLiteral("XDG_CONFIG_HOME=") + home.path(),
        QStringLiteral("XDG_RUNTIME_DIR=") + home.path(),
    };
    const QString errors = home.path() + QStringLiteral("/stderr.txt");
    std::printf("file: %s, %.0f bytes\n", qPrintable(path), size);

    std::vector<double> gui, toggle, cli, guiMem, cliMem, settledMem;
    for (int r = 1; r <= runs; ++r) {
        const double before = BenchSupport::bareQtSeconds(path);
        const ChildRun window = runChild(xrdview, { path },
                                         env + QStringList { QStringLiteral("LD_PRELOAD=") + probe,
                                                             QStringLiteral("BENCH_GUI_TOGGLE=1") },
                                         errors);
        const ChildRun summary = runChild(xrdview, { QStringLiteral("--summary"), path }, env, errors);
        const double after = BenchSupport::bareQtSeconds(path);
        const double paint = probeValue(window.errors, "firstpaint");
        const double toggled = probeValue(window.errors, "toggle");
        if (before <= 0 || after <= 0 || !window.ok || paint < 0 || toggled < 0 || !summary.ok) {
            std::fprintf(stderr, "bench_gui: run %d failed\n%s", r, window.errors.constData());
            return 1;
        }
        if (settled) {
            const ChildRun done = runChild(xrdview, { path },
                                           env + QStringList { QStringLiteral("LD_PRELOAD=") + probe,
                                                               QStringLiteral("BENCH_GUI_SETTLE=1") },
                                           errors);
            if (!done.ok || probeValue(done.errors, "settled") < 0) {
                std::fprintf(stderr, "bench_gui: run %d did not settle\n%s", r, done.errors.constData());
                return 1;
            }
            settledMem.push_back(done.peakKiB * 1024.0 / size);
        }
        const double L = (before + after) / 2;
        gui.push_back((paint - window.start) / L);
        toggle.push_back(toggled / L);
        cli.push_back(summary.seconds / L);
        guiMem.push_back(window.peakKiB * 1024.0 / size);
        cliMem.push_back(summary.peakKiB * 1024.0 / size);
        std::printf("run %d: L %.2f s  gui %.2f L  toggle %.2f L  cli %.2f L  "
                    "mem gui %.1f cli %.1f x file\n",
                    r, L, gui.back(), toggle.back(), cli.back(), guiMem.back(), cliMem.back());
        if (settled)
            std::printf("run %d: mem settled %.2f x file\n", r, settledMem.back());
        std::fflush(stdout);
    }
    std::printf("median: gui %.2f L  toggle %.2f L  cli %.2f L  mem gui %.1f cli %.1f x file\n",
                median(gui), median(toggle), median(cli), median(guiMem), median(cliMem));
    if (settled)
        std::printf("median: mem settled %.2f x file\n", median(settledMem));
    return 0;
}
