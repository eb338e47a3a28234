#pragma once

#include "rendoc/html/dlogmonitor.h"
#include "rendoc/model/dprogressmonitor.h"

class QAILogMonitor;
class QAIProgressMonitor;

// Hands the host's progress and log monitors to the document library, whose exporter knows
// only its own monitor interfaces. Neither monitor is owned; either may be null.
class QAReporterExportMonitor : public DProgressMonitor, public DLogMonitor
{
public:
    QAReporterExportMonitor(QAIProgressMonitor* progress, QAILogMonitor* log);

    bool isCanceled() const override;
    void message(const QString& text) override;

private:
    QAIProgressMonitor* m_progress;
    QAILogMonitor* m_log;
};
