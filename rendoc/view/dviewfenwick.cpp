#include "rendoc/view/dviewfenwick.h"

namespace {

std::size_t lowBit(std::size_t i)
{
    return i & (~i + 1);
}

} // namespace

void DViewFenwick::reset(const std::vector<int>& values)
{
    const size_t n = values.size();
    m_tree.assign(n + 1, 0);
    m_total = 0;
    for (size_t i = 1; i <= n; ++i) {
        m_tree[i] += values[i - 1];
        m_total += values[i - 1];
        const size_t parent = i + lowBit(i);
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
    // Entry i (from 1) sums the values in (i - lowbit(i), i]: the new value and the ones
    // before it in that range.
    const size_t i = m_tree.size();
    m_tree.push_back(value + prefix(int(i - 1)) - prefix(int(i - lowBit(i))));
    m_total += value;
    while (size_t(m_topBit) * 2 <= i)
        m_topBit *= 2;
}

int DViewFenwick::value(int index) const
{
    // Entry index + 1 sums the values in (index + 1 - lowbit, index + 1]; taking away the
    // entries that sum (index + 1 - lowbit, index] leaves the value itself.
    const size_t i = size_t(index) + 1;
    qint64 sum = m_tree[i];
    const size_t stop = i - lowBit(i);
    for (size_t j = i - 1; j > stop; j -= lowBit(j))
        sum -= m_tree[j];
    return int(sum);
}

void DViewFenwick::set(int index, int value)
{
    const int old = this->value(index);
    if (old == value)
        return;
    add(index, qint64(value) - old);
}

void DViewFenwick::add(int index, qint64 delta)
{
    m_total += delta;
    for (size_t i = size_t(index) + 1; i < m_tree.size(); i += lowBit(i))
        m_tree[i] += delta;
}

qint64 DViewFenwick::prefix(int index) const
{
    qint64 sum = 0;
    for (size_t i = size_t(index); i > 0; i -= lowBit(i))
        sum += m_tree[i];
    return sum;
}

int DViewFenwick::find(qint64 y) const
{
    if (m_tree.size() <= 1)
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
    return int(qMin(pos, m_tree.size() - 2));
}
