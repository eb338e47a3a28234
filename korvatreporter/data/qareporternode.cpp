#include "korvatreporter/data/qareporternode.h"

QAReporterNode::~QAReporterNode() = default;
