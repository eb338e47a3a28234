#include "korvatreporter/data/qareporterdata.h"

#include "rendoc/model/ddocument.h"

QAReporterData::QAReporterData()
    : fileName(QLatin1String(""))
{
}

QAReporterData::~QAReporterData()
{
    delete dataTree.data();
    delete document;
}

QList<DDocument *> QAReporterData::documents() const
{
    QList<DDocument *> list;
    for (DItem *item = document; item; item = item->next()) {
        if (DDocument *chained = item->toDocument())
            list.append(chained);
    }
    return list;
}
