#pragma once

#include <optional>
#include <string>

namespace kemuyi::bench {

// The figures judged against their targets, printed as one table after every benchmark ran.
// A later record of the same measure replaces the earlier one: the benchmark library calls each
// benchmark several times while it settles on an iteration count, and the last call is the
// longest.
void record(const std::string &measure, double value, const std::string &unit,
            std::optional<double> atMost = std::nullopt);

// A figure's cause or caveat, printed under the table.
void note(const std::string &measure, const std::string &text);

// Prints the table; returns how many measures missed their target.
int printSummary(int failuresReported);

} // namespace kemuyi::bench
