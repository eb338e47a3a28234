// An XRD report read through the real loader: regular-file check, guarded
// reader, node tree, document and totals.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    static const QString path = QDir::temp().filePath(
        QStringLiteral("korvat-fuzz-%1.xrd").arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QAReporterData record;
    record.fileName = path;
    QString reason;
    if (QAReporterLoader::readRecord(record, &reason) == QAReporterLoader::Unreadable && reason.isEmpty())
        qFatal("a refused report came without a reason");
    return 0;
}
