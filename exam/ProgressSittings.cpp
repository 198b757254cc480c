#include "ProgressStore.h"

#include "common/Failure.h"

#include <QStringList>

namespace kemuyi {

qint64 ProgressStore::beginSitting(const QString &bank, const QString &category, const ExamSession &session)
{
    SqliteTransaction transaction(m_db, SqliteTransaction::Begin::Immediate);
    SqliteStatement sitting(m_db, "INSERT INTO sitting (bank, category, started, questions, minutes, points, pass_mark)"
                                  " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    const ExamFormat &format = session.format();
    sitting.bind(1, bank);
    sitting.bind(2, category);
    sitting.bind(3, session.startedMs());
    sitting.bind(4, qint64(format.questions));
    sitting.bind(5, qint64(format.minutes));
    sitting.bind(6, qint64(format.pointsPerQuestion));
    sitting.bind(7, qint64(format.passMark));
    sitting.step();
    const qint64 id = m_db.lastInsertRowid();
    // The whole paper in one statement: [question, correct, choice] at each position.
    QStringList rows;
    for (int i = 0; i < session.size(); ++i) {
        rows.append(QStringLiteral("[%1,%2,%3]").arg(session.question(i).id).arg(session.question(i).correct)
                        .arg(session.choiceAt(i)));
    }
    SqliteStatement paper(m_db, "INSERT INTO paper (sitting, position, question, correct, choice)"
                                " SELECT ?1, key, json_extract(value, '$[0]'), json_extract(value, '$[1]'),"
                                " json_extract(value, '$[2]') FROM json_each(?2)");
    paper.bind(1, id);
    paper.bind(2, jsonList(rows));
    paper.step();
    transaction.commit();
    return id;
}

void ProgressStore::recordSittingAnswer(qint64 sitting, int position, qint32 choice)
{
    SqliteStatement write(m_db, "UPDATE paper SET choice = ?3 WHERE sitting = ?1 AND position = ?2");
    write.bind(1, sitting);
    write.bind(2, qint64(position));
    write.bind(3, qint64(choice));
    write.step();
}

void ProgressStore::finishSitting(const QString &bank, qint64 sitting, const ExamSession &session)
{
    if (!session.result())
        return;
    const ExamResult &result = *session.result();
    SqliteTransaction transaction(m_db, SqliteTransaction::Begin::Immediate);
    SqliteStatement done(m_db, "UPDATE sitting SET finished = ?2, score = ?3, passed = ?4, timed_out = ?5, duration = ?6"
                               " WHERE id = ?1 AND finished IS NULL AND discarded IS NULL");
    done.bind(1, sitting);
    done.bind(2, session.startedMs() + result.durationMs);
    done.bind(3, qint64(result.score));
    done.bind(4, qint64(result.passed));
    done.bind(5, qint64(result.timedOut));
    done.bind(6, result.durationMs);
    done.step();
    // Another instance that resumed the same sitting may have finished it first: count it once.
    if (m_db.changes() == 1)
        applySittingAnswers(bank, sitting, session, session.startedMs() + result.durationMs);
    transaction.commit();
}

void ProgressStore::discardSitting(const QString &bank, qint64 sitting, const ExamSession &session, qint64 nowMs)
{
    SqliteTransaction transaction(m_db, SqliteTransaction::Begin::Immediate);
    SqliteStatement done(m_db, "UPDATE sitting SET discarded = ?2 WHERE id = ?1 AND finished IS NULL AND discarded IS NULL");
    done.bind(1, sitting);
    done.bind(2, nowMs);
    done.step();
    if (m_db.changes() == 1)
        applySittingAnswers(bank, sitting, session, nowMs);
    transaction.commit();
}

// The paper's choices in one statement, and each answered question as one counted answer: the
// sitting is its run and each question is shown once in it.
void ProgressStore::applySittingAnswers(const QString &bank, qint64 sitting, const ExamSession &session, qint64 atMs)
{
    SqliteStatement category(m_db, "SELECT category FROM sitting WHERE id = ?1");
    category.bind(1, sitting);
    const QString name = category.step() ? category.text(0) : QString();
    QStringList choices;
    for (int i = 0; i < session.size(); ++i) {
        const qint32 choice = session.choiceAt(i);
        choices.append(QString::number(choice));
        if (choice == 0)
            continue;
        applyAnswer(bank, JudgedAnswer{session.question(i).id, choice == session.question(i).correct, false,
                                       sittingShowing(sitting, i), atMs, name});
    }
    SqliteStatement paper(m_db, "UPDATE paper SET choice = j.value FROM json_each(?2) AS j"
                                " WHERE paper.sitting = ?1 AND paper.position = j.key");
    paper.bind(1, sitting);
    paper.bind(2, jsonList(choices));
    paper.step();
}

std::optional<StoredSitting> ProgressStore::unfinishedSitting(const QString &bank, const QString &category) const
{
    SqliteStatement find(m_db, "SELECT id, started, questions, minutes, points, pass_mark FROM sitting"
                               " WHERE bank = ?1 AND category = ?2 AND finished IS NULL AND discarded IS NULL"
                               " ORDER BY id DESC LIMIT 1");
    find.bind(1, bank);
    find.bind(2, category);
    if (!find.step())
        return std::nullopt;
    StoredSitting stored;
    stored.id = find.integer(0);
    stored.category = category;
    stored.startedMs = find.integer(1);
    stored.format = ExamFormat{int(find.integer(2)), int(find.integer(3)), int(find.integer(4)), int(find.integer(5))};
    SqliteStatement paper(m_db, "SELECT question, correct, choice FROM paper WHERE sitting = ?1 ORDER BY position");
    paper.bind(1, stored.id);
    while (paper.step()) {
        stored.paper.append(PaperQuestion{qint32(paper.integer(0)), qint32(paper.integer(1))});
        stored.choices.append(qint32(paper.integer(2)));
    }
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
