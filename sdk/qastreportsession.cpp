#include "sdk/qastreportsession.h"

QAStReportSession::~QAStReportSession() = default;

QList<QAStTestResult> QAStReportSession::testResults() const
{
    return {};
}
