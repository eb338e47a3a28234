#include "history/historytestkeys.h"

namespace {

constexpr quint64 Multiplier = 0x9e3779b97f4a7c15ULL;

// The final mix of SplitMix64: every input bit reaches every output bit.
quint64 avalanche(quint64 h)
{
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ULL;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

quint64 rotate(quint64 h, int bits)
{
    return (h << bits) | (h >> (64 - bits));
}

// Folds `text` into `h`, four UTF-16 units a step, built value by value so that the result does
// not depend on the machine's byte order; the length closes it, so that "ab" + "c" and "a" +
// "bc" differ.
quint64 fold(quint64 h, const QString &text)
{
    const QChar *units = text.constData();
    const qsizetype size = text.size();
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        const quint64 word = quint64(units[i].unicode()) | quint64(units[i + 1].unicode()) << 16
                             | quint64(units[i + 2].unicode()) << 32 | quint64(units[i + 3].unicode()) << 48;
        h = rotate(h ^ (word * Multiplier), 29) * 0xbf58476d1ce4e5b9ULL;
    }
    quint64 tail = 0;
    for (int shift = 0; i < size; ++i, shift += 16)
        tail |= quint64(units[i].unicode()) << shift;
    h = rotate(h ^ (tail * Multiplier), 29) * 0xbf58476d1ce4e5b9ULL;
    return avalanche(h ^ quint64(size));
}

} // namespace

HistoryTestKeys::HistoryTestKeys(const QList<HistoryResult> &results)
{
    m_results.reserve(results.size());
    m_hashes.reserve(results.size());
    m_index.reserve(results.size());
    for (const HistoryResult &result : results) {
        const qint64 hash = keyHash(result.document, result.path);
        const qsizetype index = qsizetype(m_index.findOrInsert(hash, m_results.size()));
        if (index == m_results.size()) {
            m_results.append(&result);
            m_hashes.append(hash);
            continue;
        }
        const HistoryResult *other = m_results.at(index);
        if (other->document == result.document && other->path == result.path)
            m_results[index] = &result;
        else
            m_collision = true;
    }
}

qint64 HistoryTestKeys::keyHash(const QString &document, const QString &path)
{
    // The document is folded first, so that swapping the two parts changes the key.
    return qint64(fold(fold(0x6b6f72766174ULL, document), path));
}
