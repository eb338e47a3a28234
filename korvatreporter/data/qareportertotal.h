#pragma once

#include <QtGlobal>
#include <QtNumeric>

#include <limits>

// Adds verdict totals in 64 bits and sticks at the limits instead of
// wrapping: a report may carry "sum" values near the integer limits, and
// the summary shows either the true total or the saturated one.
class QAReporterTotal
{
public:
    static qint64 add(qint64 total, qint64 value)
    {
        qint64 result = 0;
        if (!qAddOverflow(total, value, &result))
            return result;
        return value > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    }
};
