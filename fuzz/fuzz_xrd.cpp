// An XRD report read through the real loader: regular-file check, guarded
// reader, node tree, document and totals; then read again for its totals
// only, for its tests only and for its tree only, which must refuse or
// accept it alike and count the same; the tests-only read must list the
// tests the session finds in the full read's tree, and the tree-only read
// must build the same tree (an input of another format is read in full
// every time). The full read parses on a thread of its own, the others event
// by event on the calling thread, so the two ways are held to the same result.
#include "fuzz/fuzzsupport.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/session/qareportleaftests.h"
#include "rendoc/aml/damlexpatsource.h"

#include <QByteArray>

#include <cmath>

namespace {

// The same test, but for what only a full read has: its document's name and the message.
bool sameTest(const QAStTestResult& a, const QAStTestResult& b)
{
    const bool sameSeconds = a.seconds == b.seconds || (std::isnan(a.seconds) && std::isnan(b.seconds));
    return a.path == b.path && a.verdict == b.verdict && a.passedAfterRetry == b.passedAfterRetry
           && a.suite == b.suite && a.name == b.name && sameSeconds;
}

void compareTestsOnly(const QAReporterData& record, QAReporterLoader::ReadResult result, const QString& reason)
{
    QAReporterData listed;
    QAReporterReadContext context;
    context.testsOnly = true;
    FuzzSupport::rereadAlike(listed, record, context, result, reason, "a tests-only");
    if (result != QAReporterLoader::Read || !listed.testsListed)
        return; // another format: read in full
    QList<QAStTestResult> tests;
    QAReportLeafTests::append(record, true, &tests);
    if (tests.size() != listed.tests.size())
        FuzzSupport::fail("a tests-only read found another number of tests");
    bool failedCase = false;
    for (qsizetype i = 0; i < tests.size(); ++i) {
        if (!sameTest(tests.at(i), listed.tests.at(i)))
            FuzzSupport::fail("a tests-only read listed another test");
        failedCase = failedCase || (!tests.at(i).name.isNull() && tests.at(i).verdict != QAStTestResult::Passed);
    }
    if (failedCase != listed.hasFailedCase)
        FuzzSupport::fail("a tests-only read missed a failed case");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QAReporterData record;
    QString reason;
    DAmlExpatSource::setThreadThreshold(0);
    const QAReporterLoader::ReadResult result =
        FuzzSupport::readInput(data, size, QStringLiteral(".xrd"), record, &reason);
    DAmlExpatSource::setThreadThreshold(-1);
    if (result == QAReporterLoader::Unreadable && reason.isEmpty())
        FuzzSupport::fail("a refused report came without a reason");
    if (result == QAReporterLoader::Canceled)
        return 0;
    FuzzSupport::checkTotalsOnly(record, result, reason);
    compareTestsOnly(record, result, reason);
    FuzzSupport::checkTreeOnly(record, result, reason);
    return 0;
}
