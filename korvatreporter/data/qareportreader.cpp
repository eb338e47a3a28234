#include "korvatreporter/data/qareportreader.h"

QAReportReader::~QAReportReader() = default;
