#include "korvatreporter/document/qareporterfilteredlist.h"

#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/document/qareporterfilterwriter.h"
#include "rendoc/ddocument.h"
#include "rendoc/dupdater.h"

namespace {

// Makes the filtered record of one source record.
std::unique_ptr<QAReporterData> filteredRecord(const QAReporterData &source,
                                               const QAReporterFilter &filter, DUpdater &updater)
{
    QAReporterFilterWriter writer(&filter);
    writer.run(source.dataTree.data(), source.document);

    auto record = std::make_unique<QAReporterData>();
    record->dataTree = writer.takeNewTree().release();
    std::unique_ptr<DDocument> document = writer.takeDocument();
    // The copies of a file holding several documents are chained to the
    // first one: update them all.
    if (document)
        updater.doItemList(document.get());
    record->document = document.release();
    record->fileName = source.fileName;
    return record;
}

} // namespace

QAReporterFilteredList::QAReporterFilteredList() = default;

QAReporterFilteredList::~QAReporterFilteredList() = default;

void QAReporterFilteredList::setFilter(const QAReporterFilter &filter)
{
    m_filter = filter;
}

void QAReporterFilteredList::clear()
{
    m_records.clear();
}

bool QAReporterFilteredList::buildFilteredReports(const Records &sources)
{
    QList<QAReporterData *> list;
    list.reserve(qsizetype(sources.size()));
    for (const auto &record : sources)
        list.append(record.get());
    return buildFilteredReports(list);
}

bool QAReporterFilteredList::buildFilteredReports(const QList<QAReporterData *> &sources)
{
    DUpdater updater;
    for (const QAReporterData *source : sources) {
        if (source)
            m_records.push_back(filteredRecord(*source, m_filter, updater));
    }
    return true;
}

QAReporterData *QAReporterFilteredList::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return m_records[size_t(index)].get();
}
