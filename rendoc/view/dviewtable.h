#pragma once

#include <QVector>
#include <vector>

class DTable;

// What the rows of one table share: column count and fractions, border, and (only for tables
// that use vertical spans) the first column of every cell of every row.
struct DViewTable
{
    DTable* table = nullptr;
    int firstBlock = 0; // the block of its first row; its rows' blocks follow in order
    int columns = 1;
    int border = 0;
    QVector<float> widths;                   // normalised, one per column
    std::vector<std::vector<int>> cellStarts; // per row; empty when no cell spans rows
    // Per column, the room the longest word of the first row's cell needs (insets included),
    // so that headings never break inside a word; measured once, when a row is first laid out.
    mutable std::vector<double> minWidths;
    mutable bool minWidthsKnown = false;
};
