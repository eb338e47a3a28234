#pragma once

#include "rendoc/view/dviewchunkedarray.h"

#include <QtGlobal>
#include <vector>

// Prefix sums over block heights (a Fenwick tree): a height change, the top of a block and the
// block at a given y all cost O(log n), so refining estimated heights stays cheap however many
// blocks the view holds. The sums grow by chunks: appending to a long list never copies it.
class DViewFenwick
{
public:
    void reset(const std::vector<int>& values);
    int size() const { return m_tree.empty() ? 0 : int(m_tree.size() - 1); }
    // Read back from the sums (O(log n)) rather than kept twice.
    int value(int index) const;
    void set(int index, int value);
    // Adds a value after the last one.
    void append(int value);
    // Sum of the values before index.
    qint64 prefix(int index) const;
    qint64 total() const { return m_total; }
    // The index whose span [prefix(i), prefix(i+1)) holds y; zero-sized entries are skipped.
    // Clamped to the last index; -1 when empty.
    int find(qint64 y) const;

private:
    void add(int index, qint64 delta);

    DViewChunkedArray<qint64> m_tree; // 1-based
    qint64 m_total = 0;
    int m_topBit = 1;
};
