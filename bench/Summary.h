#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kemuyi::bench {

// A benchmark's aggregates over its repetitions, as the benchmark library computed them: for
// each statistic ("mean", "median", "p90" …) the value of every counter.
class Aggregates
{
public:
    void add(const std::string &statistic, const benchmark::UserCounters &counters);
    double value(const std::string &statistic, const std::string &counter) const;
    double median(const std::string &counter) const { return value("median", counter); }

private:
    std::map<std::string, std::map<std::string, double>> m_values;
};

// Repeats a benchmark and shows only the library's aggregates over the repetitions, with the
// 90th percentile beside its mean, median and deviation. Each repetition is one sample, so a
// scheduler hiccup on a shared machine moves the mean but not the median we judge by.
benchmark::internal::Benchmark *repeated(benchmark::internal::Benchmark *benchmark, int repetitions);

// Runs `summarise` with the aggregates of the benchmark `name` (as registered, with its argument:
// "BankStore/SelectQuestion/2300") once its repetitions are done.
void whenAggregated(const std::string &name, std::function<void(const Aggregates &)> summarise);

// The library's console report, which also hands every benchmark's aggregates to the summaries
// asked for with whenAggregated.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
};

// The figures judged against their targets, printed as one table after every benchmark ran.
void record(const std::string &measure, double value, const std::string &unit,
            std::optional<double> atMost = std::nullopt);

// A figure's cause or caveat, printed under the table.
void note(const std::string &measure, const std::string &text);

// Prints the table; returns how many measures missed their target.
int printSummary(int failuresReported);

} // namespace kemuyi::bench
