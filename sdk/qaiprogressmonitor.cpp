#include "sdk/qaiprogressmonitor.h"

QAIProgressMonitor::~QAIProgressMonitor() = default;
