#pragma once

#include <vector>

// Places the cells of a table, row by row, on columns, skipping the slots that vertical spans
// from rows above still cover. Spans are bounded by the table's real size: no cell reaches past
// MaxColumns nor past the table's last row, and the column counter saturates there. Each cell
// costs at most the columns it newly covers, and a row at most MaxColumns besides its cells, so
// placing a table is linear in its cells and rows.
class DViewSpanGrid
{
public:
    static constexpr int MaxColumns = 1000;

    explicit DViewSpanGrid(int rows);

    // Moves on to the next row (the first call starts row 0).
    void startRow();
    // Places a cell that covers `hspan` extra columns and `vspan` extra rows; returns the
    // column it starts at (at most MaxColumns).
    int place(int hspan, int vspan);

    // The widest row so far, spans counted, at most MaxColumns.
    int columns() const { return m_columns; }
    // Whether any cell reaches into a later row.
    bool hasVSpan() const { return m_hasVSpan; }

private:
    int m_rows;
    int m_row = -1;
    int m_column = 0;
    int m_columns = 0;
    bool m_hasVSpan = false;
    std::vector<int> m_coveredUntil; // per column: first row no span from above covers
};
