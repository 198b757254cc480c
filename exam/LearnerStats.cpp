#include "LearnerStats.h"

#include "bank/Topics.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace kemuyi {

namespace {

ReadinessEstimate estimateFrom(const QHash<qint32, QuestionRecord> &records, const QVector<RecentAnswer> &recent,
                               const QString &category, const QVector<CategoryQuestion> &questions, qint64 nowMs)
{
    ReadinessInput input;
    input.format = examFormatFor(category);
    input.nowMs = nowMs;
    input.questions.reserve(questions.size());
    QHash<qint32, QString> topicOf;
    topicOf.reserve(questions.size());
    for (const CategoryQuestion &question : questions) {
        topicOf.insert(question.id, question.topic);
        ReadinessQuestion entry{question.topic, std::nullopt};
        if (const auto found = records.constFind(question.id); found != records.cend())
            entry.memory = found->memory;
        input.questions.append(entry);
    }
    for (const RecentAnswer &answer : recent) {
        const auto topic = topicOf.constFind(answer.question);
        if (topic == topicOf.cend())
            continue; // a question the bank no longer has in this category
        TopicTally &tally = input.tallies[*topic];
        (answer.right ? tally.right : tally.wrong) += 1;
    }
    return estimateReadiness(input);
}

QVector<TopicShare> topicShares(const QHash<qint32, QuestionRecord> &records, const QVector<CategoryQuestion> &questions)
{
    QHash<QString, TopicShare> byTopic;
    for (const CategoryQuestion &question : questions) {
        TopicShare &share = byTopic[question.topic];
        share.topic = question.topic;
        ++share.questions;
        if (const auto found = records.constFind(question.id); found != records.cend()) {
            share.answers += found->answers;
            share.right += found->right;
        }
    }
    QVector<TopicShare> ordered;
    for (const Topic &topic : topics()) {
        if (byTopic.contains(topic.key))
            ordered.append(byTopic.take(topic.key));
    }
    QStringList rest = byTopic.keys();
    rest.sort();
    for (const QString &key : std::as_const(rest))
        ordered.append(byTopic.value(key));
    return ordered;
}

void fillDays(LearnerStats &stats, const QVector<DayTally> &days, qint64 nowMs)
{
    const qint64 today = QDateTime::fromMSecsSinceEpoch(nowMs).date().toJulianDay();
    QHash<qint64, DayTally> byDay;
    for (const DayTally &day : days)
        byDay.insert(day.julianDay, day);
    for (qint64 day = today - stats::days + 1; day <= today; ++day)
        stats.lastDays.append(byDay.value(day, DayTally{day, 0, 0}));
    // A day not yet practised does not break the streak until it is over.
    qint64 day = byDay.contains(today) ? today : today - 1;
    while (byDay.value(day).answers > 0) {
        ++stats.streakDays;
        --day;
    }
}

} // namespace

ReadinessEstimate categoryReadiness(const ProgressStore &store, const QString &bank, const QString &category,
                                    const QVector<CategoryQuestion> &questions, qint64 nowMs)
{
    return estimateFrom(store.questionRecords(bank), store.recentAnswers(bank, category, stats::recentAnswers),
                        category, questions, nowMs);
}

LearnerStats learnerStats(const ProgressStore &store, const QString &bank, const QString &category,
                          const QVector<CategoryQuestion> &questions, qint64 nowMs)
{
    const QHash<qint32, QuestionRecord> records = store.questionRecords(bank);
    LearnerStats stats;
    stats.questions = int(questions.size());
    for (const CategoryQuestion &question : questions) {
        const auto found = records.constFind(question.id);
        if (found == records.cend())
            continue;
        ++stats.seen;
        stats.mastered += memory::isMastered(found->memory) ? 1 : 0;
    }
    stats.topics = topicShares(records, questions);
    fillDays(stats, store.answerDays(bank, category), nowMs);
    stats.exams = store.recentScores(category, stats::examHistory);
    stats.readiness = estimateFrom(records, store.recentAnswers(bank, category, stats::recentAnswers), category,
                                   questions, nowMs);
    return stats;
}

QString readinessText(const ReadinessEstimate &estimate)
{
    if (!estimate.enough) {
        return QStringLiteral("答题太少，暂无估计（已有 %1 次作答，满 %2 次后估计）")
            .arg(estimate.answersUsed).arg(readiness::minimumAnswers);
    }
    return QStringLiteral("预计考试成绩 %1 分（80% 把握在 %2–%3 分之间），及格（90 分）可能性 %4%，根据最近 %5 次作答")
        .arg(int(std::lround(estimate.expected))).arg(estimate.low).arg(estimate.high)
        .arg(int(std::lround(estimate.passChance * 100))).arg(estimate.answersUsed);
}

} // namespace kemuyi
