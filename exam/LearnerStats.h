#pragma once

#include "ProgressStore.h"
#include "Readiness.h"

#include <QString>
#include <QVector>

namespace kemuyi {

// One question of a category with its topic, as the statistics group them.
struct CategoryQuestion
{
    qint32 id = 0;
    QString topic;
};

// The learner's counted answers within one topic of a category.
struct TopicShare
{
    QString topic;
    int questions = 0;
    int answers = 0;
    int right = 0;
};

// What the 统计 page shows for one category.
struct LearnerStats
{
    int questions = 0; // in the category
    int seen = 0;      // answered at least once
    int mastered = 0;  // by the memory model
    QVector<TopicShare> topics; // in the bank's topic order; unknown topics last
    QVector<DayTally> lastDays; // the last kStatsDays local days, oldest first, today last
    int streakDays = 0;         // days in a row with answers, up to today (or yesterday)
    QVector<ScoreRecord> exams; // the category's finished exams, oldest first
    ReadinessEstimate readiness;
};

namespace stats {
constexpr int days = 30;
constexpr int examHistory = 20;
// The estimate rests on this many of the category's latest counted answers at most, so that it
// follows the learner as they improve.
constexpr int recentAnswers = 1000;
} // namespace stats

// The readiness estimate for the category from what the store holds: each question's memory state
// and the topics' shares right over the latest counted answers.
ReadinessEstimate categoryReadiness(const ProgressStore &store, const QString &bank, const QString &category,
                                    const QVector<CategoryQuestion> &questions, qint64 nowMs);

LearnerStats learnerStats(const ProgressStore &store, const QString &bank, const QString &category,
                          const QVector<CategoryQuestion> &questions, qint64 nowMs);

// "根据最近 n 次作答" under the estimate, or why there is none.
QString readinessText(const ReadinessEstimate &estimate);

} // namespace kemuyi
