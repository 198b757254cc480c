// The memory model (FSRS-4.5), the smart-review scheduler and the readiness estimate, on an
// injected clock; the estimate is checked for calibration against simulated learners.

#include "exam/LearnerStats.h"
#include "exam/MemoryModel.h"
#include "exam/ProgressStore.h"
#include "exam/Readiness.h"
#include "exam/ReviewPlan.h"

#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

namespace kemuyi::test {
namespace {

constexpr qint64 day = 24LL * 60 * 60 * 1000;
constexpr qint64 day_ms = day;
constexpr qint64 start = 1'780'000'000'000LL; // a fixed moment; only differences matter

MemoryState answered(std::initializer_list<std::pair<RecallGrade, qint64>> answers)
{
    MemoryState state;
    for (const auto &[grade, at] : answers)
        state = memory::afterAnswer(state, grade, at);
    return state;
}

TEST(MemoryModel, FirstAnswerSetsTheModelsInitialStabilityAndRecallFallsToNinetyPercentByThen)
{
    const MemoryState good = answered({{RecallGrade::Good, start}});
    EXPECT_NEAR(good.stability, 3.7145, 1e-9);
    EXPECT_NEAR(good.difficulty, 5.1618, 1e-9);
    EXPECT_EQ(good.reviews, 1);
    EXPECT_EQ(good.lapses, 0);
    EXPECT_DOUBLE_EQ(memory::recallProbability(good, start), 1.0);
    EXPECT_NEAR(memory::recallProbability(good, start + qint64(good.stability * day)), 0.9, 1e-6);
    EXPECT_NEAR(memory::intervalDays(good.stability), good.stability, 1e-9);

    const MemoryState again = answered({{RecallGrade::Again, start}});
    EXPECT_NEAR(again.stability, 0.4872, 1e-9);
    EXPECT_NEAR(again.difficulty, 5.1618 + 2 * 1.2298, 1e-9);
    EXPECT_EQ(again.lapses, 1);
    EXPECT_LT(memory::dueMs(again), memory::dueMs(good));
    EXPECT_DOUBLE_EQ(memory::recallProbability(MemoryState(), start), 0.0) << "never answered";
}

TEST(MemoryModel, ARightAnswerWhenDueGrowsStabilityByTheModelsFormula)
{
    // Good, then good again exactly when recall has fallen to 90 %: worked out by hand from the
    // FSRS-4.5 formula and default weights, S' = S·(1 + e^w8·(11 − D)·S^−w9·(e^(w10·0.1) − 1)).
    const MemoryState first = answered({{RecallGrade::Good, start}});
    const MemoryState second = memory::afterAnswer(first, RecallGrade::Good, memory::dueMs(first));
    EXPECT_NEAR(second.stability, 14.095, 0.01);
    EXPECT_NEAR(second.difficulty, first.difficulty, 0.01) << "good keeps difficulty near its start";
    EXPECT_EQ(second.lastSeenMs, memory::dueMs(first));

    // Answering right again in the same moment teaches nothing new.
    const MemoryState repeated = memory::afterAnswer(second, RecallGrade::Good, second.lastSeenMs);
    EXPECT_NEAR(repeated.stability, second.stability, 1e-9);
}

TEST(MemoryModel, ALapseShrinksStabilityAndRaisesDifficultyWithinBounds)
{
    MemoryState state = answered({{RecallGrade::Good, start}, {RecallGrade::Good, start + 4 * day}});
    const MemoryState lapsed = memory::afterAnswer(state, RecallGrade::Again, start + 20 * day);
    EXPECT_LT(lapsed.stability, state.stability);
    EXPECT_GT(lapsed.difficulty, state.difficulty);
    EXPECT_EQ(lapsed.lapses, 1);
    for (int i = 0; i < 30; ++i)
        state = memory::afterAnswer(state, RecallGrade::Again, start + (21 + i) * day);
    EXPECT_LE(state.difficulty, 10.0);
    EXPECT_GT(state.stability, 0.0);
    EXPECT_GT(memory::recallProbability(state, start + 60 * day), 0.0);
}

TEST(MemoryModel, RightAnswersAtEachDueDateLeadToMasteryWithinAFewReviews)
{
    MemoryState state = answered({{RecallGrade::Good, start}});
    int reviews = 1;
    while (!memory::isMastered(state) && reviews < 10) {
        state = memory::afterAnswer(state, RecallGrade::Good, memory::dueMs(state));
        ++reviews;
    }
    EXPECT_TRUE(memory::isMastered(state));
    EXPECT_LE(reviews, 3);
    EXPECT_FALSE(memory::isMastered(answered({{RecallGrade::Good, start}})));
    // A clock set back never moves the last answer backwards.
    const MemoryState back = memory::afterAnswer(state, RecallGrade::Good, state.lastSeenMs - day);
    EXPECT_EQ(back.lastSeenMs, state.lastSeenMs);
}

TEST(SmartReview, TakesDueQuestionsMostOverdueFirstThenUnseenUpToTheLimit)
{
    const qint64 now = start + 30 * day;
    QHash<qint32, MemoryState> memory;
    memory[1] = answered({{RecallGrade::Good, start + 20 * day}});  // due about day 23.7
    memory[2] = answered({{RecallGrade::Again, start + 29 * day}}); // due about day 29.5
    memory[3] = answered({{RecallGrade::Good, now}});               // not due
    memory[4] = answered({{RecallGrade::Again, start}});            // due about day 0.5
    memory[99] = answered({{RecallGrade::Again, start}});           // another category's
    const QVector<qint32> category = {1, 2, 3, 4, 5, 6, 7};

    ReviewPlan plan = planSmartReview(category, memory, now, 50);
    EXPECT_EQ(plan.questions, (QVector<qint32>{4, 1, 2, 5, 6, 7}));
    EXPECT_EQ(plan.dueCount, 3);

    plan = planSmartReview(category, memory, now, 4);
    EXPECT_EQ(plan.questions, (QVector<qint32>{4, 1, 2, 5}));
    plan = planSmartReview(category, memory, now, 2);
    EXPECT_EQ(plan.questions, (QVector<qint32>{4, 1}));
    EXPECT_EQ(plan.dueCount, 3) << "the line names every due question, not only those in the run";
    EXPECT_TRUE(planSmartReview(category, memory, now, 0).questions.isEmpty());
}

// --- The readiness estimate ---------------------------------------------------------------

// A category of `size` questions over eleven topics of uneven size, like the shipped bank.
QStringList topicsOf(int size)
{
    static const QStringList names = {"signals", "passage", "conditions", "vehicle", "licence", "accident",
                                      "points", "courtesy", "liability", "emergency", "motorcycle"};
    static const int weights[] = {20, 11, 10, 9, 7, 6, 6, 6, 5, 5, 4};
    QStringList topics;
    for (int i = 0; i < size; ++i) {
        int pick = i % 89, t = 0;
        while (pick >= weights[t])
            pick -= weights[t++];
        topics.append(names[t]);
    }
    return topics;
}

struct SimulatedLearner
{
    QHash<QString, double> accuracy; // the chance of a right answer, per topic: the truth
    double trueExpected = 0;         // expected mock-exam score under that truth
};

struct Trial
{
    SimulatedLearner learner;
    ReadinessEstimate estimate;
    int score = 0;
};

// One learner practises `answers` questions drawn at random over 30 days, one practice run a day,
// answering each right with their topic's accuracy. The answers go through the progress store as
// the practice window records them, under a bank key of the learner's own, and the estimate is
// made from what the store gives back, as the 统计 page makes it; then one mock exam is sat.
Trial simulate(std::mt19937 &rng, ProgressStore &store, const QString &learnerKey, const QStringList &topics,
               const QString &category, int answers)
{
    const ExamFormat format = examFormatFor(category);
    Trial trial;
    std::uniform_real_distribution<double> ability(0.6, 0.99), offset(-0.08, 0.08), unit(0, 1);
    const double base = ability(rng);
    for (const QString &topic : topics) {
        if (!trial.learner.accuracy.contains(topic))
            trial.learner.accuracy[topic] = std::clamp(base + offset(rng), 0.3, 0.995);
    }
    double sum = 0;
    for (const QString &topic : topics)
        sum += trial.learner.accuracy[topic];
    trial.learner.trueExpected = 100.0 * sum / topics.size();

    QVector<CategoryQuestion> questions(topics.size());
    for (int i = 0; i < topics.size(); ++i)
        questions[i] = CategoryQuestion{qint32(i), topics[i]};
    std::uniform_int_distribution<int> question(0, int(topics.size()) - 1);
    QVector<JudgedAnswer> day;
    for (int a = 0; a < answers; ++a) {
        const int q = question(rng);
        const bool right = unit(rng) < trial.learner.accuracy[topics[q]];
        const qint64 at = start + qint64(30.0 * day_ms * a / answers);
        const qint64 run = 1 + (at - start) / day_ms;
        if (!day.isEmpty() && day.last().showing.run != run) {
            store.recordAnswers(learnerKey, day);
            day.clear();
        }
        day.append(JudgedAnswer{qint32(q), right, false, Showing{run, a + 1}, at, category});
    }
    store.recordAnswers(learnerKey, day);
    trial.estimate = categoryReadiness(store, learnerKey, category, questions, start + 30 * day_ms);

    QVector<qint32> pool(topics.size());
    std::iota(pool.begin(), pool.end(), 0);
    const QVector<qint32> paper =
        drawPaper(pool, format.questions, [&rng](quint32 n) { return quint32(rng() % n); });
    int right = 0;
    for (qint32 q : paper)
        right += unit(rng) < trial.learner.accuracy[topics[q]] ? 1 : 0;
    trial.score = examScore(right, paper.size());
    return trial;
}

TEST(Readiness, SaysNothingUntilEnoughAnswersExist)
{
    ReadinessInput input;
    input.questions.resize(200);
    input.tallies[QString()] = TopicTally{readiness::minimumAnswers - 1, 0};
    EXPECT_FALSE(estimateReadiness(input).enough);
    input.tallies[QString()] = TopicTally{readiness::minimumAnswers - 10, 10};
    const ReadinessEstimate estimate = estimateReadiness(input);
    EXPECT_TRUE(estimate.enough);
    EXPECT_EQ(estimate.answersUsed, readiness::minimumAnswers);
}

TEST(Readiness, FollowsTheLearnersShareRightAndTheirMemory)
{
    ReadinessInput input;
    input.nowMs = start;
    input.questions.resize(1000);
    input.tallies[QString()] = TopicTally{950, 50};
    const ReadinessEstimate strong = estimateReadiness(input);
    EXPECT_NEAR(strong.expected, 95, 1.0);
    EXPECT_LE(strong.low, 95);
    EXPECT_GE(strong.high, 95);
    EXPECT_LT(strong.high - strong.low, 10);
    EXPECT_GT(strong.passChance, 0.9);

    input.tallies[QString()] = TopicTally{800, 200};
    const ReadinessEstimate weak = estimateReadiness(input);
    EXPECT_NEAR(weak.expected, 80, 1.0);
    EXPECT_LT(weak.passChance, 0.05);

    // Half the questions answered: those remembered well lift their share, those forgotten lower
    // it; the mean stays at the learner's level.
    for (int i = 0; i < 500; ++i)
        input.questions[i].memory = answered({{i < 250 ? RecallGrade::Good : RecallGrade::Again, start - day}});
    const ReadinessEstimate mixed = estimateReadiness(input);
    EXPECT_NEAR(mixed.expected, 80, 1.0);
    // A learner right only half the time is far from the pass mark.
    input.tallies[QString()] = TopicTally{500, 500};
    EXPECT_LT(estimateReadiness(input).expected, 55);
}

TEST(Readiness, ScalesAShortCategoryAndTheMotorcyclePaper)
{
    ReadinessInput input;
    input.format = examFormatFor(QStringLiteral("DEF"));
    input.questions.resize(800);
    input.tallies[QString()] = TopicTally{900, 100};
    ReadinessEstimate estimate = estimateReadiness(input);
    EXPECT_NEAR(estimate.expected, 90, 1.0);
    EXPECT_EQ(estimate.low % 2, 0) << "two points a question";
    EXPECT_EQ(estimate.high % 2, 0);

    input.format = examFormatFor(QStringLiteral("M"));
    input.questions.resize(60); // fewer than a paper: all of them, scaled to 100
    estimate = estimateReadiness(input);
    EXPECT_NEAR(estimate.expected, 90, 1.5);
    EXPECT_LE(estimate.high, 100);
}

TEST(Readiness, IsCalibratedAgainstSimulatedLearners)
{
    std::mt19937 rng(20261207);
    struct Band { const char *name; double from, to; int learners = 0, covered = 0, passed = 0; double chance = 0; };
    Band bands[] = {{"< 80", 0, 80}, {"80-85", 80, 85}, {"85-90", 85, 90}, {"90-95", 90, 95}, {">= 95", 95, 101}};
    int learners = 0, covered = 0;
    QStringList overOptimistic;
    const QStringList car = topicsOf(1320), motorcycle = topicsOf(800);
    std::uniform_int_distribution<int> answers(150, 900);
    QTemporaryDir folder;
    ProgressStore store(folder.path() + QStringLiteral("/progress.db"));
    for (int i = 0; i < 300; ++i) {
        const bool bike = i % 4 == 3;
        const Trial trial = simulate(rng, store, QStringLiteral("learner-%1").arg(i), bike ? motorcycle : car,
                                     QLatin1String(bike ? "DEF" : "C1C2C3C4"), answers(rng));
        ASSERT_TRUE(trial.estimate.enough);
        const bool inside = trial.estimate.low <= trial.score && trial.score <= trial.estimate.high;
        ++learners;
        covered += inside;
        for (Band &band : bands) {
            if (trial.learner.trueExpected >= band.from && trial.learner.trueExpected < band.to) {
                ++band.learners;
                band.covered += inside;
                band.passed += trial.score >= 90;
                band.chance += trial.estimate.passChance;
            }
        }
        if (trial.learner.trueExpected < 85 && trial.estimate.passChance > 0.5)
            overOptimistic.append(QStringLiteral("%1 (chance %2)").arg(trial.learner.trueExpected).arg(trial.estimate.passChance));
    }
    std::printf("Readiness calibration, %d simulated learners (seed 20261207)\n", learners);
    std::printf("%-8s %8s %14s %16s %14s\n", "true exp", "learners", "in 80% range", "mean pass chance", "passed exam");
    for (const Band &band : bands) {
        if (band.learners == 0)
            continue;
        std::printf("%-8s %8d %13.1f%% %15.1f%% %13.1f%%\n", band.name, band.learners,
                    100.0 * band.covered / band.learners, 100.0 * band.chance / band.learners,
                    100.0 * band.passed / band.learners);
    }
    std::printf("all      %8d %13.1f%%\n", learners, 100.0 * covered / learners);
    const double coverage = double(covered) / learners;
    EXPECT_GE(coverage, 0.75);
    EXPECT_LE(coverage, 0.85);
    EXPECT_TRUE(overOptimistic.isEmpty()) << overOptimistic.join(QStringLiteral(", ")).toStdString();
}

} // namespace
} // namespace kemuyi::test
