#include "rendoc/html/dlogmonitor.h"

DLogMonitor::~DLogMonitor() = default;
