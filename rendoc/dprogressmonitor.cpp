#include "rendoc/dprogressmonitor.h"

DProgressMonitor::~DProgressMonitor() = default;
