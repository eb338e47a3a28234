#include "history/historycomparison.h"

#include <algorithm>
#include <future>

HistoryComparison::Sorted HistoryComparison::sorted(const QList<HistoryResult> &results)
{
    Sorted list;
    list.reserve(results.size());
    for (const HistoryResult &result : results)
        list.append({result.key(), result.verdict});
    std::stable_sort(list.begin(), list.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return list;
}

HistoryComparison HistoryComparison::compare(const QList<HistoryResult> &oldResults,
                                             const QList<HistoryResult> &newResults)
{
    // The old run is sorted on a second thread while this one sorts the new run.
    std::future<Sorted> before = std::async(std::launch::async, [&oldResults]() { return sorted(oldResults); });
    const Sorted after = sorted(newResults);
    return compare(before.get(), after);
}

HistoryComparison HistoryComparison::compare(const Sorted &oldResults, const Sorted &newResults)
{
    using Verdict = HistoryResult::Verdict;
    // The end of the group of equal keys starting at `i`.
    const auto groupEnd = [](const Sorted &list, qsizetype i) {
        qsizetype end = i + 1;
        while (end < list.size() && list.at(end).first == list.at(i).first)
            ++end;
        return end;
    };
    HistoryComparison sections;
    qsizetype i = 0;
    qsizetype j = 0;
    // Both lists are walked in key order, so each section is filled in key order.
    while (i < oldResults.size() || j < newResults.size()) {
        const bool oldOnly = j == newResults.size()
                             || (i < oldResults.size() && oldResults.at(i).first < newResults.at(j).first);
        const bool newOnly = !oldOnly
                             && (i == oldResults.size() || newResults.at(j).first < oldResults.at(i).first);
        if (oldOnly) {
            sections.removed.append(oldResults.at(i).first);
            i = groupEnd(oldResults, i);
            continue;
        }
        const auto &[key, verdict] = newResults.at(j);
        const bool failsNow = verdict == Verdict::Ko;
        if (newOnly) {
            (failsNow ? sections.newFailures : sections.added).append(key);
        } else {
            const qsizetype oldEnd = groupEnd(oldResults, i);
            const Verdict old = oldResults.at(oldEnd - 1).second;
            if (old == Verdict::Ko && failsNow)
                sections.stillFailing.append(key);
            else if (failsNow)
                sections.newFailures.append(key);
            else if (old == Verdict::Ko && verdict == Verdict::Ok)
                sections.fixed.append(key);
            i = oldEnd;
        }
        j = groupEnd(newResults, j);
    }
    return sections;
}
