#pragma once

#include "ExamRules.h"
#include "bank/Sqlite.h"

#include <QString>
#include <QVector>

#include <memory>

namespace kemuyi {

// Everything the exam window shows of one question, with the rule behind its answer.
struct ExamQuestion
{
    qint32 id = 0;
    QString subject, a, b, c, d;
    QString pic;
    QString select;
    QString answer;
    QString basis;
    bool isChoice() const { return select == QLatin1String("Y"); }
};

// The exam window's own read-only connection to the working copy of the bank, apart from the
// practice window's, whose current record must stay the question it shows.
class ExamBank
{
public:
    explicit ExamBank(const QString &path);
    ~ExamBank();

    const QString &path() const { return m_db.path(); }
    // The ids of the category's questions, ascending; the same rule as practice (TYPE contains
    // the code, any letter case).
    QVector<qint32> categoryIds(const QString &code);
    // `size` ids drawn at random without repetition from the category (all of them when it is
    // smaller). Rows are tried at random by rowid, which costs a lookup each instead of a scan of
    // the whole bank; a category too sparse for that within a small budget falls back to
    // drawPaper over categoryIds(). Either way every subset of the category is equally likely.
    QVector<qint32> drawFromCategory(const QString &code, int size, const RandomBelow &random);
    // The ids among `ids` whose question belongs to the category, in the given order.
    QVector<qint32> inCategory(const QVector<qint32> &ids, const QString &code);
    // A Failure when the id has no row or a column the window needs is NULL.
    ExamQuestion question(qint32 id);

private:
    SqliteDb m_db;
    std::unique_ptr<SqliteStatement> m_byId;
    std::unique_ptr<SqliteStatement> m_basis;
};

} // namespace kemuyi
