#include "ExamRules.h"

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

qint32 correctChoice(const QString &select, const QString &answer)
{
    if (select == QLatin1String("Y")) {
        static const QString letters[] = {QStringLiteral("A"), QStringLiteral("B"),
                                          QStringLiteral("C"), QStringLiteral("D")};
        for (int i = 0; i < 4; ++i) {
            if (answer == letters[i])
                return i + 1;
        }
        return 0;
    }
    if (select == QLatin1String("N")) {
        if (answer == QStringLiteral("正确"))
            return 5;
        if (answer == QStringLiteral("错误"))
            return 6;
    }
    return 0;
}

QString choiceName(qint32 choice)
{
    switch (choice) {
    case 1: return QStringLiteral("A");
    case 2: return QStringLiteral("B");
    case 3: return QStringLiteral("C");
    case 4: return QStringLiteral("D");
    case 5: return QStringLiteral("正确");
    case 6: return QStringLiteral("错误");
    default: return QString();
    }
}

int examScore(int right, int paperSize)
{
    if (paperSize <= 0)
        return 0;
    return int(qint64(right) * 100 / paperSize);
}

} // namespace kemuyi
