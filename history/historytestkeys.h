#pragma once

#include "history/historykeyindex.h"
#include "history/historyresult.h"

#include <QList>
#include <QString>

// The distinct tests of a run, found by their key (document and path). Each key is hashed once
// with keyHash(), the hash the store keeps beside each test; strings are compared only when two
// hashes meet. A store looks up every test it already holds here by that hash alone, in one
// pass over the (id, hash) pairs of its tests table.
class HistoryTestKeys
{
public:
    // One entry per key, in the order keys first appear; of several results of one key the
    // last is kept. `results` must outlive this object.
    explicit HistoryTestKeys(const QList<HistoryResult> &results);

    const QList<const HistoryResult *> &results() const { return m_results; }
    qsizetype size() const { return m_results.size(); }
    // keyHash() of each entry of results(), in the same order.
    const QList<qint64> &hashes() const { return m_hashes; }
    // Whether two different keys of these results share one hash (and so cannot be stored).
    bool hasCollision() const { return m_collision; }

    // The index in results() of the test with this key hash, or -1.
    qsizetype indexOf(qint64 hash) const { return qsizetype(m_index.value(hash, -1)); }

    // A 64-bit hash of a test's key, the same on every machine and every run of every program
    // (the store keeps it), unlike qHash, whose value depends on the processor and on Qt.
    static qint64 keyHash(const QString &document, const QString &path);

private:
    QList<const HistoryResult *> m_results;
    QList<qint64> m_hashes;
    HistoryKeyIndex m_index;
    bool m_collision = false;
};
