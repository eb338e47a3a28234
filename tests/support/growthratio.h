#pragma once

#include <ctime>
#include <functional>

// How the processor time of a step grows from n items to 10 n: about 10 for linear work,
// up to about 13 for n log n, about 100 for quadratic. Each size is timed three times and the
// fastest run counts; processor time, not wall time, so other processes on a shared machine
// change the ratio little. Tests compare the ratio with a generous bound, never the seconds.
class GrowthRatio
{
public:
    // Bound that separates n log n (with noise) from quadratic growth.
    static constexpr double Bound = 35.0;

    static double of(const std::function<void(int)>& step, int n)
    {
        return best(step, 10 * n) / best(step, n);
    }

private:
    static double seconds()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }

    static double best(const std::function<void(int)>& step, int n)
    {
        double fastest = 0;
        for (int run = 0; run < 3; ++run) {
            const double start = seconds();
            step(n);
            const double spent = seconds() - start;
            if (run == 0 || spent < fastest)
                fastest = spent;
        }
        return fastest > 1e-6 ? fastest : 1e-6;
    }
};
