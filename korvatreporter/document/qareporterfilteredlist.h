#pragma once

#include "korvatreporter/document/qareporterfilter.h"

#include <QList>

#include <memory>
#include <vector>

class QAReporterData;

// The shown reports of a window: a copy of the window's filter and, per
// loaded record, what the views show of it.
//
// When the filter keeps every node of a record (no criterion set, or none
// that rejects any of its nodes), the record itself is shown: its own node
// tree and documents, completed for showing once (title numbers, summaries,
// tag pointers; the node anchored on a document named after it), exactly as
// a complete copy would be. Otherwise the list holds a filtered copy built
// by QAReporterFilterWriter, with its own tree and document.
//
// The list owns its copies only: clearing it frees them with their trees and
// documents and never touches a shown source record, which belongs to its
// window. A copy carries the source's fileName; its totals and types keep
// their initial values, since the summary header always counts the full
// records.
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

    // Forgets the shown records and frees the copies.
    void clear();

    // Appends, per source record in source order, the record itself when
    // the filter keeps all of it, else a filtered copy. Source records that
    // are shown as they are get their documents completed (once); copies
    // get one update pass. Returns true.
    bool buildFilteredReports(const Records &sources);
    bool buildFilteredReports(const QList<QAReporterData *> &sources);

    // The shown records, in source order: shared source records and copies.
    // Not owned by the caller; a copy lives until the list is cleared or
    // freed, a source record as long as its window keeps it.
    const QList<QAReporterData *> &records() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    // The record at index, or null out of range.
    QAReporterData *at(int index) const;
    // True when the record at index is a source record shown as it is.
    bool isShared(int index) const;

    // True when `filter` keeps every node of `source`, so that a copy would
    // repeat the whole record.
    static bool keepsAll(const QAReporterFilter &filter, const QAReporterData &source);

private:
    QAReporterFilter m_filter;
    QList<QAReporterData *> m_shown;
    Records m_copies;
};
