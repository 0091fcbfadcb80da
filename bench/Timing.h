#pragma once
// Timing for the benchmark commands. The machine may be shared, so a figure is never one measurement:
// each round times the operation and its reference one right after the other (both under the same
// load), and the figures printed are the medians over the rounds, the ratio being the median of the
// rounds' ratios.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// Keeps a result from being optimized away.
inline void Keep(double value)
{
    static volatile double sink = 0;
    sink = sink + value;
}

// Seconds per run of operation, run until at least `least` seconds have passed (and at least once).
inline double SecondsPerRun(const std::function<void()>& operation, double least)
{
    using Clock = std::chrono::steady_clock;
    std::size_t runs = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        operation();
        ++runs;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < least);
    return elapsed / double(runs);
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Comparison {
    double seconds = 0;    // the operation's median time per run
    double reference = 0;  // the reference's
    double ratio = 0;      // the median of the rounds' ratios, operation / reference
};

struct Rounds {
    int count = 7;
    double least = 0.1;  // seconds each measurement lasts at least
};

inline Comparison Compare(const std::function<void()>& operation, const std::function<void()>& reference,
                          Rounds rounds = {})
{
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> ratios;
    for (int round = 0; round < rounds.count; ++round) {
        ours.push_back(SecondsPerRun(operation, rounds.least));
        theirs.push_back(SecondsPerRun(reference, rounds.least));
        ratios.push_back(ours.back() / theirs.back());
    }
    return Comparison{Median(ours), Median(theirs), Median(ratios)};
}

// One line: the figure, its reference's and the ratio, times in the unit that suits them.
inline void Print(const char* name, const char* referenceName, const Comparison& figures)
{
    const double larger = std::max(figures.seconds, figures.reference);
    const double scale = larger >= 0.1 ? 1 : larger >= 1e-4 ? 1e3 : 1e6;
    const char* unit = larger >= 0.1 ? "s " : larger >= 1e-4 ? "ms" : "us";
    std::printf("%-44s %10.3f %s | %-40s %10.3f %s | ratio %6.2f\n", name, figures.seconds * scale, unit,
                referenceName, figures.reference * scale, unit, figures.ratio);
}

}  // namespace bench
