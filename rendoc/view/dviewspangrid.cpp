#include "rendoc/view/dviewspangrid.h"

#include <algorithm>

DViewSpanGrid::DViewSpanGrid(int rows)
    : m_rows(std::max(0, rows))
{
}

void DViewSpanGrid::startRow()
{
    ++m_row;
    m_column = 0;
}

int DViewSpanGrid::place(int hspan, int vspan)
{
    const int covered = 1 + std::clamp(hspan, 0, MaxColumns);
    const int below = std::clamp(vspan, 0, std::max(0, m_rows - m_row - 1));
    while (size_t(m_column) < m_coveredUntil.size() && m_coveredUntil[size_t(m_column)] > m_row)
        ++m_column;
    const int start = std::min(m_column, MaxColumns);
    const int end = std::min(start + covered, MaxColumns);
    if (below > 0) {
        m_hasVSpan = true;
        if (m_coveredUntil.size() < size_t(end))
            m_coveredUntil.resize(size_t(end), 0);
        const int until = m_row + 1 + below;
        for (int c = start; c < end; ++c)
            m_coveredUntil[size_t(c)] = std::max(m_coveredUntil[size_t(c)], until);
    }
    m_column = end;
    m_columns = std::max(m_columns, m_column);
    return start;
}
