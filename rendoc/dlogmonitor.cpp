#include "rendoc/dlogmonitor.h"

DLogMonitor::~DLogMonitor() = default;
