// An XRD report read through the real loader: regular-file check, guarded
// reader, node tree, document and totals; then read again for its totals
// only, which must refuse or accept it alike and count the same (an input
// of another format is read in full both times).
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QAReporterData record;
    QString reason;
    const QAReporterLoader::ReadResult result =
        FuzzSupport::readInput(data, size, QStringLiteral(".xrd"), record, &reason);
    if (result == QAReporterLoader::Unreadable && reason.isEmpty())
        FuzzSupport::fail("a refused report came without a reason");
    if (result == QAReporterLoader::Canceled)
        return 0;
    QAReporterData counted;
    counted.fileName = record.fileName;
    QAReporterReadContext context;
    context.totalsOnly = true;
    QString countedReason;
    if (QAReporterLoader::readRecord(counted, context, &countedReason) != result || countedReason != reason)
        FuzzSupport::fail("a totals-only read judged the report differently");
    if (counted.passed != record.passed || counted.failed != record.failed
        || counted.inconclusive != record.inconclusive || counted.types != record.types)
        FuzzSupport::fail("a totals-only read counted differently");
    return 0;
}
