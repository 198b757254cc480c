#include "ProgressStore.h"

#include <QDateTime>

#include <algorithm>

namespace kemuyi {

namespace {

// The local calendar day of a moment, as the learner counts days.
qint64 localDay(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).date().toJulianDay();
}

} // namespace

// The answer's effect on the question's memory state, the statistics and the book. The first
// answer of a showing is the one the learner gave from memory; what follows on the same showing
// (another press, an answer after seeing the verdict) is not.
void ProgressStore::applyAnswer(const QString &bank, const JudgedAnswer &answer)
{
    SqliteStatement &read = statement("SELECT stability, difficulty, last_seen, reviews, lapses, run, showing,"
                                      " answers, rights FROM memory WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank);
    read.bind(2, qint64(answer.question));
    QuestionRecord record;
    Showing last;
    if (read.step()) {
        record.memory = memory::withinBounds(MemoryState{read.real(0), read.real(1), read.integer(2),
                                                         int(read.integer(3)), int(read.integer(4))});
        last = Showing{read.integer(5), int(read.integer(6))};
        record.answers = int(read.integer(7));
        record.right = int(read.integer(8));
    }
    read.reset();
    if (!record.memory.isNew() && last == answer.showing)
        return;

    const bool remembered = answer.right && !answer.helped;
    const bool firstInRun = record.memory.isNew() || last.run != answer.showing.run;
    record.memory = memory::afterAnswer(record.memory, remembered ? RecallGrade::Good : RecallGrade::Again,
                                        answer.atMs);
    if (firstInRun) {
        ++record.answers;
        record.right += remembered ? 1 : 0;
    }
    SqliteStatement &write = statement(
        "INSERT OR REPLACE INTO memory (bank, question, stability, difficulty, last_seen, reviews, lapses,"
        " run, showing, answers, rights) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)");
    write.bind(1, bank);
    write.bind(2, qint64(answer.question));
    write.bindReal(3, record.memory.stability);
    write.bindReal(4, record.memory.difficulty);
    write.bind(5, record.memory.lastSeenMs);
    write.bind(6, qint64(record.memory.reviews));
    write.bind(7, qint64(record.memory.lapses));
    write.bind(8, answer.showing.run);
    write.bind(9, qint64(answer.showing.number));
    write.bind(10, qint64(record.answers));
    write.bind(11, qint64(record.right));
    write.step();

    if (firstInRun) {
        SqliteStatement &log = statement("INSERT INTO answer (bank, category, question, at, right)"
                                         " VALUES (?1, ?2, ?3, ?4, ?5)");
        log.bind(1, bank);
        log.bind(2, answer.category);
        log.bind(3, qint64(answer.question));
        log.bind(4, answer.atMs);
        log.bind(5, qint64(remembered));
        log.step();
        SqliteStatement &day = statement("INSERT INTO day (bank, category, day, answers, rights) VALUES (?1, ?2, ?3, 1, ?4)"
                                         " ON CONFLICT (bank, category, day) DO UPDATE"
                                         " SET answers = answers + 1, rights = rights + excluded.rights");
        day.bind(1, bank);
        day.bind(2, answer.category);
        day.bind(3, localDay(answer.atMs));
        day.bind(4, qint64(remembered));
        day.step();
    }
    applyToBook(bank, answer, remembered);
}

void ProgressStore::recordAnswer(const QString &bank, const JudgedAnswer &answer)
{
    recordAnswers(bank, {answer});
}

void ProgressStore::recordAnswers(const QString &bank, const QVector<JudgedAnswer> &answers)
{
    SqliteTransaction transaction(m_db, SqliteTransaction::Begin::Immediate);
    for (const JudgedAnswer &answer : answers)
        applyAnswer(bank, answer);
    transaction.commit();
}

QHash<qint32, QuestionRecord> ProgressStore::questionRecords(const QString &bank) const
{
    SqliteStatement read(m_db, "SELECT question, stability, difficulty, last_seen, reviews, lapses, answers, rights"
                               " FROM memory WHERE bank = ?1");
    read.bind(1, bank);
    QHash<qint32, QuestionRecord> records;
    while (read.step()) {
        QuestionRecord record;
        record.question = qint32(read.integer(0));
        record.memory = memory::withinBounds(MemoryState{read.real(1), read.real(2), read.integer(3),
                                                         int(read.integer(4)), int(read.integer(5))});
        record.answers = int(read.integer(6));
        record.right = int(read.integer(7));
        records.insert(record.question, record);
    }
    return records;
}

QVector<RecentAnswer> ProgressStore::recentAnswers(const QString &bank, const QString &category, int count) const
{
    SqliteStatement read(m_db, "SELECT question, right, at FROM answer WHERE bank = ?1 AND category = ?2"
                               " ORDER BY id DESC LIMIT ?3");
    read.bind(1, bank);
    read.bind(2, category);
    read.bind(3, qint64(count));
    QVector<RecentAnswer> answers;
    while (read.step())
        answers.append(RecentAnswer{qint32(read.integer(0)), read.integer(1) != 0, read.integer(2)});
    return answers;
}

int ProgressStore::dailyReviewLimit() const
{
    SqliteStatement read(m_db, "SELECT value FROM setting WHERE name = 'daily_review'");
    // A value out of range (a changed file) is not trusted.
    if (read.step() && read.integer(0) >= review::minimumDailyLimit && read.integer(0) <= review::maximumDailyLimit)
        return int(read.integer(0));
    return review::defaultDailyLimit;
}

void ProgressStore::setDailyReviewLimit(int limit)
{
    SqliteStatement write(m_db, "INSERT OR REPLACE INTO setting (name, value) VALUES ('daily_review', ?1)");
    write.bind(1, qint64(std::clamp(limit, review::minimumDailyLimit, review::maximumDailyLimit)));
    write.step();
}

QVector<DayTally> ProgressStore::answerDays(const QString &bank, const QString &category) const
{
    SqliteStatement read(m_db, "SELECT day, answers, rights FROM day WHERE bank = ?1 AND category = ?2 ORDER BY day DESC");
    read.bind(1, bank);
    read.bind(2, category);
    QVector<DayTally> days;
    while (read.step())
        days.append(DayTally{read.integer(0), int(read.integer(1)), int(read.integer(2))});
    return days;
}

} // namespace kemuyi
