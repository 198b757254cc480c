#include "ProgressSql.h"

namespace kemuyi {

using progress::Statement;

QVector<ScoreRecord> ProgressStore::recentScores(const QString &category, int count) const
{
    Statement read(m_db, "SELECT finished, score, passed, timed_out, duration FROM sitting"
                         " WHERE category = ?1 AND finished IS NOT NULL ORDER BY finished DESC, id DESC LIMIT ?2");
    read.bind(1, category).bind(2, count);
    QVector<ScoreRecord> scores;
    int rc;
    while ((rc = read.step()) == SQLITE_ROW) {
        scores.prepend(ScoreRecord{read.integer(0), category, int(read.integer(1)), read.integer(2) != 0,
                                   read.integer(3) != 0, read.integer(4)});
    }
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return scores;
}

} // namespace kemuyi
