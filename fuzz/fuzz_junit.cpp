// A JUnit results file (or anything else) read through the real loader: the
// format is chosen by the root element, so the choice is fuzzed along with
// the JUnit reader, its document builder and the totals.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QString path = FuzzSupport::writeInput(data, size, QStringLiteral(".xml"));
    if (path.isEmpty())
        return 0;
    QAReporterData record;
    record.fileName = path;
    QString reason;
    const QAReporterLoader::ReadResult result = QAReporterLoader::readRecord(record, &reason);
    if (result == QAReporterLoader::Unreadable && reason.isEmpty())
        FuzzSupport::fail("a refused file came without a reason");
    if (result == QAReporterLoader::Read
        && (record.failed < 0 || record.passed < 0 || record.inconclusive < -1))
        FuzzSupport::fail("negative totals");
    return 0;
}
