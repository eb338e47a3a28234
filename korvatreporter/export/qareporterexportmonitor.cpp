#include "korvatreporter/export/qareporterexportmonitor.h"

#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"

QAReporterExportMonitor::QAReporterExportMonitor(QAIProgressMonitor* progress, QAILogMonitor* log)
    : m_progress(progress), m_log(log)
{
}

bool QAReporterExportMonitor::isCanceled() const
{
    return m_progress && m_progress->isCanceled();
}

void QAReporterExportMonitor::message(const QString& text)
{
    if (m_log)
        m_log->message(text);
}
