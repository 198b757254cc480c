#include "ProgressSql.h"

#include "common/Failure.h"

#include <QDateTime>

namespace kemuyi {

using progress::Statement;

void ProgressStore::applyToBook(const QString &bank, qint32 question, bool right)
{
    Statement read(m_db, "SELECT streak FROM book WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank).bind(2, question);
    BookState before;
    const int rc = read.step();
    if (rc == SQLITE_ROW)
        before = BookState{true, int(read.integer(0))};
    else if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    const BookState after = afterAnswer(before, right);
    if (after.inBook) {
        Statement write(m_db, "INSERT INTO book (bank, question, streak, added) VALUES (?1, ?2, ?3, ?4)"
                              " ON CONFLICT (bank, question) DO UPDATE SET streak = excluded.streak");
        write.bind(1, bank).bind(2, question).bind(3, after.streak).bind(4, QDateTime::currentMSecsSinceEpoch());
        if (write.step() != SQLITE_DONE)
            fail(QStringLiteral("写入"));
    } else if (before.inBook) {
        Statement remove(m_db, "DELETE FROM book WHERE bank = ?1 AND question = ?2");
        remove.bind(1, bank).bind(2, question);
        if (remove.step() != SQLITE_DONE)
            fail(QStringLiteral("写入"));
    }
}

void ProgressStore::recordAnswer(const QString &bank, qint32 question, bool right)
{
    Transaction transaction(*this);
    applyToBook(bank, question, right);
    transaction.commit();
}

BookState ProgressStore::bookState(const QString &bank, qint32 question) const
{
    Statement read(m_db, "SELECT streak FROM book WHERE bank = ?1 AND question = ?2");
    read.bind(1, bank).bind(2, question);
    const int rc = read.step();
    if (rc == SQLITE_ROW)
        return BookState{true, int(read.integer(0))};
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return {};
}

QVector<qint32> ProgressStore::bookQuestions(const QString &bank) const
{
    Statement read(m_db, "SELECT question FROM book WHERE bank = ?1 ORDER BY added, question");
    read.bind(1, bank);
    QVector<qint32> ids;
    int rc;
    while ((rc = read.step()) == SQLITE_ROW)
        ids.append(qint32(read.integer(0)));
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("读取"));
    return ids;
}

} // namespace kemuyi
