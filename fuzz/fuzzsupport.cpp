#include "fuzz/fuzzsupport.h"

#include "korvatreporter/data/qareporterdata.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

void quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

} // namespace

void FuzzSupport::ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KORVAT_FUZZ_VERBOSE"))
        qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "korvat-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

QString FuzzSupport::writeInput(const uint8_t* data, size_t size, const QString& suffix)
{
    // A folder of the process's own: readers look at the files beside a report (stack-frame
    // links list its folder), and the shared temporary folder may hold anything.
    static QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("korvat-fuzz-XXXXXX")));
    if (!folder.isValid())
        return QString();
    const QString path = folder.filePath(QStringLiteral("input%1").arg(suffix));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    if (file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return QString();
    return path;
}

QAReporterLoader::ReadResult FuzzSupport::readInput(const uint8_t* data, size_t size,
                                                    const QString& suffix, QAReporterData& record,
                                                    QString* reason)
{
    ensureApplication();
    record.fileName = writeInput(data, size, suffix);
    if (record.fileName.isEmpty())
        return QAReporterLoader::Canceled;
    return QAReporterLoader::readRecord(record, {}, reason);
}

void FuzzSupport::checkLoaderRead(const uint8_t* data, size_t size, const QString& suffix)
{
    QAReporterData record;
    QString reason;
    const QAReporterLoader::ReadResult result = readInput(data, size, suffix, record, &reason);
    if (result == QAReporterLoader::Unreadable && reason.isEmpty())
        fail("a refused file came without a reason");
    if (result == QAReporterLoader::Read
        && (record.failed < 0 || record.passed < 0 || record.inconclusive < -1))
        fail("negative totals");
}

void FuzzSupport::fail(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::fflush(stderr);
    std::abort();
}
