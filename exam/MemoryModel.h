#pragma once

#include <QtGlobal>

namespace kemuyi {

// How well the learner knows one question, after the FSRS-4.5 model (Free Spaced Repetition
// Scheduler, Jarrett Ye et al., open-spaced-repetition; the model Anki has shipped since 23.10),
// with its published default weights.
//
// FSRS was chosen over SM-2 and Leitner boxes because it predicts a probability of recall for
// every question at any moment; the readiness estimate needs exactly that, and the scheduler
// needs it to order overdue questions. SM-2 and Leitner only say when to look again.
struct MemoryState
{
    double stability = 0;  // days until recall falls to 90 %
    double difficulty = 0; // 1 (easy) … 10 (hard)
    qint64 lastSeenMs = 0; // time of the last counted answer, ms since the epoch
    int reviews = 0;       // counted answers
    int lapses = 0;        // counted answers that were wrong (or helped by the hint)

    bool isNew() const { return reviews == 0; }
};

// A judged answer as the memory model grades it. The program only knows right and wrong, so it
// uses FSRS's "again" and "good"; an answer after the hint or after a wrong answer on the same
// showing is graded "again".
enum class RecallGrade { Again = 1, Good = 3 };

namespace memory {

// The share of questions recalled that the schedule aims for.
constexpr double targetRetention = 0.9;
// Stability at which a question counts as mastered: three weeks, the point from which
// spaced-repetition tools call a card mature.
constexpr double masteredStabilityDays = 21.0;

// The state after one counted answer at `nowMs`.
MemoryState afterAnswer(const MemoryState &state, RecallGrade grade, qint64 nowMs);

// The probability that the learner still recalls the question at `nowMs` (1 for an answer just
// given; 0 for a question never answered, which has no memory to recall).
double recallProbability(const MemoryState &state, qint64 nowMs);

// Days from the last answer until recall falls to `retention`.
double intervalDays(double stability, double retention = targetRetention);

// When the question is due for review: last seen plus the interval, in ms since the epoch.
qint64 dueMs(const MemoryState &state);

bool isMastered(const MemoryState &state);

// A state read back from a file another program may have changed, brought within the model's
// bounds: a value that is not a number, or out of range, would otherwise spread into every
// estimate. A state that cannot be read as one (no answers) is new.
MemoryState withinBounds(MemoryState state);

} // namespace memory
} // namespace kemuyi
