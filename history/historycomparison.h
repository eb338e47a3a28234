#pragma once

#include "history/historyrun.h"

#include <QStringList>
#include <QStringView>

#include <array>
#include <vector>

// What changed between two runs, by test key, each section sorted:
// - newFailures: fail now and did not fail before (passed, inconclusive or did not exist);
// - fixed: failed before and pass now;
// - stillFailing: failed before and fail now;
// - added: exist only in the new run and do not fail there;
// - removed: exist only in the old run.
// The sections are disjoint; a CI gate looks at newFailures alone.
struct HistoryComparison
{
    QStringList newFailures;
    QStringList fixed;
    QStringList stillFailing;
    QStringList added;
    QStringList removed;

    static HistoryComparison compare(const QList<HistoryResult> &oldResults,
                                     const QList<HistoryResult> &newResults);

    // One test as a comparison reads it: views of its document and path (whose strings must
    // outlive it) and its verdict. Its key "document/path" is never built: keys are ordered
    // piece by piece, and only the printed ones are written out.
    struct Entry
    {
        QStringView document;
        QStringView path;
        HistoryResult::Verdict verdict = HistoryResult::Verdict::Ok;
        // The position given, so that equal keys keep their order through an unstable sort.
        qsizetype order = 0;

        QString key() const;
    };
    using Sorted = std::vector<Entry>;
    // Orders two entries' keys as the strings "document/path" (the path alone without a
    // document) compare: negative, zero or positive.
    static int compareKeys(const Entry &a, const Entry &b);
    // Sorts `entries` by key, equal keys in the order of their `order`. Sorting is most of a
    // comparison's work: a caller that reads two runs on two threads sorts each on its own.
    static void sort(Sorted &entries);
    // One run's tests as sorted entries viewing `results`, which must outlive them.
    static Sorted sorted(const QList<HistoryResult> &results);

    // The sections' entries in the order newFailures, fixed, stillFailing, added, removed,
    // each in key order, made in one pass over two sorted runs. Of a key given twice, the
    // old run's last result and the new run's first one count.
    using Sections = std::array<std::vector<const Entry *>, 5>;
    static Sections sections(const Sorted &oldResults, const Sorted &newResults);
    // The same with each section's keys as text.
    static HistoryComparison compare(const Sorted &oldResults, const Sorted &newResults);
    static HistoryComparison compare(const HistoryRun &oldRun, const HistoryRun &newRun)
    {
        return compare(oldRun.results, newRun.results);
    }
};
