#include "history/historycomparison.h"

#include <algorithm>
#include <future>

namespace {

enum SectionIndex { NewFailures, Fixed, StillFailing, Added, Removed };

// A key as up to three pieces: document, '/', path; or the path alone.
struct KeyPieces
{
    std::array<QStringView, 3> piece;
    int count;

    explicit KeyPieces(const HistoryComparison::Entry &entry)
    {
        static const char16_t slash = u'/';
        if (entry.document.isEmpty()) {
            piece[0] = entry.path;
            count = 1;
        } else {
            piece = {entry.document, QStringView(&slash, 1), entry.path};
            count = 3;
        }
    }
};

// Compares the concatenations of two keys' pieces, a common stretch at a time.
int compareConcatenated(const KeyPieces &a, const KeyPieces &b)
{
    int i = 0;
    int j = 0;
    QStringView left = a.piece[0];
    QStringView right = b.piece[0];
    for (;;) {
        while (left.isEmpty() && i + 1 < a.count)
            left = a.piece[++i];
        while (right.isEmpty() && j + 1 < b.count)
            right = b.piece[++j];
        if (left.isEmpty() || right.isEmpty())
            return int(!left.isEmpty()) - int(!right.isEmpty());
        const qsizetype common = std::min(left.size(), right.size());
        if (const int order = left.first(common).compare(right.first(common)))
            return order;
        left = left.sliced(common);
        right = right.sliced(common);
    }
}

bool sameText(QStringView a, QStringView b)
{
    return (a.data() == b.data() && a.size() == b.size()) || a == b;
}

} // namespace

QString HistoryComparison::Entry::key() const
{
    return HistoryResult::keyOf(document, path);
}

int HistoryComparison::compareKeys(const Entry &a, const Entry &b)
{
    // The tests of one report share its document: their keys differ by path alone.
    if (sameText(a.document, b.document))
        return a.path.compare(b.path);
    return compareConcatenated(KeyPieces(a), KeyPieces(b));
}

void HistoryComparison::sort(Sorted &entries)
{
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        const int order = compareKeys(a, b);
        return order < 0 || (order == 0 && a.order < b.order);
    });
}

HistoryComparison::Sorted HistoryComparison::sorted(const QList<HistoryResult> &results)
{
    Sorted list;
    list.reserve(size_t(results.size()));
    for (const HistoryResult &result : results)
        list.push_back({result.document, result.path, result.verdict, qsizetype(list.size())});
    sort(list);
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

HistoryComparison::Sections HistoryComparison::sections(const Sorted &oldResults, const Sorted &newResults)
{
    using Verdict = HistoryResult::Verdict;
    const size_t oldSize = oldResults.size();
    const size_t newSize = newResults.size();
    // The end of the group of equal keys starting at `i`.
    const auto groupEnd = [](const Sorted &list, size_t i) {
        size_t end = i + 1;
        while (end < list.size() && compareKeys(list[end], list[i]) == 0)
            ++end;
        return end;
    };
    Sections out;
    size_t i = 0;
    size_t j = 0;
    // Both lists are walked in key order, so each section is filled in key order.
    while (i < oldSize || j < newSize) {
        const int order = i == oldSize ? 1 : j == newSize ? -1 : compareKeys(oldResults[i], newResults[j]);
        if (order < 0) {
            out[Removed].push_back(&oldResults[i]);
            i = groupEnd(oldResults, i);
            continue;
        }
        const Entry &entry = newResults[j];
        const bool failsNow = entry.verdict == Verdict::Ko;
        if (order > 0) {
            out[failsNow ? NewFailures : Added].push_back(&entry);
        } else {
            const size_t oldEnd = groupEnd(oldResults, i);
            const Verdict old = oldResults[oldEnd - 1].verdict;
            if (old == Verdict::Ko && failsNow)
                out[StillFailing].push_back(&entry);
            else if (failsNow)
                out[NewFailures].push_back(&entry);
            else if (old == Verdict::Ko && entry.verdict == Verdict::Ok)
                out[Fixed].push_back(&entry);
            i = oldEnd;
        }
        j = groupEnd(newResults, j);
    }
    return out;
}

HistoryComparison HistoryComparison::compare(const Sorted &oldResults, const Sorted &newResults)
{
    const Sections found = sections(oldResults, newResults);
    HistoryComparison comparison;
    QStringList *const lists[] = {&comparison.newFailures, &comparison.fixed, &comparison.stillFailing,
                                  &comparison.added, &comparison.removed};
    for (size_t s = 0; s < found.size(); ++s) {
        lists[s]->reserve(qsizetype(found[s].size()));
        for (const Entry *entry : found[s])
            lists[s]->append(entry->key());
    }
    return comparison;
}
