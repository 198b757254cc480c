#pragma once

#include <string>

namespace kemuyi::bench {

// The two bank sizes measured: about a real bank's, and far beyond any.
constexpr int kSmallBank = 2300;
constexpr int kLargeBank = 100000;

// "2300" or "100k", as the results name the bank sizes.
inline std::string bankLabel(int questions)
{
    return questions >= 10000 ? std::to_string(questions / 1000) + "k" : std::to_string(questions);
}

// Registered from main in this order, so the run order does not hang on static initialisation.
void registerPictureBenchmarks();
void registerBankBenchmarks();
void registerShowRecordBenchmarks();
void registerDelayBenchmark();
void registerHoverBenchmark();
void registerIdleBenchmark();
void registerStartupBenchmarks();
void registerJetBenchmarks();
void registerExamBenchmarks();
void registerSpeechBenchmarks();
void registerLearnerBenchmarks();

// Closes the windows the benchmarks kept open, before the application goes.
void releaseWindows();

} // namespace kemuyi::bench
