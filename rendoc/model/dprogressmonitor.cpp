#include "rendoc/model/dprogressmonitor.h"

DProgressMonitor::~DProgressMonitor() = default;
