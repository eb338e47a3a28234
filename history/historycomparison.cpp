#include "history/historycomparison.h"

#include <QHash>

HistoryComparison HistoryComparison::compare(const QList<HistoryResult> &oldResults,
                                             const QList<HistoryResult> &newResults)
{
    using Verdict = HistoryResult::Verdict;
    QHash<QString, Verdict> before;
    before.reserve(oldResults.size());
    for (const HistoryResult &result : oldResults)
        before.insert(result.key(), result.verdict);

    HistoryComparison sections;
    QSet<QString> seen;
    seen.reserve(newResults.size());
    for (const HistoryResult &result : newResults) {
        const QString key = result.key();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        const auto old = before.constFind(key);
        const bool failsNow = result.verdict == Verdict::Ko;
        if (old == before.constEnd())
            (failsNow ? sections.newFailures : sections.added).append(key);
        else if (*old == Verdict::Ko && failsNow)
            sections.stillFailing.append(key);
        else if (failsNow)
            sections.newFailures.append(key);
        else if (*old == Verdict::Ko && result.verdict == Verdict::Ok)
            sections.fixed.append(key);
    }
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if (!seen.contains(it.key()))
            sections.removed.append(it.key());
    }
    for (QStringList *section : {&sections.newFailures, &sections.fixed, &sections.stillFailing,
                                 &sections.added, &sections.removed})
        section->sort();
    return sections;
}
