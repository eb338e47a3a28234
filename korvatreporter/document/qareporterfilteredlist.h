#pragma once

#include "korvatreporter/document/qareporterfilter.h"

#include <QList>

#include <memory>
#include <vector>

class QAReporterData;

// The shown copies of a window's reports: a copy of the window's filter and
// one filtered record per loaded record, each with its own node tree and
// document (built by QAReporterFilterWriter). The list owns its records;
// clearing it frees them with their trees and documents.
//
// A filtered record carries the source's fileName, the new tree and the new
// document; its totals and types keep their initial values, since the
// summary header always counts the full records.
class QAReporterFilteredList
{
public:
    using Records = std::vector<std::unique_ptr<QAReporterData>>;

    QAReporterFilteredList();
    ~QAReporterFilteredList();
    QAReporterFilteredList(const QAReporterFilteredList &) = delete;
    QAReporterFilteredList &operator=(const QAReporterFilteredList &) = delete;

    // Keeps a copy of `filter`, replacing the previous one. Until the first
    // call the list uses a filter without any criterion.
    void setFilter(const QAReporterFilter &filter);
    const QAReporterFilter &filter() const { return m_filter; }

    // Frees every filtered record.
    void clear();

    // Appends one filtered record per source record, in source order, and
    // runs one update pass over each new document. Source records are only
    // read. Returns true.
    bool buildFilteredReports(const Records &sources);
    bool buildFilteredReports(const QList<QAReporterData *> &sources);

    const Records &records() const { return m_records; }
    int count() const { return int(m_records.size()); }
    // The record at index, or null out of range.
    QAReporterData *at(int index) const;

private:
    QAReporterFilter m_filter;
    Records m_records;
};
