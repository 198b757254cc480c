#pragma once

#include <chrono>
#include <vector>

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

// Per-iteration times, kept so a benchmark can report its median rather than its mean: a single
// scheduler hiccup on a shared two-core machine would otherwise move the figure we judge by.
class Samples
{
public:
    void add(double seconds) { m_values.push_back(seconds); }
    bool empty() const { return m_values.empty(); }
    double median() const { return quantile(0.5); }
    double quantile(double q) const;
    double microsecondsAt(double q) const { return quantile(q) * 1e6; }

private:
    std::vector<double> m_values;
};

} // namespace kemuyi::bench
