#include "rendoc/view/dviewfenwick.h"

void DViewFenwick::reset(const std::vector<int>& values)
{
    m_values.clear();
    for (const int value : values)
        m_values.push_back(value);
    const size_t n = values.size();
    m_tree.assign(n + 1, 0);
    m_total = 0;
    for (size_t i = 1; i <= n; ++i) {
        m_tree[i] += values[i - 1];
        m_total += values[i - 1];
        const size_t parent = i + (i & (~i + 1));
        if (parent <= n)
            m_tree[parent] += m_tree[i];
    }
    m_topBit = 1;
    while (size_t(m_topBit) * 2 <= n)
        m_topBit *= 2;
}

void DViewFenwick::append(int value)
{
    if (m_tree.empty())
        m_tree.push_back(0);
    m_values.push_back(value);
    // Entry i (from 1) sums the values in (i - lowbit(i), i]: the new value and the ones
    // before it in that range.
    const size_t i = m_values.size();
    const size_t low = i & (~i + 1);
    m_tree.push_back(value + prefix(int(i - 1)) - prefix(int(i - low)));
    m_total += value;
    while (size_t(m_topBit) * 2 <= i)
        m_topBit *= 2;
}

void DViewFenwick::set(int index, int value)
{
    const int old = m_values[size_t(index)];
    if (old == value)
        return;
    m_values[size_t(index)] = value;
    add(index, qint64(value) - old);
}

void DViewFenwick::add(int index, qint64 delta)
{
    m_total += delta;
    for (size_t i = size_t(index) + 1; i < m_tree.size(); i += i & (~i + 1))
        m_tree[i] += delta;
}

qint64 DViewFenwick::prefix(int index) const
{
    qint64 sum = 0;
    for (size_t i = size_t(index); i > 0; i -= i & (~i + 1))
        sum += m_tree[i];
    return sum;
}

int DViewFenwick::find(qint64 y) const
{
    if (m_values.empty())
        return -1;
    // Largest count of leading entries whose sum stays <= y: that count is the index of the
    // entry holding y.
    size_t pos = 0;
    qint64 remaining = y;
    for (size_t step = size_t(m_topBit); step > 0; step /= 2) {
        const size_t next = pos + step;
        if (next < m_tree.size() && m_tree[next] <= remaining) {
            pos = next;
            remaining -= m_tree[next];
        }
    }
    return int(qMin(pos, m_values.size() - 1));
}
