// An XRD report read through the real loader: regular-file check, guarded
// reader, node tree, document and totals.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QAReporterData record;
    QString reason;
    if (FuzzSupport::readInput(data, size, QStringLiteral(".xrd"), record, &reason)
            == QAReporterLoader::Unreadable
        && reason.isEmpty())
        FuzzSupport::fail("a refused report came without a reason");
    return 0;
}
