#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>

namespace BenchSupport {

QString reportFile(int argc, char **argv)
{
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    const QString path = QDir::temp().filePath(QStringLiteral("bench_60mb.xrd"));
    if (QFileInfo(path).size() > 0)
        return path;
    const QString generator = QCoreApplication::applicationDirPath() + QStringLiteral("/xrdgen");
    std::printf("generating %s with %s\n", qPrintable(path), qPrintable(generator));
    std::fflush(stdout);
    if (QProcess::execute(generator, {path}) != 0)
        return QString();
    return path;
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double megabytes(const QString &file)
{
    return double(QFileInfo(file).size()) / 1e6;
}

} // namespace BenchSupport
