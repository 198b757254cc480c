#include "Readiness.h"

#include <algorithm>
#include <cmath>

namespace kemuyi {
namespace {

// How many answers' worth of weight the learner's overall share carries in each topic's level.
constexpr double priorWeight = 4.0;
// How far a question's recall, relative to its topic's answered questions, moves it from the level.
constexpr double memoryPull = 0.5;

struct TopicLevel
{
    double mean = 0;
    double variance = 0;
    int questions = 0;     // questions of the category in this topic
    double recallSum = 0;  // over the topic's answered questions
    int answered = 0;
    double averageRecall() const { return answered ? recallSum / answered : 0; }
};

double normalCdf(double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); }

QHash<QString, TopicLevel> topicLevels(const ReadinessInput &input, QVector<double> &recall)
{
    int right = 0, all = 0;
    for (const TopicTally &t : input.tallies) {
        right += t.right;
        all += t.answers();
    }
    const double overall = (right + 1.0) / (all + 2.0);

    QHash<QString, TopicLevel> levels;
    recall.resize(input.questions.size());
    for (int i = 0; i < input.questions.size(); ++i) {
        const ReadinessQuestion &q = input.questions[i];
        TopicLevel &level = levels[q.topic];
        ++level.questions;
        recall[i] = q.memory ? memory::recallProbability(*q.memory, input.nowMs) : -1;
        if (q.memory) {
            level.recallSum += recall[i];
            ++level.answered;
        }
    }
    for (auto it = levels.begin(); it != levels.end(); ++it) {
        const TopicTally tally = input.tallies.value(it.key());
        const double n = tally.answers() + priorWeight;
        it->mean = (tally.right + priorWeight * overall) / n;
        it->variance = it->mean * (1 - it->mean) / (n + 1);
    }
    return levels;
}

} // namespace

ReadinessEstimate estimateReadiness(const ReadinessInput &input)
{
    ReadinessEstimate estimate;
    for (const TopicTally &t : input.tallies)
        estimate.answersUsed += t.answers();
    estimate.enough = estimate.answersUsed >= readiness::minimumAnswers && !input.questions.isEmpty();
    if (!estimate.enough)
        return estimate;

    QVector<double> recall;
    const QHash<QString, TopicLevel> levels = topicLevels(input, recall);

    // Each question's chance of being answered right, and their mean and spread.
    const int n = input.questions.size();
    double sum = 0, squares = 0;
    for (int i = 0; i < n; ++i) {
        const TopicLevel &level = levels[input.questions[i].topic];
        double p = level.mean;
        if (recall[i] >= 0)
            p += memoryPull * (recall[i] - level.averageRecall());
        p = std::clamp(p, 0.0, 1.0);
        sum += p;
        squares += p * p;
    }
    const double mean = sum / n;
    const double spread = std::max(0.0, squares / n - mean * mean);
    double levelVariance = 0;
    for (const TopicLevel &level : levels) {
        const double share = double(level.questions) / n;
        levelVariance += share * share * level.variance;
    }

    // Right answers on a paper of k questions drawn without repetition from the n.
    const int k = std::min(input.format.questions, n);
    const double expectedRight = k * mean;
    double variance = k * mean * (1 - mean) + double(k) * k * levelVariance;
    if (n > 1)
        variance -= double(k) * (k - 1) * spread / (n - 1);
    const double sd = std::sqrt(std::max(variance, 1e-9));

    // The normal curve, cut into whole answers.
    QVector<double> chance(k + 1);
    for (int c = 0; c <= k; ++c) {
        const double upper = c == k ? 1.0 : normalCdf((c + 0.5 - expectedRight) / sd);
        const double lower = c == 0 ? 0.0 : normalCdf((c - 0.5 - expectedRight) / sd);
        chance[c] = std::max(0.0, upper - lower);
    }
    // Each tail of the interval leaves out as near to 10 % as whole answers allow.
    double below = 0, bestLow = 2, bestHigh = 2;
    int lowCount = 0, highCount = k;
    for (int c = 0; c <= k; ++c) {
        const double above = 1 - below - chance[c];
        if (std::abs(below - 0.1) < bestLow) {
            bestLow = std::abs(below - 0.1);
            lowCount = c;
        }
        if (std::abs(above - 0.1) <= bestHigh) {
            bestHigh = std::abs(above - 0.1);
            highCount = c;
        }
        const int score = examScore(c, k);
        estimate.expected += chance[c] * score;
        if (score >= input.format.passMark)
            estimate.passChance += chance[c];
        below += chance[c];
    }
    estimate.low = examScore(lowCount, k);
    estimate.high = examScore(std::max(lowCount, highCount), k);
    estimate.passChance = std::clamp(estimate.passChance, 0.0, 1.0);
    return estimate;
}

} // namespace kemuyi
