#include "korvatreporter/data/qareporterdata.h"

QAReporterData::QAReporterData()
    : fileName(QLatin1String(""))
{
}

QAReporterData::~QAReporterData() = default;

QList<DDocument *> QAReporterData::documents() const
{
    QList<DDocument *> list;
    for (DItem *item = document; item; item = item->next()) {
        if (DDocument *chained = item->toDocument())
            list.append(chained);
    }
    return list;
}
