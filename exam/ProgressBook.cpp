#include "ProgressStore.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

namespace kemuyi {

// Reads the book's entries for all the questions at once, applies the book's rule to each in C++,
// and writes the entries that stay in one statement and those that leave in another.
void ProgressStore::applyToBook(const QString &bank, const QVector<JudgedAnswer> &answers)
{
    if (answers.isEmpty())
        return;
    QStringList ids;
    for (const JudgedAnswer &answer : answers)
        ids.append(QString::number(answer.question));
    QHash<qint32, int> streaks;
    SqliteStatement read(m_db, "SELECT question, streak FROM book"
                               " WHERE bank = ?1 AND question IN (SELECT value FROM json_each(?2))");
    read.bind(1, bank);
    read.bind(2, jsonList(ids));
    while (read.step())
        streaks.insert(qint32(read.integer(0)), int(read.integer(1)));

    QStringList kept;
    QStringList left;
    for (const JudgedAnswer &answer : answers) {
        const auto found = streaks.constFind(answer.question);
        const BookState before = found == streaks.constEnd() ? BookState{} : BookState{true, *found};
        const BookState after = afterAnswer(before, answer.right);
        if (after.inBook)
            kept.append(QStringLiteral("[%1,%2]").arg(answer.question).arg(after.streak));
        else if (before.inBook)
            left.append(QString::number(answer.question));
    }
    if (!kept.isEmpty()) {
        // "WHERE true" tells SQLite's parser that ON CONFLICT belongs to the INSERT.
        SqliteStatement write(m_db, "INSERT INTO book (bank, question, streak, added)"
                                    " SELECT ?1, json_extract(value, '$[0]'), json_extract(value, '$[1]'), ?3"
                                    " FROM json_each(?2) WHERE true"
                                    " ON CONFLICT (bank, question) DO UPDATE SET streak = excluded.streak");
        write.bind(1, bank);
        write.bind(2, jsonList(kept));
        write.bind(3, QDateTime::currentMSecsSinceEpoch());
        write.step();
    }
    if (!left.isEmpty()) {
        SqliteStatement remove(m_db, "DELETE FROM book WHERE bank = ?1 AND question IN (SELECT value FROM json_each(?2))");
        remove.bind(1, bank);
        remove.bind(2, jsonList(left));
        remove.step();
    }
}

void ProgressStore::recordAnswer(const QString &bank, qint32 question, bool right)
{
    recordAnswers(bank, {JudgedAnswer{question, right}});
}

void ProgressStore::recordAnswers(const QString &bank, const QVector<JudgedAnswer> &answers)
{
    SqliteTransaction transaction(m_db, SqliteTransaction::Begin::Immediate);
    applyToBook(bank, answers);
    transaction.commit();
}

BookState ProgressStore::bookState(const QString &bank, qint32 question) const
{
    SqliteStatement read(m_db, "SELECT streak FROM book WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank);
    read.bind(2, qint64(question));
    if (read.step())
        return BookState{true, int(read.integer(0))};
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
