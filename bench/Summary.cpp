#include "Summary.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace kemuyi::bench {

namespace {

struct Row
{
    std::string measure;
    double value;
    std::string unit;
    std::optional<double> atMost;
};

std::vector<Row> &rows()
{
    static std::vector<Row> all;
    return all;
}

std::vector<std::pair<std::string, std::string>> &notes()
{
    static std::vector<std::pair<std::string, std::string>> all;
    return all;
}

std::string formatted(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, value >= 100 || value == int(value) ? "%.0f" : "%.3g", value);
    return text;
}

double percentile90(const std::vector<double> &values)
{
    if (values.empty())
        return 0.0;
    std::vector<double> sorted = values;
    const auto index = static_cast<size_t>(0.9 * double(sorted.size() - 1) + 0.5);
    std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(index), sorted.end());
    return sorted[index];
}

std::map<std::string, std::function<void(const Aggregates &)>> &summaries()
{
    static std::map<std::string, std::function<void(const Aggregates &)>> all;
    return all;
}

} // namespace

void Aggregates::add(const std::string &statistic, const benchmark::UserCounters &counters)
{
    for (const auto &[name, counter] : counters)
        m_values[statistic][name] = counter.value;
}

double Aggregates::value(const std::string &statistic, const std::string &counter) const
{
    const auto byStatistic = m_values.find(statistic);
    if (byStatistic == m_values.end())
        return 0.0;
    const auto found = byStatistic->second.find(counter);
    return found == byStatistic->second.end() ? 0.0 : found->second;
}

benchmark::internal::Benchmark *repeated(benchmark::internal::Benchmark *benchmark, int repetitions)
{
    return benchmark->Repetitions(repetitions)
        ->ComputeStatistics("p90", percentile90)
        ->DisplayAggregatesOnly(true);
}

void whenAggregated(const std::string &name, std::function<void(const Aggregates &)> summarise)
{
    summaries()[name] = std::move(summarise);
}

void SummaryReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    std::map<std::string, Aggregates> aggregates;
    for (const Run &run : runs) {
        if (run.run_type != Run::RT_Aggregate || run.error_occurred)
            continue;
        const std::string name = run.run_name.function_name
                                 + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
        aggregates[name].add(run.aggregate_name, run.counters);
    }
    for (const auto &[name, values] : aggregates) {
        if (const auto summary = summaries().find(name); summary != summaries().end())
            summary->second(values);
    }
}

void record(const std::string &measure, double value, const std::string &unit, std::optional<double> atMost)
{
    auto &all = rows();
    const auto found = std::find_if(all.begin(), all.end(), [&](const Row &row) { return row.measure == measure; });
    Row row{measure, value, unit, atMost};
    if (found == all.end())
        all.push_back(row);
    else
        *found = row;
}

void note(const std::string &measure, const std::string &text)
{
    for (auto &entry : notes()) {
        if (entry.first == measure) {
            entry.second = text;
            return;
        }
    }
    notes().emplace_back(measure, text);
}

int printSummary(int failuresReported)
{
    int misses = 0;
    std::printf("\n%-44s %14s %14s  %s\n", "measure", "value", "target", "result");
    std::printf("%s\n", std::string(84, '-').c_str());
    for (const Row &row : rows()) {
        const std::string value = formatted(row.value) + " " + row.unit;
        std::string target = "-";
        std::string result = "info";
        if (row.atMost) {
            target = "<= " + formatted(*row.atMost) + " " + row.unit;
            const bool ok = row.value <= *row.atMost;
            result = ok ? "OK" : "MISS";
            misses += ok ? 0 : 1;
        }
        std::printf("%-44s %14s %14s  %s\n", row.measure.c_str(), value.c_str(), target.c_str(), result.c_str());
    }
    for (const auto &[measure, text] : notes())
        std::printf("  note, %s: %s\n", measure.c_str(), text.c_str());
    std::printf("failures reported by the program during the run: %d\n", failuresReported);
    return misses;
}

} // namespace kemuyi::bench
