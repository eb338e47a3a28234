#pragma once

#include "history/historyrun.h"

#include <QStringList>

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
    static HistoryComparison compare(const HistoryRun &oldRun, const HistoryRun &newRun)
    {
        return compare(oldRun.results, newRun.results);
    }
};
