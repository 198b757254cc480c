#include "StudySummary.h"

#include "bank/Topics.h"

#include <QMap>
#include <QSet>

namespace kemuyi {

QVector<TopicSummary> topicSummaries(const QVector<SearchHit> &questions, const QHash<qint32, QuestionRecord> &records)
{
    QMap<QString, TopicSummary> byKey;
    for (const SearchHit &question : questions) {
        if (question.topic.isEmpty())
            continue;
        TopicSummary &topic = byKey[question.topic];
        topic.key = question.topic;
        topic.questions.append(question.id);
        const auto tally = records.constFind(question.id);
        if (tally == records.constEnd() || tally->answers < 1)
            continue;
        ++topic.answeredQuestions;
        topic.answers += tally->answers;
        topic.rights += tally->right;
    }
    QVector<TopicSummary> ordered;
    for (const Topic &known : topics()) {
        if (byKey.contains(known.key))
            ordered.append(byKey.take(known.key));
    }
    for (const TopicSummary &unknown : std::as_const(byKey))
        ordered.append(unknown);
    for (TopicSummary &topic : ordered)
        topic.label = topicLabel(topic.key);
    return ordered;
}

QString shareText(const TopicSummary &topic)
{
    if (topic.answers < 1)
        return QStringLiteral("尚未练习");
    return QStringLiteral("答对 %1%").arg(topic.rights * 100 / topic.answers);
}

QVector<qint32> unansweredQuestions(const QVector<SearchHit> &questions, const QHash<qint32, QuestionRecord> &records)
{
    QVector<qint32> ids;
    for (const SearchHit &question : questions) {
        const auto tally = records.constFind(question.id);
        if (tally == records.constEnd() || tally->answers < 1)
            ids.append(question.id);
    }
    return ids;
}

QVector<qint32> withinCategory(const QVector<qint32> &ids, const QVector<SearchHit> &questions)
{
    QSet<qint32> category;
    category.reserve(questions.size());
    for (const SearchHit &question : questions)
        category.insert(question.id);
    QVector<qint32> kept;
    for (const qint32 id : ids) {
        if (category.contains(id))
            kept.append(id);
    }
    return kept;
}

} // namespace kemuyi
