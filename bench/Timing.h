#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

namespace kemuyi::bench {

using Clock = std::chrono::steady_clock;

// Seconds one call of `work` takes on the wall clock.
template <typename Work>
double secondsOf(Work &&work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A total summed over the iterations of one repetition, reported per iteration; the benchmark
// library then aggregates it over the repetitions.
inline benchmark::Counter perIteration(double total)
{
    return benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}

} // namespace kemuyi::bench
