#pragma once

#include <QtGlobal>

// Verdict totals over every file a viewer holds, in 64 bits; a total may be
// negative. `inconclusive` is -1 when no inconclusive verdict was counted.
struct QAStResultTotals
{
    qint64 passed = 0;
    qint64 failed = 0;
    qint64 inconclusive = -1;
};
