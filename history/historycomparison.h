#pragma once

#include "history/historyrun.h"

#include <QStringList>

#include <utility>

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

    // One run's tests as a comparison reads them: each key with its verdict, sorted by key
    // (equal keys in the order given). Sorting is most of a comparison's work: a caller that
    // reads two runs on two threads sorts each on its own.
    using Sorted = QList<std::pair<QString, HistoryResult::Verdict>>;
    static Sorted sorted(const QList<HistoryResult> &results);
    // The comparison of two sorted runs, in one pass over both. Of a key given twice, the old
    // run's last result and the new run's first one count.
    static HistoryComparison compare(const Sorted &oldResults, const Sorted &newResults);
    static HistoryComparison compare(const HistoryRun &oldRun, const HistoryRun &newRun)
    {
        return compare(oldRun.results, newRun.results);
    }
};
