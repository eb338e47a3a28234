#include "history/historycomparison.h"

#include "history/historytestkeys.h"

#include <future>

HistoryComparison HistoryComparison::compare(const QList<HistoryResult> &oldResults,
                                             const QList<HistoryResult> &newResults)
{
    using Verdict = HistoryResult::Verdict;
    // Tests are matched by a hash of their key; the key text is built only for what is listed.
    // Of a key given twice, the old run's last result and the new run's first one count.
    const HistoryTestKeys before(oldResults);
    const HistoryTestKeys after(newResults, HistoryTestKeys::Keep::First);
    QList<bool> matched(before.size(), false);

    HistoryComparison sections;
    for (const HistoryResult *result : after.results()) {
        const qsizetype index = before.indexOf(result->document, result->path);
        const bool failsNow = result->verdict == Verdict::Ko;
        if (index < 0) {
            (failsNow ? sections.newFailures : sections.added).append(result->key());
            continue;
        }
        matched[index] = true;
        const Verdict old = before.results().at(index)->verdict;
        if (old == Verdict::Ko && failsNow)
            sections.stillFailing.append(result->key());
        else if (failsNow)
            sections.newFailures.append(result->key());
        else if (old == Verdict::Ko && result->verdict == Verdict::Ok)
            sections.fixed.append(result->key());
    }
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (!matched.at(i))
            sections.removed.append(before.results().at(i)->key());
    }
    // The two longest sections of a large comparison are usually added and removed: one of
    // them is sorted on another thread.
    std::future<void> removed = std::async(std::launch::async, [&sections]() { sections.removed.sort(); });
    for (QStringList *section : {&sections.newFailures, &sections.fixed, &sections.stillFailing, &sections.added})
        section->sort();
    removed.get();
    return sections;
}
