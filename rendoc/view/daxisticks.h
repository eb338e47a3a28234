#pragma once

#include <vector>

// The scale of one graph axis: a range that is never empty, the position of a value on it and
// the values that get a tick and a label. Works for any finite bounds, however large or close
// together: spans are computed from halves so that they cannot overflow, tick values are
// first + i * step (a step too small to change a large value cannot stall a loop), and there
// are never more than MaxTicks of them.
class DAxisTicks
{
public:
    static constexpr int MaxTicks = 50;

    // Widens [min, max] around a single value (or a range too narrow to tell its ends apart)
    // so that it has a length; bounds stay finite. Both bounds must be finite.
    static void widen(double& min, double& max);
    // Where `value` lies on [min, max]: 0 at min, 1 at max.
    static double fraction(double value, double min, double max);
    // About `count` intervals of 1, 2 or 5 times a power of ten over [min, max], at most
    // MaxTicks values, ascending; empty when a bound is not finite.
    static std::vector<double> values(double min, double max, int count);
};
