// A GoogleTest JSON results file (or anything else) read through the real loader: the format is
// chosen by content, so the choice is fuzzed along with the reader, the
// shared results builder and the totals.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QAReporterData record;
    QString reason;
    const QAReporterLoader::ReadResult result =
        FuzzSupport::readInput(data, size, QStringLiteral(".json"), record, &reason);
    if (result == QAReporterLoader::Unreadable && reason.isEmpty())
        FuzzSupport::fail("a refused file came without a reason");
    if (result == QAReporterLoader::Read
        && (record.failed < 0 || record.passed < 0 || record.inconclusive < -1))
        FuzzSupport::fail("negative totals");
    return 0;
}
