#include "sdk/qastreportsession.h"

QAStReportSession::~QAStReportSession() = default;

void QAStReportSession::setTotalsOnly(bool totalsOnly)
{
    Q_UNUSED(totalsOnly);
}

QList<QAStTestResult> QAStReportSession::testResults() const
{
    return {};
}

QList<QAStFileResults> QAStReportSession::fileResults() const
{
    return {};
}

bool QAStReportSession::recognises(const QString& file) const
{
    Q_UNUSED(file);
    return true;
}
