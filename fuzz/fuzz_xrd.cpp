// An XRD report read through the real loader: regular-file check, guarded
// reader, node tree, document and totals.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QString path = FuzzSupport::writeInput(data, size, QStringLiteral(".xrd"));
    if (path.isEmpty())
        return 0;
    QAReporterData record;
    record.fileName = path;
    QString reason;
    if (QAReporterLoader::readRecord(record, &reason) == QAReporterLoader::Unreadable && reason.isEmpty())
        FuzzSupport::fail("a refused report came without a reason");
    return 0;
}
