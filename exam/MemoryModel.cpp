#include "MemoryModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kemuyi::memory {
namespace {

// FSRS-4.5's default weights w0 … w16.
constexpr std::array<double, 17> w = {0.4872, 1.4003, 3.7145, 13.8206, 5.1618, 1.2298,
                                      0.8975, 0.031,  1.6474, 0.1367,  1.0461, 2.1072,
                                      0.0793, 0.3246, 1.587,  0.2272,  2.8755};
// The forgetting curve R(t) = (1 + factor · t / S)^decay, shaped so that R(S) = 0.9.
constexpr double decay = -0.5;
constexpr double factor = 19.0 / 81.0;
constexpr double msPerDay = 24.0 * 60 * 60 * 1000;
constexpr double minStability = 0.01;

double clampDifficulty(double d) { return std::clamp(d, 1.0, 10.0); }

double initialDifficulty(RecallGrade grade)
{
    return clampDifficulty(w[4] - (double(int(grade)) - 3) * w[5]);
}

double initialStability(RecallGrade grade) { return w[size_t(int(grade)) - 1]; }

double nextDifficulty(double d, RecallGrade grade)
{
    const double moved = d - w[6] * (double(int(grade)) - 3);
    // Mean reversion towards the difficulty of a first "good", so no question sticks at 10.
    return clampDifficulty(w[7] * initialDifficulty(RecallGrade::Good) + (1 - w[7]) * moved);
}

double stabilityAfterRecall(double s, double d, double r)
{
    return s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) * (std::exp(w[10] * (1 - r)) - 1));
}

double stabilityAfterLapse(double s, double d, double r)
{
    const double next = w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) * std::exp(w[14] * (1 - r));
    // A lapse never makes a memory more stable than it was.
    return std::min(next, s);
}

double elapsedDays(const MemoryState &state, qint64 nowMs)
{
    return std::max(0.0, double(nowMs - state.lastSeenMs) / msPerDay);
}

} // namespace

double intervalDays(double stability, double retention)
{
    // The scheduler asks for the target retention thousands of times in a row: its power is
    // worked out once.
    static const double targetPower = std::pow(targetRetention, 1 / decay) - 1;
    const double power = retention == targetRetention ? targetPower : std::pow(retention, 1 / decay) - 1;
    return stability / factor * power;
}

double recallProbability(const MemoryState &state, qint64 nowMs)
{
    if (state.isNew())
        return 0;
    const double s = std::max(state.stability, minStability);
    return std::pow(1 + factor * elapsedDays(state, nowMs) / s, decay);
}

MemoryState afterAnswer(const MemoryState &state, RecallGrade grade, qint64 nowMs)
{
    MemoryState next = state;
    if (state.isNew()) {
        next.stability = initialStability(grade);
        next.difficulty = initialDifficulty(grade);
    } else {
        const double r = recallProbability(state, nowMs);
        next.stability = grade == RecallGrade::Again
                             ? stabilityAfterLapse(state.stability, state.difficulty, r)
                             : stabilityAfterRecall(state.stability, state.difficulty, r);
        next.difficulty = nextDifficulty(state.difficulty, grade);
    }
    next.stability = std::max(next.stability, minStability);
    next.lastSeenMs = std::max(nowMs, state.lastSeenMs);
    next.reviews = state.reviews + 1;
    next.lapses = state.lapses + (grade == RecallGrade::Again ? 1 : 0);
    return next;
}

qint64 dueMs(const MemoryState &state)
{
    return state.lastSeenMs + qint64(std::llround(intervalDays(state.stability) * msPerDay));
}

MemoryState withinBounds(MemoryState state)
{
    constexpr double longestStability = 36500; // a hundred years
    if (state.reviews <= 0 || !std::isfinite(state.stability) || !std::isfinite(state.difficulty))
        return MemoryState();
    state.stability = std::clamp(state.stability, minStability, longestStability);
    state.difficulty = clampDifficulty(state.difficulty);
    state.lapses = std::clamp(state.lapses, 0, state.reviews);
    state.lastSeenMs = std::max<qint64>(state.lastSeenMs, 0);
    return state;
}

bool isMastered(const MemoryState &state)
{
    return !state.isNew() && state.stability >= masteredStabilityDays;
}

} // namespace kemuyi::memory
