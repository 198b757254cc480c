#include "ProgressSql.h"

#include "common/Failure.h"

namespace kemuyi {

using progress::Statement;

qint64 ProgressStore::beginSitting(const QString &bank, const QString &category, const ExamSession &session)
{
    Transaction transaction(*this);
    Statement sitting(m_db, "INSERT INTO sitting (bank, category, started, questions, minutes, points, pass_mark)"
                            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    const ExamFormat &format = session.format();
    sitting.bind(1, bank).bind(2, category).bind(3, session.startedMs()).bind(4, format.questions)
        .bind(5, format.minutes).bind(6, format.pointsPerQuestion).bind(7, format.passMark);
    if (sitting.step() != SQLITE_DONE)
        fail(QStringLiteral("写入"));
    const qint64 id = sqlite3_last_insert_rowid(m_db);
    Statement paper(m_db, "INSERT INTO paper (sitting, position, question, correct, choice) VALUES (?1, ?2, ?3, ?4, ?5)");
    for (int i = 0; i < session.size(); ++i) {
        paper.reset();
        paper.bind(1, id).bind(2, i).bind(3, session.question(i).id).bind(4, session.question(i).correct)
            .bind(5, session.choiceAt(i));
        if (paper.step() != SQLITE_DONE)
            fail(QStringLiteral("写入"));
    }
    transaction.commit();
    return id;
}

void ProgressStore::recordSittingAnswer(qint64 sitting, int position, qint32 choice)
{
    Statement write(m_db, "UPDATE paper SET choice = ?3 WHERE sitting = ?1 AND position = ?2");
    write.bind(1, sitting).bind(2, position).bind(3, choice);
    if (write.step() != SQLITE_DONE)
        fail(QStringLiteral("写入"));
}

void ProgressStore::finishSitting(const QString &bank, qint64 sitting, const ExamSession &session)
{
    if (!session.result())
        return;
    const ExamResult &result = *session.result();
    Transaction transaction(*this);
    Statement done(m_db, "UPDATE sitting SET finished = ?2, score = ?3, passed = ?4, timed_out = ?5, duration = ?6"
                         " WHERE id = ?1 AND finished IS NULL");
    done.bind(1, sitting).bind(2, session.startedMs() + result.durationMs).bind(3, result.score)
        .bind(4, result.passed).bind(5, result.timedOut).bind(6, result.durationMs);
    if (done.step() != SQLITE_DONE)
        fail(QStringLiteral("写入"));
    // Another instance that resumed the same sitting may have finished it first: count it once.
    if (sqlite3_changes(m_db) == 1) {
        Statement choices(m_db, "UPDATE paper SET choice = ?3 WHERE sitting = ?1 AND position = ?2");
        for (int i = 0; i < session.size(); ++i) {
            const qint32 choice = session.choiceAt(i);
            choices.reset();
            choices.bind(1, sitting).bind(2, i).bind(3, choice);
            if (choices.step() != SQLITE_DONE)
                fail(QStringLiteral("写入"));
            if (choice != 0)
                applyToBook(bank, session.question(i).id, choice == session.question(i).correct);
        }
    }
    transaction.commit();
}

std::optional<StoredSitting> ProgressStore::unfinishedSitting(const QString &bank, const QString &category) const
{
    Statement find(m_db, "SELECT id, started, questions, minutes, points, pass_mark FROM sitting"
                         " WHERE bank = ?1 AND category = ?2 AND finished IS NULL ORDER BY id DESC LIMIT 1");
    find.bind(1, bank).bind(2, category);
    const int rc = find.step();
    if (rc == SQLITE_DONE)
        return std::nullopt;
    if (rc != SQLITE_ROW)
        fail(QStringLiteral("读取"));
    StoredSitting stored;
    stored.id = find.integer(0);
    stored.category = category;
    stored.startedMs = find.integer(1);
    stored.format = ExamFormat{int(find.integer(2)), int(find.integer(3)), int(find.integer(4)), int(find.integer(5))};
    Statement paper(m_db, "SELECT question, correct, choice FROM paper WHERE sitting = ?1 ORDER BY position");
    paper.bind(1, stored.id);
    int step;
    while ((step = paper.step()) == SQLITE_ROW) {
        stored.paper.append(PaperQuestion{qint32(paper.integer(0)), qint32(paper.integer(1))});
        stored.choices.append(qint32(paper.integer(2)));
    }
    if (step != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    checkStoredSitting(stored);
    return stored;
}

// A sitting read back must be one the exam could have written: a changed file would otherwise
// score a stray number as an answer or time the paper out at once.
void ProgressStore::checkStoredSitting(const StoredSitting &stored) const
{
    const ExamFormat &format = stored.format;
    bool sound = format.questions > 0 && format.minutes > 0 && format.pointsPerQuestion > 0
                 && format.passMark > 0;
    for (int i = 0; sound && i < stored.paper.size(); ++i) {
        sound = stored.paper.at(i).correct >= 1 && stored.paper.at(i).correct <= 6
                && stored.choices.at(i) >= 0 && stored.choices.at(i) <= 6;
    }
    if (!sound)
        throw Failure(QStringLiteral("学习记录文件 %1 中的第 %2 次考试记录已损坏").arg(m_path).arg(stored.id));
}

} // namespace kemuyi
