#include "korvatreporter/data/qareporterdata.h"

#include "rendoc/ddocument.h"

QAReporterData::QAReporterData()
    : fileName(QLatin1String(""))
{
}

QAReporterData::~QAReporterData()
{
    delete dataTree.data();
    delete document;
}
