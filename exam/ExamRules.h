#pragma once

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>

namespace kemuyi {

struct Question;

// The rules of one category's written test: how many questions, how long, what each is worth.
struct ExamFormat
{
    int questions = 100;
    int minutes = 45;
    int pointsPerQuestion = 1;
    int passMark = 90;
    int fullMarks() const { return questions * pointsPerQuestion; }
    qint64 limitMs() const { return qint64(minutes) * 60 * 1000; }
};

// Motorcycle classes (DEF) sit 50 questions in 30 minutes at two points each; every other
// category 100 questions in 45 minutes at one point each. Both pass at 90.
ExamFormat examFormatFor(const QString &categoryCode);

// A random source: an integer from 0 to n − 1. Tests inject their own.
using RandomBelow = std::function<quint32(quint32 n)>;
RandomBelow systemRandom();

// `size` ids drawn at random without repetition from `pool`; all of them, shuffled, when the pool
// is smaller. Touches only as many pool entries as it draws, so a large category costs little.
QVector<qint32> drawPaper(QVector<qint32> pool, int size, const RandomBelow &random);

// The choice code (1–4 A–D, 5 true, 6 false) that answers the question; 0 when no button can
// answer it. The same table judges practice.
qint32 correctChoice(const Question &question);

// Points on a 100-point scale: on a full paper exactly right × points per question; a shorter
// paper (a category with fewer questions) is scaled to the same scale, rounded down, so the pass
// mark still means nine answers in ten.
int examScore(int right, int paperSize);

} // namespace kemuyi
