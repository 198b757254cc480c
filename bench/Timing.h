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

// Runs `a` and `b` one after the other, `a` first when `aFirst` says so, and turns the order round
// for the next call: whatever the machine does meanwhile falls on both alike.
template <typename A, typename B>
void inTurn(bool &aFirst, A &&a, B &&b)
{
    if (aFirst) {
        a();
        b();
    } else {
        b();
        a();
    }
    aFirst = !aFirst;
}

// A total summed over the iterations of one repetition, reported per iteration; the benchmark
// library then aggregates it over the repetitions.
inline benchmark::Counter perIteration(double total)
{
    return benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}

} // namespace kemuyi::bench
