#include "ProgressStore.h"

#include <algorithm>

namespace kemuyi {

QVector<ScoreRecord> ProgressStore::recentScores(const QString &category, int count) const
{
    SqliteStatement read(m_db, "SELECT finished, score, passed, timed_out, duration, category FROM sitting"
                               " WHERE category = ?1 AND finished IS NOT NULL ORDER BY finished DESC, id DESC LIMIT ?2");
    read.bind(1, category);
    read.bind(2, qint64(count));
    QVector<ScoreRecord> scores = readScores(read);
    std::reverse(scores.begin(), scores.end());
    return scores;
}

QVector<ScoreRecord> ProgressStore::allScores() const
{
    SqliteStatement read(m_db, "SELECT finished, score, passed, timed_out, duration, category FROM sitting"
                               " WHERE finished IS NOT NULL ORDER BY finished, id");
    return readScores(read);
}

QVector<ScoreRecord> ProgressStore::readScores(SqliteStatement &read) const
{
    QVector<ScoreRecord> scores;
    while (read.step()) {
        scores.append(ScoreRecord{read.integer(0), read.text(5), int(read.integer(1)), read.integer(2) != 0,
                                  read.integer(3) != 0, read.integer(4)});
    }
    return scores;
}

} // namespace kemuyi
