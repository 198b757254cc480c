#pragma once

#include "ExamRules.h"
#include "MemoryModel.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <optional>

namespace kemuyi {

// One question of the category as the estimate sees it.
struct ReadinessQuestion
{
    QString topic;
    std::optional<MemoryState> memory; // empty when never answered
};

// The learner's counted answers (first judged answer per showing) of one topic.
struct TopicTally
{
    int right = 0;
    int wrong = 0;
    int answers() const { return right + wrong; }
};

struct ReadinessInput
{
    ExamFormat format;
    QVector<ReadinessQuestion> questions; // every question of the category
    QHash<QString, TopicTally> tallies;   // by topic, from the learner's recent answers
    qint64 nowMs = 0;
};

// What a mock exam taken now would probably score.
struct ReadinessEstimate
{
    bool enough = false;   // false until `minimumAnswers` answers exist
    int answersUsed = 0;   // the answers the estimate rests on
    double expected = 0;   // expected score, 0–100
    int low = 0;           // the 80 % interval of the score
    int high = 0;
    double passChance = 0; // probability of reaching the pass mark
};

namespace readiness {
// Below this many answers for the category the estimate says nothing.
constexpr int minimumAnswers = 100;
} // namespace readiness

// The estimate. Each topic's level is the learner's share right there, pulled towards their share
// over all topics while a topic has few answers. A question already answered sits above or below
// its topic's level by how much better or worse the memory model says it is remembered than the
// topic's other answered questions; a question never answered sits at the level. The spread
// counts the random paper, the chance in each answer and how uncertain each level still is.
ReadinessEstimate estimateReadiness(const ReadinessInput &input);

} // namespace kemuyi
