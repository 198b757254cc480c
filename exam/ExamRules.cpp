#include "ExamRules.h"

#include "bank/Question.h"
#include "practice/Judging.h"

#include <QRandomGenerator>

#include <utility>

namespace kemuyi {

ExamFormat examFormatFor(const QString &categoryCode)
{
    if (categoryCode == QLatin1String("DEF"))
        return ExamFormat{50, 30, 2, 90};
    return ExamFormat{100, 45, 1, 90};
}

RandomBelow systemRandom()
{
    return [](quint32 n) { return n == 0 ? 0u : QRandomGenerator::global()->bounded(n); };
}

QVector<qint32> drawPaper(QVector<qint32> pool, int size, const RandomBelow &random)
{
    const int count = qMin<int>(qMax(size, 0), pool.size());
    // The first `count` steps of a Fisher–Yates shuffle: each step picks one of the not yet drawn.
    for (int i = 0; i < count; ++i) {
        const auto remaining = quint32(pool.size() - i);
        const int j = i + int(random(remaining) % remaining);
        std::swap(pool[i], pool[j]);
    }
    pool.resize(count);
    return pool;
}

qint32 correctChoice(const Question &question)
{
    return choiceFor(question.select, question.answer);
}

int examScore(int right, int paperSize)
{
    if (paperSize <= 0)
        return 0;
    return int(qint64(right) * 100 / paperSize);
}

} // namespace kemuyi
