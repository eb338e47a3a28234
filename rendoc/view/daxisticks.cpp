#include "rendoc/view/daxisticks.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

void DAxisTicks::widen(double& min, double& max)
{
    if (min > max)
        std::swap(min, max);
    if (min < max)
        return;
    const double centre = min / 2 + max / 2;
    const double pad = std::max(1.0, std::abs(centre) * 1e-3);
    min = centre - pad;
    max = centre + pad;
    if (!std::isfinite(min))
        min = -DBL_MAX;
    if (!std::isfinite(max))
        max = DBL_MAX;
}

double DAxisTicks::fraction(double value, double min, double max)
{
    const double half = max / 2 - min / 2;
    if (!(half > 0))
        return 0.5;
    return (value / 2 - min / 2) / half;
}

std::vector<double> DAxisTicks::values(double min, double max, int count)
{
    std::vector<double> result;
    if (!std::isfinite(min) || !std::isfinite(max))
        return result;
    if (min > max)
        std::swap(min, max);
    const double half = max / 2 - min / 2;
    const double raw = half / std::max(1, count) * 2;
    if (!(raw > 0) || !std::isfinite(raw)) {
        result.push_back(min);
        return result;
    }
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double scaled = raw / power;
    const double nice = scaled < 1.5 ? 1 : scaled < 3.5 ? 2 : scaled < 7.5 ? 5 : 10;
    const double step = nice * power;
    if (!(step > 0) || !std::isfinite(step)) {
        result = {min, max};
        return result;
    }
    const double first = std::ceil(min / step - 1e-9) * step;
    const double last = max + step * 1e-6;
    for (int i = 0; i < MaxTicks; ++i) {
        const double v = first + i * step;
        if (!std::isfinite(v) || v > last)
            break;
        // Beyond the precision of the values neighbouring ticks collapse into one.
        if (!result.empty() && !(v > result.back()))
            break;
        result.push_back(v);
    }
    if (result.empty())
        result.push_back(min);
    return result;
}
