#include "history/historytestkeys.h"

HistoryTestKeys::HistoryTestKeys(const QList<HistoryResult> &results)
{
    m_results.reserve(results.size());
    m_index.reserve(results.size());
    for (const HistoryResult &result : results) {
        const Key key{&result.document, &result.path, hashOf(result.document, result.path)};
        const auto found = m_index.constFind(key);
        if (found != m_index.constEnd()) {
            m_results[*found] = &result;
            continue;
        }
        m_index.insert(key, m_results.size());
        m_results.append(&result);
    }
}

qsizetype HistoryTestKeys::indexOf(const QString &document, const QString &path) const
{
    return m_index.value(Key{&document, &path, hashOf(document, path)}, -1);
}

size_t HistoryTestKeys::hashOf(const QString &document, const QString &path)
{
    // The document's hash seeds the path's, so that swapping the two parts changes the key.
    return qHash(path, qHash(document, 0));
}
