#include "sdk/qailogmonitor.h"

QAILogMonitor::~QAILogMonitor() = default;
