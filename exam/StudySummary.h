#pragma once

#include "ProgressStore.h"
#include "bank/QuestionSearch.h"

#include <QString>
#include <QVector>

namespace kemuyi {

// One topic of a category as the study centre lists it.
struct TopicSummary
{
    QString key;   // the bank's topic code, e.g. "signals"
    QString label; // its Chinese name
    QVector<qint32> questions;
    int answeredQuestions = 0; // questions answered at least once
    int answers = 0;
    int rights = 0;
};

// The category's topics in the bank tool's order (unknown codes after them, by code), each with
// its questions and the learner's counted answers to them; questions without a topic are left out. Empty for a
// bank that names no topics.
QVector<TopicSummary> topicSummaries(const QVector<SearchHit> &questions, const QHash<qint32, QuestionRecord> &records);

// The share right as the list shows it: "答对 85%", or "尚未练习" before any answer.
QString shareText(const TopicSummary &topic);

// The questions never answered, in the category's order.
QVector<qint32> unansweredQuestions(const QVector<SearchHit> &questions, const QHash<qint32, QuestionRecord> &records);

// Of `ids`, those among the category's questions, in the order of `ids`.
QVector<qint32> withinCategory(const QVector<qint32> &ids, const QVector<SearchHit> &questions);

} // namespace kemuyi
