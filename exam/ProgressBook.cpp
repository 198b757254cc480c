#include "ProgressStore.h"

namespace kemuyi {

// The book's rule applied to one counted answer: a forgotten answer puts the question in (or back
// to the start of its streak), right answers on separate showings take it out.
void ProgressStore::applyToBook(const QString &bank, const JudgedAnswer &answer, bool remembered)
{
    SqliteStatement &read = statement("SELECT streak, last_run, last_showing, last_right FROM book"
                                      " WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank);
    read.bind(2, qint64(answer.question));
    BookState before;
    if (read.step()) {
        before = BookState{true, int(read.integer(0)), Showing{read.integer(1), int(read.integer(2))},
                           read.integer(3)};
    }
    read.reset();
    const BookState after = afterAnswer(before, remembered, answer.showing, answer.atMs);
    if (after.inBook) {
        SqliteStatement &write = statement(
            "INSERT INTO book (bank, question, streak, added, last_run, last_showing, last_right)"
            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7) ON CONFLICT (bank, question) DO UPDATE SET streak = excluded.streak,"
            " last_run = excluded.last_run, last_showing = excluded.last_showing, last_right = excluded.last_right");
        write.bind(1, bank);
        write.bind(2, qint64(answer.question));
        write.bind(3, qint64(after.streak));
        write.bind(4, answer.atMs);
        write.bind(5, after.lastRight.run);
        write.bind(6, qint64(after.lastRight.number));
        write.bind(7, after.lastRightMs);
        write.step();
    } else if (before.inBook) {
        SqliteStatement &remove = statement("DELETE FROM book WHERE bank = ?1 AND question = ?2");
        remove.bind(1, bank);
        remove.bind(2, qint64(answer.question));
        remove.step();
    }
}

BookState ProgressStore::bookState(const QString &bank, qint32 question) const
{
    SqliteStatement read(m_db, "SELECT streak, last_run, last_showing, last_right FROM book WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank);
    read.bind(2, qint64(question));
    if (read.step())
        return BookState{true, int(read.integer(0)), Showing{read.integer(1), int(read.integer(2))}, read.integer(3)};
    return {};
}

QVector<qint32> ProgressStore::bookQuestions(const QString &bank) const
{
    SqliteStatement read(m_db, "SELECT question FROM book WHERE bank = ?1 ORDER BY added, question");
    read.bind(1, bank);
    QVector<qint32> ids;
    while (read.step())
        ids.append(qint32(read.integer(0)));
    return ids;
}

} // namespace kemuyi
