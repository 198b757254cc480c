#pragma once

#include "QuestionSource.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace kemuyi {

// Rules for a bank meant for practice rather than for what the program can read: a learner who
// guesses must not be helped by a lopsided answer key, and the same question must not come twice.

// Below this many choice (or true/false) questions in a category, shares say nothing yet.
constexpr int kBalanceMinimumQuestions = 40;

// Per category as the program selects it: each of A–D is the answer of 20–30 % of the choice
// questions, and 40–60 % of the true/false questions are true. One entry per share outside.
QStringList answerBalanceProblems(const QVector<Question> &rows);

// Similarity of two texts by their character bigrams (Dice coefficient, 0 to 1).
double bigramSimilarity(const QString &left, const QString &right);

// Two questions that a reviewer found alike in words but asking different facts (the same figure
// for another vehicle, say), with the reason.
struct ReviewedPair
{
    qint64 first = 0;
    qint64 second = 0;
    QString why;
};

struct ParsedPairs
{
    QVector<ReviewedPair> pairs;
    QStringList problems; // each names its line

    bool ok() const { return problems.isEmpty(); }
};

// UTF-8 TSV: the header "ID1<TAB>ID2<TAB>why", then one pair per line.
ParsedPairs parseReviewedPairs(const QByteArray &bytes);

// Pairs that name a question the rows do not hold, so a stale review cannot hide a new question.
QStringList unknownPairProblems(const QVector<Question> &rows, const QVector<ReviewedPair> &reviewed);

// Two questions of one category that show the same picture (or none) and whose stem and options
// are more than 80 % alike ask the same thing twice, unless a reviewer said otherwise. One entry
// per pair, naming both ids.
QStringList nearDuplicateProblems(const QVector<Question> &rows,
                                  const QVector<ReviewedPair> &reviewed = {});

// Questions per topic (rows) and category (columns), as a text table for a terminal.
QString topicTable(const QVector<Question> &rows);

} // namespace kemuyi
