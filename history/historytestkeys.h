#pragma once

#include "history/historyresult.h"

#include <QHash>
#include <QList>
#include <QString>

// The distinct tests of a run, found by their key (document and path). Each key is hashed once;
// strings are compared only when two hashes meet. A store looks up every test it already holds
// here in one pass over its tests table, instead of building a map of that table.
class HistoryTestKeys
{
public:
    // One entry per key, in the order keys first appear; of several results of one key the
    // last is kept. `results` must outlive this object.
    explicit HistoryTestKeys(const QList<HistoryResult> &results);

    const QList<const HistoryResult *> &results() const { return m_results; }
    qsizetype size() const { return m_results.size(); }

    // The index in results() of the test with this key, or -1. A null and an empty string match.
    qsizetype indexOf(const QString &document, const QString &path) const;

private:
    // Points into the results; the hash is that of both strings.
    struct Key
    {
        const QString *document;
        const QString *path;
        size_t hash;
        bool operator==(const Key &other) const
        {
            return hash == other.hash && *document == *other.document && *path == *other.path;
        }
    };
    friend size_t qHash(const Key &key, size_t) { return key.hash; }
    static size_t hashOf(const QString &document, const QString &path);

    QList<const HistoryResult *> m_results;
    QHash<Key, qsizetype> m_index;
};
